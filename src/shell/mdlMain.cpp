#include "shell/mdlMain.h"

namespace lumaro {

// Placeholder until start-up is built.
std::string ComposeConfigFilePath(const std::string& appFolder, const std::string& baseName) {
    return appFolder + "ini/" + baseName + ".lic";
}
std::string RestartCommand() { return {}; }
StartupOutcome Main(const StartupHooks& hooks, platform::Launcher&) {
    hooks.ShowMainWindow();
    return StartupOutcome::MainWindowShown;
}

}  // namespace lumaro
