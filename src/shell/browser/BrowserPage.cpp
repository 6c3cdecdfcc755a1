#include "shell/browser/BrowserPage.h"

#include <QAuthenticator>
#include <QPointer>
#include <QTimer>
#include <QWebEngineCertificateError>
#include <QWebEngineView>
#include <memory>

#include "shell/browser/BrowserProfile.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/BrowserWindow.h"
#include "shell/browser/PageMessageBox.h"
#include "shell/LocalPages.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"
#include "shell/browser/compat/LegacyDialog.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

const QString kOwnScheme = QStringLiteral("lumaro");
const QString kReloadAction = QStringLiteral("reload");

QString CrashPageHtml(const QUrl& crashedUrl, QWebEnginePage::RenderProcessTerminationStatus status) {
    const QString cause = status == QWebEnginePage::KilledTerminationStatus ? QStringLiteral("被系统终止")
                                                                             : QStringLiteral("意外崩溃");
    const QString address = crashedUrl.scheme() == QStringLiteral("data")
                                ? QString()
                                : QStringLiteral("<p>网址：<code id=\"url\">%1</code></p>")
                                      .arg(crashedUrl.toDisplayString().toHtmlEscaped());
    const QString body =
        QStringLiteral("<h1>网页无法显示</h1><p>显示此网页的进程%1，网页的内容已丢失。</p>%2"
                       "<p>未保存的输入可能需要重新填写。</p>"
                       "<a class=\"cmd\" id=\"reload\" href=\"lumaro:reload\">重新加载</a>")
            .arg(cause, address);
    return ui::Q(LocalPage("网页无法显示", ui::S(body)));
}

// Certificate problems in words a user can weigh; Chromium's own texts are English.
QString CertificateProblem(const QWebEngineCertificateError& error) {
    switch (error.type()) {
    case QWebEngineCertificateError::CertificateCommonNameInvalid:
        return QStringLiteral("证书上的名称与网站的地址不符。");
    case QWebEngineCertificateError::CertificateDateInvalid:
        return QStringLiteral("证书已过期或尚未生效。");
    case QWebEngineCertificateError::CertificateAuthorityInvalid:
        return QStringLiteral("证书不是由受信任的机构颁发的。");
    case QWebEngineCertificateError::CertificateRevoked:
        return QStringLiteral("证书已被吊销。");
    case QWebEngineCertificateError::CertificateWeakSignatureAlgorithm:
    case QWebEngineCertificateError::CertificateWeakKey:
        return QStringLiteral("证书的加密强度不足。");
    default:
        return QStringLiteral("证书无效（%1）。").arg(error.description());
    }
}

}  // namespace

BrowserPage::BrowserPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
    BrowserProfile::AddPage(this);
    connect(this, &QWebEnginePage::authenticationRequired, this, &BrowserPage::OnAuthenticationRequired);
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this, &BrowserPage::OnProxyAuthenticationRequired);
    connect(this, &QWebEnginePage::certificateError, this, &BrowserPage::OnCertificateError);
    connect(this, &QWebEnginePage::renderProcessTerminated, this, &BrowserPage::OnRenderProcessTerminated);
    connect(this, &QWebEnginePage::loadFinished, this, [this] { logins_.LoadFinished(); });
    connect(this, &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
        if (url.scheme() != QStringLiteral("data")) crashPage_ = false;
    });
    connect(this, &QWebEnginePage::windowCloseRequested, this, [this] {
        if (preparing_) closeWaiting_ = true;
        else emit closeRequested();
    });
    CompatLayer::Attach(this);
}

BrowserPage::~BrowserPage() { BrowserProfile::RemovePage(this); }

void BrowserPage::ShowLocalPage(const QString& html) {
    localHtml_ = html;
    crashPage_ = false;
    setHtml(html);
}

void BrowserPage::Recover() {
    if (!crashPage_) {
        triggerAction(Reload);
        return;
    }
    crashPage_ = false;
    if (crashedLocal_)
        setHtml(localHtml_);
    else
        load(crashedUrl_);
}

