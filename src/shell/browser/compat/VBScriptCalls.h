#pragma once

#include <QString>
#include <optional>

class QWidget;

// What the VBScript of the agency's pages asks of the program: the interpreter
// (sent to a page only once it has VBScript to run), and MsgBox and InputBox,
// which the old control showed as the desk's own Chinese boxes.
namespace lumaro::vbscript {

// The interpreter's code: the body of a function that answers its namespace.
const QString& InterpreterSource();

// MsgBox text, buttons, title: the box the vb constants in `buttons` describe
// (vbYesNo + vbQuestion + vbDefaultButton2 …); the answer's constant (vbYes …).
int MsgBox(QWidget* parent, const QString& text, int buttons, const QString& title);

// InputBox prompt, title, default: the text typed, or nullopt when cancelled.
std::optional<QString> InputBox(QWidget* parent, const QString& prompt, const QString& title, const QString& proposal);

}  // namespace lumaro::vbscript
