#include "mortgage/Schedule.h"

namespace lumaro {

// Placeholder until the schedule is built.
void MemoryScheduleTable::Clear() {}
void MemoryScheduleTable::SetRowCount(int) {}
void MemoryScheduleTable::SetRowLabel(int, const std::string&) {}
void MemoryScheduleTable::SetCell(int, int, const std::string&) {}
double MemoryScheduleTable::Cell(int, int) const { return 0; }
const std::string& MemoryScheduleTable::RowLabel(int) const {
    static const std::string empty;
    return empty;
}
bool MemoryScheduleTable::HasCell(int, int) const { return false; }
std::string MemoryScheduleTable::CellText(int, int) const { return {}; }
void MemoryScheduleTable::Check(int, int) const {}
ScheduleInputs ReadScheduleInputs(std::string_view, std::string_view, std::string_view, int, int) { return {}; }
double AJDK(double, double, double, int32_t, double&, double&, int16_t) { return 0; }
void ComputeSchedule(const ScheduleInputs&, ScheduleTable&) {}

}  // namespace lumaro
