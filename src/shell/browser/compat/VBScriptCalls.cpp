#include "shell/browser/compat/VBScriptCalls.h"

#include <QFile>
#include <QStringList>

#include "shell/browser/BrowserPrompts.h"

namespace lumaro::vbscript {
namespace {

// In the order they build on each other; each adds to the namespace VB.
const char* const kFiles[] = {
    "values", "convert", "dates", "operators", "arrays", "lexer", "parser-expressions", "parser-statements",
    "runtime", "compile-expressions", "compile-statements", "objects", "builtins", "builtins-strings",
    "builtins-bytes", "builtins-numbers", "builtins-dates", "builtins-format", "builtins-arrays", "builtins-page",
    "regexp", "xmlhttp", "page"};

// The answers of the buttons vbOKOnly … vbRetryCancel (buttons & 7) show.
struct Buttons {
    QStringList texts;
    QList<int> answers;
    int escape;  // the button Esc presses, -1 for none
};
Buttons ButtonsOf(int kind) {
    const QString ok = QStringLiteral("确定"), cancel = QStringLiteral("取消"), yes = QStringLiteral("是"),
                  no = QStringLiteral("否"), abort = QStringLiteral("中止"), retry = QStringLiteral("重试"),
                  ignore = QStringLiteral("忽略");
    enum { vbOK = 1, vbCancel, vbAbort, vbRetry, vbIgnore, vbYes, vbNo };
    switch (kind) {
        case 1: return {{ok, cancel}, {vbOK, vbCancel}, 1};
        case 2: return {{abort, retry, ignore}, {vbAbort, vbRetry, vbIgnore}, -1};
        case 3: return {{yes, no, cancel}, {vbYes, vbNo, vbCancel}, 2};
        case 4: return {{yes, no}, {vbYes, vbNo}, -1};
        case 5: return {{retry, cancel}, {vbRetry, vbCancel}, 1};
        default: return {{ok}, {vbOK}, 0};
    }
}

}  // namespace

const QString& InterpreterSource() {
    static const QString source = [] {
        QString code = QStringLiteral("'use strict';\nvar VB = {};\n");
        for (const char* name : kFiles) {
            QFile file(QStringLiteral(":/compat/js/vbscript/%1.js").arg(QLatin1String(name)));
            if (file.open(QIODevice::ReadOnly)) code += QString::fromUtf8(file.readAll()) + u'\n';
        }
        return code + QStringLiteral("return VB;\n");
    }();
    return source;
}

int MsgBox(QWidget* parent, const QString& text, int buttons, const QString& title) {
    const Buttons shown = ButtonsOf(buttons & 7);
    prompts::Choice choice;
    choice.text = text;
    choice.title = title;
    choice.buttons = shown.texts;
    choice.escapeButton = shown.escape;
    choice.defaultButton = std::min<int>((buttons >> 8) & 3, int(shown.texts.size()) - 1);
    switch (buttons & 0x70) {
        case 16: choice.icon = prompts::Choice::Icon::Critical; break;
        case 32: choice.icon = prompts::Choice::Icon::Question; break;
        case 48: choice.icon = prompts::Choice::Icon::Warning; break;
        case 64: choice.icon = prompts::Choice::Icon::Information; break;
        default: break;
    }
    const int chosen = prompts::AskChoice(parent, choice);
    return shown.answers.value(chosen, shown.answers.value(choice.defaultButton));
}

std::optional<QString> InputBox(QWidget* parent, const QString& prompt, const QString& title, const QString& proposal) {
    return prompts::AskText(parent, prompt, proposal, title);
}

}  // namespace lumaro::vbscript
