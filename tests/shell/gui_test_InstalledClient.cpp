// The client installed as its package lays it out (bin/lumaro, no ini folder beside it, share/lumaro/help/):
// 帮助 without a help.chm, and a second start of the real program under a window manager.
#include <QApplication>
#include <QProcess>
#include <filesystem>
#include <gtest/gtest.h>

#include "config/SettingsLayers.h"
#include "config/mdlINI.h"
#include "core/Environment.h"
#include "core/TempDir.h"
#include "gui/Desktop.h"
#include "gui/GuiTestKit.h"
#include "gui/X11Windows.h"
#include "platform/Platform.h"
#include "shell/browser/BrowserWindow.h"
#include "shell/browser/WebBrowser.h"
#include "shell/frmMain.h"
#include "shell/mdlMain.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using test::WaitUntil;

constexpr const char* Guide = "usr/share/lumaro/help/index.html";

// An installed tree under a temporary folder: the machine-wide settings in etc/, the user's under home/.
class InstalledClient : public ::testing::Test, public platform::Launcher {
protected:
    void SetUp() override {
        fs::create_directories(dir.path() / "usr" / "bin");
        test::WriteBytes(dir.path() / "etc" / "Lumaro.lic", "[ServerINFO]\r\nServerIP=http://127.0.0.1:9\r\nDynasetIP=0\r\n");
        platform::OverrideExecutablePath(dir.file("usr/bin/lumaro"));
        platform::SetLauncher(this);
    }
    void TearDown() override {
        platform::SetLauncher(nullptr);
        platform::OverrideExecutablePath(std::nullopt);
    }
    bool Open(const std::string& target, platform::Show) override { return opened.push_back(target), true; }
    bool Start(const std::string&, const std::vector<std::string>&, platform::Show) override { return false; }

    // The environment of an installed client on this tree; `home` is the user's.
    QProcessEnvironment Environment(const QString& home) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString root = QString::fromStdString(dir.path().string());
        environment.insert("HOME", root + "/" + home);
        environment.insert("XDG_CONFIG_HOME", root + "/" + home + "/.config");
        environment.insert("XDG_DATA_HOME", root + "/" + home + "/.local/share");
        environment.insert("XDG_RUNTIME_DIR", root + "/" + home + "/run");
        environment.insert("LUMARO_MACHINE_CONFIG_DIR", root + "/etc");
        return environment;
    }

    test::TempDir dir;
    std::vector<std::string> opened;
    test::ScopedEnvironment config{"XDG_CONFIG_HOME", dir.file("home/.config")};
    test::ScopedEnvironment machine{"LUMARO_MACHINE_CONFIG_DIR", dir.file("etc")};
};

// Start-up finds the installed layout; 帮助 then opens help.chm when there is one, and otherwise the package's guide
// in a window of the client's own browser (the same window again on a second F1); without the guide it says so.
TEST_F(InstalledClient, HelpOpensTheGuide) {
    frmMain* window = nullptr;
    ASSERT_EQ(Main({.ShowMainWindow = [&] { window = new frmMain; }}, *this), StartupOutcome::MainWindowShown);
    ASSERT_EQ(CurrentLayout(), SettingsLayout::Installed);
    std::unique_ptr<frmMain> owner(window);
    test::MessageRecorder messages;
    const auto guideWindows = [] {
        QList<BrowserWindow*> found;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* browser = qobject_cast<BrowserWindow*>(widget); browser && browser->isVisible()) found << browser;
        return found;
    };

    window->ActiveBar1_ToolClick("mHelp");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].title, "错误号：53");
    EXPECT_EQ(messages.messages()[0].text.toStdString(), "文件未找到：" + dir.file(Guide));
    EXPECT_TRUE(guideWindows().isEmpty());

    fs::create_directories((dir.path() / Guide).parent_path());
    fs::copy_file(LUMARO_SOURCE_DIR "/dist/help/index.html", dir.path() / Guide);
    for (int times = 1; times <= 2; ++times) {
        window->ActiveBar1_ToolClick("mHelp");
        ASSERT_TRUE(WaitUntil([&] { return guideWindows().size() == 1 && guideWindows()[0]->windowTitle() == "Lumaro 前台客户端使用说明"; }))
            << times;
    }
    EXPECT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(opened.empty());

    test::WriteBytes(dir.path() / "usr" / "bin" / "help.chm", "ITSF");
    window->ActiveBar1_ToolClick("mHelp");
    EXPECT_EQ(opened, std::vector<std::string>{dir.file("usr/bin/help.chm")});
    for (BrowserWindow* browser : guideWindows()) delete browser;
}

