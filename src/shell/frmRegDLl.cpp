#include "shell/frmRegDLl.h"

#include "config/mdlINI.h"

namespace lumaro {

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool IsComponentFile(const std::string& fileName) {
    if (fileName.size() < 4) return false;
    std::string tail = fileName.substr(fileName.size() - 4);
    for (char& c : tail) c = Upper(c);
    return tail == ".DLL" || tail == ".OCX";
}

frmRegDLl::frmRegDLl(platform::Launcher& launcher, std::function<void()> doEvents)
    : launcher_(launcher), doEvents_(std::move(doEvents)) {}

std::string frmRegDLl::ComponentFolder() { return GetAppFolder() + "Dll"; }

void frmRegDLl::Form_Load() {
    const std::string folder = ComponentFolder();
    const auto tool = platform::RegistrationTool();
    for (const std::string& name : platform::ListOrdinaryFiles(folder)) {
        if (!IsComponentFile(name)) continue;
        if (!tool) continue;  // no registration tool on this system: nothing to launch
        // The whole path is one argument, so a program folder with blanks works.
        launcher_.Start(*tool, {folder + platform::Separator + name}, platform::Show::Hidden);
        for (int i = 0; i < 5; ++i) {
            if (doEvents_) doEvents_();
        }
    }
}

}  // namespace lumaro
