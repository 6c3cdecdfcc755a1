#include "mortgage/Schedule.h"

#include <cmath>
#include <limits>
#include <optional>

#include "config/Failure.h"
#include "config/Numbers.h"

namespace lumaro {

// ---- the in-memory table ---------------------------------------------------

void MemoryScheduleTable::Check(int row, int column) const {
    if (row < 1 || row > RowCount() || column < 1 || column > Columns) throw errors::OutOfRange();
}

void MemoryScheduleTable::Clear() {
    for (Slot& slot : cells_) slot = Slot{};
}

void MemoryScheduleTable::SetRowCount(int rows) {
    if (rows < 1 || rows > MaxRows) throw errors::OutOfRange();
    const auto count = static_cast<std::size_t>(rows);
    cells_.resize(count * Columns);
    labels_.resize(count);
}

void MemoryScheduleTable::SetRowLabel(int row, const std::string& label) {
    Check(row, 1);
    labels_[static_cast<std::size_t>(row - 1)] = label;
}

void MemoryScheduleTable::SetCell(int row, int column, const std::string& centsText) {
    Check(row, column);
    const double value = CentsValue(centsText);  // may fault: then nothing is written
    cells_[static_cast<std::size_t>(row - 1) * Columns + static_cast<std::size_t>(column - 1)] = Slot{value, true};
}

double MemoryScheduleTable::Cell(int row, int column) const {
    Check(row, column);
    return cells_[static_cast<std::size_t>(row - 1) * Columns + static_cast<std::size_t>(column - 1)].value;
}

const std::string& MemoryScheduleTable::RowLabel(int row) const {
    Check(row, 1);
    return labels_[static_cast<std::size_t>(row - 1)];
}

bool MemoryScheduleTable::HasCell(int row, int column) const {
    Check(row, column);
    return cells_[static_cast<std::size_t>(row - 1) * Columns + static_cast<std::size_t>(column - 1)].set;
}

std::string MemoryScheduleTable::CellText(int row, int column) const {
    // A cell holds the number its cents text denotes; the text of that number
    // is the text written, since a cents text never has more than 15 digits.
    return HasCell(row, column) ? CentsText(Cell(row, column)) : std::string();
}

// ---- arithmetic that faults as the calculator's always did ----------------

namespace {

double Checked(double result) {
    if (!std::isfinite(result)) throw errors::Overflow();
    return result;
}
double Add(double a, double b) { return Checked(a + b); }
double Sub(double a, double b) { return Checked(a - b); }
double Mul(double a, double b) { return Checked(a * b); }
// 0 / 0 is an invalid operation (overflow, 6); x / 0 a division by zero (11).
double Div(double a, double b) {
    if (b == 0) throw (a == 0 || std::isnan(a)) ? errors::Overflow() : errors::DivisionByZero();
    return Checked(a / b);
}
// A negative base has no real power for a fractional exponent.
double Pow(double base, double exponent) {
    if (base < 0 && std::trunc(exponent) != exponent) throw errors::InvalidCall();
    if (base == 0 && exponent < 0) throw errors::DivisionByZero();
    return Checked(std::pow(base, exponent));
}

// Declining method: equal principal parts, interest on the remaining balance.
double DecliningPeriod(double DKJE, double DKLL, double DKQS, int32_t QS, double& BJ, double& LX) {
    BJ = Div(DKJE, DKQS);
    if (QS == std::numeric_limits<int32_t>::min()) throw errors::Overflow();  // QS - 1
    LX = Mul(Sub(DKJE, Mul(static_cast<double>(QS - 1), BJ)), DKLL);
    return Add(LX, BJ);
}

// Equal-payment method: the annuity, rounded to cents before it is split. Without interest (a rate of 0, or
// one too small to change 1 + rate) the formula is 0 / 0; its limit is the loan shared out evenly.
double EqualPayment(double DKJE, double DKLL, double DKQS) {
    const double growth = Add(1, DKLL);
    if (growth == 1) return CentsValue(CentsText(Div(DKJE, DKQS)));
    const double g = Pow(growth, DKQS);
    const double raw = Mul(Div(Mul(DKLL, g), Sub(g, 1)), DKJE);
    return CentsValue(CentsText(raw));
}

// One period of the running principal s: the period's interest, then the
// principal repaid up to and including it.
double PeriodInterest(double DKJE, double DKLL, double s) { return Mul(Sub(DKJE, s), DKLL); }
double RepaidAfter(double P, double interest, double s) { return Add(Sub(P, interest), s); }

// The equal-payment periods of one schedule in order, with the running
// principal carried from each period to the next instead of walked again from
// period 1. The values, and what BJ and LX hold after a fault, are those of
// AJDK for the same period.
class EqualPaymentWalk {
public:
    EqualPaymentWalk(double DKJE, double DKLL, double DKQS) : DKJE_(DKJE), DKLL_(DKLL), DKQS_(DKQS) {}