// Only a page the program itself put up may drive the program: a page from
// the network never gets a data: address in the main frame.
bool BrowserPage::ShowingOwnContent() const { return url().scheme() == QStringLiteral("data"); }

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (url.scheme() == kOwnScheme) {
        if (isMainFrame && ShowingOwnContent()) {
            // Run outside the navigation callback: the command may open a modal window.
            const QString action = url.path();
            QTimer::singleShot(0, this, [this, action] {
                if (action == kReloadAction)
                    Recover();
                else
                    emit commandRequested(action);
            });
        }
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

// target=_blank links, window.open and the like open a plain browser window
// of the program's that shares this page's profile (and so its login); the
// window of a modeless dialog the page's layer opens is that dialog.
QWebEnginePage* BrowserPage::createWindow(WebWindowType type) {
    QWebEnginePage* page = LegacyDialog::TakeWindow(this);
    QPointer<BrowserWindow> window;
    if (!page) {
        window = new BrowserWindow(profile());
        if (type == WebBrowserBackgroundTab) window->setAttribute(Qt::WA_ShowWithoutActivating);
        page = window->browser()->page();
    }
    auto* adopting = qobject_cast<BrowserPage*>(page);
    if (adopting) CompatLayer::Adopting(adopting);
    // Once the engine has given the window's contents to the page: after this returns.
    QTimer::singleShot(0, page, [adopting, page, window] {
        if (adopting) adopting->PrepareToDraw(window);
        else if (window) window->show();
    });
    return page;
}

// The engine (Qt WebEngine 6.4) gives a window that a page opened without an
// address, and writes into, no preferences of its own; the first text drawn in
// it then ends the program. Preparing to print makes them (the PDF is thrown
// away), so that is done before the window is shown; a close the page's script
// asks for meanwhile waits for it, as the engine would stop at printing what is gone.
void BrowserPage::PrepareToDraw(QWidget* window) {
    preparing_ = true;
    printToPdf([this, alive = std::weak_ptr<char>(alive_)](const QByteArray&) {
        if (alive.expired()) return;  // called as the page goes
        preparing_ = false;
        emit prepared();
        if (closeWaiting_) emit closeRequested();
    });
    if (window) window->show();
}

void BrowserPage::javaScriptAlert(const QUrl&, const QString& msg) { pagebox::Alert(DialogParent(), msg); }

bool BrowserPage::javaScriptConfirm(const QUrl&, const QString& msg) { return pagebox::Confirm(DialogParent(), msg); }

bool BrowserPage::javaScriptPrompt(const QUrl&, const QString& msg, const QString& defaultValue, QString* result) {
    const std::optional<QString> answer = pagebox::Prompt(DialogParent(), msg, defaultValue);
    if (answer && result) *result = *answer;
    return answer.has_value();
}

void BrowserPage::OnAuthenticationRequired(const QUrl& url, QAuthenticator* authenticator) {
    logins_.Answer(DialogParent(), url, authenticator);
}

void BrowserPage::OnProxyAuthenticationRequired(const QUrl&, QAuthenticator* authenticator, const QString& proxyHost) {
    QUrl proxy;
    proxy.setHost(proxyHost);
    logins_.AnswerProxy(DialogParent(), proxy, authenticator);
}

void BrowserPage::OnCertificateError(const QWebEngineCertificateError& error) {
    if (!error.isOverridable()) return;  // left unanswered it is refused
    // Ask after the signal returns, as WebEngine expects of a deferred error.
    QWebEngineCertificateError deferred = error;
    deferred.defer();
    QTimer::singleShot(0, this, [this, deferred]() mutable {
        const QString text = QStringLiteral("此网站的安全证书有问题：%1\n\n网址：%2\n\n"
                                            "继续访问时，您输入的信息可能会被他人截取。是否继续？")
                                 .arg(CertificateProblem(deferred), deferred.url().toDisplayString());
        if (prompts::AskYesNo(DialogParent(), text, QStringLiteral("安全警告"), false))
            deferred.acceptCertificate();
        else
            deferred.rejectCertificate();
    });
}

void BrowserPage::OnRenderProcessTerminated(RenderProcessTerminationStatus status, int) {
    if (status == NormalTerminationStatus) return;
    if (!crashPage_) {
        crashedLocal_ = ShowingOwnContent();
        crashedUrl_ = url();
    }
    crashPage_ = true;
    const QString html = CrashPageHtml(crashedUrl_, status);
    QTimer::singleShot(0, this, [this, html] {
        if (crashPage_) setHtml(html);
    });
}

QWidget* BrowserPage::DialogParent() const {
    QWebEngineView* view = QWebEngineView::forPage(this);
    return view ? view->window() : nullptr;
}

}  // namespace lumaro
