#include <gtest/gtest.h>

#include <filesystem>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <string>
#include <vector>

#include "config/Vendor.h"
#include "config/frmServer.h"
#include "config/mdlINI.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "shell/WindowKit.h"

namespace lumaro {
namespace {

using ui::S;

const QString LookupUrl = QString::fromUtf8(vendor::LookupService);

class FrmServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dir_.path() / "ini");
        saved_ = ConfigFilePath;
        ConfigFilePath = dir_.file("ini/Lumaro.lic");
    }
    void TearDown() override {
        EXPECT_TRUE(messages_.messages().empty()) << "the dialog never shows a message";
        ConfigFilePath = saved_;
    }

    static void Store(const char* section, const char* key, const std::string& value) {
        WriteIniString(ConfigFilePath, section, key, value);
    }
    static std::string Stored(const char* key) { return ReadIniString(ConfigFilePath, "ServerINFO", key); }
    std::string FileBytes() const { return test::ReadBytes(ConfigFilePath); }

    test::TempDir dir_;
    test::MessageRecorder messages_;
    std::string saved_;
};

TEST_F(FrmServerTest, FreshFileOpensWithInitialTexts) {
    frmServer dlg(nullptr);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("远程Web服务器配置"));
    EXPECT_FALSE(dlg.chkDynasetIP->isChecked());
    EXPECT_TRUE(dlg.txtServerIP->isEnabled());
    EXPECT_EQ(dlg.txtServerIP->text(), QString());
    EXPECT_EQ(dlg.txtServerID->text(), QStringLiteral("000888"));
    EXPECT_EQ(dlg.txtWebRoot->text(), QStringLiteral("/house/"));
    EXPECT_EQ(dlg.txtDBName->text(), QStringLiteral("house"));
    EXPECT_FALSE(dlg.Command1->isHidden());
    EXPECT_EQ(dlg.txtServerIP->property("tag").toString(), LookupUrl);
    EXPECT_TRUE(LookupUrl.endsWith(QStringLiteral("/register/ReadIP.asp")));
    EXPECT_FALSE(std::filesystem::exists(ConfigFilePath)) << "opening stores nothing";
}

TEST_F(FrmServerTest, LayoutCaptionsAndWindowKind) {
    frmServer dlg(nullptr);
    EXPECT_EQ(dlg.size(), ui::TwipsRect(0, 0, 4485, 2475).size());
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize()) << "fixed size";
    const Qt::WindowFlags flags = dlg.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);

    struct Control {
        const char* name;
        QString caption;
        QRect twips;
    };
    const Control controls[] = {
        {"OKButton", QStringLiteral("确定"), {600, 1980, 1005, 375}},
        {"CancelButton", QStringLiteral("取消"), {2940, 1980, 1005, 375}},
        {"Label1_0", QStringLiteral("服务器IP："), {210, 210, 900, 180}},
        {"txtServerIP", QString(), {1080, 150, 3285, 270}},
        {"chkDynasetIP", QStringLiteral("使用动态IP服务器"), {1980, 510, 2355, 180}},
        {"Label1_1", QStringLiteral("服务器ID："), {210, 840, 900, 180}},
        {"txtServerID", QStringLiteral("000888"), {1080, 780, 3285, 270}},
        {"Label1_2", QStringLiteral("Web主目录："), {120, 1200, 990, 180}},
        {"txtWebRoot", QStringLiteral("/house/"), {1080, 1140, 3285, 270}},
        {"txtDBName", QStringLiteral("house"), {1080, 1500, 3285, 270}},
        {"Label1_3", QStringLiteral("数据库名："), {210, 1560, 900, 180}},
        {"Command1", QStringLiteral("默认值"), {1770, 1980, 1005, 375}},
    };
    for (const Control& c : controls) {
        auto* widget = dlg.findChild<QWidget*>(QLatin1String(c.name));
        ASSERT_NE(widget, nullptr) << c.name;
        EXPECT_EQ(widget->geometry(), ui::TwipsRect(c.twips.x(), c.twips.y(), c.twips.width(), c.twips.height()))
            << c.name;
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
        if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
        if (auto* box = qobject_cast<QLineEdit*>(widget)) caption = box->text();
        EXPECT_EQ(caption, c.caption) << c.name;
    }
}

