#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>
#include <memory>

#include "shell/browser/HttpLogins.h"

class QAuthenticator;
class QWebEngineCertificateError;

namespace lumaro {

// A page of the program's browser. Besides showing the web application it
// answers what a page may ask of its browser: the program's own pages and
// their "lumaro:<tool>" links, new windows, logins, certificate problems,
// script alerts and prompts (in the program's own Chinese boxes) and a crashed
// page process.
class BrowserPage : public QWebEnginePage {
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile* profile, QObject* parent);
    ~BrowserPage() override;

    // A page of the program's own. Its links "lumaro:<tool>" raise
    // commandRequested(tool); "lumaro:reload" on the crash page reloads.
    void ShowLocalPage(const QString& html);

    // After the page process crashed the page shows an error page instead;
    // Recover loads what was shown before the crash.
    bool ShowingCrashPage() const { return crashPage_; }
    void Recover();

    // A window just opened is made ready to be drawn first (PrepareToDraw);
    // until prepared(), the engine prints nothing else of it.
    bool Preparing() const { return preparing_; }

signals:
    void commandRequested(const QString& toolName);
    // The page's script closed its window (windowCloseRequested), once the page can go.
    void closeRequested();
    // The window's contents can be drawn and printed (PrepareToDraw is done).
    void prepared();

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                          QString* result) override;

private:
    void OnAuthenticationRequired(const QUrl& url, QAuthenticator* authenticator);
    void OnProxyAuthenticationRequired(const QUrl& url, QAuthenticator* authenticator, const QString& proxyHost);
    void OnCertificateError(const QWebEngineCertificateError& error);
    void OnRenderProcessTerminated(RenderProcessTerminationStatus status, int exitCode);
    bool ShowingOwnContent() const;
    QWidget* DialogParent() const;
    void PrepareToDraw(QWidget* window);

    HttpLogins logins_;
    QString localHtml_;    // the last page of the program's own, to show again after a crash
    bool crashPage_ = false;
    QUrl crashedUrl_;
    bool crashedLocal_ = false;
    bool preparing_ = false;     // PrepareToDraw has not finished
    bool closeWaiting_ = false;  // the script closed the window meanwhile
    std::shared_ptr<char> alive_ = std::make_shared<char>();  // gone before the engine's page is
};

}  // namespace lumaro
