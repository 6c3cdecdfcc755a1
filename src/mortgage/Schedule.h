#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The repayment schedule of a bank mortgage ("按揭") under the equal-payment
// ("等额法") and the declining ("递减法") method, computed into a table that the
// calculator window's grid and lumaro-cli both provide.
namespace lumaro {

// The target of the computation: rows and columns numbered from 1; three
// columns (本金, 利息, 应还款). Every operation throws errors::OutOfRange() for
// a row or column outside the table, and a refused operation changes nothing.
class ScheduleTable {
public:
    static constexpr int Columns = 3;
    // The most rows a table holds (schedule rows plus the totals row).
    static constexpr int MaxRows = 65536;

    virtual ~ScheduleTable() = default;
    virtual void Clear() = 0;                       // every cell emptied
    virtual int RowCount() const = 0;
    virtual void SetRowCount(int rows) = 0;         // throws for rows < 1 or > MaxRows
    virtual void SetRowLabel(int row, const std::string& label) = 0;
    // Stores the number the text denotes (errors::Overflow() beyond the double range).
    virtual void SetCell(int row, int column, const std::string& centsText) = 0;
    virtual double Cell(int row, int column) const = 0;  // an empty cell reads 0
};

// A plain in-memory table; the base of the window's model and the CLI's output.
// It starts with no rows; rows added by SetRowCount have no label and empty
// cells, and Clear keeps the labels.
class MemoryScheduleTable : public ScheduleTable {
public:
    void Clear() override;
    int RowCount() const override { return static_cast<int>(labels_.size()); }
    void SetRowCount(int rows) override;
    void SetRowLabel(int row, const std::string& label) override;
    void SetCell(int row, int column, const std::string& centsText) override;
    double Cell(int row, int column) const override;

    const std::string& RowLabel(int row) const;
    bool HasCell(int row, int column) const;
    std::string CellText(int row, int column) const;  // "" for an empty cell, else "0.00" form

private:
    void Check(int row, int column) const;
    struct Slot {
        double value = 0;
        bool set = false;
    };
    std::vector<std::string> labels_;
    std::vector<Slot> cells_;  // row-major, Columns per row
};

// The computation's inputs, converted as the window reads its boxes.
struct ScheduleInputs {
    double DKJE = 0;   // loan amount
    double DKLL = 0;   // rate per period, a fraction (box 0.5 -> 0.005)
    double DKQS = 0;   // periods in months, unrounded
    int16_t HKFS = 0;  // 0 equal payment; anything else declining
};

// Reads the inputs from the texts of the amount, rate and period boxes and the
// two list positions (unit: 1 = years, anything else months; method: 0 equal
// payment, anything else declining), with the leading-number parse. A box too
// large for a number (or a count of years whose months are) reads as 0; the
// others still read.
ScheduleInputs ReadScheduleInputs(std::string_view amount, std::string_view rate, std::string_view periods,
                                  int unitIndex, int methodIndex);

// The payment of period QS (1-based); BJ and LX receive its principal and
// interest. Keeps no state: the equal-payment method walks periods 1..QS.
// Without interest the equal payment is DKJE / DKQS, the formula's limit.
// A fault (errors::Overflow(), DivisionByZero(), InvalidCall()) leaves BJ and LX
// as far as they had been written when it happened.
double AJDK(double DKJE, double DKLL, double DKQS, int32_t QS, double& BJ, double& LX, int16_t HKFS);

// Fills the table: clears it, sets n + 1 rows (n = DKQS rounded half to even),
// writes every period, the totals row "合计" and the remainder correction.
// Each step is atomic: a step that faults writes nothing and the next runs.
// The equal-payment method carries the running principal from one period to
// the next, so the cost is linear in n. A count whose n + 1 exceeds
// ScheduleTable::MaxRows (or any 32-bit integer) leaves the table cleared and
// nothing else written.
void ComputeSchedule(const ScheduleInputs& inputs, ScheduleTable& table);

// The same schedule with AJDK called afresh for every period, as the
// calculator once did (quadratic in n for the equal-payment method): the
// reference the carried computation is checked and measured against.
void ComputeScheduleByPeriodCalls(const ScheduleInputs& inputs, ScheduleTable& table);

// The table as comma-separated text: the line "期数,本金,利息,应还款", then one
// line per row with its label and its three cells as shown (an empty field for
// an empty cell). Lines end in "\n"; the text is UTF-8.
std::string ScheduleCsv(const MemoryScheduleTable& table);

}  // namespace lumaro
