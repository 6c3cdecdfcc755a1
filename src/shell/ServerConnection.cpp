#include "shell/ServerConnection.h"

#include "config/mdlINI.h"
#include "shell/ServerAddress.h"
#include "shell/WebBrowser.h"
#include "shell/WindowKit.h"

namespace lumaro {

ServerConnection::ServerConnection(QWidget* window) : window_(window) {}

void ServerConnection::SetLookupTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

// Minimal connection to the stored fixed address until the lookup is built.
void ServerConnection::Connect(WebBrowser& browser) {
    const std::string ip = ReadIniString(ConfigFilePath, "ServerINFO", "ServerIP");
    const std::string root = ReadIniString(ConfigFilePath, "ServerINFO", "WebRoot");
    const std::string db = ReadIniString(ConfigFilePath, "ServerINFO", "DBName");
    WebURL = ui::Q(ComposeWebUrl(ip, root, db));
    browser.Navigate(WebURL);
}

}  // namespace lumaro
