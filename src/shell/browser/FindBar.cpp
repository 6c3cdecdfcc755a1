#include "shell/browser/FindBar.h"

#include <QAction>
#include <QChildEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "shell/browser/PageRoom.h"

namespace lumaro {
namespace {

QToolButton* Button(const QString& name, const QString& tooltip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

FindBar::FindBar(QWebEngineView* browser)
    : QFrame(browser), browser_(browser), txtFind_(new QLineEdit(this)), lblMatches_(new QLabel(this)) {
    setObjectName(QStringLiteral("findBar"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setAutoFillBackground(true);

    txtFind_->setObjectName(QStringLiteral("txtFind"));
    txtFind_->setPlaceholderText(QStringLiteral("查找"));
    txtFind_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    txtFind_->installEventFilter(this);
    lblMatches_->setObjectName(QStringLiteral("lblMatches"));
    lblMatches_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("999/999")));
    lblMatches_->setAlignment(Qt::AlignCenter);
    QToolButton* cmdPrevious = Button(QStringLiteral("cmdPrevious"), QStringLiteral("上一个（Shift+Enter）"), this);
    cmdPrevious->setArrowType(Qt::UpArrow);
    QToolButton* cmdNext = Button(QStringLiteral("cmdNext"), QStringLiteral("下一个（Enter）"), this);
    cmdNext->setArrowType(Qt::DownArrow);
    QToolButton* cmdClose = Button(QStringLiteral("cmdClose"), QStringLiteral("关闭（Esc）"), this);
    cmdClose->setText(QStringLiteral("✕"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 4, 4);
    layout->setSpacing(2);
    layout->addStretch(1);
    layout->addWidget(txtFind_);
    layout->addWidget(lblMatches_);
    layout->addWidget(cmdPrevious);
    layout->addWidget(cmdNext);
    layout->addWidget(cmdClose);

    connect(txtFind_, &QLineEdit::textEdited, this, [this] { Find(); });
    connect(cmdPrevious, &QToolButton::clicked, this, [this] { Find(true); });
    connect(cmdNext, &QToolButton::clicked, this, [this] { Find(); });
    connect(cmdClose, &QToolButton::clicked, this, &FindBar::Close);
    connect(browser_->page(), &QWebEnginePage::findTextFinished, this, &FindBar::ShowResult);
    connect(browser_->page(), &QWebEnginePage::urlChanged, lblMatches_, &QLabel::clear);

    auto* open = new QAction(browser_);
    open->setShortcut(QKeySequence::Find);
    connect(open, &QAction::triggered, this, &FindBar::Open);
    browser_->addAction(open);

    browser_->installEventFilter(this);
    hide();
}

void FindBar::Open() {
    FollowBrowser();
    show();
    raise();
    // The last text stays, selected: Enter finds it again, typing replaces it.
    txtFind_->setFocus(Qt::ShortcutFocusReason);
    txtFind_->selectAll();
}

void FindBar::Close() {
    hide();
    ReservePageRoom(this, 0);
    lblMatches_->clear();
    browser_->page()->findText(QString());  // clears the marks; the match found last stays selected
    browser_->setFocus(Qt::OtherFocusReason);
}

void FindBar::Find(bool backward) {
    const QString text = txtFind_->text();
    if (text.isEmpty()) lblMatches_->clear();
    browser_->page()->findText(text, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void FindBar::ShowResult(const QWebEngineFindTextResult& result) {
    if (!isVisible() || txtFind_->text().isEmpty()) return;
    lblMatches_->setText(result.numberOfMatches() == 0
                             ? QStringLiteral("无结果")
                             : QStringLiteral("%1/%2").arg(result.activeMatch()).arg(result.numberOfMatches()));
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtFind_) {
        const auto* key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress
                              ? static_cast<QKeyEvent*>(event)
                              : nullptr;
        if (key && key->key() == Qt::Key_Escape) {
            // Esc is the bar's, even where the window has a shortcut on it (stopping a load).
            if (event->type() == QEvent::KeyPress) Close();
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
        if (key && event->type() == QEvent::KeyPress && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            Find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    } else if (watched == browser_) {
        if (event->type() == QEvent::Resize && isVisible()) FollowBrowser();
        // The browser adds its page surface as a child after us: stay on top of it.
        if (event->type() == QEvent::ChildAdded && static_cast<QChildEvent*>(event)->child() != this && isVisible())
            raise();
    }
    return QFrame::eventFilter(watched, event);
}

// A strip along the top edge, its box at the right as browsers place it; the page moves down for it, so the
// buttons at the top of old pages (打印预览, 打印) stay in reach.
void FindBar::FollowBrowser() {
    const int height = sizeHint().height();
    setGeometry(0, y(), browser_->width(), height);
    ReservePageRoom(this, height);
}

}  // namespace lumaro
