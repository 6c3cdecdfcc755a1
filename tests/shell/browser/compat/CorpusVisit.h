#pragma once

// A user's visit to a page of the compatibility layer's corpus: the page, the dialogs it opens, the messages it
// shows (gui_test_Corpus.cpp).
#include <QApplication>
#include <QStringList>
#include <optional>

#include "gui/GuiTestKit.h"
#include "gui/LayerTestKit.h"
#include "gui/PageUser.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/LegacyDialog.h"

namespace lumaro::corpus {

using test::PageUser;
using test::WaitUntil;

// One visit of the user to an artefact's page: the page, the dialogs it opens, the messages it shows.
class Visit {
public:
    Visit(WebBrowser& view, const test::MessageRecorder& messages) : page(view), view_(view), messages_(messages) {}

    PageUser page;

    // The dialog the page opened, once it shows its page, and the user at it.
    LegacyDialog* Dialog() {
        LegacyDialog* found = nullptr;
        WaitUntil([&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if ((found = qobject_cast<LegacyDialog*>(widget)) && found->isVisible() &&
                    !found->browser()->page()->isLoading())
                    return true;
            found = nullptr;
            return false;
        }, 10000);
        if (!found) return nullptr;
        // The user clicks in a dialog once it shows its page.
        dialogUser_.emplace(*found->browser());
        dialogUser_->WaitFor(QStringLiteral("performance.getEntriesByName('first-contentful-paint').length"));
        return found;
    }
    PageUser& AtDialog() { return *dialogUser_; }
    // Until the page's dialogs have closed; those still open after a while the user closes with their close box.
    static QString DialogsClosed() {
        const auto open = [] {
            QList<QWidget*> dialogs;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<LegacyDialog*>(widget) && widget->isVisible()) dialogs << widget;
            return dialogs;
        };
        if (WaitUntil([&] { return open().isEmpty(); }, 10000)) return {};
        for (QWidget* dialog : open()) dialog->close();
        WaitUntil([&] { return open().isEmpty(); });
        return QStringLiteral("(the dialog stayed open) ");
    }

    // The text of the last message box the page showed (alert(), or VBScript's MsgBox), once it shows one.
    QString LastMessage() {
        const auto texts = [&] {
            QStringList found;
            for (const auto& message : messages_.messages()) found << message.text;
            for (const QString& call : test::LayerProgram::Calls(view_))
                if (call.startsWith(QLatin1String("msgbox:"))) found << call.section(u':', 2, 2);
            return found;
        };
        WaitUntil([&] { return !texts().isEmpty(); }, 10000);
        return texts().isEmpty() ? QString() : texts().last();
    }
    // What the page asked of the program, once it asks for `call` ("print:preview"; gui/LayerTestKit.h).
    QStringList ProgramCalls(const QString& call) {
        WaitUntil([&] { return test::LayerProgram::Calls(view_).contains(call); }, 10000);
        return test::LayerProgram::Calls(view_);
    }

private:
    WebBrowser& view_;
    const test::MessageRecorder& messages_;
    std::optional<PageUser> dialogUser_;
};

// A script expression giving the first element of `selector` whose text is `text`.
inline QString WithText(const char* selector, const QString& text) {
    return QStringLiteral("Array.prototype.slice.call(document.querySelectorAll('%1')).filter(function (e) {"
                          " return e.innerText.replace(/^\\s+|\\s+$/g, '') == '%2'; })[0]")
        .arg(QLatin1String(selector), text);
}

}  // namespace lumaro::corpus
