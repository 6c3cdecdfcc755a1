#pragma once

#include <chrono>
#include <cstdint>
#include <QString>

class QWidget;

namespace lumaro {

class WebBrowser;

// Points the main window's browser at the agency's web application: reads
// ServerINFO, asks for the server when none is stored, looks a changing
// address up through the lookup service, composes the URL and navigates.
class ServerConnection {
public:
    explicit ServerConnection(QWidget* window);

    // One connection; never reports a failure to the caller.
    void Connect(WebBrowser& browser);

    // The lookup's time-out (10 s unless changed; tests shorten it).
    void SetLookupTimeout(std::chrono::milliseconds timeout);

    // The values a connection keeps, as the last one left them.
    QString ServerIP;
    int16_t DynasetIP = 0;
    QString ServerID;
    QString WebRoot;
    QString WebURL;

private:
    QWidget* window_;
    std::chrono::milliseconds timeout_{10000};
};

}  // namespace lumaro
