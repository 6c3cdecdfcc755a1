#include "shell/browser/compat/NoticeBar.h"

#include <QEvent>
#include <QWebEngineView>

#include "shell/browser/PageRoom.h"

namespace lumaro {

NoticeBar* NoticeBar::For(QWidget* view) {
    if (auto* bar = view->findChild<NoticeBar*>(QString(), Qt::FindDirectChildrenOnly)) return bar;
    return new NoticeBar(view);
}

NoticeBar::NoticeBar(QWidget* view) : QLabel(view) {
    setObjectName(QStringLiteral("noticeBar"));
    setWordWrap(false);
    setTextFormat(Qt::RichText);
    setAutoFillBackground(true);
    // The colours of an information bar, readable over any page.
    setStyleSheet(QStringLiteral("QLabel { background: #ffffe1; color: black; border-bottom: 1px solid #a0a0a0;"
                                 " padding: 4px 8px; }"));
    connect(this, &QLabel::linkActivated, this, &NoticeBar::Clear);
    if (auto* browser = qobject_cast<QWebEngineView*>(view))
        connect(browser, &QWebEngineView::loadStarted, this, &NoticeBar::Clear);
    view->installEventFilter(this);
    hide();
}

void NoticeBar::Add(const QString& feature) {
    if (feature.isEmpty() || features_.contains(feature)) return;
    features_ << feature;
    Show();
}

void NoticeBar::Say(const QString& message) {
    message_ = message;
    Show();
}

void NoticeBar::Show() {
    QStringList lines;
    if (!message_.isEmpty()) lines << message_.toHtmlEscaped();
    if (!features_.isEmpty())
        lines << QStringLiteral("此网页使用了 %1，本程序无法运行这部分内容。")
                     .arg(features_.join(QStringLiteral("、")).toHtmlEscaped());
    setText(lines.join(QStringLiteral(" ")) + QStringLiteral(" <a href=\"close\">关闭</a>"));
    show();
    raise();
    FollowView();
}

void NoticeBar::Clear() {
    features_.clear();
    message_.clear();
    hide();
    Reserve(0);
}

// Above the page, which moves down for it, rather than over the page's top.
void NoticeBar::FollowView() {
    const int height = sizeHint().height();
    setGeometry(0, 0, parentWidget()->width(), height);
    Reserve(height);
}

void NoticeBar::Reserve(int height) { ReservePageRoom(this, height); }

bool NoticeBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize && !isHidden()) FollowView();
    return QLabel::eventFilter(watched, event);
}

}  // namespace lumaro
