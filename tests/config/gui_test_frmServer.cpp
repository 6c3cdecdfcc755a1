// The server dialog against a real settings file in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "config/Vendor.h"
#include "config/frmServer.h"
#include "config/mdlINI.h"
#include "core/Table.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

const std::string LookupUrl = vendor::LookupService;

// What the dialog shows: the check box, then the four boxes' texts, "-" marking a disabled address box.
std::string Shows(const frmServer& d) {
    const QStringList boxes{d.txtServerIP->text(), d.txtServerID->text(), d.txtWebRoot->text(), d.txtDBName->text()};
    return (d.chkDynasetIP->isChecked() ? "checked|" : "clear|") + std::string(d.txtServerIP->isEnabled() ? "" : "-") +
           ui::S(boxes.join('|'));
}

// The five stored values, "|" between them, in the order 确定 writes them.
std::string Stored() {
    std::string stored;
    for (const char* key : {"DynasetIP", "ServerIP", "ServerID", "WebRoot", "DBName"})
        stored += (stored.empty() ? "" : "|") + ReadIniString(ConfigFilePath, "ServerINFO", key);
    return stored;
}

class FrmServerTest : public ::testing::Test {
protected:
    void SetUp() override { ConfigFilePath = dir_.file("Lumaro.lic"); }
    void TearDown() override {
        EXPECT_EQ(messages_.messages().size(), reported_) << "messages only where a test expects them";
    }
    static void Write(const std::string& bytes) { test::WriteBytes(ConfigFilePath, bytes); }
    static std::string File() { return test::ReadBytes(ConfigFilePath); }
    // The text of the one message shown since the last call, or "" for none.
    QString Reported() {
        const auto& shown = messages_.messages();
        if (shown.size() == reported_) return {};
        return shown.size() == reported_ + 1 ? shown[reported_++].text : QStringLiteral("several messages");
    }

    test::TempDir dir_;
    test::MessageRecorder messages_;
    std::size_t reported_ = 0;
};

// Ticking and clearing 使用动态IP服务器 disables and enables the address box and leaves its text alone; 确定 stores
// the lookup URL while ticked, whatever the box holds, and the box's text while clear. In dynamic mode the stored
// address is not shown, so clearing the tick there enables an empty box: 确定 then stores fixed mode and no address.
// Stored values fill their boxes, missing ones keep the initial text; a hand-edited DynasetIP ticks the box when it
// reads as a number other than 0. Only Setup/StatusBar exactly "False" hides 默认值.
TEST_F(FrmServerTest, StoredValuesAndTheCheckBox) {
    const std::string boxes = "|123|/house/|house";
    const struct { std::string stored; QStringList shown; std::string file; } rows[] = {  // shown: at first, after each click
        {"DynasetIP=0\r\nServerIP=http://a.b", {"clear|http://a.b", "checked|-http://a.b"}, "1\r\nServerIP=" + LookupUrl},
        {"DynasetIP=1\r\nServerIP=" + LookupUrl, {"checked|-", "clear|", "checked|-", "clear|"}, "0\r\nServerIP="},
        {"DynasetIP=0.4\r\nServerIP=http://a.b\r\nWebRoot=/F/\r\nDBName=A\r\n[Setup]\r\nStatusBar=False", {"clear|http://a.b|123|/F/|A"}},
        {"DynasetIP=-1\r\nServerIP=http://a.b\r\n[Setup]\r\nStatusBar=false", {"checked|-"}},
        {"DynasetIP=0.6\r\n[Setup]\r\nStatusBar=FALSE", {"checked|-"}}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.stored);
        Write("[ServerINFO]\r\nServerID=123\r\n" + r.stored + "\r\n");
        frmServer dlg;
        ASSERT_TRUE(test::ShowActive(&dlg));
        EXPECT_EQ(dlg.Command1->isHidden(), r.stored.ends_with("StatusBar=False"));
        for (const QString& shown : r.shown) {
            if (&shown != &r.shown.front()) test::Click(dlg.chkDynasetIP);
            EXPECT_EQ(Shows(dlg), shown.toStdString() + (shown.count('|') > 1 ? "" : boxes));
        }
        if (r.file.empty()) continue;
        test::Click(dlg.OKButton);
        EXPECT_EQ(File(), "[ServerINFO]\r\nServerID=123\r\nDynasetIP=" + r.file + "\r\nWebRoot=/house/\r\nDBName=house\r\n");
    }
}

