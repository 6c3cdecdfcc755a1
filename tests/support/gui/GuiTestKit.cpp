#include "gui/GuiTestKit.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <stdexcept>

// Qt's own entries for synthetic input (what QtTest uses): shortcut map, menu mnemonics and focus included.
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                                    const QString& text = QString(), bool autorepeat = false, ushort count = 1);
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers modifiers, int timestamp);

namespace lumaro::test {

namespace {

QString KeyText(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    default: break;
    }
    if (modifiers & Qt::AltModifier) return {};
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    if (modifiers & Qt::ControlModifier) return letter ? QString(QChar(key - Qt::Key_A + 1)) : QString();
    if (letter) return QString(QChar(modifiers & Qt::ShiftModifier ? key : key - Qt::Key_A + 'a'));
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) return QString(QChar(key));
    return {};
}

}  // namespace

void PressKey(QWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    const QString text = KeyText(key, modifiers);
    qt_handleKeyEvent(window, QEvent::KeyPress, key, modifiers, text);
    qt_handleKeyEvent(window, QEvent::KeyRelease, key, modifiers, text);
}

void PressKeys(QWindow* window, const QString& keys) {
    const QKeySequence sequence(keys, QKeySequence::PortableText);
    for (int i = 0; i < sequence.count(); ++i) PressKey(window, sequence[i].key(), sequence[i].keyboardModifiers());
}

void Type(QWindow* window, const QString& text) {
    for (const QChar c : text) {
        const int key = c.isLetterOrNumber() && c.unicode() < 128 ? c.toUpper().unicode() : 0;
        qt_handleKeyEvent(window, QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        qt_handleKeyEvent(window, QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    }
}

void Click(QWidget* widget, QPoint at, Qt::MouseButton button) {
    QWindow* window = widget->window()->windowHandle();
    const QPointF local = widget->mapTo(widget->window(), at);
    const QPointF global = widget->mapToGlobal(at);
    qt_handleMouseEvent(window, local, global, button, button, QEvent::MouseButtonPress, Qt::NoModifier, 0);
    qt_handleMouseEvent(window, local, global, Qt::NoButton, button, QEvent::MouseButtonRelease, Qt::NoModifier, 0);
}

void MoveMouse(QWidget* widget, QPoint at) {
    QWindow* window = widget->window()->windowHandle();
    const QPointF local = widget->mapTo(widget->window(), at);
    qt_handleMouseEvent(window, local, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, QEvent::MouseMove,
                        Qt::NoModifier, 0);
}

Entry EntryNamed(const std::string& name) {
    if (name == "typed") return Entry::Typed;
    if (name == "pasted") return Entry::Pasted;
    if (name == "composed") return Entry::Composed;
    throw std::invalid_argument("no way of entering text named " + name);
}

void EnterText(QWidget* box, const QString& text, Entry how) {
    box->setFocus(Qt::OtherFocusReason);
    QWindow* window = box->window()->windowHandle();
    switch (how) {
    case Entry::Typed: Type(window, text); break;
    case Entry::Pasted:
        QGuiApplication::clipboard()->setText(text);
        PressKeys(window, QStringLiteral("Ctrl+V"));
        break;
    case Entry::Composed: {
        QInputMethodEvent compose;
        compose.setCommitString(text);
        QCoreApplication::sendEvent(box, &compose);
        break;
    }
    }
}

bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return WaitUntil([window] { return QApplication::activeWindow() == window; });
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

}  // namespace lumaro::test
