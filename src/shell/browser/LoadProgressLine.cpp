#include "shell/browser/LoadProgressLine.h"

#include <QChildEvent>
#include <QEvent>
#include <QPainter>

namespace lumaro {

LoadProgressLine::LoadProgressLine(QWidget* browser) : QWidget(browser) {
    setObjectName(QStringLiteral("loadProgress"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    browser->installEventFilter(this);
    hide();
}

void LoadProgressLine::Start() {
    percent_ = 0;
    FollowBrowser();
    show();
    raise();
}

void LoadProgressLine::SetProgress(int percent) {
    percent_ = qBound(0, percent, 100);
    update();
}

void LoadProgressLine::Finish() {
    percent_ = 100;
    hide();
}

// Spans the browser's width; the browser adds its page surface as a child
// after us, so stay on top of it.
bool LoadProgressLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent()) {
        if (event->type() == QEvent::Resize) FollowBrowser();
        if (event->type() == QEvent::ChildAdded && static_cast<QChildEvent*>(event)->child() != this && isVisible())
            raise();
    }
    return QWidget::eventFilter(watched, event);
}

void LoadProgressLine::FollowBrowser() {
    const auto* browser = parentWidget();
    setGeometry(0, 0, browser->width(), Thickness);
    raise();
}

void LoadProgressLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor accent = palette().color(QPalette::Highlight);
    painter.fillRect(rect(), QColor(accent.red(), accent.green(), accent.blue(), 40));
    // Never quite empty, so a load that has only just begun is visible at once.
    const int done = qMax(width() / 50, width() * percent_ / 100);
    painter.fillRect(0, 0, done, height(), accent);
}

}  // namespace lumaro