    double Period(int32_t QS, double& BJ, double& LX) {
        const double P = Payment();
        if (QS < passes_) Restart();
        if (fault_ && QS > passes_) {
            // Every later period walks into the same fault at the same pass.
            if (faultLX_) LX = *faultLX_;
            throw *fault_;
        }
        while (passes_ < QS) {
            double interest = 0;
            try {
                interest = PeriodInterest(DKJE_, DKLL_, s_);
            } catch (const Fault& fault) {
                Fail(fault, passes_ > 0 ? std::optional<double>(lx_) : std::nullopt, LX);
            }
            try {
                s_ = RepaidAfter(P, interest, s_);
            } catch (const Fault& fault) {
                Fail(fault, interest, LX);
            }
            lx_ = interest;
            ++passes_;
        }
        if (QS >= 1) LX = lx_;
        BJ = Sub(P, LX);
        return P;
    }

private:
    double Payment() {
        if (paymentFault_) throw *paymentFault_;
        if (!payment_) {
            try {
                payment_ = EqualPayment(DKJE_, DKLL_, DKQS_);
            } catch (const Fault& fault) {
                paymentFault_ = fault;
                throw;
            }
        }
        return *payment_;
    }

    void Restart() {
        passes_ = 0;
        s_ = 0;
        lx_ = 0;
        fault_.reset();
        faultLX_.reset();
    }

    // Remembers a fault of the walk and what the caller's LX holds after it.
    [[noreturn]] void Fail(const Fault& fault, std::optional<double> interest, double& LX) {
        fault_ = fault;
        faultLX_ = interest;
        if (interest) LX = *interest;
        throw fault;
    }

