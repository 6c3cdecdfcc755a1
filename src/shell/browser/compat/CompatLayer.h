#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

class QWebEngineProfile;

namespace lumaro {

class BrowserPage;

// Pages of the agency's server were written for the old embedded Internet
// Explorer: its DOM, events, dialogs, ActiveX objects, identity and the GBK
// encoding of a Chinese Windows desk. The layer gives those pages what they
// expect, and only them: the host the connection opened, the hosts added in
// [Setup] IECompatHosts, and what their pages open on those hosts. Every other
// site is shown as a modern browser shows it.
class CompatLayer {
public:
    // The scheme pages of the layer use to call the program; registered before
    // the application object exists.
    static void RegisterScheme();

    // Reads [Setup] IECompat ("False" switches the layer off) and IECompatHosts
    // (hosts separated by commas) from the settings file. Called once, before
    // the browser engine starts: the encoding fix is routed then.
    static void Start();
    // Switches the layer on or off for the pages opened from now on, with the
    // given extra hosts (tests, and Start from the settings).
    static void Configure(bool on, const QStringList& extraHosts);
    // The host of the address the connection opened: the agency's server.
    static void SetServerHost(const QString& host);

    static bool IsOn();
    static bool AppliesTo(const QUrl& url);

    // Each page of the program's browser joins the layer when it is created:
    // its scripts, the program's side of its calls, its user agent. A dialog's
    // page also gets its id and its arguments (JSON, empty for none).
    static void Attach(BrowserPage* page);
    static void AttachDialog(BrowserPage* page, int dialogId, const QString& argumentsJson);
    // A page's main frame is about to show `url`: what the page may do follows it.
    static void BeforeNavigation(BrowserPage* page, const QUrl& url);
    static void InstallInProfile(QWebEngineProfile* profile);
};

}  // namespace lumaro
