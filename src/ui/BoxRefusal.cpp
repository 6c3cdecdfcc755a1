#include "ui/BoxRefusal.h"

#include <algorithm>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QString>

namespace lumaro::ui {
namespace {

const char* const kRefusal = "lumaroRefusal";

QString NoteName(const QLineEdit* box) { return box->objectName() + QStringLiteral("Hint"); }

// The note under its box, shown while the box is refused and has the focus.
void UpdateNote(QLineEdit* box, QLabel* note) {
    const QString why = box->property(kRefusal).toString();
    if (why.isEmpty() || !box->hasFocus()) {
        note->hide();
        return;
    }
    QWidget* window = note->parentWidget();
    note->setText(why);
    // On one line where it fits; a long reason wraps rather than leave the window.
    const QMargins frame = note->contentsMargins();
    const int padding = 2 * note->margin() + frame.left() + frame.right() + 10;
    note->setFixedWidth(std::min(note->fontMetrics().horizontalAdvance(why) + padding, window->width()));
    note->adjustSize();
    const QPoint below = box->mapTo(window, QPoint(0, box->height() + 1));
    // Inside the window, even for a box at its right edge.
    note->move(std::max(0, std::min(below.x(), window->width() - note->width())), below.y());
    note->show();
    note->raise();
}

class NoteFollower : public QObject {
public:
    NoteFollower(QLineEdit* box, QLabel* note) : QObject(box), box_(box), note_(note) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut || event->type() == QEvent::Move)
            UpdateNote(box_, note_);
        return false;
    }

private:
    QLineEdit* box_;
    QLabel* note_;
};

}  // namespace

void SetBoxRefusal(QLineEdit* box, const QString& why) {
    if (box->property(kRefusal).toString() == why) return;
    box->setProperty(kRefusal, why);
    box->setToolTip(why);
    box->setStyleSheet(why.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 1px solid #d00000; background: #fff0f0; }"));
    QLabel* note = BoxRefusalNote(box);
    if (!note) {
        if (why.isEmpty()) return;
        note = new QLabel(box->window());
        note->setObjectName(NoteName(box));
        note->setWordWrap(true);
        note->setStyleSheet(QStringLiteral("QLabel { background: #ffffe1; color: #a00000; border: 1px solid #d00000;"
                                           " padding: 2px 4px; }"));
        new NoteFollower(box, note);
    }
    UpdateNote(box, note);
}

QLabel* BoxRefusalNote(const QLineEdit* box) {
    return box->window()->findChild<QLabel*>(NoteName(box));
}

}  // namespace lumaro::ui
