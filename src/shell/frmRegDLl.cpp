#include "shell/frmRegDLl.h"

namespace lumaro {

// Placeholder until registration is built.
bool IsComponentFile(const std::string&) { return false; }
frmRegDLl::frmRegDLl(platform::Launcher& launcher, std::function<void()> doEvents)
    : launcher_(launcher), doEvents_(std::move(doEvents)) {}
void frmRegDLl::Form_Load() {}

}  // namespace lumaro