// Enter (either key) in a box or on the check box presses 确定: what was typed is stored and the dialog closes.
// On a focused button Enter presses that button. Esc presses 取消 from anywhere; 取消 and the close box store
// nothing, whatever was changed: the file stays byte for byte.
TEST_F(FrmServerTest, EnterPressesOkAndEscCancel) {
    const std::string original = "; agency\r\n[ServerINFO]\r\nServerIP=http://a.example\r\n[Setup]\r\n";
    const struct { const char* control; Qt::Key key; std::string stored; } cases[] = {
        {"txtServerIP", Qt::Key_Return, "0|http://a.example9|000888|/house/|house"},
        {"txtServerID", Qt::Key_Enter, "0|http://a.example|0008889|/house/|house"},
        {"txtWebRoot", Qt::Key_Return, "0|http://a.example|000888|/house/9|house"},
        {"txtDBName", Qt::Key_Return, "0|http://a.example|000888|/house/|house9"},
        {"chkDynasetIP", Qt::Key_Return, "1|" + LookupUrl + "|000888|/house/|house"},  // ticked with the space bar
        {"txtServerIP", Qt::Key_Escape, ""}, {"txtDBName", Qt::Key_Escape, ""}, {"chkDynasetIP", Qt::Key_Escape, ""},
        {"OKButton", Qt::Key_Escape, ""},    {"Command1", Qt::Key_Return, "open"},
        {"CancelButton", Qt::Key_Space, ""}, {"txtWebRoot", Qt::Key_unknown, ""}};  // 取消 pressed; the close box
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + std::to_string(c.key));
        Write(original);
        frmServer dlg;
        ASSERT_TRUE(test::ShowActive(&dlg));
        auto* control = dlg.findChild<QWidget*>(QLatin1String(c.control));
        control->setFocus(Qt::OtherFocusReason);
        if (qobject_cast<QLineEdit*>(control)) test::EnterText(control, "9", test::Entry::Typed);
        if (control == dlg.chkDynasetIP) test::PressKey(dlg.windowHandle(), Qt::Key_Space);
        c.key == Qt::Key_unknown ? void(dlg.close()) : test::PressKey(dlg.windowHandle(), c.key);
        if (c.stored == "open") {  // 默认值 pressed: boxes filled, nothing stored
            EXPECT_TRUE(dlg.isVisible() && dlg.txtWebRoot->text() == "/House/");
        } else {
            EXPECT_FALSE(dlg.isVisible());
            EXPECT_EQ(dlg.result(), c.stored.empty() ? QDialog::Rejected : QDialog::Accepted);
        }
        if (c.stored.empty() || c.stored == "open") {
            EXPECT_EQ(File(), original);
        } else {
            EXPECT_EQ(Stored(), c.stored);
        }
    }
}

// The boxes are single lines: a line break typed, pasted or composed into one is dropped. Full-width digits and
// signs in the server ID become ASCII, so the ID is the number the agency was given (tables/single_line_boxes.txt).
TEST_F(FrmServerTest, BoxesKeepOneLineAndTheIdInAscii) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/single_line_boxes.txt")) {
        const struct { std::string box; QString entered; test::Entry how; QString shown; } c{
            row.at(0), ui::Q(row.at(1)), test::EntryNamed(row.at(2)), ui::Q(row.at(3))};
        SCOPED_TRACE(c.box + " " + c.entered.toStdString());
        std::filesystem::remove(ConfigFilePath);
        frmServer dlg;
        ASSERT_TRUE(test::ShowActive(&dlg));
        auto* box = dlg.findChild<QLineEdit*>(ui::Q(c.box));
        box->clear();
        test::EnterText(box, c.entered, c.how);
        EXPECT_EQ(ui::S(box->text()), ui::S(c.shown));
        test::PressKey(dlg.windowHandle(), Qt::Key_Return);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_NE(Stored().find("|" + ui::S(c.shown) + (c.box == "txtDBName" ? "" : "|")), std::string::npos)
            << Stored();
    }
}

