#include "config/SettingsLayers.h"

#include "config/mdlINI.h"
#include "platform/Platform.h"

namespace lumaro {

std::string MachineConfigFilePath;

const std::string* MachineFileUnder(const std::string& file) {
    if (MachineConfigFilePath.empty() || file != ConfigFilePath) return nullptr;
    return &MachineConfigFilePath;
}

namespace {
std::string In(const std::string& folder) { return folder.empty() ? folder : folder + InstalledSettingsName; }
}  // namespace

std::string MachineSettingsFile() { return In(platform::MachineSettingsFolder()); }
std::string UserSettingsFile() { return In(platform::UserSettingsFolder()); }

}  // namespace lumaro
