// Start-up in a temporary program folder: what it launches, says and stores.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "config/Failure.h"
#include "config/SettingsLayers.h"
#include "config/mdlINI.h"
#include "core/Environment.h"
#include "core/TempDir.h"
#include "platform/Platform.h"
#include "shell/frmRegDLl.h"
#include "shell/mdlMain.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;
using test::PathOf, test::ReadBytes, test::Utf8Of, test::WriteBytes;

// A program folder for the running executable and a registration tool: the system's on Windows, one
// on the search path elsewhere. The fixture is the launcher: every start-up event goes into one log,
// each pending-events pass a "+".
class Startup : public ::testing::Test, public platform::Launcher {
protected:
    void SetUp() override {
#ifndef _WIN32
        WriteBytes(temp_.path() / "bin" / "regsvr32", "#!/bin/sh\nexit 0\n");
        fs::permissions(temp_.path() / "bin" / "regsvr32", fs::perms::owner_all);
#endif
        path_.emplace("PATH", temp_.file("bin"));
        tool_ = platform::RegistrationTool().value_or("none");
        UseProgramFolder(temp_.path() / "Agency", "Lumaro");
    }
    void TearDown() override { platform::OverrideExecutablePath(std::nullopt); }
    bool Open(const std::string& target, platform::Show) override { return log.push_back("open " + target), true; }
    bool Start(const std::string& program, const std::vector<std::string>& arguments, platform::Show show) override {
        std::string entry = program == tool_ ? "register" : "start " + program;
        for (const auto& argument : arguments) entry += " [" + argument + "]";
        log.push_back(entry + (show == platform::Show::Hidden ? " hidden" : show == platform::Show::Normal ? " normal" : ""));
        return true;
    }

    // The executable `base` (+ ".exe" on Windows) in `folder`.
    void UseProgramFolder(const fs::path& folder, const std::string& base) {
        folder_ = folder;
        exe_ = Utf8Of(folder / PathOf(base + ExeSuffix));
        fs::create_directories(folder / "ini");
        platform::OverrideExecutablePath(exe_);
    }
    std::string Ini(const std::string& base = "Lumaro") const { return Utf8Of(folder_ / "ini" / (base + ".lic")); }
    std::string Dll(const std::string& name) const { return Utf8Of(folder_ / "Dll" / PathOf(name)); }

    // The flag is already stored when the user is told. `running`: another copy runs on the same settings.
    StartupOutcome Run(bool running = false) {
        log.clear();
        const auto doEvents = [this] { log.back() += "+"; };
        return Main({.LoadRegistrationWindow = [&] { frmRegDLl(*this, doEvents).Form_Load(); },
                     .ShowInformation = [this](const std::string& text, const std::string& title) {
                         log.push_back(title + ": " + text + " (flag " + ReadIniString(ConfigFilePath, "Regist", "DLL") + ")");
                     },
                     .ShowMainWindow = [this] { log.push_back("main window"); },
                     .HandToRunningCopy = [this, running] { return log.push_back("hand over?"), running; }},
                    *this);
    }
    // A first run registering these components; a flag not reading back "True" does not restart.
    Log FirstRun(const std::vector<std::string>& components, const std::string& flag = "True") const {
        Log expected{"hand over?"};
        for (const auto& name : components) expected.push_back("register [" + Dll(name) + "] hidden+++++");
        expected.push_back("动态库注册完毕: 软件第一次运行需要注册Windows动态库 (flag " + flag + ")");
        expected.push_back(flag == "True" ? "start " + exe_ : "main window");
        return expected;
    }

#ifdef _WIN32
    static constexpr const char* ExeSuffix = ".exe";
#else
    static constexpr const char* ExeSuffix = "";
#endif
    test::TempDir temp_;
    std::optional<test::ScopedEnvironment> path_;
    std::string tool_;
    fs::path folder_;
    std::string exe_;
    Log log;
};

