#pragma once

class QLineEdit;
class QLabel;
class QString;

// A box that refuses what it holds says so where the user looks: its frame
// turns red, the reason is its tooltip, and while it has the focus a note
// under it gives the reason. The text stays as typed, for the user to mend.
namespace lumaro::ui {

// Shows `why` at `box`; an empty `why` takes the refusal away.
void SetBoxRefusal(QLineEdit* box, const QString& why);
// The note under `box` (named after it: "txtDKJEHint"), nullptr before the first refusal.
QLabel* BoxRefusalNote(const QLineEdit* box);

}  // namespace lumaro::ui
