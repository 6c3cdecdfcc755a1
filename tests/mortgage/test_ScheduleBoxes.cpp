// The calculator's boxes: what each takes a text as, or why it refuses it; and the inputs read from all of them.
#include <gtest/gtest.h>

#include <string>

#include "core/Table.h"
#include "mortgage/ScheduleBoxes.h"

namespace {

using namespace lumaro;

// "\"9\" x 5000" in the table stands for five thousand nines.
std::string Expanded(const std::string& text) {
    if (text == "\"9\" x 5000") return std::string(5000, '9');
    return text;
}

TEST(ScheduleBoxes, EachBoxTakesTheNumberMeantOrSaysWhyNot) {
    for (const auto& row : test::ReadTable(TEST_SOURCE_DIR "/tables/schedule_boxes.txt")) {
        const std::string text = Expanded(row.at(1));
        SCOPED_TRACE(row.at(0) + " " + text.substr(0, 40));
        const BoxReading reading = row[0] == "amount"    ? ReadAmountBox(text)
                                   : row[0] == "rate"    ? ReadRateBox(text)
                                                         : ReadPeriodsBox(text, row[0] == "periods/1" ? 1 : 0);
        if (row.at(2) == "refused") {
            EXPECT_FALSE(reading.accepted);
            std::string says = row.at(3);  // the reason's words, blanks and all
            for (std::size_t i = 4; i < row.size(); ++i) says += " " + row[i];
            EXPECT_EQ(reading.refusal, says);
            continue;
        }
        EXPECT_TRUE(reading.accepted) << reading.refusal;
        EXPECT_EQ(reading.value, std::stod(row.at(2)));
        EXPECT_TRUE(reading.refusal.empty());
        if (row[0].starts_with("periods")) {
            EXPECT_EQ(reading.unit, row.at(3) == "-" ? -1 : std::stoi(row.at(3)));
        }
    }
}

// A unit typed into the periods box becomes the list's; the inputs are those the schedule computes from.
TEST(ScheduleBoxes, TheInputsReadFromAllBoxes) {
    const ScheduleEntry years = ReadScheduleBoxes("120万", "0.6%", "30年", 0, 1);
    ASSERT_TRUE(years.Accepted());
    EXPECT_EQ(years.unit, 1);
    EXPECT_EQ(years.inputs.DKJE, 1200000);
    EXPECT_EQ(years.inputs.DKLL, 0.006);
    EXPECT_EQ(years.inputs.DKQS, 360);
    EXPECT_EQ(years.inputs.HKFS, 1);
    const ScheduleEntry listed = ReadScheduleBoxes("", "", "2", 1, -1);
    EXPECT_TRUE(listed.Accepted() && listed.unit == 1 && listed.inputs.DKQS == 24 && listed.inputs.HKFS == -1);
    const ScheduleEntry months = ReadScheduleBoxes("1", "1", "24月", 1, 0);
    EXPECT_TRUE(months.Accepted() && months.unit == 0 && months.inputs.DKQS == 24);
    const ScheduleEntry refused = ReadScheduleBoxes("1", "abc", "12", 0, 0);
    EXPECT_FALSE(refused.Accepted());
    EXPECT_TRUE(refused.boxes[0].accepted && !refused.boxes[1].accepted && refused.boxes[2].accepted);
}

}  // namespace
