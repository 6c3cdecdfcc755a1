#include "mortgage/ScheduleBoxes.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

#include "config/Failure.h"
#include "config/Numbers.h"

namespace lumaro {
namespace {

constexpr const char* TooLarge = "数字太大，无法计算";

bool CutPrefix(std::string& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return false;
    text.erase(0, prefix.size());
    return true;
}

// The first of `suffixes` the text ends in, cut off; its index, or -1.
int CutSuffix(std::string& text, std::initializer_list<std::string_view> suffixes) {
    int index = 0;
    for (std::string_view suffix : suffixes) {
        if (text.size() > suffix.size() && text.ends_with(suffix)) {
            text.resize(text.size() - suffix.size());
            return index;
        }
        ++index;
    }
    return -1;
}

BoxReading Refused(std::string why) { return {false, 0, -1, std::move(why)}; }

// The number of a text left without its units, times 10^power; `example` says what the box takes.
BoxReading Number(const std::string& number, int power, const char* example) {
    if (number.empty()) return {true, 0, -1, {}};
    if (!IsDecimalNumber(number)) return Refused(example);
    try {
        // Scaled in the text, so 1.1万 is exactly 11000.
        const bool exponent = number.find_first_of("eE") != std::string::npos;
        double value = Val(power == 0 || exponent ? number : number + "e" + std::to_string(power));
        if (exponent && power != 0) value *= std::pow(10.0, power);
        if (!std::isfinite(value)) return Refused(TooLarge);
        return {true, value, -1, {}};
    } catch (const Fault&) {
        return Refused(TooLarge);
    }
}

}  // namespace

BoxReading ReadAmountBox(std::string_view text) {
    constexpr const char* example = "请输入金额，如 1200000、120万 或 85万元";
    std::string number = AsciiNumberText(text);
    const bool sign = CutPrefix(number, "¥") || CutPrefix(number, "￥");
    const int unit = CutSuffix(number, {"万元", "亿元", "元", "万", "亿"});
    if ((sign || unit >= 0) && number.empty()) return Refused(example);
    const int power = (unit == 0 || unit == 3) ? 4 : (unit == 1 || unit == 4) ? 8 : 0;
    return Number(number, power, example);
}

BoxReading ReadRateBox(std::string_view text) {
    constexpr const char* example = "请输入月利率，如 0.6 或 0.6%";
    std::string number = AsciiNumberText(text);
    if (CutSuffix(number, {"%"}) >= 0 && number.empty()) return Refused(example);
    return Number(number, 0, example);
}

BoxReading ReadPeriodsBox(std::string_view text, int unitIndex) {
    constexpr const char* example = "请输入期数，如 360、360月 或 30年";
    std::string number = AsciiNumberText(text);
    const int suffix = CutSuffix(number, {"个月", "月", "年"});
    if (suffix >= 0 && number.empty()) return Refused(example);
    BoxReading reading = Number(number, 0, example);
    if (!reading.accepted) return reading;
    reading.unit = suffix < 0 ? -1 : suffix == 2 ? 1 : 0;
    const bool years = (reading.unit >= 0 ? reading.unit : unitIndex) == 1;
    const double months = years ? reading.value * 12 : reading.value;
    constexpr double most = ScheduleTable::MaxRows - 1;
    if (!(std::fabs(months) < most + 0.5)) return Refused("期数太多：最多 65535 个月");
    return reading;
}

ScheduleEntry ReadScheduleBoxes(std::string_view amount, std::string_view rate, std::string_view periods,
                                int unitIndex, int methodIndex) {
    ScheduleEntry entry;
    entry.boxes = {ReadAmountBox(amount), ReadRateBox(rate), ReadPeriodsBox(periods, unitIndex)};
    entry.unit = entry.boxes[2].unit >= 0 ? entry.boxes[2].unit : unitIndex;
    if (!entry.Accepted()) return entry;
    // The list positions as the window reads them; the boxes as they were read here.
    entry.inputs = ReadScheduleInputs("", "", "", entry.unit, methodIndex);
    entry.inputs.DKJE = entry.boxes[0].value;
    entry.inputs.DKLL = entry.boxes[1].value / 100;
    entry.inputs.DKQS = entry.unit == 1 ? entry.boxes[2].value * 12 : entry.boxes[2].value;
    return entry;
}

}  // namespace lumaro
