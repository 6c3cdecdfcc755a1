#include "shell/WebBrowser.h"

#include <QUrl>

#include "config/Failure.h"
#include "shell/ServerAddress.h"

namespace lumaro {

// Minimal browser until the browser concerns are built.
WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent) {}
WebBrowser::~WebBrowser() = default;
QWebEngineProfile* WebBrowser::ProgramProfile() { return nullptr; }
void WebBrowser::SetProfileFolder(const QString&) {}
void WebBrowser::Navigate(const QString& address) {
    load(QUrl(QString::fromStdString(AddressBarUrl(address.toStdString()))));
}
void WebBrowser::GoBack() { back(); }
void WebBrowser::GoForward() { forward(); }
void WebBrowser::Refresh() { reload(); }
void WebBrowser::Stop() { stop(); }
void WebBrowser::PrintPage() {}
void WebBrowser::ShowLocalPage(const QString& html) { setHtml(html); }

}  // namespace lumaro
