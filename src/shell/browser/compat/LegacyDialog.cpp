#include "shell/browser/compat/LegacyDialog.h"

#include <algorithm>
#include <QCloseEvent>
#include <QHash>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <vector>

#include "shell/browser/BrowserPage.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"

namespace lumaro {
namespace {

QHash<int, QPointer<LegacyDialog>>& OpenDialogs() {
    static QHash<int, QPointer<LegacyDialog>> dialogs;
    return dialogs;
}

std::optional<int> Pixels(const QString& value) {
    static const QRegularExpression number(QStringLiteral("^\\s*(-?\\d+(?:\\.\\d+)?)\\s*(px|em|pt)?\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto match = number.match(value);
    if (!match.hasMatch()) return std::nullopt;
    const double n = match.captured(1).toDouble();
    const QString unit = match.captured(2).toLower();
    const double scale = unit == QLatin1String("em") ? 16 : unit == QLatin1String("pt") ? 4.0 / 3 : 1;
    return qRound(n * scale);
}

std::optional<bool> Flag(const QString& value) {
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("yes") || v == QLatin1String("1") || v == QLatin1String("on") || v == QLatin1String("true"))
        return true;
    if (v == QLatin1String("no") || v == QLatin1String("0") || v == QLatin1String("off") || v == QLatin1String("false"))
        return false;
    return std::nullopt;
}

// Reads what the page set as window.returnValue, as its layer encodes it; a
// page without the layer gives plain JSON. Empty for undefined or for what
// cannot cross.
const QString kReadReturnValue = QStringLiteral(
    "(function () { var ie = window.__lumaroIE, r = ie && ie.dialogResult && ie.dialogResult();"
    " if (typeof r === 'string') return r;"
    " try { var v = window.returnValue; return v === undefined ? '' : JSON.stringify({j: v}); }"
    " catch (e) { return ''; } })()");

// Modeless dialogs their callers are about to open as windows of their own.
struct ExpectedWindow {
    QPointer<BrowserPage> caller;
    DialogFeatures features;
    QJsonObject link;
};
std::vector<ExpectedWindow>& ExpectedWindows() {
    static std::vector<ExpectedWindow> windows;
    std::erase_if(windows, [](const ExpectedWindow& w) { return !w.caller; });
    return windows;
}

}  // namespace

DialogFeatures ParseDialogFeatures(const QString& features) {
    DialogFeatures f;
    bool placed = false;
    for (const QString& item : features.split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts)) {
        const int separator = item.indexOf(QRegularExpression(QStringLiteral("[:=]")));
        if (separator < 0) continue;
        const QString key = item.left(separator).trimmed().toLower();
        const QString value = item.mid(separator + 1);
        if (key == QLatin1String("dialogwidth")) f.width = Pixels(value);
        else if (key == QLatin1String("dialogheight")) f.height = Pixels(value);
        else if (key == QLatin1String("dialogleft")) placed = (f.left = Pixels(value)).has_value() || placed;
        else if (key == QLatin1String("dialogtop")) placed = (f.top = Pixels(value)).has_value() || placed;
        else if (key == QLatin1String("center")) f.center = Flag(value).value_or(f.center);
        else if (key == QLatin1String("resizable")) f.resizable = Flag(value).value_or(f.resizable);
        else if (key == QLatin1String("scroll")) f.scroll = Flag(value).value_or(f.scroll);
        else if (key == QLatin1String("status")) f.status = Flag(value).value_or(f.status);
    }
    // A dialog placed by the page is not centred unless it asks for both.
    static const QRegularExpression center(QStringLiteral("center\\s*[:=]"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (placed && !features.contains(center)) f.center = false;
    return f;
}

LegacyDialog::LegacyDialog(QWidget* owner, QWebEngineProfile* profile, const DialogFeatures& features,
                           const QJsonObject& link, bool modal)
    : QDialog(owner), features_(features) {
    static int nextId = 1;
    id_ = nextId++;
    OpenDialogs().insert(id_, this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    // A caption and a close box, as the old dialogs had: no minimizing, no maximizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    // A modal dialog's page is one of its own, not one opened by the caller:
    // the caller's page process waits for the dialog and could not load it.
    browser_ = new WebBrowser(profile, this);
    CompatLayer::AttachDialog(browser_->browserPage(), id_, link);
    if (!features.scroll) browser_->page()->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(browser_);
    QStatusBar* status = nullptr;
    if (features.status) {
        status = new QStatusBar(this);
        status->setSizeGripEnabled(features.resizable);
        connect(browser_->page(), &QWebEnginePage::linkHovered, status, [status](const QString& url) {
            status->showMessage(url);
        });
        layout->addWidget(status);
    }
    connect(browser_, &QWebEngineView::titleChanged, this, &QWidget::setWindowTitle);
    // Esc closes the dialog wherever the focus is in its page, as the old browser's did.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &LegacyDialog::ReadReturnValueAndClose);
    connect(browser_->browserPage(), &BrowserPage::closeRequested, this, &LegacyDialog::ReadReturnValueAndClose);

    if (owner && owner->screen()) setScreen(owner->screen());
    if (features.resizable) browser_->setMinimumSize(100, 50);
    statusHeight_ = status ? status->sizeHint().height() : 0;
    SetPageSize(QSize(features.width.value_or(400), features.height.value_or(300)));

    const QRect area = screen()->availableGeometry();
    QRect frame(QPoint(), size());
    if (features.center) frame.moveCenter(area.center());
    else frame.moveTopLeft(QPoint(features.left.value_or(area.left() + 40), features.top.value_or(area.top() + 40)));
    move(frame.topLeft());
    KeepOnScreen();
}

// The page area of the given size, as far as the screen has room for the
// window around it: a page may ask for any size.
void LegacyDialog::SetPageSize(QSize page) {
    const QSize status(0, statusHeight_);
    const QSize frame = frameGeometry().size() - geometry().size();  // known once shown
    page = page.boundedTo(screen()->availableGeometry().size() - status - frame).expandedTo(QSize(50, 50));
    const QSize window = page + status;
    if (features_.resizable)
        resize(window);
    else
        setFixedSize(window);
    browser_->resize(page);  // at once: the page reads its size back
}

// All of the dialog on the screen, as the old browser kept its dialogs: a
// modal one off-screen would leave the program waiting for a window nobody can reach.
void LegacyDialog::KeepOnScreen() {
    const QRect area = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const QPoint to(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())),
                    std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
    if (to != frame.topLeft()) move(to);
}

LegacyDialog::~LegacyDialog() {
    OpenDialogs().remove(id_);
    if (!finished_) emit closedWith(QString());
}

void LegacyDialog::Open(const QUrl& url) {
    browser_->load(url);
    Show();
}

void LegacyDialog::Show() {
    show();
    SetPageSize(browser_->size());  // the window's frame is known now
    KeepOnScreen();
    raise();
    activateWindow();
}

void LegacyDialog::ExpectWindow(BrowserPage* caller, const DialogFeatures& features, const QJsonObject& link) {
    ExpectedWindows().push_back({caller, features, link});
}

void LegacyDialog::ForgetWindow(BrowserPage* caller) {
    auto& windows = ExpectedWindows();
    const auto last = std::find_if(windows.rbegin(), windows.rend(), [&](const auto& w) { return w.caller == caller; });
    if (last != windows.rend()) windows.erase(std::next(last).base());
}

QWebEnginePage* LegacyDialog::TakeWindow(BrowserPage* caller) {
    auto& windows = ExpectedWindows();
    const auto next = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.caller == caller; });
    if (next == windows.end()) return nullptr;
    const ExpectedWindow expected = *next;
    windows.erase(next);
    QWidget* view = QWebEngineView::forPage(caller);
    auto* dialog = new LegacyDialog(view ? view->window() : nullptr, caller->profile(), expected.features,
                                    expected.link, false);
    dialog->Show();
    return dialog->browser()->page();
}

LegacyDialog* LegacyDialog::Find(int id) { return OpenDialogs().value(id).data(); }

int LegacyDialog::Measure(const QString& side) const {
    if (side == QLatin1String("width")) return browser_->width();
    if (side == QLatin1String("height")) return browser_->height();
    return side == QLatin1String("left") ? frameGeometry().left() : frameGeometry().top();
}

void LegacyDialog::Place(const QString& side, const QString& value) {
    const std::optional<int> pixels = Pixels(value);
    if (!pixels) return;
    if (side == QLatin1String("left") || side == QLatin1String("top")) {
        move(side == QLatin1String("left") ? *pixels : x(), side == QLatin1String("top") ? *pixels : y());
    } else {
        QSize page = browser_->size();
        (side == QLatin1String("width") ? page.rwidth() : page.rheight()) = *pixels;
        SetPageSize(page);
    }
    KeepOnScreen();
}

void LegacyDialog::CloseWith(const QString& returnedJson) {
    if (finished_) return;
    finished_ = true;
    emit closedWith(returnedJson);
    // Later: the page that asked is still waiting for its own answer.
    QTimer::singleShot(0, this, &QWidget::close);
}

void LegacyDialog::closeEvent(QCloseEvent* event) {
    if (finished_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    ReadReturnValueAndClose();
}

void LegacyDialog::reject() {
    if (finished_)
        QDialog::reject();  // closing, the value given
    else
        ReadReturnValueAndClose();
}

// The user closed the dialog: the caller gets the returnValue set so far.
// A page that does not answer (still loading, hung) gives undefined.
void LegacyDialog::ReadReturnValueAndClose() {
    if (finished_ || reading_) return;
    reading_ = true;
    QPointer<LegacyDialog> self(this);
    browser_->page()->runJavaScript(kReadReturnValue, [self](const QVariant& value) {
        if (self) self->CloseWith(value.toString());
    });
    QTimer::singleShot(1000, this, [this] { CloseWith(QString()); });
}

}  // namespace lumaro
