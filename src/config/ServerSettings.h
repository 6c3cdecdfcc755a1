#pragma once

#include <cstdint>
#include <string>

// How the stored values of section ServerINFO are taken as numbers: the server
// dialog and the server connection read them the same way.
namespace lumaro {

// ServerID on the first reading of a connection: the leading-number parse
// written back as plain decimal text ("000888" -> "888", "" -> "0", "12a" -> "12").
std::string NormalizeServerId(const std::string& storedId);

// DynasetIP as a number: the leading-number parse rounded to the nearest
// integer, halves to even ("0.4" -> 0, "0.6" -> 1, "2.5" -> 2). A hand-edited
// value beyond 16 bits saturates instead of failing, so any text that reads as
// non-zero switches the lookup on.
int16_t DynasetValue(const std::string& storedFlag);

}  // namespace lumaro
