#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/Failure.h"
#include "config/mdlINI.h"
#include "core/TempDir.h"
#include "platform/Platform.h"
#include "shell/frmRegDLl.h"
#include "shell/mdlMain.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Remembers what would have been started, in one log with the other start-up events.
class RecordingLauncher : public platform::Launcher {
public:
    struct Launch {
        std::string program;
        std::vector<std::string> arguments;
        platform::Show show;
    };
    explicit RecordingLauncher(std::vector<std::string>& log) : log_(log) {}
    bool Open(const std::string& target, platform::Show) override {
        log_.push_back("open " + target);
        return true;
    }
    bool Start(const std::string& program, const std::vector<std::string>& arguments, platform::Show show) override {
        launches.push_back({program, arguments, show});
        log_.push_back("start " + program);
        return startSucceeds;
    }
    std::vector<Launch> launches;
    bool startSucceeds = true;

private:
    std::vector<std::string>& log_;
};

constexpr fs::perms ReadOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
constexpr fs::perms ReadOnlyFile = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

// A program folder in a temporary place, with the running executable pointing
// into it and a registration tool on the search path.
class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("PATH")) oldPath_ = old;
        const auto tools = tools_.path() / "bin";
        WriteBytes(tools / "regsvr32", "#!/bin/sh\nexit 0\n");
        fs::permissions(tools / "regsvr32", fs::perms::owner_all);
        regsvr32_ = (tools / "regsvr32").string();
        ::setenv("PATH", tools.string().c_str(), 1);
        UseProgramFolder(temp_.path() / "Agency", "Lumaro");
    }

    void TearDown() override {
        ::setenv("PATH", oldPath_.c_str(), 1);
        platform::OverrideExecutablePath(std::nullopt);
        ConfigFilePath.clear();
    }

    void UseProgramFolder(const fs::path& folder, const std::string& exeName) {
        folder_ = folder;
        exe_ = folder / exeName;
        WriteBytes(exe_, "program");
        fs::create_directories(folder / "ini");
        platform::OverrideExecutablePath(exe_.string());
    }

    fs::path Ini(const std::string& base = "Lumaro") const { return folder_ / "ini" / (base + ".lic"); }

    void AddComponents(const std::vector<std::string>& names) {
        for (const auto& name : names) WriteBytes(folder_ / "Dll" / name, "MZ");
    }

    StartupOutcome Run() {
        StartupHooks hooks;
        hooks.LoadRegistrationWindow = [this] {
            log.push_back("load registration");
            frmRegDLl(launcher, [this] { log.push_back("events"); }).Form_Load();
            log.push_back("unload registration");
        };
        hooks.ShowInformation = [this](const std::string& text, const std::string& title) {
            messages.push_back({text, title});
            // The flag is already stored when the user is told.
            log.push_back("message, flag " + ReadIniString(ConfigFilePath, "Regist", "DLL"));
        };
        hooks.ShowMainWindow = [this] { log.push_back("main window"); };
        return Main(hooks, launcher);
    }

    std::vector<std::string> ComponentLaunches() const {
        std::vector<std::string> paths;
        for (const auto& launch : launcher.launches) {
            if (launch.program != regsvr32_) continue;
            EXPECT_EQ(launch.arguments.size(), 1u);  // the whole path, blanks and all, as one argument
            EXPECT_EQ(launch.show, platform::Show::Hidden);
            if (!launch.arguments.empty()) paths.push_back(launch.arguments.front());
        }
        return paths;
    }

    std::vector<std::string> RestartLaunches() const {
        std::vector<std::string> programs;
        for (const auto& launch : launcher.launches) {
            if (launch.program == regsvr32_) continue;
            EXPECT_TRUE(launch.arguments.empty());
            EXPECT_EQ(launch.show, platform::Show::MinimizedWithFocus);
            programs.push_back(launch.program);
        }
        return programs;
    }

    struct Message {
        std::string text, title;
    };

    TempDir temp_, tools_;
    fs::path folder_, exe_;
    std::string regsvr32_, oldPath_;
    std::vector<std::string> log;
    std::vector<Message> messages;
    RecordingLauncher launcher{log};
};