// Only the exact word "True" is a registered run; anything else registers, stores "True" keeping the rest
// of the file, tells the user and restarts.
TEST_F(Startup, TheFlagDecidesBetweenFirstAndRegisteredRun) {
    WriteBytes(Dll("Grid.ocx"), "MZ");
    for (const std::string flag : {"True", "true", "TRUE", "tRUE", "", "False", "1", "Yes", "True.", "TrueX"}) {
        SCOPED_TRACE(flag);
        const std::string content = "[Setup]\r\nStatusBar=False\r\n[Regist]\r\nDLL=" + flag + "\r\n";
        WriteBytes(Ini(), content);
        const bool registered = flag == "True";
        EXPECT_EQ(Run(), registered ? StartupOutcome::MainWindowShown : StartupOutcome::Restarted);
        EXPECT_EQ(log, registered ? (Log{"hand over?", "main window"}) : FirstRun({"Grid.ocx"}));
        EXPECT_EQ(ReadIniString(Ini(), "Setup", "StatusBar"), "False");
        EXPECT_TRUE(!registered || ReadBytes(Ini()) == content) << "a registered run writes nothing";
    }
    // No settings file in the ini folder is a first run too.
    fs::remove(PathOf(Ini()));
    EXPECT_EQ(Run(), StartupOutcome::Restarted);
    EXPECT_EQ(ReadIniString(Ini(), "Regist", "DLL"), "True");
}

