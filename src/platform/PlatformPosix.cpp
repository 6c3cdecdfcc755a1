#include "platform/Platform.h"

namespace lumaro::platform {

// Placeholder until the POSIX layer is built.
std::string ExecutablePath() { return {}; }
void OverrideExecutablePath(std::optional<std::string>) {}
std::string SystemDirectory() { return "/usr/bin"; }
bool FileExists(const std::string&) { return false; }
std::vector<std::string> ListOrdinaryFiles(const std::string&) { return {}; }
std::optional<std::string> FindOnPath(const std::string&) { return std::nullopt; }
std::optional<std::string> RegistrationTool() { return std::nullopt; }
Launcher& SystemLauncher() {
    struct None : Launcher {
        bool Open(const std::string&, Show) override { return false; }
        bool Start(const std::string&, const std::vector<std::string>&, Show) override { return false; }
    };
    static None none;
    return none;
}
Launcher& CurrentLauncher() { return SystemLauncher(); }
void SetLauncher(Launcher*) {}

}  // namespace lumaro::platform
