// Start-up in a temporary program folder: what it launches, says and stores.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "config/Failure.h"
#include "config/mdlINI.h"
#include "core/TempDir.h"
#include "platform/Platform.h"
#include "shell/frmRegDLl.h"
#include "shell/mdlMain.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;
using test::ReadBytes, test::WriteBytes;

// A program folder for the running executable and a registration tool on the search path. The
// fixture is the launcher: every start-up event goes into one log, each pending-events pass a "+".
class Startup : public ::testing::Test, public platform::Launcher {
protected:
    void SetUp() override {
        WriteBytes(temp_.path() / "bin" / "regsvr32", "#!/bin/sh\nexit 0\n");
        fs::permissions(temp_.path() / "bin" / "regsvr32", fs::perms::owner_all);
        ::setenv("PATH", temp_.file("bin").c_str(), 1);
        UseProgramFolder(temp_.path() / "Agency", "Lumaro");
    }
    void TearDown() override {
        ::setenv("PATH", oldPath_.c_str(), 1);
        platform::OverrideExecutablePath(std::nullopt);
    }
    bool Open(const std::string& target, platform::Show) override { return log.push_back("open " + target), true; }
    bool Start(const std::string& program, const std::vector<std::string>& arguments, platform::Show show) override {
        std::string entry = program == temp_.file("bin/regsvr32") ? "register" : "start " + program;
        for (const auto& argument : arguments) entry += " [" + argument + "]";
        log.push_back(entry + (show == platform::Show::Hidden ? " hidden" : show == platform::Show::Normal ? " normal" : ""));
        return startSucceeds;
    }

    void UseProgramFolder(const fs::path& folder, const std::string& exeName) {
        folder_ = folder;
        exe_ = (folder / exeName).string();
        fs::create_directories(folder / "ini");
        platform::OverrideExecutablePath(exe_);
    }
    std::string Ini(const std::string& base = "Lumaro") const { return (folder_ / "ini" / (base + ".lic")).string(); }
    std::string Dll(const std::string& name) const { return (folder_ / "Dll" / name).string(); }

    // The flag is already stored when the user is told.
    StartupOutcome Run() {
        log.clear();
        const auto doEvents = [this] { (log.empty() ? log.emplace_back() : log.back()) += "+"; };
        return Main({.LoadRegistrationWindow = [&] { frmRegDLl(*this, doEvents).Form_Load(); },
                     .ShowInformation = [this](const std::string& text, const std::string& title) {
                         log.push_back(title + ": " + text + " (flag " + ReadIniString(ConfigFilePath, "Regist", "DLL") + ")");
                     },
                     .ShowMainWindow = [this] { log.push_back("main window"); }},
                    *this);
    }
    // A first run registering these components; a flag not reading back "True" does not restart.
    Log FirstRun(const std::vector<std::string>& components, const std::string& flag = "True") const {
        Log expected;
        for (const auto& name : components) expected.push_back("register [" + Dll(name) + "] hidden+++++");
        expected.push_back("动态库注册完毕: 软件第一次运行需要注册Windows动态库 (flag " + flag + ")");
        expected.push_back(flag == "True" ? "start " + exe_ : "main window");
        return expected;
    }

    test::TempDir temp_;
    fs::path folder_;
    std::string exe_, oldPath_ = std::getenv("PATH");  // restored after each test
    Log log;
    bool startSucceeds = true;
};