// A second start of the real program by the same user on the same settings brings the running window back from
// the task bar, active, and ends without a window of its own; a copy in a program folder of its own is another
// program, with a window and a browser profile of its own. A copy that was killed does not stand in the way.
TEST_F(InstalledClient, ASecondStartBringsTheWindowToTheFront) {
    if (!test::OnDesktop()) return;
    fs::copy_file(LUMARO_PROGRAM_PATH, dir.path() / "usr" / "bin" / "lumaro");
    const QString program = QString::fromStdString(dir.file("usr/bin/lumaro"));
    const QString title = QStringLiteral("Lumaro(前台)");
    const auto start = [&](QProcess& process, const QString& path, const QProcessEnvironment& environment) {
        test::TieToTest(process);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(path, {});
    };

    fs::create_directories(dir.path() / "clerk" / "run");
    fs::permissions(dir.path() / "clerk" / "run", fs::perms::owner_all);
    QProcess first, second, other;
    start(first, program, Environment("clerk"));
    ASSERT_TRUE(WaitUntil([&] { return test::x11::WindowsTitled(title).size() == 1; }, 120000));
    // Asked again until it holds, of the window the title names then: while the program is still
    // starting, a request can reach a window the window manager has not taken on yet, or one that
    // is replaced.
    test::x11::Window window = 0;
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<test::x11::Window> windows = test::x11::WindowsTitled(title);
        if (windows.size() != 1) return false;
        window = windows.front();
        if (test::x11::IsMinimized(window)) return true;
        test::x11::Minimize(window);
        return false;
    }, 30000)) << "windows titled so: " << test::x11::WindowsTitled(title).size();

    start(second, program, Environment("clerk"));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(WaitUntil([&] { return !test::x11::IsMinimized(window) && test::x11::ActiveWindow() == window; }, 30000))
        << "minimized: " << test::x11::IsMinimized(window) << ", active: " << test::x11::ActiveWindow() << " ("
        << test::x11::TitleOf(test::x11::ActiveWindow()).toStdString() << ") not " << window;
    EXPECT_EQ(test::x11::WindowsTitled(title).size(), 1u);
    EXPECT_EQ(first.state(), QProcess::Running);

    fs::create_directories(dir.path() / "program" / "ini");
    test::WriteBytes(dir.path() / "program" / "ini" / "Lumaro.lic", "[Regist]\r\nDLL=True\r\n[ServerINFO]\r\nServerIP=http://127.0.0.1:9\r\n");
    fs::copy_file(LUMARO_PROGRAM_PATH, dir.path() / "program" / "Lumaro");
    start(other, QString::fromStdString(dir.file("program/Lumaro")), Environment("clerk"));
    EXPECT_TRUE(WaitUntil([&] { return test::x11::WindowsTitled(title).size() == 2; }, 120000));
    const fs::path data = dir.path() / "clerk" / ".local" / "share" / "Lumaro" / "Lumaro";
    EXPECT_TRUE(WaitUntil([&] {
        int profiles = 0;
        for (const auto& entry : fs::recursive_directory_iterator(data)) profiles += entry.path().filename() == "browser";
        return profiles == 2 && fs::is_directory(data / "browser");
    }));

    // A copy that died without ending cleanly leaves its lock and socket behind: the next start is the first again.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_TRUE(WaitUntil([&] { return test::x11::WindowsTitled(title).size() == 1; }, 30000));
    QProcess again;
    start(again, program, Environment("clerk"));
    EXPECT_TRUE(WaitUntil([&] { return test::x11::WindowsTitled(title).size() == 2; }, 120000));
    EXPECT_EQ(again.state(), QProcess::Running);
    for (QProcess* process : {&again, &other}) {
        process->kill();
        process->waitForFinished(30000);
    }
}

}  // namespace
}  // namespace lumaro
