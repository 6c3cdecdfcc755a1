#include "config/ServerSettings.h"

#include <cmath>
#include <limits>

#include "config/Failure.h"
#include "config/Numbers.h"

namespace lumaro {

std::string NormalizeServerId(const std::string& storedId) { return NumberText(Val(storedId)); }

int16_t DynasetValue(const std::string& storedFlag) {
    constexpr double lowest = std::numeric_limits<int16_t>::min();
    constexpr double highest = std::numeric_limits<int16_t>::max();
    double value = 0;
    try {
        value = Val(storedFlag);
    } catch (const Fault&) {
        return std::numeric_limits<int16_t>::max();  // beyond any double: certainly not zero
    }
    if (std::isnan(value)) return 0;
    if (value < lowest) value = lowest;
    if (value > highest) value = highest;
    return CInt(value);
}

}  // namespace lumaro
