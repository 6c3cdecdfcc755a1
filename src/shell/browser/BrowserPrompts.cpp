#include "shell/browser/BrowserPrompts.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/SaveDialog.h"
#include "ui/WindowKit.h"

namespace lumaro::prompts {
namespace {

// The replacement of one kind of question, empty for the real dialog.
enum class Kind { SavePath, Credentials, YesNo, Print, Preview, PageSetup, Choice, Text };
template <Kind kind, class Function>
Function& Seam() {
    static Function replacement;
    return replacement;
}
auto& SaveChooserSeam() { return Seam<Kind::SavePath, SavePathChooser>(); }
auto& CredentialsSeam() { return Seam<Kind::Credentials, CredentialsProvider>(); }
auto& QuestionSeam() { return Seam<Kind::YesNo, YesNoQuestion>(); }
auto& PrintDialogSeam() { return Seam<Kind::Print, PrintDialog>(); }
auto& PreviewSeam() { return Seam<Kind::Preview, PrintDialog>(); }
auto& PageSetupSeam() { return Seam<Kind::PageSetup, PrintDialog>(); }
auto& ChoiceSeam() { return Seam<Kind::Choice, ChoiceQuestion>(); }
auto& TextSeam() { return Seam<Kind::Text, TextQuestion>(); }

// "用户名" / "密码" for a page or proxy that asks for them; 记住密码 keeps them in the desktop's keyring.
class CredentialsDialog : public QDialog {
public:
    CredentialsDialog(QWidget* parent, const LoginRequest& request) : QDialog(parent) {
        setWindowTitle(QStringLiteral("需要登录"));
        setWindowIcon(ui::AppIcon());
        auto* layout = new QVBoxLayout(this);
        const QString host = request.url.host().isEmpty() ? request.url.toDisplayString() : request.url.host();
        auto* lblPrompt = new QLabel(QStringLiteral("服务器 %1 要求输入用户名和密码。").arg(host.toHtmlEscaped()), this);
        lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
        lblPrompt->setWordWrap(true);
        layout->addWidget(lblPrompt);
        if (!request.realm.isEmpty()) {
            auto* lblRealm = new QLabel(QStringLiteral("提示：%1").arg(request.realm.toHtmlEscaped()), this);
            lblRealm->setObjectName(QStringLiteral("lblRealm"));
            lblRealm->setWordWrap(true);
            layout->addWidget(lblRealm);
        }
        if (request.lastRefused) {
            auto* lblRefused = new QLabel(QStringLiteral("服务器拒绝了上次的登录：用户名或密码不正确，请重新输入。"), this);
            lblRefused->setObjectName(QStringLiteral("lblRefused"));
            lblRefused->setWordWrap(true);
            lblRefused->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
            layout->addWidget(lblRefused);
        }
        auto* form = new QFormLayout;
        txtUser_ = new QLineEdit(request.user, this);
        txtUser_->setObjectName(QStringLiteral("txtUser"));
        txtPassword_ = new QLineEdit(this);
        txtPassword_->setObjectName(QStringLiteral("txtPassword"));
        txtPassword_->setEchoMode(QLineEdit::Password);
        form->addRow(QStringLiteral("用户名："), txtUser_);
        form->addRow(QStringLiteral("密码："), txtPassword_);
        layout->addLayout(form);
        chkRemember_ = new QCheckBox(QStringLiteral("记住密码(&R)"), this);
        chkRemember_->setObjectName(QStringLiteral("chkRemember"));
        chkRemember_->setChecked(request.remember && request.canRemember);
        chkRemember_->setEnabled(request.canRemember);
        if (!request.canRemember) chkRemember_->setToolTip(QStringLiteral("这台电脑的桌面没有可用的密钥环，无法记住密码。"));
        chkRemember_->setVisible(request.offerRemember);
        layout->addWidget(chkRemember_);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
        setMinimumWidth(ui::TwipsX(5000));
        // A known user name: the password is what is left to type.
        (request.user.isEmpty() ? txtUser_ : txtPassword_)->setFocus();
    }

