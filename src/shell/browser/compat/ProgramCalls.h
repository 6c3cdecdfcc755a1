#pragma once

#include <QHash>
#include <QWebEngineUrlSchemeHandler>

#include "shell/browser/compat/DialogRelay.h"

namespace lumaro {

class BrowserPage;

// lumaro-ie://program/<call>?page=<id>&token=<secret>&...: what a page of the
// layer asks of the program (dialogs and what they share with their callers,
// printing, the clipboard, notices, its own markup). The page waits (a
// synchronous request) until the answer comes.
// Only the layer's script in a document of the layer's origins holds the
// page's secret; every other request is refused.
class ProgramCalls : public QWebEngineUrlSchemeHandler {
public:
    static constexpr char kScheme[] = "lumaro-ie";

    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override;
    // Answers a call with text; nothing for a call gone meanwhile.
    static void Reply(QWebEngineUrlRequestJob* job, const QString& text);

private:
    void Clipboard(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QString& op,
                   const QString& text);
    // The user's answer to "may this page read the clipboard", per page and
    // per origin of its documents, until the page shows another document.
    QHash<BrowserPage*, QHash<QString, bool>> clipboardAnswers_;
    DialogRelay dialogs_;
};

}  // namespace lumaro
