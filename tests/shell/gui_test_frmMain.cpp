// The main window with its real browser, settings file, command bar and status
// bar: the load rules, the first activation, and the dispatch of every command
// name, observed through a recording launcher, recorded message boxes, a
// recorded end of the program and a real HTTP server on 127.0.0.1.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineHistory>
#include <gtest/gtest.h>

#include "config/Vendor.h"
#include "config/mdlINI.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/TestHttpServer.h"
#include "platform/Platform.h"
#include "shell/BrowserPrompts.h"
#include "shell/CommandBar.h"
#include "shell/ServerConnection.h"
#include "shell/WebBrowser.h"
#include "shell/frmMain.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using test::TestHttpServer;
using test::WaitUntil;

// One browser profile for the binary. Every address but 127.0.0.1 goes to a
// proxy that is not there, so the vendor's web site is asked for but nothing
// leaves the machine.
class BrowserEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --proxy-server=127.0.0.1:9");
        folder_ = std::make_unique<test::TempDir>();
        WebBrowser::SetProfileFolder(QString::fromStdString(folder_->file("browser")));
    }
    void TearDown() override { WebBrowser::ReleaseProfile(); }

private:
    std::unique_ptr<test::TempDir> folder_;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new BrowserEnvironment);

class RecordingLauncher : public platform::Launcher {
public:
    struct Call {
        std::string kind;  // "open" or "start"
        std::string target;
        std::vector<std::string> arguments;
        platform::Show show;
    };
    bool Open(const std::string& target, platform::Show show) override {
        calls.push_back({"open", target, {}, show});
        return succeed;
    }
    bool Start(const std::string& program, const std::vector<std::string>& arguments, platform::Show show) override {
        calls.push_back({"start", program, arguments, show});
        return succeed;
    }
    std::vector<Call> calls;
    bool succeed = true;
};

// Runs `action`, closing every modal window it opens; returns their class names.
QStringList RunClosingModals(const std::function<void()>& action) {
    QStringList seen;
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen << QString::fromLatin1(modal->metaObject()->className());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    });
    closer.start();
    action();
    closer.stop();
    return seen;
}

class FrmMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir.path() / "ini");
        ConfigFilePath = dir.file("ini/Lumaro.lic");
        platform::OverrideExecutablePath(dir.file("Lumaro"));
        platform::SetLauncher(&launcher);
        if (const char* path = std::getenv("PATH")) savedPath = path;
    }
    void TearDown() override {
        window.reset();
        prompts::SetPrintDialog({});
        platform::SetLauncher(nullptr);
        platform::OverrideExecutablePath(std::nullopt);
        ConfigFilePath.clear();
        if (savedPath) setenv("PATH", savedPath->c_str(), 1);
    }

    void WriteSettings(const std::string& bytes) { test::WriteBytes(ConfigFilePath, bytes); }

    // The settings of a fixed server that is this test's HTTP server.
    std::string ServerSettings() const {
        return "[ServerINFO]\nServerIP=" + server.Url("").toStdString() +
               "\nDynasetIP=0\nServerID=1\nWebRoot=/House/\nDBName=House\n";
    }

    frmMain& Load() {
        window = std::make_unique<frmMain>();
        window->Form_Load();
        return *window;
    }

    QLabel* Panel(const char* name) const { return window->sbStatusBar->findChild<QLabel*>(name); }

    bool NothingHappened() const {
        return messages.messages().empty() && launcher.calls.empty() && ends.count() == 0 && server.Requests().empty();
    }

    test::TempDir dir;
    TestHttpServer server;
    RecordingLauncher launcher;
    test::MessageRecorder messages;
    test::EndRecorder ends;
    std::optional<std::string> savedPath;
    std::unique_ptr<frmMain> window;
};

// --- Load --------------------------------------------------------------------

struct StatusBarCase {
    const char* settings;
    bool shown;
};

class StatusBarSetting : public FrmMainTest, public ::testing::WithParamInterface<StatusBarCase> {};