    double DKJE_, DKLL_, DKQS_;
    std::optional<double> payment_;
    std::optional<Fault> paymentFault_;
    int32_t passes_ = 0;  // periods walked so far
    double s_ = 0;        // principal repaid after them
    double lx_ = 0;       // interest of the last one
    std::optional<Fault> fault_;
    std::optional<double> faultLX_;
};

// The steps of the schedule, each atomic; `period` computes step 4.1's
// payment and stores BJ and LX.
template <class PeriodFn>
void FillSchedule(const ScheduleInputs& in, ScheduleTable& table, PeriodFn&& period) {
    SuppressedSteps steps;
    steps.Run([&] { table.Clear(); });

    // Absurd counts would build millions of rows: the table stays cleared.
    int32_t n = 0;
    if (!steps.Run([&] { n = CLng(in.DKQS); }) || n >= ScheduleTable::MaxRows) return;
    const int32_t totals = n + 1;

    steps.Run([&] { table.SetRowCount(totals); });
    steps.Run([&] { table.SetRowLabel(totals, "合计"); });

    double BJ = 0;
    double LX = 0;
    // Adds cell (row, column) into the totals row, from the rounded cells.
    const auto addToTotal = [&](int32_t row, int column) {
        steps.Run([&] { table.SetCell(totals, column, CentsText(Add(table.Cell(totals, column), table.Cell(row, column)))); });
    };
    for (int32_t i = 1; i <= n; ++i) {
        steps.Run([&] { table.SetCell(i, 3, CentsText(period(i, BJ, LX))); });
        addToTotal(i, 3);
        steps.Run([&] { table.SetCell(i, 1, CentsText(BJ)); });
        addToTotal(i, 1);
        steps.Run([&] { table.SetCell(i, 2, CentsText(LX)); });
        addToTotal(i, 2);
        steps.Run([&] { table.SetRowLabel(i, std::to_string(i)); });
    }

    // The last period's principal absorbs what the rounding left over.
    double D = 0;
    steps.Run([&] { D = CentsValue(CentsText(Sub(in.DKJE, table.Cell(totals, 1)))); });
    steps.Run([&] { table.SetCell(n, 1, CentsText(Add(table.Cell(n, 1), D))); });
    steps.Run([&] { table.SetCell(totals, 1, CentsText(Add(table.Cell(totals, 1), D))); });
}

}  // namespace

// ---- the computation ------------------------------------------------------

ScheduleInputs ReadScheduleInputs(std::string_view amount, std::string_view rate, std::string_view periods,
                                  int unitIndex, int methodIndex) {
    // Each box reads on its own: one too large for a number reads as 0.
    ScheduleInputs in;
    SuppressedSteps steps;
    steps.Run([&] { in.DKJE = Val(amount); });
    steps.Run([&] { in.DKLL = Val(rate) / 100; });
    steps.Run([&] { in.DKQS = unitIndex == 1 ? Mul(Val(periods), 12) : Val(periods); });
    // Any position but 0 is the declining method.
    in.HKFS = methodIndex == 0 ? int16_t{0}
              : (methodIndex >= std::numeric_limits<int16_t>::min() && methodIndex <= std::numeric_limits<int16_t>::max())
                  ? static_cast<int16_t>(methodIndex)
                  : int16_t{1};
    return in;
}

double AJDK(double DKJE, double DKLL, double DKQS, int32_t QS, double& BJ, double& LX, int16_t HKFS) {
    if (HKFS != 0) return DecliningPeriod(DKJE, DKLL, DKQS, QS, BJ, LX);
    const double P = EqualPayment(DKJE, DKLL, DKQS);
    double s = 0;
    for (int32_t j = 0; j < QS; ++j) {
        LX = PeriodInterest(DKJE, DKLL, s);
        s = RepaidAfter(P, LX, s);
    }
    BJ = Sub(P, LX);
    return P;
}

void ComputeSchedule(const ScheduleInputs& in, ScheduleTable& table) {
    if (in.HKFS != 0) {
        FillSchedule(in, table, [&](int32_t QS, double& BJ, double& LX) {
            return DecliningPeriod(in.DKJE, in.DKLL, in.DKQS, QS, BJ, LX);
        });
        return;
    }
    EqualPaymentWalk walk(in.DKJE, in.DKLL, in.DKQS);
    FillSchedule(in, table, [&](int32_t QS, double& BJ, double& LX) { return walk.Period(QS, BJ, LX); });
}

void ComputeScheduleByPeriodCalls(const ScheduleInputs& in, ScheduleTable& table) {
    FillSchedule(in, table, [&](int32_t QS, double& BJ, double& LX) {
        return AJDK(in.DKJE, in.DKLL, in.DKQS, QS, BJ, LX, in.HKFS);
    });
}

// ---- export ---------------------------------------------------------------

namespace {

void AppendCsvField(std::string& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

std::string ScheduleCsv(const MemoryScheduleTable& table) {
    std::string out = "期数,本金,利息,应还款\n";
    for (int row = 1; row <= table.RowCount(); ++row) {
        AppendCsvField(out, table.RowLabel(row));
        for (int column = 1; column <= ScheduleTable::Columns; ++column) {
            out += ',';
            out += table.CellText(row, column);
        }
        out += '\n';
    }
    return out;
}

}  // namespace lumaro
