#pragma once

#include <string>

// An installed client keeps its settings in two files of the one format: a
// machine-wide file that an administrator writes (and may copy to every desk),
// and under it nothing else; over it the user's own file, ConfigFilePath,
// holding only what the user set differently. ReadIniString and WriteIniString
// on ConfigFilePath see the two as one file:
// - a key the user's file holds (an empty value too) is the user's; every
//   other key is read from the machine-wide file, so an administrator's later
//   change reaches every user who has not set that key;
// - a value stored that differs from the machine-wide one goes into the
//   user's file; one equal to it leaves the key to the machine-wide file (and
//   takes it out of the user's).
// The machine-wide file is never written through ConfigFilePath.
namespace lumaro {

// The machine-wide file under ConfigFilePath; "" (the program-folder layout:
// one file) unless start-up found an installed client.
extern std::string MachineConfigFilePath;

// The machine-wide file that `file` lies over, or nullptr when `file` is an
// ordinary settings file.
const std::string* MachineFileUnder(const std::string& file);

// The two files of an installed client (see platform::MachineSettingsFolder
// and UserSettingsFolder); "" when the system tells no folder for it.
inline constexpr const char* InstalledSettingsName = "Lumaro.lic";
std::string MachineSettingsFile();
std::string UserSettingsFile();

}  // namespace lumaro