// A value the settings file cannot hold, or a file that cannot be written, is reported in a message naming the
// box (and the character) or the file; nothing of the dialog is stored, the dialog stays open with the focus on
// the box. Once mended, 确定 stores all five values.
TEST_F(FrmServerTest, NothingIsSavedHalf) {
    const std::string original = "; agency\r\n[ServerINFO]\r\nServerIP=http://a.example\r\nServerID=7\r\n";
    const struct { const char* box; QString entered; QStringList named; std::string stored; } cases[] = {
        {"txtDBName", "한", {"数据库名", "한"}, "0|http://a.example|7|/house/|house"},
        {"txtWebRoot", "\U0001D11E", {"Web主目录", "\U0001D11E"}, "0|http://a.example|7|/house/|house"},
        {"txtServerID", "가나", {"服务器ID", "가"}, "0|http://a.example|7|/house/|house"},
        {"txtServerIP", "가", {"服务器IP", "가"}, "0|http://a.example|7|/house/|house"},
        {"txtDBName", "", {"Lumaro.lic"}, "0|http://a.example|7|/house/|house"},                    // file read-only
        {"txtDBName", "", {"ini/Lumaro.lic"}, "0||000888|/house/|house"}};  // a fresh desk, the folder's parent missing
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named.join(' ').toStdString());
        const bool missingFolder = c.named[0] == "ini/Lumaro.lic";
        ConfigFilePath = missingFolder ? dir_.file("gone/ini/Lumaro.lic") : dir_.file("Lumaro.lic");
        if (!missingFolder) Write(original);
        const bool readOnly = c.entered.isEmpty() && !missingFolder;
        if (readOnly) std::filesystem::permissions(ConfigFilePath, std::filesystem::perms(0444));
        frmServer dlg;
        ASSERT_TRUE(test::ShowActive(&dlg));
        auto* box = dlg.findChild<QLineEdit*>(QLatin1String(c.box));
        test::EnterText(box, c.entered, test::Entry::Pasted);
        test::PressKey(dlg.windowHandle(), Qt::Key_Return);
        const QString message = Reported();
        for (const QString& name : c.named) EXPECT_TRUE(message.contains(name)) << message.toStdString();
        EXPECT_TRUE(dlg.isVisible() && dlg.focusWidget() == box);
        EXPECT_EQ(missingFolder ? std::to_string(std::filesystem::exists(dir_.path() / "gone")) : File(),
                  missingFolder ? "0" : original);
        // Mended: the paste undone, the file made writable.
        if (readOnly) std::filesystem::permissions(ConfigFilePath, std::filesystem::perms(0644));
        if (missingFolder) std::filesystem::create_directory(dir_.path() / "gone");
        test::PressKeys(dlg.windowHandle(), "Ctrl+Z, Return");
        EXPECT_EQ(Reported(), "");
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(Stored(), c.stored);
    }
}

// With 使用动态IP服务器 ticked, 确定 keeps a lookup address already stored in dynamic mode; it stores the built-in
// one when the desk switches from a fixed address, has no lookup address yet, or 默认值 was pressed.
TEST_F(FrmServerTest, OkKeepsAWorkingLookupService) {
    const std::string own = "http://127.0.0.1:5555/register/ReadIP.asp";
    const struct { std::string stored; const char* clicks; std::string kept; } cases[] = {
        {"DynasetIP=1\r\nServerIP=" + own, "", own},
        {"DynasetIP=2\r\nServerIP=" + own, "", own},      // hand-edited, still dynamic
        {"DynasetIP=1\r\nServerIP=" + own, "cc", own},    // cleared and ticked again
        {"DynasetIP=1\r\nServerIP=" + own, "d", LookupUrl},  // 默认值
        {"DynasetIP=1\r\n", "", LookupUrl},               // no lookup address yet
        {"DynasetIP=0\r\nServerIP=http://10.0.0.1", "c", LookupUrl},
        {"DynasetIP=x\r\nServerIP=" + own, "c", LookupUrl},  // reads as 0: fixed
        {"", "c", LookupUrl}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored + " " + c.clicks);
        Write("[ServerINFO]\r\n" + c.stored + "\r\n");
        frmServer dlg;
        ASSERT_TRUE(test::ShowActive(&dlg));
        for (const char* click = c.clicks; *click; ++click)
            test::Click(*click == 'c' ? static_cast<QWidget*>(dlg.chkDynasetIP) : dlg.Command1);
        ASSERT_TRUE(dlg.chkDynasetIP->isChecked());
        test::Click(dlg.OKButton);
        EXPECT_EQ(ReadIniString(ConfigFilePath, "ServerINFO", "DynasetIP") + " " +
                      ReadIniString(ConfigFilePath, "ServerINFO", "ServerIP"), "1 " + c.kept);
    }
}

}  // namespace
}  // namespace lumaro
