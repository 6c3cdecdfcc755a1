#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWebEngineProfile;

namespace lumaro {

class BrowserPage;

// Pages of the agency's server were written for the old embedded Internet
// Explorer: its DOM, events, dialogs, ActiveX objects, identity and the GBK
// encoding of a Chinese Windows desk. The layer gives those pages what they
// expect, and only them: the origin (scheme, host and port) the connection
// opened, the origins named in [Setup] IECompatHosts, and what their pages
// open there. Every other site is shown as a modern browser shows it.
class CompatLayer {
public:
    // The scheme pages of the layer use to call the program; registered before
    // the application object exists.
    static void RegisterScheme();

    // Reads [Setup] IECompat ("False" switches the layer off) and IECompatHosts
    // (entries separated by commas, see origins::FromEntry) from the settings
    // file. Called once, before the browser engine starts: the encoding fix is
    // routed then.
    static void Start();
    // Switches the layer on or off for the pages opened from now on, with the
    // given IECompatHosts entries (tests, and Start from the settings).
    static void Configure(bool on, const QStringList& extraEntries);
    // The address the connection opened: its origin is the agency's server.
    static void SetServer(const QUrl& address);

    static bool IsOn();
    static bool AppliesTo(const QUrl& url);
    static bool AppliesToOrigin(const QString& origin);

    // The page of the program's browser behind a call of the layer's script:
    // its id and the secret only that page's script was given. Null for a
    // call that did not come from there (another site, a redirect, a guess).
    static BrowserPage* CallingPage(int pageId, const QString& token);

    // Each page of the program's browser joins the layer when it is created:
    // its scripts, the program's side of its calls, its user agent. A dialog's
    // page also gets its id and what it has of its caller (LegacyDialog.h).
    static void Attach(BrowserPage* page);
    static void AttachDialog(BrowserPage* page, int dialogId, const QJsonObject& link);
    static void InstallInProfile(QWebEngineProfile* profile);
};

}  // namespace lumaro