TEST_F(FrmServerTest, TabOrderStartsOnOkAndSkipsLabels) {
    frmServer dlg(nullptr);
    const std::vector<QWidget*> expected{dlg.OKButton,  dlg.CancelButton, dlg.txtServerIP, dlg.chkDynasetIP,
                                         dlg.txtServerID, dlg.txtWebRoot,  dlg.txtDBName,  dlg.Command1};
    std::vector<QWidget*> chain;
    QWidget* w = dlg.OKButton;
    do {
        if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != dlg.OKButton && chain.size() < 20);
    EXPECT_EQ(chain, expected);
    for (QLabel* label : dlg.Label1) EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
}

TEST_F(FrmServerTest, FocusIsOnOkWhenShownAndDialogIsCentred) {
    QWidget owner;
    owner.setWindowIcon(QIcon(QStringLiteral(":/icons/lumaro.svg")));
    frmServer dlg(&owner);
    dlg.show();
    EXPECT_TRUE(test::WaitUntil([&] { return dlg.focusWidget() == dlg.OKButton; }, 3000));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((dlg.frameGeometry().center() - screen.center()).manhattanLength(), 40);
    EXPECT_EQ(dlg.windowIcon().cacheKey(), owner.windowIcon().cacheKey()) << "takes the main window's icon";
    dlg.close();
}

TEST_F(FrmServerTest, StoredDynamicModeShowsEmptyDisabledAddressAndOkStoresLookupUrl) {
    Store("ServerINFO", "DynasetIP", "1");
    Store("ServerINFO", "ServerIP", S(LookupUrl));
    Store("ServerINFO", "ServerID", "123");
    frmServer dlg(nullptr);
    EXPECT_TRUE(dlg.chkDynasetIP->isChecked());
    EXPECT_FALSE(dlg.txtServerIP->isEnabled());
    EXPECT_EQ(dlg.txtServerIP->text(), QString());
    EXPECT_EQ(dlg.txtServerID->text(), QStringLiteral("123"));

    dlg.txtServerIP->setText(QStringLiteral("http://typed.example"));  // whatever the box holds
    dlg.OKButton->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(Stored("DynasetIP"), "1");
    EXPECT_EQ(Stored("ServerIP"), S(LookupUrl));
    EXPECT_EQ(Stored("ServerID"), "123");
}

TEST_F(FrmServerTest, ClearingTheBoxEnablesTheEmptyAddressAndOkStoresFixedMode) {
    Store("ServerINFO", "DynasetIP", "1");
    Store("ServerINFO", "ServerIP", S(LookupUrl));
    Store("ServerINFO", "ServerID", "123");
    frmServer dlg(nullptr);
    dlg.chkDynasetIP->click();
    EXPECT_FALSE(dlg.chkDynasetIP->isChecked());
    EXPECT_TRUE(dlg.txtServerIP->isEnabled());
    EXPECT_EQ(dlg.txtServerIP->text(), QString());
    dlg.chkDynasetIP->click();
    EXPECT_FALSE(dlg.txtServerIP->isEnabled()) << "checking again disables it";
    dlg.chkDynasetIP->click();
    dlg.OKButton->click();
    EXPECT_EQ(Stored("DynasetIP"), "0");
    EXPECT_EQ(Stored("ServerIP"), "");
}

TEST_F(FrmServerTest, StoredFixedAddressIsShownAndKept) {
    Store("ServerINFO", "DynasetIP", "0");
    Store("ServerINFO", "ServerIP", "http://192.168.1.5");
    Store("ServerINFO", "WebRoot", "/房源/");
    Store("ServerINFO", "DBName", "Agency");
    frmServer dlg(nullptr);
    EXPECT_EQ(dlg.txtServerIP->text(), QStringLiteral("http://192.168.1.5"));
    EXPECT_EQ(dlg.txtWebRoot->text(), QStringLiteral("/房源/"));
    EXPECT_EQ(dlg.txtDBName->text(), QStringLiteral("Agency"));
    EXPECT_EQ(dlg.txtServerID->text(), QStringLiteral("000888")) << "missing keeps the initial text";
}

TEST_F(FrmServerTest, DefaultsFillTheBoxesStoreNothingAndOkStoresThemInFixedMode) {
    frmServer dlg(nullptr);
    dlg.txtServerIP->setText(QStringLiteral("http://old.example"));
    dlg.Command1->click();
    EXPECT_EQ(dlg.txtServerIP->text(), LookupUrl);
    EXPECT_EQ(dlg.txtServerID->text(), QStringLiteral("000888"));
    EXPECT_EQ(dlg.txtWebRoot->text(), QStringLiteral("/House/"));
    EXPECT_EQ(dlg.txtDBName->text(), QStringLiteral("House"));
    EXPECT_FALSE(dlg.chkDynasetIP->isChecked()) << "the defaults leave the mode alone";
    EXPECT_FALSE(std::filesystem::exists(ConfigFilePath)) << "the defaults store nothing";

    dlg.OKButton->click();
    EXPECT_EQ(Stored("DynasetIP"), "0");
    EXPECT_EQ(Stored("ServerIP"), S(LookupUrl));
    EXPECT_EQ(Stored("ServerID"), "000888");
    EXPECT_EQ(Stored("WebRoot"), "/House/");
    EXPECT_EQ(Stored("DBName"), "House");
}

