#pragma once

#include <QString>
#include <QWebEngineView>

class QWebEngineProfile;

namespace lumaro {

// The embedded browser WB of the main window: the web application runs in it.
class WebBrowser : public QWebEngineView {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    // The program's own persistent profile (cookies and logins survive a
    // restart), created on first use under `storageFolder` or, when that is
    // empty, under the user's application data folder. Call SetProfileFolder
    // before the first browser is created to move it (tests do).
    static QWebEngineProfile* ProgramProfile();
    static void SetProfileFolder(const QString& storageFolder);

    // Opens an address as an address bar would: one without a scheme gets http://.
    void Navigate(const QString& address);
    // History and loading. GoBack/GoForward throw a Fault with a negative
    // number when there is nowhere to go.
    void GoBack();
    void GoForward();
    void Refresh();
    void Stop();
    // The system print dialog for the page shown.
    void PrintPage();
    // A page of the program's own (error pages). Its links "lumaro:<tool>"
    // raise commandRequested(tool), e.g. "lumaro:mConnect" retries the connection.
    void ShowLocalPage(const QString& html);

signals:
    void commandRequested(const QString& toolName);
};

}  // namespace lumaro
