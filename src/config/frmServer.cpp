#include "config/frmServer.h"

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/Vendor.h"
#include "config/mdlINI.h"
#include "config/ServerSettings.h"
#include "ui/WindowKit.h"

namespace lumaro {

using ui::Q;
using ui::S;
using ui::TwipsRect;

namespace {

const char* const Section = "ServerINFO";

template <class Control>
Control* Place(QWidget* parent, const char* name, QRect geometry) {
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = Place<QPushButton>(parent, name, geometry);
    button->setText(caption);
    return button;
}

QLineEdit* TextBox(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* box = Place<QLineEdit>(parent, name, geometry);
    box->setText(text);
    return box;
}

QLabel* Caption(QWidget* parent, int index, const QString& caption, QRect geometry) {
    auto* label = Place<QLabel>(parent, "Label1", geometry);
    label->setObjectName(QStringLiteral("Label1_%1").arg(index));
    label->setText(caption);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

}  // namespace

frmServer::frmServer(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("远程Web服务器配置"));
    ui::MakeFixedDialog(this, 4485, 2475);

    // Created in tab order.
    OKButton = Button(this, "OKButton", QStringLiteral("确定"), TwipsRect(600, 1980, 1005, 375));
    CancelButton = Button(this, "CancelButton", QStringLiteral("取消"), TwipsRect(2940, 1980, 1005, 375));
    Label1[0] = Caption(this, 0, QStringLiteral("服务器IP："), TwipsRect(210, 210, 900, 180));
    txtServerIP = TextBox(this, "txtServerIP", QString(), TwipsRect(1080, 150, 3285, 270));
    txtServerIP->setProperty("tag", QString::fromUtf8(vendor::LookupService));
    chkDynasetIP = Place<QCheckBox>(this, "chkDynasetIP", TwipsRect(1980, 510, 2355, 180));
    chkDynasetIP->setText(QStringLiteral("使用动态IP服务器"));
    // The designed box is 180 twips high; a smaller indicator keeps it whole.
    chkDynasetIP->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                                    .arg(std::max(8, chkDynasetIP->height() - 2)));
    Label1[1] = Caption(this, 1, QStringLiteral("服务器ID："), TwipsRect(210, 840, 900, 180));
    txtServerID = TextBox(this, "txtServerID", QStringLiteral("000888"), TwipsRect(1080, 780, 3285, 270));
    Label1[2] = Caption(this, 2, QStringLiteral("Web主目录："), TwipsRect(120, 1200, 990, 180));
    txtWebRoot = TextBox(this, "txtWebRoot", QStringLiteral("/house/"), TwipsRect(1080, 1140, 3285, 270));
    txtDBName = TextBox(this, "txtDBName", QStringLiteral("house"), TwipsRect(1080, 1500, 3285, 270));
    Label1[3] = Caption(this, 3, QStringLiteral("数据库名："), TwipsRect(210, 1560, 900, 180));
    Command1 = Button(this, "Command1", QStringLiteral("默认值"), TwipsRect(1770, 1980, 1005, 375));

    QWidget* const order[] = {OKButton, CancelButton, txtServerIP, chkDynasetIP, txtServerID,
                              txtWebRoot, txtDBName,  Command1};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(chkDynasetIP, &QCheckBox::toggled, this, [this] { chkDynasetIP_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    Form_Load();
}

frmServer::~frmServer() = default;

void frmServer::Form_Load() {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    setWindowIcon(main && !main->windowIcon().isNull() ? main->windowIcon() : ui::AppIcon());

    if (ReadIniString(ConfigFilePath, "Setup", "StatusBar") == "False") Command1->setVisible(false);

    // Only "0" and "1" are ever stored; a hand-edited value counts as the
    // connection counts it: anything that reads as non-zero is dynamic mode.
    const bool dynamic = DynasetValue(ReadIniString(ConfigFilePath, Section, "DynasetIP")) != 0;
    chkDynasetIP->setChecked(dynamic);
    chkDynasetIP_Click();

    if (dynamic) {
        txtServerIP->clear();  // the stored lookup-service URL is not shown
    } else {
        const std::string address = ReadIniString(ConfigFilePath, Section, "ServerIP");
        if (!address.empty()) txtServerIP->setText(Q(address));
    }
    if (const std::string id = ReadIniString(ConfigFilePath, Section, "ServerID"); !id.empty())
        txtServerID->setText(Q(id));
    if (const std::string root = ReadIniString(ConfigFilePath, Section, "WebRoot"); !root.empty())
        txtWebRoot->setText(Q(root));
    if (const std::string db = ReadIniString(ConfigFilePath, Section, "DBName"); !db.empty())
        txtDBName->setText(Q(db));
}

void frmServer::chkDynasetIP_Click() { txtServerIP->setEnabled(!chkDynasetIP->isChecked()); }

void frmServer::Command1_Click() {
    txtServerIP->setText(txtServerIP->property("tag").toString());
    txtServerID->setText(QStringLiteral("000888"));
    txtWebRoot->setText(QStringLiteral("/House/"));
    txtDBName->setText(QStringLiteral("House"));
}

void frmServer::OKButton_Click() {
    const bool dynamic = chkDynasetIP->isChecked();
    WriteIniString(ConfigFilePath, Section, "DynasetIP", dynamic ? "1" : "0");
    WriteIniString(ConfigFilePath, Section, "ServerIP",
                   S(dynamic ? txtServerIP->property("tag").toString() : txtServerIP->text()));
    WriteIniString(ConfigFilePath, Section, "ServerID", S(txtServerID->text()));
    WriteIniString(ConfigFilePath, Section, "WebRoot", S(txtWebRoot->text()));
    WriteIniString(ConfigFilePath, Section, "DBName", S(txtDBName->text()));
    accept();
}

void frmServer::CancelButton_Click() { reject(); }

void frmServer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OKButton->setFocus(Qt::OtherFocusReason);
}

}  // namespace lumaro