    Credentials credentials() const {
        return {txtUser_->text(), txtPassword_->text(), !chkRemember_->isHidden() && chkRemember_->isChecked()};
    }

private:
    QLineEdit* txtUser_;
    QLineEdit* txtPassword_;
    QCheckBox* chkRemember_;
};

}  // namespace

void SetSavePathChooser(SavePathChooser chooser) { SaveChooserSeam() = std::move(chooser); }
void SetCredentialsProvider(CredentialsProvider provider) { CredentialsSeam() = std::move(provider); }
void SetYesNoQuestion(YesNoQuestion question) { QuestionSeam() = std::move(question); }
void SetPrintDialog(PrintDialog dialog) { PrintDialogSeam() = std::move(dialog); }
void SetPreviewDialog(PrintDialog dialog) { PreviewSeam() = std::move(dialog); }
void SetPageSetupDialog(PrintDialog dialog) { PageSetupSeam() = std::move(dialog); }
void SetChoiceQuestion(ChoiceQuestion question) { ChoiceSeam() = std::move(question); }
void SetTextQuestion(TextQuestion question) { TextSeam() = std::move(question); }

std::optional<QString> ChooseSavePath(QWidget* parent, const QString& proposedPath) {
    if (SaveChooserSeam()) return SaveChooserSeam()(parent, proposedPath);
    const QString path = ui::AskSavePath(parent, QStringLiteral("保存文件"), proposedPath);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<Credentials> AskCredentials(QWidget* parent, const LoginRequest& request) {
    if (CredentialsSeam()) return CredentialsSeam()(parent, request);
    CredentialsDialog dialog(parent, request);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.credentials();
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& title, bool defaultYes) {
    if (QuestionSeam()) return QuestionSeam()(parent, text, title, defaultYes);
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(defaultYes ? yes : no);
    box.setEscapeButton(no);
    ui::FitTitle(&box);
    box.exec();
    return box.clickedButton() == yes;
}

int AskChoice(QWidget* parent, const Choice& choice) {
    if (ChoiceSeam()) return ChoiceSeam()(parent, choice);
    QMessageBox box(parent);
    box.setWindowTitle(choice.title);
    box.setText(choice.text);
    switch (choice.icon) {
        case Choice::Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        case Choice::Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Choice::Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Choice::Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Choice::Icon::None: break;
    }
    // One role for all keeps the buttons in the order given.
    QList<QPushButton*> buttons;
    for (const QString& text : choice.buttons) buttons << box.addButton(text, QMessageBox::ActionRole);
    if (buttons.isEmpty()) buttons << box.addButton(QStringLiteral("确定"), QMessageBox::ActionRole);
    box.setDefaultButton(buttons.value(choice.defaultButton, buttons.first()));
    // Without an escape button the box closes only through a button, as the old boxes did.
    if (choice.escapeButton >= 0 && choice.escapeButton < buttons.size()) box.setEscapeButton(buttons[choice.escapeButton]);
    ui::FitTitle(&box);
    box.exec();
    const int chosen = int(buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    if (chosen >= 0) return chosen;
    return choice.escapeButton >= 0 ? choice.escapeButton : choice.defaultButton;
}

std::optional<QString> AskText(QWidget* parent, const QString& question, const QString& proposal, const QString& title) {
    if (TextSeam()) return TextSeam()(parent, question, proposal, title);
    // A box like the page's alert() and confirm() ones: a fixed size, only a close box.
    QInputDialog box(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setWindowTitle(title);
    box.setLabelText(question);
    box.setTextValue(proposal);
    box.setOkButtonText(QStringLiteral("确定"));
    box.setCancelButtonText(QStringLiteral("取消"));
    box.setFixedSize(box.sizeHint());
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue();
}

bool ChoosePrinter(QWidget* parent, QPrinter& printer) {
    if (PrintDialogSeam()) return PrintDialogSeam()(parent, printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印"));
    return dialog.exec() == QDialog::Accepted;
}

bool PreviewPrint(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
    if (PreviewSeam()) return PreviewSeam()(parent, printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    return preview.exec() == QDialog::Accepted;
}

bool SetUpPage(QWidget* parent, QPrinter& printer) {
    if (PageSetupSeam()) return PageSetupSeam()(parent, printer);
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("页面设置"));
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace lumaro::prompts
