#include "shell/StatusBarPanel.h"

#include <algorithm>
#include <QPainter>
#include <QStyle>

namespace lumaro {

StatusBarPanel::StatusBarPanel(const QString& text, int width, bool yields, QWidget* parent)
    : QLabel(text, parent), width_(width), yields_(yields) {}

QSize StatusBarPanel::sizeHint() const { return {width_, QLabel::sizeHint().height()}; }

QSize StatusBarPanel::minimumSizeHint() const {
    const QSize text = QLabel::minimumSizeHint();
    if (!yields_) return {std::min(text.width(), width_), text.height()};
    // A value keeps room for a character and the "…" that says there is more.
    const int least = fontMetrics().horizontalAdvance(text.isEmpty() ? QString() : QStringLiteral("中…")) +
                      2 * frameWidth() + 2 * margin() + 4;
    return {std::min(least, width_), text.height()};
}

QString StatusBarPanel::ShownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, contentsRect().width() - 2 * margin()));
}

void StatusBarPanel::paintEvent(QPaintEvent*) {
    UpdateTooltip();  // the text may have changed since the last resize
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(), ShownText(),
                          foregroundRole());
}

void StatusBarPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    UpdateTooltip();
}

// The whole value where only its start is shown.
void StatusBarPanel::UpdateTooltip() { setToolTip(ShownText() == text() ? QString() : text()); }

}  // namespace lumaro