// Only the exact word "True" is a registered run; anything else (no ini folder too) registers,
// stores "True" keeping the rest of the file, tells the user and restarts.
TEST_F(Startup, TheFlagDecidesBetweenFirstAndRegisteredRun) {
    WriteBytes(Dll("Grid.ocx"), "MZ");
    const char* flags[] = {"True", "true", "TRUE", "tRUE", "", "False", "1", "Yes", "True.", "TrueX", nullptr};
    for (const char* flag : flags) {
        SCOPED_TRACE(flag ? flag : "no ini folder");
        const std::string content = std::string("[Setup]\r\nStatusBar=False\r\n[Regist]\r\nDLL=") + (flag ? flag : "") + "\r\n";
        fs::remove_all(folder_ / "ini");
        if (flag) WriteBytes(Ini(), content);
        const bool registered = flag && std::string(flag) == "True";
        EXPECT_EQ(Run(), registered ? StartupOutcome::MainWindowShown : StartupOutcome::Restarted);
        EXPECT_EQ(log, registered ? Log{"main window"} : FirstRun({"Grid.ocx"}));
        EXPECT_EQ(ReadIniString(Ini(), "Setup", "StatusBar"), flag ? "False" : "");
        EXPECT_TRUE(!registered || ReadBytes(Ini()) == content) << "a registered run writes nothing";
    }
}

// Foo finds its own Foo.lic and restarts as Foo; without a registration tool nothing is launched.
TEST_F(Startup, ARenamedExecutableUsesItsOwnSettingsFile) {
    WriteBytes(Ini("Lumaro"), "[Regist]\r\nDLL=True\r\n");
    WriteBytes(Dll("Grid.ocx"), "MZ");
    ::setenv("PATH", temp_.file("empty").c_str(), 1);
    UseProgramFolder(folder_, "Foo");
    EXPECT_EQ(Run(), StartupOutcome::Restarted);
    EXPECT_EQ(ConfigFilePath, Ini("Foo"));
    EXPECT_EQ(log, FirstRun({}));
}

// Where the flag cannot be stored (read-only folder or file), restarting would repeat forever: this
// instance goes on to the main window, the file untouched. A missing Dll folder counts as empty.
TEST_F(Startup, AFlagThatCannotBeStoredDoesNotRestart) {
    const std::string content = "[Regist]\r\nDLL=true\r\n[ServerTel]\r\nTel=123\r\n";
    for (const bool readOnlyFile : {false, true}) {
        UseProgramFolder(temp_.path() / (readOnlyFile ? "file" : "folder"), "Lumaro");
        if (readOnlyFile) WriteBytes(Ini(), content);
        fs::permissions(readOnlyFile ? fs::path(Ini()) : folder_ / "ini",
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
        EXPECT_EQ(Run(), StartupOutcome::MainWindowShown);
        EXPECT_EQ(log, FirstRun({}, readOnlyFile ? "true" : ""));
        EXPECT_EQ(fs::exists(Ini()) ? ReadBytes(Ini()) : "no file", readOnlyFile ? content : "no file");
    }
}

// Ordinary files whose last four characters are .DLL or .OCX in any case, in listing
// order, each passed whole however many blanks its path holds.
TEST_F(Startup, EveryComponentIsRegisteredOnceWithItsWholePath) {
    UseProgramFolder(temp_.path() / "Program Files" / "房产 中介", "Lumaro");
    for (const char* name : {"readme.txt", "GRID.Ocx", "dll", "My Grid.ocx", "b.DLL", "grid.OCX", "中文.dll", "a.dll.bak",
                             "x.dl", ".x.dll", "a.dll ", "adll", "ocx"})
        WriteBytes(Dll(name), "MZ");
    WriteBytes(Dll("a.dll") + "/inner.dll", "MZ");  // a folder
    EXPECT_EQ(Run(), StartupOutcome::Restarted);
    EXPECT_EQ(log, FirstRun({"b.DLL", "GRID.Ocx", "grid.OCX", "My Grid.ocx", "中文.dll"}));
}

// Reported with a number; the registration is recorded all the same.
TEST_F(Startup, ARestartThatCannotBeStartedFails) {
    startSucceeds = false;
    try {
        Run();
        ADD_FAILURE() << "no failure reported";
    } catch (const Fault& fault) {
        EXPECT_GT(fault.failure().Number, 0);
        EXPECT_FALSE(fault.failure().Description.empty());
    }
    EXPECT_EQ(ReadIniString(Ini(), "Regist", "DLL"), "True");
}

}  // namespace
}  // namespace lumaro
