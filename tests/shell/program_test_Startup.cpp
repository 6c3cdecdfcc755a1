// Start-up as the program runs it: main.cpp (its main renamed) in a child process per start, in a program folder
// of its own, with the launcher and the message boxes recorded and printed for the test to read.
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "core/Processes.h"
#include "core/TempDir.h"
#include "platform/Platform.h"
#include "shell/frmMain.h"
#include "ui/WindowKit.h"

int LumaroMain(int argc, char** argv);  // main.cpp's main

namespace lumaro {
namespace {

namespace fs = std::filesystem;

void Print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Prints every launch; starting the program itself (the restart) fails when asked to.
class PrintingLauncher : public platform::Launcher {
public:
    bool restartFails = false;
    bool Open(const std::string& target, platform::Show) override { return Print(ui::Q("open " + target)), true; }
    bool Start(const std::string& program, const std::vector<std::string>& arguments, platform::Show show) override {
        QString line = ui::Q("start " + program);
        for (const std::string& argument : arguments) line += ui::Q(" [" + argument + "]");
        Print(line + QStringList{"", " hidden", " minimized"}[static_cast<int>(show)]);
        return !(restartFails && program == platform::ExecutablePath());
    }
};

// Once the program's event loop runs, reports its main window and ends the loop.
void ReportTheMainWindow() {
    frmMain* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<frmMain*>(widget)) window = main;
    if (!window || QThread::currentThread()->loopLevel() < 1) {
        QTimer::singleShot(10, ReportTheMainWindow);
        return;
    }
    Print(QStringLiteral("main window %1 %2, status bar %3, Tel %4")
              .arg(window->windowTitle(), window->isVisible() ? "shown" : "hidden",
                   window->sbStatusBar->isHidden() ? "off" : "on", window->StatusPanel("Tel")->text()));
    QCoreApplication::exit(0);
}

// The program in the folder args[0], with regsvr32 and the browser's data in it; args[1] "fails": the restart fails.
LUMARO_CHILD_ROLE(Program) {
    static PrintingLauncher launcher;
    launcher.restartFails = args.at(1) == "fails";
    platform::SetLauncher(&launcher);
    platform::OverrideExecutablePath(args.at(0) + "/Lumaro");
    ::setenv("PATH", (args.at(0) + "/bin").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (args.at(0) + "/data").c_str(), 1);
    ui::SetMessageSink([](const QString& text, const QString& title, ui::MsgIcon icon) {
        Print("say " + title + ": " + QString(text).replace('\n', '|') +
              QStringList{"", " (information)", " (warning)"}[static_cast<int>(icon)]);
    });
    qAddPreRoutine([] { QTimer::singleShot(0, ReportTheMainWindow); });
    char name[] = "Lumaro";
    char* argv[] = {name, nullptr};
    Print(QStringLiteral("exit %1").arg(LumaroMain(1, argv)));
    return 0;
}

// Registered: the main window loaded (its status bar and Tel panel from the file) and shown. A first run: the
// components registered, the flag stored, the message with its icon, the program started again and this instance
// ended; a restart that cannot be started is reported with its number, and the program ends with an error. A folder
// in the settings file's place is named, and the program ends without registering anything.
TEST(Startup, TheProgramsEntryPoint) {
    const std::string registered = "[Regist]\nDLL=True\n[Setup]\nStatusBar=False\n[ServerTel]\nTel=010-1\n"
                                   "[ServerINFO]\nServerIP=http://127.0.0.1:9/\nDynasetIP=0\n";
    const std::string firstRun = "start {dir}/bin/regsvr32 [{dir}/Dll/Grid.ocx] hidden\n"
                                 "say 动态库注册完毕: 软件第一次运行需要注册Windows动态库 (information)\n"
                                 "start {dir}/Lumaro minimized\n";
    const struct { std::string settings, restart, printed; } rows[] = {
        {registered, "starts", "main window Lumaro(前台) shown, status bar off, Tel 010-1\nexit 0\n"},
        {"", "starts", firstRun + "exit 0\n"},
        {"[Regist]\nDLL=true\n", "fails", firstRun + "say Lumaro: 实时错误 '53':||文件未找到：{dir}/Lumaro (warning)\nexit 1\n"},
        {"a folder", "starts", "say Lumaro: 实时错误 '75':||设置文件“{dir}/ini/Lumaro.lic”是一个文件夹，不是设置文件。"
                               "请删除或改名这个文件夹后再启动本程序。 (warning)\nexit 1\n"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.settings + row.restart);
        test::TempDir dir;
        const bool folder = row.settings == "a folder";
        if (folder) fs::create_directories(dir.path() / "ini" / "Lumaro.lic");
        else test::WriteBytes(dir.path() / "ini" / "Lumaro.lic", row.settings);
        test::WriteBytes(dir.path() / "Dll" / "Grid.ocx", "MZ");
        test::WriteBytes(dir.path() / "bin" / "regsvr32", "#!/bin/sh\n");
        fs::permissions(dir.path() / "bin" / "regsvr32", fs::perms::owner_all);
        const test::Outcome outcome = test::RunChild("Program", {dir.path().string(), row.restart});
        std::string printed = outcome.out;
        for (size_t at; (at = printed.find(dir.path().string())) != std::string::npos;) printed.replace(at, dir.path().string().size(), "{dir}");
        EXPECT_EQ(printed, row.printed) << outcome.err;
        EXPECT_TRUE(folder ? fs::is_directory(dir.path() / "ini" / "Lumaro.lic")
                           : test::ReadBytes(dir.path() / "ini" / "Lumaro.lic").find("DLL=True") != std::string::npos);
    }
}

}  // namespace
}  // namespace lumaro
