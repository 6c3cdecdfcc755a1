#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <QString>

class QNetworkAccessManager;
class QWidget;

namespace lumaro {

class WebBrowser;

// Points the main window's browser at the agency's web application: reads
// ServerINFO, asks for the server when none is stored, looks a changing
// address up through the lookup service, composes the URL and navigates.
class ServerConnection {
public:
    explicit ServerConnection(QWidget* window);
    ~ServerConnection();

    // One connection; never reports a failure to the caller and shows no
    // message box. When no address can be obtained the browser shows a page
    // of the program's own that says why and offers to try again. While the
    // lookup is waited for the window paints but drops the user's clicks and
    // keys; a call made then returns at once, and when the program ends then
    // (its window closed) the connection ends without a word.
    void Connect(WebBrowser& browser);

    // The lookup's time-out: DefaultLookupTimeout unless changed (tests shorten it).
    static constexpr std::chrono::milliseconds DefaultLookupTimeout{10000};
    void SetLookupTimeout(std::chrono::milliseconds timeout);
    std::chrono::milliseconds LookupTimeout() const { return timeout_; }

    // Shows the server dialog modally, owned by the given window, and returns
    // when it has closed. The default runs frmServer; tests replace it to
    // answer the dialog without a user. An empty runner restores the default.
    using DialogRunner = std::function<void(QWidget* owner)>;
    void SetDialogRunner(DialogRunner runner);

    // The values a connection keeps, as the last one left them.
    QString ServerIP;
    int16_t DynasetIP = 0;
    QString ServerID;
    QString WebRoot;
    QString WebURL;

    // The largest reply body read from the lookup service.
    static constexpr qint64 MaxLookupReply = 1024 * 1024;

private:
    struct Lookup;
    Lookup FetchLookup(const QString& url);

    QWidget* window_;
    std::unique_ptr<QNetworkAccessManager> network_;
    std::chrono::milliseconds timeout_ = DefaultLookupTimeout;
    DialogRunner dialogRunner_;
    bool busy_ = false;
};

}  // namespace lumaro
