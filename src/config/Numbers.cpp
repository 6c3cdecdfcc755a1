#include "config/Numbers.h"

#include <string>

namespace lumaro {

// Placeholder until the number routines are built.
double Val(std::string_view) { return 0; }
int16_t CInt(double v) { return static_cast<int16_t>(v); }
int32_t CLng(double v) { return static_cast<int32_t>(v); }
std::string NumberText(double v) { return std::to_string(v); }
std::string CentsText(double v) { return std::to_string(v); }
double CentsValue(std::string_view t) { return std::stod(std::string(t)); }

}  // namespace lumaro
