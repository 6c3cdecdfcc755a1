// The server dialog against a real settings file in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <string>
#include <vector>

#include "config/Vendor.h"
#include "config/frmServer.h"
#include "config/mdlINI.h"
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

class FrmServerTest : public ::testing::Test {
protected:
    void SetUp() override { ConfigFilePath = dir_.file("Lumaro.lic"); }
    void TearDown() override { EXPECT_TRUE(messages_.messages().empty()) << "the dialog never shows a message"; }
    static void Write(const std::string& bytes) { test::WriteBytes(ConfigFilePath, bytes); }
    static std::string File() { return test::ReadBytes(ConfigFilePath); }

    test::TempDir dir_;
    test::MessageRecorder messages_;
};

// A fresh file: the fixed dialog with the owner's icon, each control (found by name) in place with its caption
// or initial text, in tab order (labels take none) from 确定, which has the focus when shown.
TEST_F(FrmServerTest, FreshFileOpensTheDesignedDialog) {
    QWidget owner;
    QPixmap ownIcon(16, 16);  // an icon of the owner's that is not the program's
    ownIcon.fill(Qt::red);
    owner.setWindowIcon(QIcon(ownIcon));
    frmServer dlg(&owner);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("远程Web服务器配置"));
    EXPECT_EQ(dlg.minimumSize(), ui::TwipsRect(0, 0, 4485, 2475).size());
    EXPECT_TRUE(dlg.maximumSize() == dlg.minimumSize() && !(dlg.windowFlags() & Qt::WindowMinMaxButtonsHint));
    const struct { const char* name; QString text; int x, y, width, height; } controls[] = {  // in tab order
        {"OKButton", "确定", 600, 1980, 1005, 375},         {"CancelButton", "取消", 2940, 1980, 1005, 375},
        {"Label1_0", "服务器IP：", 210, 210, 900, 180},     {"txtServerIP", "", 1080, 150, 3285, 270},
        {"chkDynasetIP", "使用动态IP服务器", 1980, 510, 2355, 180}, {"Label1_1", "服务器ID：", 210, 840, 900, 180},
        {"txtServerID", "000888", 1080, 780, 3285, 270},    {"Label1_2", "Web主目录：", 120, 1200, 990, 180},
        {"txtWebRoot", "/house/", 1080, 1140, 3285, 270},   {"txtDBName", "house", 1080, 1500, 3285, 270},
        {"Label1_3", "数据库名：", 210, 1560, 900, 180},    {"Command1", "默认值", 1770, 1980, 1005, 375}};
    std::vector<QWidget*> tabOrder, chain{dlg.OKButton};  // the focus chain's stops from 确定
    for (const auto& c : controls) {
        auto* control = dlg.findChild<QWidget*>(QLatin1String(c.name));
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->geometry(), ui::TwipsRect(c.x, c.y, c.width, c.height)) << c.name;
        EXPECT_EQ(control->property("text").toString(), c.text) << c.name;
        if (!qobject_cast<QLabel*>(control)) tabOrder.push_back(control);
    }
    for (QWidget* w = dlg.OKButton; (w = w->nextInFocusChain()) != dlg.OKButton && chain.size() < 20;)
        if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
    EXPECT_EQ(chain, tabOrder);
    EXPECT_EQ(Shows(dlg), "clear||000888|/house/|house");
    dlg.show();
    EXPECT_TRUE(test::WaitUntil([&] { return dlg.focusWidget() == dlg.OKButton; }, 3000));
    EXPECT_EQ(dlg.windowIcon().cacheKey(), owner.windowIcon().cacheKey());
}