// Where the flag cannot be stored (read-only file, or no folder for it), restarting would repeat
// forever: this instance goes on to the main window, the file untouched. A missing Dll folder counts
// as empty. Windows has no read-only folders: there a file stands where the folder belongs.
TEST_F(Startup, AFlagThatCannotBeStoredDoesNotRestart) {
    const std::string content = "[Regist]\r\nDLL=true\r\n[ServerTel]\r\nTel=123\r\n";
    for (const bool readOnlyFile : {false, true}) {
        UseProgramFolder(temp_.path() / (readOnlyFile ? "file" : "folder"), "Lumaro");
        if (readOnlyFile) WriteBytes(Ini(), content);
#ifdef _WIN32
        if (!readOnlyFile) fs::remove(folder_ / "ini"), WriteBytes(folder_ / "ini", "");
        if (readOnlyFile)
#endif
        fs::permissions(readOnlyFile ? PathOf(Ini()) : folder_ / "ini",
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
        EXPECT_EQ(Run(), StartupOutcome::MainWindowShown);
        EXPECT_EQ(log, FirstRun({}, readOnlyFile ? "true" : ""));
        EXPECT_EQ(fs::is_regular_file(PathOf(Ini())) ? ReadBytes(PathOf(Ini())) : "no file", readOnlyFile ? content : "no file");
    }
}

// A folder where the settings file belongs (or a file that cannot be read) would read as a first run every time and
// register, restart and say so again: instead start-up ends with a failure that names it, registering nothing.
TEST_F(Startup, ASettingsFileThatCannotBeReadIsNamed) {
    WriteBytes(Dll("Grid.ocx"), "MZ");
    fs::create_directories(PathOf(Ini()));
    long number = 0;
    std::string said;
    try {
        Run();
    } catch (const Fault& fault) {
        number = fault.failure().Number;
        said = fault.failure().Description;
    }
    EXPECT_EQ(number, 75);
    EXPECT_EQ(said, "设置文件“" + Ini() + "”是一个文件夹，不是设置文件。请删除或改名这个文件夹后再启动本程序。");
    EXPECT_EQ(log, Log{});
    EXPECT_TRUE(fs::is_directory(PathOf(Ini())));
    // A readable file, or none yet, is no problem.
    EXPECT_EQ(SettingsFileProblem(Ini("Missing")), "");
    fs::remove(PathOf(Ini()));
    WriteBytes(Ini(), "[Regist]\r\nDLL=True\r\n");
    EXPECT_EQ(SettingsFileProblem(Ini()), "");
}

// Ordinary files whose last four characters are .DLL or .OCX in any case, in listing order, each passed whole
// however many blanks its path holds (only outside Windows do names differ in case alone, or end in a blank).
TEST_F(Startup, EveryComponentIsRegisteredOnceWithItsWholePath) {
    UseProgramFolder(temp_.path() / "Program Files" / PathOf("房产 中介"), "Lumaro");
    for (const char* name : {"readme.txt", "GRID.Ocx", "dll", "My Grid.ocx", "b.DLL", "中文.dll", "a.dll.bak", "x.dl",
                             "adll", "ocx"})
        WriteBytes(Dll(name), "MZ");
#ifdef _WIN32
    const std::vector<std::string> registered = {"b.DLL", "GRID.Ocx", "My Grid.ocx", "中文.dll"};
#else
    for (const char* name : {"grid.OCX", "a.dll "}) WriteBytes(Dll(name), "MZ");
    const std::vector<std::string> registered = {"b.DLL", "GRID.Ocx", "grid.OCX", "My Grid.ocx", "中文.dll"};
#endif
    EXPECT_EQ(Run(), StartupOutcome::Restarted);
    EXPECT_EQ(log, FirstRun(registered));
}

// Without an ini folder beside it the program is an installed client: its settings are the user's own file
// (its folder made at the start, parents too) over the machine-wide one; nothing is registered and nothing
// said, whatever either file holds, and nothing is written.
TEST_F(Startup, AnInstalledClientRegistersNothing) {
#ifdef _WIN32
    const fs::path user = temp_.path() / "Roaming" / "Lumaro";
    const test::ScopedEnvironment home("APPDATA", temp_.file("Roaming"));
#else
    const fs::path user = temp_.path() / "home" / ".config" / "lumaro";
    const test::ScopedEnvironment home("XDG_CONFIG_HOME", temp_.file("home/.config"));
#endif
    const test::ScopedEnvironment machine("LUMARO_MACHINE_CONFIG_DIR", temp_.file("etc"));
    UseProgramFolder(temp_.path() / "usr" / "bin", "lumaro");
    fs::remove(folder_ / "ini");
    WriteBytes(Dll("Grid.ocx"), "MZ");
    for (const std::string flag : {"", "[Regist]\r\nDLL=True\r\n", "[Regist]\r\nDLL=true\r\n"}) {
        SCOPED_TRACE(flag);
        fs::remove_all(temp_.path() / "home");
        fs::remove_all(temp_.path() / "Roaming");
        WriteBytes(temp_.path() / "etc" / "Lumaro.lic", flag);
        EXPECT_EQ(Run(), StartupOutcome::MainWindowShown);
        EXPECT_EQ(log, (Log{"hand over?", "main window"}));
        EXPECT_EQ(PathOf(ConfigFilePath), user / "Lumaro.lic");
        EXPECT_EQ(PathOf(MachineConfigFilePath), temp_.path() / "etc" / "Lumaro.lic");
        EXPECT_TRUE(fs::is_directory(user));
        EXPECT_FALSE(fs::exists(user / "Lumaro.lic"));
        EXPECT_EQ(ReadBytes(temp_.path() / "etc" / "Lumaro.lic"), flag);
    }
}

// A copy already running on the same settings takes over: this start registers nothing, shows nothing.
TEST_F(Startup, ASecondStartHandsOver) {
    WriteBytes(Dll("Grid.ocx"), "MZ");
    for (const std::string settings : {"", "[Regist]\r\nDLL=True\r\n"}) {
        WriteBytes(Ini(), settings);
        EXPECT_EQ(Run(true), StartupOutcome::HandedOver);
        EXPECT_EQ(log, Log{"hand over?"});
        EXPECT_EQ(ReadBytes(Ini()), settings);
    }
}

}  // namespace
}  // namespace lumaro