TEST_P(StatusBarSetting, HidesTheBarAndSwitchesOffAboutOnlyForFalse) {
    WriteSettings(GetParam().settings);
    frmMain& w = Load();
    const bool shown = GetParam().shown;
    EXPECT_EQ(!w.sbStatusBar->isHidden(), shown);
    const Tool* about = w.ActiveBar1->tool("mAbout");
    ASSERT_EQ(about->actions().size(), 2);
    for (const QAction* a : about->actions()) {
        EXPECT_EQ(a->isEnabled(), shown);
        EXPECT_EQ(a->isVisible(), shown);
    }
    // The panels are filled either way.
    EXPECT_EQ(Panel("Panel1")->text(), QStringLiteral("软件开发商："));
    EXPECT_EQ(Panel("CopyRight")->text(), QString::fromUtf8(vendor::Company));
    EXPECT_EQ(Panel("Panel3")->text(), QStringLiteral("服务电话："));
    EXPECT_EQ(Panel("Tel")->text(), QString::fromUtf8(vendor::Telephone));
    EXPECT_EQ(Panel("Panel5")->text(), QStringLiteral("电子邮箱："));
    EXPECT_EQ(Panel("Panel6")->text(), QString::fromUtf8(vendor::EMail));
    EXPECT_EQ(w.StatusPanel("CopyRight"), Panel("CopyRight"));
    EXPECT_EQ(w.StatusPanel(""), nullptr);

    // Shown, the browser ends above the bar; hidden, it reaches the bottom edge.
    w.Connection().SetDialogRunner([](QWidget*) {});
    w.show();
    ASSERT_TRUE(WaitUntil([&] { return w.isVisible() && w.WB->height() > 100; }));
    const QRect browser = w.WB->geometry();
    EXPECT_EQ(browser.width(), w.width());
    if (shown) {
        EXPECT_LE(browser.bottom(), w.sbStatusBar->geometry().top());
    } else {
        EXPECT_EQ(browser.bottom(), w.height() - 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, StatusBarSetting,
                         ::testing::Values(StatusBarCase{"[Setup]\nStatusBar=False\n", false},
                                           StatusBarCase{"[setup]\nStatusBar=False\n", false},
                                           StatusBarCase{"[Setup]\nStatusBar=false\n", true},
                                           StatusBarCase{"[Setup]\nStatusBar=FALSE\n", true},
                                           StatusBarCase{"[Setup]\nStatusBar=True\n", true},
                                           StatusBarCase{"[Setup]\nStatusBar=\n", true},
                                           StatusBarCase{"[Setup]\nOther=False\n", true},
                                           StatusBarCase{"", true}));

struct TelCase {
    const char* settings;
    const char* shown;  // UTF-8; nullptr: the vendor's number
};

class TelSetting : public FrmMainTest, public ::testing::WithParamInterface<TelCase> {};

TEST_P(TelSetting, FillsTheTelPanel) {
    WriteSettings(GetParam().settings);
    Load();
    const QString expected = QString::fromUtf8(GetParam().shown ? GetParam().shown : vendor::Telephone);
    EXPECT_EQ(Panel("Tel")->text(), expected);
}

INSTANTIATE_TEST_SUITE_P(Values, TelSetting,
                         ::testing::Values(TelCase{"", nullptr}, TelCase{"[ServerTel]\nTel=\n", nullptr},
                                           TelCase{"[ServerTel]\nTel=010-12345678\n", "010-12345678"},
                                           // The file is GBK: 转 is D7 AA.
                                           TelCase{"[servertel]\nTel=8888 \xD7\xAA 12\n", "8888 转 12"}));

TEST_F(FrmMainTest, CaptionIconAndWindowState) {
    frmMain& w = Load();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Lumaro(前台)"));
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.centralWidget(), w.WB);
    EXPECT_EQ(w.statusBar(), w.sbStatusBar);
    EXPECT_EQ(w.sbStatusBar->findChildren<QLabel*>().size(), 6);
}

// --- Dispatch ------------------------------------------------------------------

class NamesWithoutCommand : public FrmMainTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(NamesWithoutCommand, DoNothing) {
    WriteSettings(ServerSettings() + "[setup]\nMainWeb=" + server.Url("/home").toStdString() + "\n");
    frmMain& w = Load();
    const QStringList modals = RunClosingModals([&] { w.ActiveBar1_ToolClick(QString::fromUtf8(GetParam())); });
    EXPECT_TRUE(modals.isEmpty());
    EXPECT_TRUE(NothingHappened());
    EXPECT_TRUE(w.WB->page()->requestedUrl().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Names, NamesWithoutCommand,
                         ::testing::Values("mServer", "mWB", "mC", "mbangzhu", "", "mexit", "MEXIT", "mHomepage",
                                           "mAbout ", "mPrint2", "关闭"));

struct ModalCase {
    const char* name;
    const char* window;
};

class ModalCommands : public FrmMainTest, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(ModalCommands, OpenTheirWindowModally) {
    frmMain& w = Load();
    const QStringList modals = RunClosingModals([&] { w.ActiveBar1_ToolClick(GetParam().name); });
    EXPECT_EQ(modals, QStringList{GetParam().window});
    EXPECT_TRUE(NothingHappened());
}

INSTANTIATE_TEST_SUITE_P(Commands, ModalCommands,
                         ::testing::Values(ModalCase{"mSetup", "lumaro::frmServer"},
                                           ModalCase{"mCalcAJ", "lumaro::frmAJZX"},
                                           ModalCase{"mAbout", "lumaro::frmAbout"}));

TEST_F(FrmMainTest, ExitAndClosingEndTheProgram) {
    frmMain& w = Load();
    w.ActiveBar1_ToolClick("mExit");
    EXPECT_EQ(ends.count(), 1);
    w.show();
    w.close();
    EXPECT_EQ(ends.count(), 2);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FrmMainTest, HelpOpensTheHelpFileBesideTheProgramWhenThere) {
    frmMain& w = Load();
    w.ActiveBar1_ToolClick("mHelp");
    EXPECT_TRUE(NothingHappened()) << "no help file: nothing";

    test::WriteBytes(dir.path() / "help.chm", "ITSF");
    launcher.succeed = false;  // the outcome is not examined
    w.ActiveBar1_ToolClick("mHelp");
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].kind, "open");
    EXPECT_EQ(launcher.calls[0].target, dir.file("help.chm"));
    EXPECT_EQ(launcher.calls[0].show, platform::Show::Normal);
    EXPECT_TRUE(messages.messages().empty());
}

