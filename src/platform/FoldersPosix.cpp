#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/Platform.h"

namespace lumaro::platform {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string AsFolder(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

}  // namespace

bool FolderExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolders(const std::string& path) {
    if (path.empty() || FolderExists(path)) return !path.empty();
    for (std::size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
        const std::string part = path.substr(0, at);
        // Private to its user: what a user's settings folder holds is nobody else's.
        if (!FolderExists(part) && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (at == std::string::npos) break;
    }
    return FolderExists(path);
}

std::string MachineSettingsFolder() {
    const std::string chosen = Variable("LUMARO_MACHINE_CONFIG_DIR");
    return AsFolder(chosen.empty() ? "/etc/lumaro" : chosen);
}

std::string UserSettingsFolder() {
    // The XDG base directories: a relative $XDG_CONFIG_HOME is invalid and ignored.
    std::string base = Variable("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = Variable("HOME");
        if (home.empty()) return {};
        base = AsFolder(home) + ".config";
    }
    return AsFolder(base) + "lumaro/";
}

}  // namespace lumaro::platform
