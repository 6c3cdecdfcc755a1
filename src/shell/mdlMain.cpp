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
