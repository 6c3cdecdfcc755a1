#include "config/mdlINI.h"

namespace lumaro {

std::string ConfigFilePath;

// Placeholder until the settings file is built.
std::string ReadIniString(const std::string&, const std::string&, const std::string&) { return {}; }
void WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value) {
    WriteIniValue(file, section, key, value);
}
IniWriteResult WriteIniValue(const std::string&, const std::string&, const std::string&, const std::string&) {
    return IniWriteResult::Failed;
}

}  // namespace lumaro
