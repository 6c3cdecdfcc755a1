#include "platform/Platform.h"

namespace lumaro::platform {

// Placeholder until the code-page conversion is built.
std::string ToAnsi(std::string_view utf8) { return std::string(utf8); }
std::string FromAnsi(std::string_view ansi) { return std::string(ansi); }

}  // namespace lumaro::platform
