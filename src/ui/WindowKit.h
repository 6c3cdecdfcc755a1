#pragma once

#include <functional>
#include <QIcon>
#include <QRect>
#include <QString>

class QDialog;
class QMessageBox;
class QWidget;

// What every window of the program shares: the twips of the original layout
// converted to pixels, the program's icon, message boxes and ending the program.
namespace lumaro::ui {

// Application-wide settings every run and every window test makes: names,
// the program icon, and the fonts of the original layout ("宋体") mapped to an
// installed CJK font where they are missing.
void InitApplication();

// Twips (1/1440 inch) to pixels through the primary screen's logical DPI.
int TwipsX(double twips);
int TwipsY(double twips);
QRect TwipsRect(double left, double top, double width, double height);

// The frame of the program's fixed dialogs: a title bar with only the close
// box, a client area of the given twips that cannot be resized, the 宋体 9 pt
// font, centred on the owner's screen (the primary one without an owner).
void MakeFixedDialog(QDialog* dialog, double widthTwips, double heightTwips);
// The same frame for a dialog that may be made larger than designed, never
// smaller, with a maximize box.
void MakeResizableDialog(QDialog* dialog, double widthTwips, double heightTwips);

// The program's icon, taken by every window.
QIcon AppIcon();
// The icon of the window that owns `dialog` (the main window), which the
// program's dialogs take as their own; the program's icon without an owner.
QIcon OwnerIcon(const QWidget* dialog);

// UTF-8 <-> QString for the core's texts.
inline QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string S(const QString& text) { return text.toStdString(); }

enum class MsgIcon { None, Information, Warning };

// Widens a message box whose text is shorter than its title, so the window
// manager does not cut the title off ("来… 息" for a one-word alert).
void FitTitle(QMessageBox* box);

// A modal message box with an OK button. Tests replace the box by a sink that
// records the message instead of blocking.
void MsgBox(QWidget* parent, const QString& text, const QString& title, MsgIcon icon = MsgIcon::None);
using MessageSink = std::function<void(const QString& text, const QString& title, MsgIcon icon)>;
void SetMessageSink(MessageSink sink);  // an empty sink restores real boxes
// A message of another kind of box given to the sink, if tests set one; false when the box is to be shown.
bool Recorded(const QString& text, const QString& title, MsgIcon icon);

// Ends the program at once: no further handler runs and nothing is saved.
// Tests replace it to observe the end.
void EndProgram();
void SetEndProgramHook(std::function<void()> hook);  // an empty hook restores the real end

}  // namespace lumaro::ui
