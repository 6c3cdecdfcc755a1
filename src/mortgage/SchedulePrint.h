#pragma once

#include <QDate>
#include <QString>

class QPagedPaintDevice;

namespace lumaro {

class MemoryScheduleTable;

// What heads a printed schedule: the inputs it was computed from, as the
// customer reads them, and the day it is printed.
struct ScheduleHeading {
    QString amount;   // "1200000"
    QString rate;     // monthly, in per cent: "0.4"
    QString periods;  // with its unit: "30 年"
    QString method;   // "等额法" or "递减法"
    QDate date;
};

// Prints the title, the inputs and the date, then the schedule with its column
// headings at the top of every page and the page number at the foot.
void PrintSchedule(QPagedPaintDevice& device, const MemoryScheduleTable& schedule, const ScheduleHeading& heading);

}  // namespace lumaro