struct CalculatorCase {
    std::vector<const char*> installed;
    const char* started;  // nullptr: nothing
};

class NumericCalculator : public FrmMainTest, public ::testing::WithParamInterface<CalculatorCase> {};

TEST_P(NumericCalculator, StartsTheFirstDesktopCalculatorOnThePath) {
    const fs::path bin = dir.path() / "bin";
    fs::create_directories(bin);
    for (const char* name : GetParam().installed) {
        test::WriteBytes(bin / name, "#!/bin/sh\n");
        fs::permissions(bin / name, fs::perms::owner_all);
    }
    test::WriteBytes(bin / "not-a-calculator", "#!/bin/sh\n");
    setenv("PATH", bin.c_str(), 1);

    frmMain& w = Load();
    w.ActiveBar1_ToolClick("mCalcSZ");
    EXPECT_TRUE(messages.messages().empty());
    if (!GetParam().started) {
        EXPECT_TRUE(launcher.calls.empty());
        return;
    }
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].kind, "start");
    EXPECT_EQ(launcher.calls[0].target, (bin / GetParam().started).string());
    EXPECT_TRUE(launcher.calls[0].arguments.empty());
    EXPECT_EQ(launcher.calls[0].show, platform::Show::MinimizedWithFocus);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NumericCalculator,
    ::testing::Values(CalculatorCase{{}, nullptr}, CalculatorCase{{"xcalc"}, "xcalc"},
                      CalculatorCase{{"xcalc", "kcalc"}, "kcalc"}, CalculatorCase{{"mate-calc", "galculator"}, "galculator"},
                      CalculatorCase{{"xcalc", "mate-calc", "qalculate-gtk", "galculator", "kcalc", "gnome-calculator"},
                                     "gnome-calculator"}));

// A failure with a positive number is reported after the command, with the number in the title.
TEST_F(FrmMainTest, ACalculatorThatCannotStartIsReported) {
    const fs::path bin = dir.path() / "bin";
    fs::create_directories(bin);
    test::WriteBytes(bin / "kcalc", "#!/bin/sh\n");
    fs::permissions(bin / "kcalc", fs::perms::owner_all);
    setenv("PATH", bin.c_str(), 1);
    launcher.succeed = false;

    frmMain& w = Load();
    w.ActiveBar1_ToolClick("mCalcSZ");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].title, QStringLiteral("错误号：53"));
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("文件未找到"));
    EXPECT_EQ(messages.messages()[0].icon, ui::MsgIcon::None);
}

struct HomeCase {
    const char* settings;  // %1: the test server's /home address
    bool toServer;         // false: the vendor's web site
};

class HomePage : public FrmMainTest, public ::testing::WithParamInterface<HomeCase> {};

