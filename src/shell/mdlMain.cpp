#include "shell/mdlMain.h"

#include "config/Failure.h"
#include "config/SettingsLayers.h"
#include "config/mdlINI.h"

namespace lumaro {

namespace {

constexpr const char* FlagSection = "Regist";
constexpr const char* FlagKey = "DLL";
constexpr const char* Registered = "True";  // compared case-sensitively: "true" is a first run

SettingsLayout layout = SettingsLayout::ProgramFolder;

}  // namespace

std::string ComposeConfigFilePath(const std::string& appFolder, const std::string& baseName) {
    return appFolder + "ini" + platform::Separator + baseName + ".lic";
}

std::string RestartCommand() {
#ifdef _WIN32
    return GetAppFolder() + GetExecutableBaseName() + ".exe";
#else
    return platform::ExecutablePath();
#endif
}

std::string SettingsFileProblem(const std::string& path) {
    const std::string named = "设置文件“" + path + "”";
    switch (platform::CheckFileAccess(path)) {
    case platform::FileAccess::Missing:
    case platform::FileAccess::Readable: return {};
    case platform::FileAccess::Folder: return named + "是一个文件夹，不是设置文件。请删除或改名这个文件夹后再启动本程序。";
    case platform::FileAccess::NotAFile: return named + "不是普通文件，无法读取。";
    case platform::FileAccess::Unreadable: break;
    }
    return "无法读取" + named + "：没有读取它的权限，或它正被其他程序独占。";
}

SettingsPlace PlaceSettings(const std::string& appFolder, const std::string& baseName) {
    // Anything called ini marks a program folder, also a file where its folder should be.
    const std::string ini = appFolder + "ini";
    if (platform::FolderExists(ini) || platform::FileExists(ini)) {
        return {SettingsLayout::ProgramFolder, ComposeConfigFilePath(appFolder, baseName), {}};
    }
    return {SettingsLayout::Installed, UserSettingsFile(), MachineSettingsFile()};
}

SettingsLayout CurrentLayout() { return layout; }

StartupOutcome Main(const StartupHooks& hooks, platform::Launcher& launcher) {
    const SettingsPlace place = PlaceSettings(GetAppFolder(), GetExecutableBaseName());
    ConfigFilePath = place.file;
    MachineConfigFilePath = place.machineFile;
    layout = place.layout;
    for (const std::string& file : {ConfigFilePath, MachineConfigFilePath})
        if (const std::string problem = file.empty() ? "" : SettingsFileProblem(file); !problem.empty())
            throw Fault(75, problem);
    if (place.layout == SettingsLayout::Installed) {
        // A fresh account may lack even ~/.config; the user's first change must find its folder.
        platform::CreateFolders(platform::UserSettingsFolder());
    }

    if (hooks.HandToRunningCopy && hooks.HandToRunningCopy()) return StartupOutcome::HandedOver;

    // An installed client has nothing to register: its package brought everything it needs.
    const bool firstRun = place.layout == SettingsLayout::ProgramFolder &&
                          ReadIniString(ConfigFilePath, FlagSection, FlagKey) != Registered;
    if (firstRun) {
        hooks.LoadRegistrationWindow();
        WriteIniString(ConfigFilePath, FlagSection, FlagKey, Registered);
        hooks.ShowInformation(RegisteredText, RegisteredTitle);

        // A flag that did not stick (read-only folder or file) would make every
        // start register and restart again, forever: carry on in this instance.
        if (ReadIniString(ConfigFilePath, FlagSection, FlagKey) == Registered) {
            if (!launcher.Start(RestartCommand(), {}, platform::Show::MinimizedWithFocus))
                throw Fault(53, "文件未找到：" + RestartCommand());
            return StartupOutcome::Restarted;
        }
    }

    hooks.ShowMainWindow();
    return StartupOutcome::MainWindowShown;
}

}  // namespace lumaro
