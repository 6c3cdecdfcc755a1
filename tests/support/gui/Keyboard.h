#pragma once

#include <QString>

class QWidget;

namespace lumaro::test {

// How text reaches a box: typed key by key (each key carrying its character, as the system delivers the keys of
// a full-width input mode), pasted with Ctrl+V from the clipboard, or committed by an input method at once.
enum class Entry { Typed, Pasted, Composed };

// Enters `text` into the focused `box` at its cursor in the given way.
void EnterText(QWidget* box, const QString& text, Entry how);

// Shows the window and waits until it is active, so keys reach the focus and the default buttons.
bool ShowActive(QWidget* window);

}  // namespace lumaro::test
