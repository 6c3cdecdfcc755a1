#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <QPageLayout>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWebEngineView>

class QPrinter;
class QWebEngineProfile;

namespace lumaro {

class BrowserPage;
class LoadProgressLine;

// The embedded browser WB of the main window: the web application runs in it.
class WebBrowser : public QWebEngineView {
    Q_OBJECT
public:
    // A browser on the program's profile.
    explicit WebBrowser(QWidget* parent = nullptr);
    // A browser on a given profile (the windows pages open share their opener's).
    WebBrowser(QWebEngineProfile* profile, QWidget* parent);
    ~WebBrowser() override;

    // The program's own persistent profile (cookies and logins survive a
    // restart), created on first use under `storageFolder` or, when that is
    // empty, under the user's application data folder. Call SetProfileFolder
    // before the first browser is created to move it (tests do).
    static QWebEngineProfile* ProgramProfile();
    static void SetProfileFolder(const QString& storageFolder);
    // Closes the program's browser windows and deletes every page of the
    // profile, then the profile. Runs by itself when the application ends;
    // tests call it to start over on the same folder.
    static void ReleaseProfile();

    // Opens an address as an address bar would: one without a scheme gets
    // http://. One that cannot be opened shows a page of the program's that says so.
    void Navigate(const QString& address);
    // The URL Navigate opens for an address; an invalid one when it cannot be
    // opened: it does not parse (a port typo, a blank in the host), it is a web
    // address without a host, or it is a script or data rather than an address.
    static QUrl AddressUrl(const QString& address);
    // History and loading. GoBack/GoForward throw a Fault with a negative
    // number when there is nowhere to go.
    void GoBack();
    void GoForward();
    // Reloads the page; after a crashed page process, the page that crashed.
    void Refresh();
    void Stop();
    // The system print dialog for the page shown, then printing it. Printing
    // to a PDF file keeps the page's text as text.
    void PrintPage();
    // The page in a print preview, printed from there; the page setup dialog,
    // whose paper, orientation and margins the next prints take.
    void PreviewPage();
    void PageSetup();
    // Prints the page shown to a PDF file; printFinished(ok) follows.
    void PrintToPdf(const QString& path);
    bool IsPrinting() const { return printer_ != nullptr; }
    // A page of the program's own (error pages). Its links "lumaro:<tool>"
    // raise commandRequested(tool), e.g. "lumaro:mConnect" retries the connection.
    void ShowLocalPage(const QString& html);

    BrowserPage* browserPage() const;
    LoadProgressLine* progressLine() const { return progress_; }

signals:
    void commandRequested(const QString& toolName);

private:
    // True when `retry` is put off until a window just opened can be printed.
    bool PutOffUntilPrintable(const std::function<void()>& retry);
    void Print(std::unique_ptr<QPrinter> printer);
    void OnPrintDone(bool ok);

    QPointer<BrowserPage> page_;  // gone early when the profile is released first
    LoadProgressLine* progress_;
    std::unique_ptr<QPrinter> printer_;  // alive until the page is printed
    std::optional<QPageLayout> pageLayout_;  // from the page setup dialog
};

}  // namespace lumaro
