#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "ui/WindowKit.h"

class QWindow;

// Texts in test failures as UTF-8, not as arrays of UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) *out << (&text == &texts.front() ? " \"" : ", \"") << text.toStdString() << '"';
    *out << " }";
}

namespace lumaro::test {

// Records the message boxes shown while it lives, instead of showing them.
class MessageRecorder {
public:
    struct Message {
        QString text, title;
        ui::MsgIcon icon;
    };
    MessageRecorder() {
        ui::SetMessageSink([this](const QString& text, const QString& title, ui::MsgIcon icon) {
            messages_.push_back({text, title, icon});
        });
    }
    ~MessageRecorder() { ui::SetMessageSink({}); }
    const std::vector<Message>& messages() const { return messages_; }

private:
    std::vector<Message> messages_;
};

// Counts EndProgram calls while it lives, instead of ending the program.
class EndRecorder {
public:
    EndRecorder() { ui::SetEndProgramHook([this] { ++count_; }); }
    ~EndRecorder() { ui::SetEndProgramHook({}); }
    int count() const { return count_; }

private:
    int count_ = 0;
};

// A key pressed and released as the window system reports it to `window` (shortcuts first, then the focus widget),
// with its text: a letter, Esc, Enter; Ctrl+letter as its control character.
void PressKey(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Every key of `keys` ("Ctrl+F", "Alt+Left"), one after the other.
void PressKeys(QWindow* window, const QString& keys);
// Text typed into the focus widget of `window`, as an input method commits it.
void Type(QWindow* window, const QString& text);
// A click of `button` at `at` in `widget` (its middle by default), through the window system.
void Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
inline void Click(QWidget* widget) { Click(widget, widget->rect().center()); }
// The mouse moved to `at` in `widget` without a button, through the window system: what hovering does.
void MoveMouse(QWidget* widget, QPoint at);

// How text reaches a box: typed key by key (each key carrying its character, as the system delivers the keys of
// a full-width input mode), pasted with Ctrl+V from the clipboard, or committed by an input method at once.
enum class Entry { Typed, Pasted, Composed };
// The way named "typed", "pasted" or "composed" in a table.
Entry EntryNamed(const std::string& name);
// Enters `text` into `box`, which takes the focus, at its cursor in the given way.
void EnterText(QWidget* box, const QString& text, Entry how);

// Shows the window and waits until it is active, so keys reach the focus and the default buttons.
bool ShowActive(QWidget* window);

// Lets the event loop run until `done` is true or `ms` pass; returns done().
bool WaitUntil(const std::function<bool()>& done, int ms = 10000);

}  // namespace lumaro::test
