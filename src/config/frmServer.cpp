#include "config/frmServer.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/Vendor.h"
#include "config/mdlINI.h"
#include "config/ServerSettings.h"
#include "ui/TextBoxes.h"
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

    // Enter in a box or on the check box confirms; on a focused button it presses that button.
    OKButton->setDefault(true);
    // Single lines only; the server ID as the ASCII digits it is read as, whatever the input mode.
    for (QLineEdit* box : {txtServerIP, txtWebRoot, txtDBName}) ui::KeepInBox(box, ui::BoxText::Line);
    ui::KeepInBox(txtServerID, ui::BoxText::AsciiLine);

    connect(chkDynasetIP, &QCheckBox::toggled, this, [this] { chkDynasetIP_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    Form_Load();
}

frmServer::~frmServer() = default;

void frmServer::Form_Load() {
    setWindowIcon(ui::OwnerIcon(this));

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
    defaultsChosen_ = true;
    txtServerIP->setText(txtServerIP->property("tag").toString());
    txtServerID->setText(QStringLiteral("000888"));
    txtWebRoot->setText(QStringLiteral("/House/"));
    txtDBName->setText(QStringLiteral("House"));
}

// In dynamic mode the lookup service the desk already uses stays; the built-in
// one is taken when the desk switches from a fixed address, has no lookup
// address yet, or the defaults were asked for.
std::string frmServer::LookupAddressToStore() const {
    const std::string builtIn = S(txtServerIP->property("tag").toString());
    if (defaultsChosen_ || DynasetValue(ReadIniString(ConfigFilePath, Section, "DynasetIP")) == 0) return builtIn;
    const std::string stored = ReadIniString(ConfigFilePath, Section, "ServerIP");
    return stored.empty() ? builtIn : stored;
}

void frmServer::OKButton_Click() {
    const bool dynamic = chkDynasetIP->isChecked();
    // Written in this order, each value with the box it comes from.
    const std::pair<const char*, QLineEdit*> sources[] = {
        {"DynasetIP", nullptr}, {"ServerIP", txtServerIP}, {"ServerID", txtServerID},
        {"WebRoot", txtWebRoot}, {"DBName", txtDBName}};
    IniValues values;
    for (const auto& [key, box] : sources) {
        if (!box) values.emplace_back(key, dynamic ? "1" : "0");
        else if (box == txtServerIP && dynamic) values.emplace_back(key, LookupAddressToStore());
        else values.emplace_back(key, S(box->text()));
    }
    // Every value is checked before anything is written: the dialog is stored whole or not at all.
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!IniWriteRefusal(ConfigFilePath, Section, values[i].first, values[i].second).empty()) {
            ReportRefusedValue(sources[i].second, values[i].first);
            return;
        }
    }
    std::string why;
    if (WriteIniValues(ConfigFilePath, Section, values, why) != IniWriteResult::Written) {
        ui::MsgBox(this,
                   QStringLiteral("无法保存设置文件：\n%1\n\n设置没有保存。请确认该文件不是只读文件，"
                                  "它所在的文件夹存在并且可以写入，然后再按“确定”。")
                       .arg(QDir::toNativeSeparators(Q(ConfigFilePath))),
                   windowTitle(), ui::MsgIcon::Warning);
        return;
    }
    accept();
}

// Names the box and the first character of it that the settings file cannot
// hold, and puts the cursor on that character.
void frmServer::ReportRefusedValue(QLineEdit* box, const std::string& key) {
    // A box is named by its caption; only the check box's value has none.
    const QLabel* const captions[] = {Label1[0], Label1[1], Label1[2], Label1[3]};
    const QLineEdit* const boxes[] = {txtServerIP, txtServerID, txtWebRoot, txtDBName};
    QString name = chkDynasetIP->text();
    for (std::size_t i = 0; i < std::size(boxes); ++i)
        if (box == boxes[i]) name = captions[i]->text().remove(QStringLiteral("："));
    const QString text = box ? box->text() : QString();
    qsizetype at = -1, length = 0;
    for (qsizetype i = 0; i < text.size() && at < 0; i += length) {
        length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (!IniWriteRefusal(ConfigFilePath, Section, key, S(text.mid(i, length))).empty()) at = i;
    }
    const QString message =
        at >= 0 ? QStringLiteral("“%1”中的字符“%2”不能保存在设置文件中，请改用其他字符。").arg(name, text.mid(at, length))
                : QStringLiteral("“%1”的内容不能保存在设置文件中，请修改后再按“确定”。").arg(name);
    ui::MsgBox(this, message, windowTitle(), ui::MsgIcon::Warning);
    if (box && box->isEnabled()) {
        box->setFocus(Qt::OtherFocusReason);
        if (at >= 0) box->setSelection(static_cast<int>(at), static_cast<int>(length));
    }
}

void frmServer::CancelButton_Click() { reject(); }

void frmServer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OKButton->setFocus(Qt::OtherFocusReason);
}

}  // namespace lumaro
