#include "shell/browser/PageMessageBox.h"

#include <algorithm>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/WindowKit.h"

namespace lumaro::pagebox {
namespace {

enum class Kind { Alert, Confirm, Prompt };

class PageMessageBox : public QDialog {
public:
    PageMessageBox(QWidget* parent, Kind kind, const QString& text, const QString& proposal)
        // A fixed size and only a close box, like the old control's boxes.
        : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
        setWindowTitle(QStringLiteral("来自网页的消息"));
        const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);

        auto* lblText = new QLabel(text);
        lblText->setObjectName(QStringLiteral("lblText"));
        lblText->setTextFormat(Qt::PlainText);
        lblText->setWordWrap(true);
        lblText->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Lines as long as a reader takes in, and as many as leave the box on the screen.
        const int natural = lblText->fontMetrics().boundingRect(QRect(0, 0, 100000, 100000), 0, text).width() + 4;
        const int width = std::min(natural, std::max(ui::TwipsX(4500), room.width() / 2));
        lblText->setFixedWidth(width);
        const int height = lblText->heightForWidth(width);
        auto* scroll = new QScrollArea;
        scroll->setObjectName(QStringLiteral("scrText"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidget(lblText);
        const int most = room.height() * 3 / 5;
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        scroll->setFixedSize(width + (height > most ? bar : 0), std::min(height, most));

        auto* row = new QHBoxLayout;
        if (kind != Kind::Prompt) {
            auto* picIcon = new QLabel;
            picIcon->setObjectName(QStringLiteral("picIcon"));
            const QStyle::StandardPixmap icon =
                kind == Kind::Alert ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxQuestion;
            const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
            picIcon->setPixmap(style()->standardIcon(icon).pixmap(size, size));
            picIcon->setAlignment(Qt::AlignTop);
            row->addWidget(picIcon);
        }
        row->addWidget(scroll, 1);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(row);
        if (kind == Kind::Prompt) {
            txtAnswer_ = new QLineEdit(proposal);
            txtAnswer_->setObjectName(QStringLiteral("txtAnswer"));
            txtAnswer_->selectAll();
            layout->addWidget(txtAnswer_);
        }
        auto* buttons = new QDialogButtonBox;
        QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("cmdOK"));
        ok->setDefault(true);
        if (kind != Kind::Alert) {
            QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
            cancel->setObjectName(QStringLiteral("cmdCancel"));
        }
        buttons->setCenterButtons(kind != Kind::Prompt);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        if (txtAnswer_) txtAnswer_->setFocus(); else ok->setFocus();

        // On the screen, over the window that asks.
        adjustSize();
        const QWidget* over = parent ? parent->window() : nullptr;
        QRect place(QPoint(), size());
        place.moveCenter(over && over->isVisible() ? over->frameGeometry().center() : room.center());
        place.moveTop(std::clamp(place.top(), room.top(), std::max(room.top(), room.bottom() - place.height())));
        place.moveLeft(std::clamp(place.left(), room.left(), std::max(room.left(), room.right() - place.width())));
        move(place.topLeft());
    }

    QString answer() const { return txtAnswer_ ? txtAnswer_->text() : QString(); }

private:
    QLineEdit* txtAnswer_ = nullptr;
};

}  // namespace

void Alert(QWidget* parent, const QString& text) {
    if (ui::Recorded(text, QStringLiteral("来自网页的消息"), ui::MsgIcon::Information)) return;
    PageMessageBox(parent, Kind::Alert, text, {}).exec();
}

bool Confirm(QWidget* parent, const QString& text) {
    return PageMessageBox(parent, Kind::Confirm, text, {}).exec() == QDialog::Accepted;
}

std::optional<QString> Prompt(QWidget* parent, const QString& text, const QString& proposal) {
    PageMessageBox box(parent, Kind::Prompt, text, proposal);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.answer();
}

}  // namespace lumaro::pagebox