TEST_F(Startup, FirstRunRegistersStoresTheFlagTellsTheUserAndRestarts) {
    AddComponents({"Grid.ocx", "readme.txt"});

    EXPECT_EQ(Run(), StartupOutcome::Restarted);

    EXPECT_EQ(ConfigFilePath, (folder_ / "ini" / "Lumaro.lic").string());
    EXPECT_EQ(ReadIniString(ConfigFilePath, "Regist", "DLL"), "True");
    EXPECT_NE(ReadBytes(Ini()).find("DLL=True"), std::string::npos);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "软件第一次运行需要注册Windows动态库");
    EXPECT_EQ(messages[0].title, "动态库注册完毕");
    EXPECT_EQ(RestartLaunches(), std::vector<std::string>{exe_.string()});
    const std::vector<std::string> expected = {
        "load registration", "start " + regsvr32_, "events", "events", "events", "events", "events",
        "unload registration", "message, flag True", "start " + exe_.string()};
    EXPECT_EQ(log, expected);
}

TEST_F(Startup, RegisteredRunShowsTheMainWindowOnly) {
    AddComponents({"Grid.ocx"});
    WriteBytes(Ini(), "[Regist]\r\nDLL=True\r\n");

    EXPECT_EQ(Run(), StartupOutcome::MainWindowShown);

    EXPECT_EQ(ConfigFilePath, Ini().string());
    EXPECT_EQ(log, std::vector<std::string>{"main window"});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ReadBytes(Ini()), "[Regist]\r\nDLL=True\r\n");
}

class StartupFlag : public Startup, public ::testing::WithParamInterface<std::string> {};

// Only the exact word counts; anything else is a first run that stores "True".
TEST_P(StartupFlag, NotExactlyTrueIsAFirstRun) {
    WriteBytes(Ini(), "[Setup]\r\nStatusBar=False\r\n[Regist]\r\nDLL=" + GetParam() + "\r\n");

    EXPECT_EQ(Run(), StartupOutcome::Restarted);

    EXPECT_EQ(ReadIniString(ConfigFilePath, "Regist", "DLL"), "True");
    EXPECT_EQ(ReadIniString(ConfigFilePath, "Setup", "StatusBar"), "False");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(RestartLaunches(), std::vector<std::string>{exe_.string()});
}

INSTANTIATE_TEST_SUITE_P(Values, StartupFlag,
                         ::testing::Values("true", "TRUE", "tRUE", "", "False", "1", "Yes", "True.", "TrueX"));

TEST_F(Startup, TheRestartedInstanceFindsTheFlagAndShowsTheMainWindow) {
    ASSERT_EQ(Run(), StartupOutcome::Restarted);
    log.clear();
    messages.clear();
    launcher.launches.clear();

    EXPECT_EQ(Run(), StartupOutcome::MainWindowShown);
    EXPECT_EQ(log, std::vector<std::string>{"main window"});
    EXPECT_TRUE(messages.empty());
}

TEST_F(Startup, RenamedExecutableUsesItsOwnSettingsFile) {
    WriteBytes(Ini("Lumaro"), "[Regist]\r\nDLL=True\r\n");
    UseProgramFolder(folder_, "Foo");

    EXPECT_EQ(Run(), StartupOutcome::Restarted);

    EXPECT_EQ(ConfigFilePath, Ini("Foo").string());
    EXPECT_EQ(ReadIniString(Ini("Foo").string(), "Regist", "DLL"), "True");
    EXPECT_EQ(RestartLaunches(), std::vector<std::string>{(folder_ / "Foo").string()});
}

// Where the flag cannot be stored, restarting would repeat forever: this
// instance goes on to the main window instead.
TEST_F(Startup, ReadOnlyIniFolderDoesNotRestart) {
    fs::permissions(folder_ / "ini", ReadOnlyFolder);

    EXPECT_EQ(Run(), StartupOutcome::MainWindowShown);

    EXPECT_FALSE(fs::exists(Ini()));
    EXPECT_TRUE(RestartLaunches().empty());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(log.back(), "main window");
}

TEST_F(Startup, ReadOnlySettingsFileDoesNotRestartAndStaysUnchanged) {
    const std::string content = "[Regist]\r\nDLL=true\r\n[ServerTel]\r\nTel=123\r\n";
    WriteBytes(Ini(), content);
    fs::permissions(Ini(), ReadOnlyFile);

    EXPECT_EQ(Run(), StartupOutcome::MainWindowShown);

    EXPECT_EQ(ReadBytes(Ini()), content);
    EXPECT_TRUE(RestartLaunches().empty());
    EXPECT_EQ(log.back(), "main window");
}