TEST_F(FrmServerTest, DefaultsButtonHiddenOnlyForExactlyFalse) {
    struct Case {
        const char* value;
        bool hidden;
    };
    for (const Case c : {Case{"False", true}, Case{"false", false}, Case{"FALSE", false}, Case{"True", false},
                         Case{"", false}}) {
        Store("Setup", "StatusBar", c.value);
        frmServer dlg(nullptr);
        EXPECT_EQ(dlg.Command1->isHidden(), c.hidden) << c.value;
        EXPECT_FALSE(dlg.OKButton->isHidden());
    }
}

TEST_F(FrmServerTest, FirstWriteOnFreshFileStoresFiveValuesInOrderExactlyAsTyped) {
    frmServer dlg(nullptr);
    dlg.txtServerIP->setText(QStringLiteral("  http://10.0.0.7:8080 "));
    dlg.txtServerID->setText(QStringLiteral("00０12a"));
    dlg.txtWebRoot->setText(QString());
    dlg.txtDBName->setText(QStringLiteral("楼盘库"));
    dlg.OKButton->click();

    std::vector<std::string> keys;
    const std::string bytes = FileBytes();
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        keys.push_back(line.substr(0, line.find_first_of("=\r")));
        start = end + 1;
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"[ServerINFO]", "DynasetIP", "ServerIP", "ServerID", "WebRoot", "DBName"}));
    EXPECT_NE(bytes.find("ServerIP=  http://10.0.0.7:8080 "), std::string::npos) << "stored untrimmed";
    EXPECT_EQ(Stored("ServerID"), "00０12a");
    EXPECT_EQ(Stored("WebRoot"), "");
    EXPECT_EQ(Stored("DBName"), "楼盘库");
}

TEST_F(FrmServerTest, CancelAndCloseBoxLeaveTheFileByteIdentical) {
    const std::string original = "; agency settings\r\n[ServerINFO]\r\nServerIP=http://a.example\r\nDynasetIP=0\r\n"
                                 "[Setup]\r\nStatusBar=True\r\n";
    test::WriteBytes(ConfigFilePath, original);
    {
        frmServer dlg(nullptr);
        dlg.show();
        dlg.chkDynasetIP->click();
        dlg.txtServerID->setText(QStringLiteral("999"));
        dlg.Command1->click();
        dlg.CancelButton->click();
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(FileBytes(), original);
    {
        frmServer dlg(nullptr);
        dlg.show();
        dlg.txtWebRoot->setText(QStringLiteral("/changed/"));
        dlg.close();  // the close box
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    EXPECT_EQ(FileBytes(), original);
}

TEST_F(FrmServerTest, HandEditedFlagShowsNonZeroAsDynamic) {
    struct Case {
        const char* stored;
        bool dynamic;
    };
    for (const Case c : {Case{"2", true}, Case{"-1", true}, Case{"0.6", true}, Case{"70000", true},
                         Case{"0.4", false}, Case{"abc", false}, Case{"0", false}}) {
        Store("ServerINFO", "DynasetIP", c.stored);
        Store("ServerINFO", "ServerIP", "http://fixed.example");
        frmServer dlg(nullptr);
        EXPECT_EQ(dlg.chkDynasetIP->isChecked(), c.dynamic) << c.stored;
        EXPECT_EQ(dlg.txtServerIP->isEnabled(), !c.dynamic) << c.stored;
        EXPECT_EQ(dlg.txtServerIP->text(), c.dynamic ? QString() : QStringLiteral("http://fixed.example")) << c.stored;
    }
}

TEST_F(FrmServerTest, MissingIniFolderLosesTheWriteSilently) {
    ConfigFilePath = dir_.file("nowhere/ini/Lumaro.lic");
    frmServer dlg(nullptr);
    dlg.OKButton->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << "the dialog closes all the same";
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "nowhere" / "ini" / "Lumaro.lic"));
}

}  // namespace
}  // namespace lumaro
