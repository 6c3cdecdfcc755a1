#pragma once

#include <functional>
#include <optional>
#include <QString>
#include <QStringList>
#include <QUrl>

class QPrinter;
class QWidget;

// The questions the browser puts to the user: where to save a download, user
// name and password for a protected page, whether to go on despite a bad
// certificate, the print dialog, VBScript's message and input boxes. Most are replaceable
// functions so that tests answer them without a window; an empty function
// restores the real dialog.
namespace lumaro::prompts {

// Full path to save a download to, or nullopt when the user cancels.
// `proposedPath` is the download folder + the name the server suggests.
using SavePathChooser = std::function<std::optional<QString>(QWidget* parent, const QString& proposedPath)>;

struct Credentials {
    QString user;
    QString password;
    bool remember = false;  // 记住密码 ticked
};
// What a log-in box is asked: where, with the server's realm, and how it was answered before.
struct LoginRequest {
    QUrl url;
    QString realm;
    bool lastRefused = false;   // the server refused the last answer: say so
    QString user;               // proposed
    bool offerRemember = true;  // 记住密码 offered (not for a proxy)
    bool canRemember = true;    // a keyring is there to keep it in
    bool remember = false;      // 记住密码 ticked at first
};
// User name and password, or nullopt when the user cancels.
using CredentialsProvider = std::function<std::optional<Credentials>(QWidget* parent, const LoginRequest& request)>;

// A yes/no question; `defaultYes` chooses the button Enter presses.
using YesNoQuestion =
    std::function<bool(QWidget* parent, const QString& text, const QString& title, bool defaultYes)>;

// Lets the user choose and set up a printer; false when cancelled.
using PrintDialog = std::function<bool(QWidget* parent, QPrinter& printer)>;

// A message box with the buttons named, in the order shown: which one the
// user chose (its index). Esc and the close box choose `escapeButton`; with
// -1 there is none and only a button closes the box.
struct Choice {
    enum class Icon { None, Critical, Question, Warning, Information };
    QString text, title;
    QStringList buttons;
    int defaultButton = 0;
    int escapeButton = -1;
    Icon icon = Icon::None;
};
using ChoiceQuestion = std::function<int(QWidget* parent, const Choice& choice)>;
// A line of text asked for; nullopt when the user cancels.
using TextQuestion = std::function<std::optional<QString>(QWidget* parent, const QString& question,
                                                          const QString& proposal, const QString& title)>;

void SetSavePathChooser(SavePathChooser chooser);
void SetCredentialsProvider(CredentialsProvider provider);
void SetYesNoQuestion(YesNoQuestion question);
void SetPrintDialog(PrintDialog dialog);
// The print preview (true when printed from it) and the page setup (true when
// accepted) take the same form of replacement.
void SetPreviewDialog(PrintDialog dialog);
void SetPageSetupDialog(PrintDialog dialog);
void SetChoiceQuestion(ChoiceQuestion question);
void SetTextQuestion(TextQuestion question);

std::optional<QString> ChooseSavePath(QWidget* parent, const QString& proposedPath);
std::optional<Credentials> AskCredentials(QWidget* parent, const LoginRequest& request);
bool AskYesNo(QWidget* parent, const QString& text, const QString& title, bool defaultYes);
int AskChoice(QWidget* parent, const Choice& choice);
// VBScript's InputBox: a line of text in answer to `question`, `proposal` given
// and selected (typing replaces it); nullopt when the user cancels. 确定 and 取消, Enter and Esc.
std::optional<QString> AskText(QWidget* parent, const QString& question, const QString& proposal, const QString& title);
bool ChoosePrinter(QWidget* parent, QPrinter& printer);
// `paint` draws the pages on the printer the preview gives it.
bool PreviewPrint(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint);
bool SetUpPage(QWidget* parent, QPrinter& printer);

}  // namespace lumaro::prompts
