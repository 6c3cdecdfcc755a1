#include "gui/Keyboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>

namespace lumaro::test {

void EnterText(QWidget* box, const QString& text, Entry how) {
    box->setFocus(Qt::OtherFocusReason);
    switch (how) {
    case Entry::Typed:
        for (const QChar c : text) {
            const Qt::Key key = c.unicode() < 0x80 && c.isLetterOrNumber() ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, box, key, QString(c), Qt::NoModifier);
        }
        break;
    case Entry::Pasted:
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
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
    return QTest::qWaitForWindowActive(window);
}

}  // namespace lumaro::test
