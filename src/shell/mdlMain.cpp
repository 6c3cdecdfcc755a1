#include "shell/mdlMain.h"

#include "config/Failure.h"
#include "config/mdlINI.h"

namespace lumaro {

namespace {

constexpr const char* FlagSection = "Regist";
constexpr const char* FlagKey = "DLL";
constexpr const char* Registered = "True";  // compared case-sensitively: "true" is a first run

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

StartupOutcome Main(const StartupHooks& hooks, platform::Launcher& launcher) {
    ConfigFilePath = ComposeConfigFilePath(GetAppFolder(), GetExecutableBaseName());

    if (ReadIniString(ConfigFilePath, FlagSection, FlagKey) != Registered) {
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