TEST_P(HomePage, GoesToMainWebOrTheVendorSite) {
    WriteSettings(QString::fromUtf8(GetParam().settings).arg(server.Url("/home")).toStdString());
    server.Route("/home", TestHttpServer::Html("<p>home</p>"));
    frmMain& w = Load();
    w.ActiveBar1_ToolClick("mHomePage");
    const QUrl expected = GetParam().toServer ? QUrl(server.Url("/home")) : QUrl(QString::fromUtf8(vendor::WebSite));
    EXPECT_EQ(w.WB->page()->requestedUrl(), expected);
    if (GetParam().toServer) {
        EXPECT_TRUE(WaitUntil([&] { return server.CountRequests("/home") == 1; }));
    }
    EXPECT_TRUE(messages.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Settings, HomePage,
                         ::testing::Values(HomeCase{"[setup]\nMainWeb=%1\n", true},
                                           HomeCase{"[Setup]\nMainWeb=%1\n", true},
                                           HomeCase{"[setup]\nMainWeb=\n", false}, HomeCase{"", false}));

class BrowserCommands : public FrmMainTest {
protected:
    int loads = 0;

    bool Open(frmMain& w, const char* path) {
        server.Route(path, TestHttpServer::Html(QStringLiteral("<p>%1</p>").arg(path)));
        const int before = loads;
        w.WB->Navigate(server.Url(path));
        return WaitUntil([&] { return loads > before; });
    }
    frmMain& LoadCounting() {
        frmMain& w = Load();
        QObject::connect(w.WB, &QWebEngineView::loadFinished, [this] { ++loads; });
        return w;
    }
};

// The browser reports an empty history with a negative number: no message.
TEST_F(BrowserCommands, BackAndForwardWithoutHistorySayNothing) {
    frmMain& w = Load();
    for (const char* name : {"mGoback", "mGoon", "mRefresh", "mStop"}) w.ActiveBar1_ToolClick(name);
    EXPECT_TRUE(NothingHappened());
}

TEST_F(BrowserCommands, BackForwardRefreshStop) {
    frmMain& w = LoadCounting();
    ASSERT_TRUE(Open(w, "/a"));
    ASSERT_TRUE(Open(w, "/b"));

    int before = loads;
    w.ActiveBar1_ToolClick("mGoback");
    ASSERT_TRUE(WaitUntil([&] { return loads > before; }));
    EXPECT_EQ(w.WB->url(), QUrl(server.Url("/a")));

    before = loads;
    w.ActiveBar1_ToolClick("mGoon");
    ASSERT_TRUE(WaitUntil([&] { return loads > before; }));
    EXPECT_EQ(w.WB->url(), QUrl(server.Url("/b")));
    w.ActiveBar1_ToolClick("mGoon");  // at the end of the history: silently nothing

    const int requests = server.CountRequests("/b");
    before = loads;
    w.ActiveBar1_ToolClick("mRefresh");
    ASSERT_TRUE(WaitUntil([&] { return loads > before; }));
    EXPECT_EQ(server.CountRequests("/b"), requests + 1);

    // A page that never answers: stopping ends the load.
    server.Route("/slow", [] {
        TestHttpServer::Response r = TestHttpServer::Html("<p>slow</p>");
        r.held = true;
        return r;
    }());
    before = loads;
    w.WB->Navigate(server.Url("/slow"));
    ASSERT_TRUE(WaitUntil([&] { return server.CountRequests("/slow") == 1; }));
    w.ActiveBar1_ToolClick("mStop");
    EXPECT_TRUE(WaitUntil([&] { return loads > before; }));
    server.ReleaseHeld();
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(BrowserCommands, PrintAsksForAPrinter) {
    int asked = 0;
    prompts::SetPrintDialog([&](QWidget*, QPrinter&) {
        ++asked;
        return false;
    });
    frmMain& w = LoadCounting();
    ASSERT_TRUE(Open(w, "/page"));
    w.ActiveBar1_ToolClick("mPrint");
    EXPECT_TRUE(WaitUntil([&] { return asked == 1; }));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FrmMainTest, ConnectGoesToTheConfiguredServer) {
    WriteSettings(ServerSettings());
    frmMain& w = Load();
    w.ActiveBar1_ToolClick("mConnect");
    EXPECT_EQ(w.WB->page()->requestedUrl(), QUrl(server.Url("/House/?DatabaseName=House")));
    EXPECT_TRUE(WaitUntil([&] { return server.CountRequests("/House/") == 1; }));
    EXPECT_TRUE(messages.messages().empty());
}

// Pages of the program's own ask for commands by name, but only for those the bar offers.
TEST_F(FrmMainTest, PagesMayAskOnlyForCommandsTheBarOffers) {
    WriteSettings("[Setup]\nStatusBar=False\n");
    frmMain& w = Load();
    test::WriteBytes(dir.path() / "help.chm", "ITSF");
    QStringList modals = RunClosingModals([&] {
        emit w.WB->commandRequested("mAbout");  // switched off
        emit w.WB->commandRequested("mNothing");
        emit w.WB->commandRequested("mHelp");
    });
    EXPECT_TRUE(modals.isEmpty());
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].target, dir.file("help.chm"));

    modals = RunClosingModals([&] { emit w.WB->commandRequested("mSetup"); });
    EXPECT_EQ(modals, QStringList{"lumaro::frmServer"});
}