TEST_F(Startup, MissingIniFolderOfAFreshProgramIsCreatedAndTheFlagKept) {
    fs::remove(folder_ / "ini");

    EXPECT_EQ(Run(), StartupOutcome::Restarted);
    EXPECT_EQ(ReadIniString(Ini().string(), "Regist", "DLL"), "True");
}

TEST_F(Startup, RestartThatCannotBeStartedIsReportedWithANumber) {
    launcher.startSucceeds = false;
    try {
        Run();
        FAIL() << "no failure reported";
    } catch (const Fault& fault) {
        EXPECT_GT(fault.failure().Number, 0);
        EXPECT_FALSE(fault.failure().Description.empty());
    }
    // The registration is done and recorded all the same.
    EXPECT_EQ(ReadIniString(ConfigFilePath, "Regist", "DLL"), "True");
}

TEST_F(Startup, ComponentSelectionAndOrder) {
    AddComponents({"readme.txt", "GRID.Ocx", "dll", "Grid.ocx", "b.DLL", "grid.OCX", "中文.dll", "a.dll.bak", "x.dl",
                   ".x.dll"});
    fs::create_directories(folder_ / "Dll" / "a.dll");
    WriteBytes(folder_ / "Dll" / "a.dll" / "inner.dll", "MZ");
    int events = 0;

    frmRegDLl(launcher, [&] { ++events; }).Form_Load();

    const std::string dll = (folder_ / "Dll").string() + "/";
    const std::vector<std::string> expected = {dll + "b.DLL", dll + "GRID.Ocx", dll + "Grid.ocx", dll + "grid.OCX",
                                               dll + "中文.dll"};
    EXPECT_EQ(ComponentLaunches(), expected);
    EXPECT_EQ(launcher.launches.size(), expected.size());
    EXPECT_EQ(events, 5 * static_cast<int>(expected.size()));
}

TEST_F(Startup, FolderWithBlanksPassesEachPathWhole) {
    UseProgramFolder(temp_.path() / "Program Files" / "房产 中介", "Lumaro");
    AddComponents({"My Grid.ocx", "a.dll"});

    EXPECT_EQ(Run(), StartupOutcome::Restarted);

    const std::string dll = (folder_ / "Dll").string() + "/";
    EXPECT_EQ(ComponentLaunches(), (std::vector<std::string>{dll + "a.dll", dll + "My Grid.ocx"}));
    EXPECT_EQ(RestartLaunches(), std::vector<std::string>{exe_.string()});
}

TEST_F(Startup, MissingOrEmptyDllFolderRegistersNothingAndGoesOn) {
    EXPECT_EQ(Run(), StartupOutcome::Restarted);  // no Dll folder at all
    EXPECT_TRUE(ComponentLaunches().empty());
    EXPECT_EQ(ReadIniString(ConfigFilePath, "Regist", "DLL"), "True");

    fs::create_directories(folder_ / "Dll");
    fs::remove(Ini());
    launcher.launches.clear();
    EXPECT_EQ(Run(), StartupOutcome::Restarted);
    EXPECT_TRUE(ComponentLaunches().empty());
    EXPECT_EQ(RestartLaunches().size(), 1u);
}

TEST_F(Startup, NoRegistrationToolLaunchesNothingButStoresTheFlag) {
    AddComponents({"Grid.ocx", "a.dll"});
    ::setenv("PATH", temp_.file("empty").c_str(), 1);

    EXPECT_EQ(Run(), StartupOutcome::Restarted);

    EXPECT_TRUE(ComponentLaunches().empty());
    EXPECT_EQ(ReadIniString(ConfigFilePath, "Regist", "DLL"), "True");
    EXPECT_EQ(RestartLaunches(), std::vector<std::string>{exe_.string()});
}

TEST(IsComponentFile, LastFourCharactersRegardlessOfCase) {
    struct Case {
        const char* name;
        bool component;
    };
    const Case cases[] = {
        {"grid.OCX", true}, {"Grid.ocx", true}, {"GRID.Ocx", true}, {"a.dll", true},     {"A.DLL", true},
        {".dll", true},     {"中文.Dll", true}, {"readme.txt", false}, {"dll", false},   {"ocx", false},
        {"", false},        {"a.dll.bak", false}, {"x.dl", false},  {"a.dll ", false}, {"adll", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsComponentFile(c.name), c.component) << c.name;
}

}  // namespace
}  // namespace lumaro