// Stored dynamic mode: 确定 stores the lookup URL, whatever the disabled address box holds. Clearing the box
// enables the empty address box; 确定 then stores fixed mode with an empty address.
TEST_F(FrmServerTest, StoredDynamicModeAndClearingTheBox) {
    for (const bool clear : {false, true}) {
        Write("[ServerINFO]\r\nDynasetIP=1\r\nServerIP=" + LookupUrl + "\r\nServerID=123\r\n");
        frmServer dlg;
        EXPECT_EQ(Shows(dlg), "checked|-|123|/house/|house");
        if (!clear) dlg.txtServerIP->setText(QStringLiteral("http://typed.example"));
        for (int click = 0; clear && click < 3; ++click) {  // clear, check again, clear
            dlg.chkDynasetIP->click();
            EXPECT_EQ(Shows(dlg), click == 1 ? "checked|-|123|/house/|house" : "clear||123|/house/|house");
        }
        dlg.OKButton->click();
        EXPECT_EQ(File(), "[ServerINFO]\r\nDynasetIP=" + (clear ? "0\r\nServerIP=" : "1\r\nServerIP=" + LookupUrl) +
                              "\r\nServerID=123\r\nWebRoot=/house/\r\nDBName=house\r\n");
    }
}

// A stored address fills its box, missing values keep the initial text; a hand-edited DynasetIP shows the box
// checked when it reads as a number other than 0. Only Setup/StatusBar exactly "False" hides 默认值.
TEST_F(FrmServerTest, StoredValuesAreShown) {
    const struct { std::string flag; bool dynamic; std::string statusBar; } rows[] = {
        {"0", false, "False"}, {"abc", false, "false"}, {"0.4", false, ""},     {"2", true, "True"},
        {"-1", true, "False"}, {"0.6", true, "FALSE"},  {"70000", true, "false"}};
    for (const auto& r : rows) {
        Write("[Setup]\r\nStatusBar=" + r.statusBar + "\r\n[ServerINFO]\r\nDynasetIP=" + r.flag +
              "\r\nServerIP=http://a.b\r\nWebRoot=/F/\r\nDBName=A\r\n");
        frmServer dlg;
        const std::string address = r.dynamic ? "checked|-" : "clear|http://a.b";
        EXPECT_EQ(Shows(dlg), address + "|000888|/F/|A") << r.flag;
        EXPECT_EQ(dlg.Command1->isHidden(), r.statusBar == "False") << r.statusBar;
    }
}

// 默认值 fills the boxes (web root and database capitalised), leaves the mode alone and stores nothing;
// 确定 then writes the five values in order, each exactly as its box holds it.
TEST_F(FrmServerTest, DefaultsThenOkStoreFiveValuesInOrderAsTheyStand) {
    frmServer dlg;
    dlg.Command1->click();
    EXPECT_EQ(Shows(dlg), "clear|" + LookupUrl + "|000888|/House/|House");
    EXPECT_FALSE(std::filesystem::exists(ConfigFilePath)) << "the defaults store nothing";
    dlg.txtServerID->setText(QStringLiteral(" 0012a "));
    dlg.txtWebRoot->clear();
    dlg.OKButton->click();
    EXPECT_EQ(File(), "[ServerINFO]\r\nDynasetIP=0\r\nServerIP=" + LookupUrl +
                          "\r\nServerID= 0012a \r\nWebRoot=\r\nDBName=House\r\n");
}

// 取消 and the close box store nothing, whatever was changed: the file stays byte for byte.
TEST_F(FrmServerTest, CancelAndCloseBoxLeaveTheFileByteIdentical) {
    const std::string original = "; agency\r\n[ServerINFO]\r\nServerIP=http://a.example\r\nDynasetIP=0\r\n[Setup]\r\n";
    Write(original);
    for (const bool closeBox : {false, true}) {
        frmServer dlg;
        dlg.show();
        dlg.Command1->click();  // every box changed
        closeBox ? void(dlg.close()) : dlg.CancelButton->click();
        EXPECT_TRUE(dlg.result() == QDialog::Rejected && !dlg.isVisible()) << closeBox;
        EXPECT_EQ(File(), original) << closeBox;
    }
}

}  // namespace
}  // namespace lumaro