// --- Activation ------------------------------------------------------------------

TEST_F(FrmMainTest, OnlyTheFirstActivationConnects) {
    WriteSettings(ServerSettings());
    server.Route("/other", TestHttpServer::Html("<p>other</p>"));
    frmMain& w = Load();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return server.CountRequests("/House/") == 1; }));

    // Elsewhere, away and back, and through a modal window: no new connection.
    w.WB->Navigate(server.Url("/other"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &other; }));
    w.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &w; }));
    EXPECT_EQ(RunClosingModals([&] { w.ActiveBar1_ToolClick("mAbout"); }), QStringList{"lumaro::frmAbout"});
    w.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &w; }));
    EXPECT_EQ(w.WB->page()->requestedUrl().toString(), QUrl(server.Url("/other")).toString());
    EXPECT_EQ(server.CountRequests("/House/"), 1);

    // Asked for, it connects again.
    w.ActiveBar1_ToolClick("mConnect");
    EXPECT_TRUE(WaitUntil([&] { return server.CountRequests("/House/") == 2; }));
    EXPECT_TRUE(messages.messages().empty());
}

// The window may become active again while the first connection is still under
// way (here: while its server dialog is up); that is not a second first time.
TEST_F(FrmMainTest, ActivationDuringTheFirstConnectionDoesNotConnectAgain) {
    frmMain& w = Load();
    int dialogs = 0;
    QWidget other;
    w.Connection().SetDialogRunner([&](QWidget*) {
        ++dialogs;
        other.show();
        other.activateWindow();
        WaitUntil([&] { return QApplication::activeWindow() == &other; });
        w.activateWindow();
        WaitUntil([&] { return QApplication::activeWindow() == &w; });
        WriteSettings(ServerSettings());
    });
    w.show();
    w.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return server.CountRequests("/House/") == 1; }));
    EXPECT_EQ(dialogs, 1);
}

TEST_F(FrmMainTest, ShrinkingAndRestoringKeepsTheBrowserFilling) {
    WriteSettings(ServerSettings());
    frmMain& w = Load();
    w.showNormal();
    w.resize(40, 30);
    QApplication::processEvents();
    w.showMinimized();
    QApplication::processEvents();
    w.showNormal();
    w.resize(700, 500);
    ASSERT_TRUE(WaitUntil([&] { return w.width() == 700 && w.WB->width() == 700; }));
    EXPECT_LE(w.WB->geometry().bottom(), w.sbStatusBar->geometry().top());
    EXPECT_GT(w.WB->height(), 300);
    EXPECT_TRUE(messages.messages().empty());
    // Much narrower than the panels' design widths together: the labels stay whole.
    w.resize(480, 500);
    ASSERT_TRUE(WaitUntil([&] { return w.sbStatusBar->width() == 480; }));
    for (const char* label : {"Panel1", "Panel3", "Panel5"})
        EXPECT_GE(Panel(label)->contentsRect().width(), Panel(label)->fontMetrics().horizontalAdvance(Panel(label)->text()))
            << label;

    // Wide enough, the panels take their design widths and the last one the rest.
    w.resize(1200, 600);
    ASSERT_TRUE(WaitUntil([&] { return w.sbStatusBar->width() == 1200; }));
    const std::pair<const char*, int> widths[] = {{"Panel1", 1250}, {"CopyRight", 3000}, {"Panel3", 1250},
                                                  {"Tel", 2500},    {"Panel5", 1250}};
    for (const auto& [name, twips] : widths) EXPECT_EQ(Panel(name)->width(), ui::TwipsX(twips)) << name;
    EXPECT_GT(Panel("Panel6")->width(), ui::TwipsX(1440));
}

}  // namespace
}  // namespace lumaro
