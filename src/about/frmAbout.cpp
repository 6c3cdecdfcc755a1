#include "about/frmAbout.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <string>

#include "Version.h"
#include "config/Vendor.h"
#include "config/mdlINI.h"
#include "platform/Platform.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, bool black) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    if (black) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    return label;
}

// A label that sizes itself to its text, anchored at its design position.
void PlaceAutoSized(QLabel* label, int leftTwips, int topTwips) {
    label->move(ui::TwipsX(leftTwips), ui::TwipsY(topTwips));
    label->adjustSize();
}

QWidget* MakeLine(QWidget* parent, const char* name, int x1, int x2, int y, int thickness, const QColor& color) {
    auto* line = new QWidget(parent);
    line->setObjectName(QString::fromUtf8(name));
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    line->setGeometry(ui::TwipsX(x1), ui::TwipsY(y), ui::TwipsX(x2) - ui::TwipsX(x1), thickness);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    return line;
}

}  // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAbout"));
    ui::MakeFixedDialog(this, 5280, 3555);

    // Created in tab order.
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(ui::TwipsRect(4065, 2745, 1140, 495));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    lblDisclaimer = MakeLabel(this, "lblDisclaimer", QStringLiteral("警告：..."), true);
    lblDisclaimer->setGeometry(ui::TwipsRect(255, 2625, 3630, 225));

    lblTitle = MakeLabel(this, "lblTitle", QString(), true);
    lblTitle->setGeometry(ui::TwipsRect(1110, 150, 3885, 285));
    QFont titleFont(QStringLiteral("宋体"));
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = MakeLabel(this, "lblVersion", QString(), false);
    PlaceAutoSized(lblVersion, 1110, 630);

    lblDescription[1] = MakeLabel(this, "lblDescription_1",
                                  QStringLiteral("公司网站：") + QString::fromUtf8(vendor::WebSite), true);
    PlaceAutoSized(lblDescription[1], 1080, 1650);
    lblDescription[2] = MakeLabel(this, "lblDescription_2",
                                  QStringLiteral("联系电话：") + QString::fromUtf8(vendor::Telephone), true);
    PlaceAutoSized(lblDescription[2], 1080, 2190);
    lblDescription[3] = MakeLabel(this, "lblDescription_3",
                                  QStringLiteral("电子信箱：") + QString::fromUtf8(vendor::EMail), true);
    PlaceAutoSized(lblDescription[3], 1080, 1920);

    Label1 = MakeLabel(this, "Label1", QStringLiteral("    "), true);
    Label1->setGeometry(ui::TwipsRect(270, 2910, 3630, 555));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    picIcon = MakeLabel(this, "picIcon", QString(), false);
    picIcon->setGeometry(ui::TwipsRect(300, 240, 555, 555));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblDescription[0] = MakeLabel(this, "lblDescription_0", QString(), true);

    // The etched separator: a grey line with a white one just below, running past
    // the right edge where the window clips them.
    Line1[1] = MakeLine(this, "Line1_1", -60, 5504, 2445, 1, QColor(0x80, 0x80, 0x80));
    Line1[0] = MakeLine(this, "Line1_0", -45, 5504, 2460, 2, Qt::white);

    for (QLabel* label : lblDescription) label->installEventFilter(this);

    Form_Load();
    cmdOK->setFocus();
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load() {
    lblDescription[0]->setText(QStringLiteral("版权所有：") + QString::fromUtf8(vendor::Company));
    PlaceAutoSized(lblDescription[0], 1080, 1110);
    lblDescription[1]->setCursor(Qt::PointingHandCursor);
    lblDescription[3]->setCursor(Qt::PointingHandCursor);
    setWindowIcon(ui::OwnerIcon(this));
    picIcon->setPixmap(windowIcon().pixmap(32, 32));
    lblVersion->setText(QStringLiteral("版本 %1.%2.%3").arg(version::Major).arg(version::Minor).arg(version::Revision));
    lblVersion->adjustSize();
    const QString program = ui::Q(GetExecutableBaseName());
    setWindowTitle(QStringLiteral("关于 ") + program);
    lblTitle->setText(program);
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::lblDescription_Click(int Index) {
    if (Index == 1) {
        platform::CurrentLauncher().Open(vendor::WebSite, platform::Show::Normal);
    } else if (Index == 3) {
        // The subject is percent-encoded (UTF-8) so its Chinese survives whatever
        // code page the mail client assumes.
        const std::string address = std::string("mailto:") + vendor::EMail + "?subject=" +
                                    QUrl::toPercentEncoding(QString::fromUtf8(vendor::EMailSubject)).toStdString();
        if (!platform::CurrentLauncher().Open(address, platform::Show::Normal))
            ui::MsgBox(this, QStringLiteral("您的OutLook没有配置好"), QStringLiteral("不能发送电子邮件"));
    }
}

// 确定 is the cancel button as well: Esc presses it.
void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (int i = 0; i < static_cast<int>(lblDescription.size()); ++i) {
            if (watched == lblDescription[i] && mouse->button() == Qt::LeftButton &&
                lblDescription[i]->rect().contains(mouse->position().toPoint())) {
                lblDescription_Click(i);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumaro
