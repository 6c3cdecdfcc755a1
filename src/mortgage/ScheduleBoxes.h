#pragma once

#include <array>
#include <string>
#include <string_view>

#include "mortgage/Schedule.h"

// How the calculator's three boxes (and the three inputs of lumaro-cli
// schedule) take what people type: as the number meant, units as people say
// them included, or refused with a reason the clerk is shown at the box.
// Full-width forms count as ASCII and thousands separators and blanks are
// dropped in every box; an empty box reads as 0.
namespace lumaro {

struct BoxReading {
    bool accepted = false;
    double value = 0;     // the number meant; for the periods box in its own unit
    int unit = -1;        // periods box: the unit its text names (0 月, 1 年), -1 none
    std::string refusal;  // why it is refused, for the clerk (UTF-8)
};

// 贷款金额: a number, optionally with ¥ before it and 元, 万, 万元, 亿 or 亿元
// after it: "120万" is 1200000, "1,200,000元" 1200000.
BoxReading ReadAmountBox(std::string_view text);
// 月利率: a number of per cent, optionally followed by "%": "0.6%" is 0.6.
BoxReading ReadRateBox(std::string_view text);
// 贷款期数: a number, optionally followed by 月, 个月 or 年; a unit in the text
// replaces the unit list's position `unitIndex`. A count of months no schedule
// can have (more than 65535 either way) is refused.
BoxReading ReadPeriodsBox(std::string_view text, int unitIndex);

// The three boxes and the two lists read together.
struct ScheduleEntry {
    std::array<BoxReading, 3> boxes;  // amount, rate, periods
    int unit = 0;                      // the unit list's position: the periods box's own unit, else the list's
    ScheduleInputs inputs;             // what to compute, when every box is accepted
    bool Accepted() const { return boxes[0].accepted && boxes[1].accepted && boxes[2].accepted; }
};
ScheduleEntry ReadScheduleBoxes(std::string_view amount, std::string_view rate, std::string_view periods,
                                int unitIndex, int methodIndex);

}  // namespace lumaro
