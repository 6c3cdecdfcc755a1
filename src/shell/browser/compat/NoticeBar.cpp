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
    setText(QStringLiteral("此网页使用了 %1，本程序无法运行这部分内容。 <a href=\"close\">关闭</a>")
                .arg(features_.join(QStringLiteral("、")).toHtmlEscaped()));
    show();
    raise();
    FollowView();
}

void NoticeBar::Clear() {
    features_.clear();
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
