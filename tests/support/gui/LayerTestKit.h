#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

class QWebEngineView;

namespace lumaro {
class LegacyDialog;
class WebBrowser;
}

namespace lumaro::test {

// The layer for old pages switched on (for the given IECompatHosts entries,
// e.g. "127.0.0.1:8080") or off, and the program's side of it as the user
// would see it: the print, preview and page setup dialogs, the clipboard
// question and the message boxes of VBScript are recorded instead of shown;
// the question gets `clipboardAnswer`, a message box the button named `answer`
// (its default button when it has none of that name).
class LayerProgram {
public:
    static void Install(bool on, const QStringList& entries, bool clipboardAnswer = true, const QString& answer = {});
    // What the pages asked since: "print:print", "print:preview", "print:setup",
    // "clipboardAllowed", "msgbox:<title>:<text>:<buttons>:<default button>:<icon>",
    // and "notice:<feature>" for a notice shown over `view`.
    static QStringList Calls(WebBrowser& view);
};

// A script's value in the view's page, once it has run.
QVariant Js(QWebEngineView& view, const QString& script);
// Opens `url` and waits until it has loaded and, when `painted`, until it
// takes a user's input (once it has painted).
bool OpenPage(WebBrowser& view, const QUrl& url, bool painted);
// Waits until the view's page has loaded and painted.
bool WaitPainted(QWebEngineView& view);
// The dialogs of the old pages shown now.
int OpenLegacyDialogs();
// The dialog a page opened, once shown; null when none is. `painted`: once
// its page has loaded and takes the user's clicks.
LegacyDialog* ShownDialog(bool painted);

}  // namespace lumaro::test
