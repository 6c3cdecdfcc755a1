#include "config/mdlINI.h"
#include "platform/Platform.h"

namespace lumaro {

// Placeholder until the shared routines are built.
std::string GetAppFolder() { return {}; }
std::string GetSystemFolder() { return {}; }
std::string NormalizeFolder(std::string path, char) { return path; }
std::string GetExecutableBaseName() { return "Lumaro"; }
std::string GetTextBetween(const std::string&, const std::string&, const std::string&) { return {}; }

}  // namespace lumaro
