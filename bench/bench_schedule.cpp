// The repayment schedule into an in-memory table: the carried running
// principal against the old recomputation from period 1 in every period.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "mortgage/Schedule.h"

namespace {

using lumaro::ScheduleInputs;

// 200 000 at 0.4425 % a month: a typical loan, any length.
ScheduleInputs Loan(int64_t periods, int16_t method) {
    return ScheduleInputs{200000, 0.004425, static_cast<double>(periods), method};
}

// One schedule of state.range(0) periods per iteration, computed by `compute`.
void Schedule(benchmark::State& state, int16_t method,
              void (*compute)(const ScheduleInputs&, lumaro::ScheduleTable&) = lumaro::ComputeSchedule) {
    const ScheduleInputs in = Loan(state.range(0), method);
    lumaro::MemoryScheduleTable table;
    for (auto _ : state) {
        compute(in, table);
        benchmark::DoNotOptimize(table.Cell(table.RowCount(), 1));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["periods"] = static_cast<double>(state.range(0));
}

void EqualPayment(benchmark::State& state) { Schedule(state, 0); }
void Declining(benchmark::State& state) { Schedule(state, 1); }

// AJDK called afresh for every period: n(n+1)/2 passes of the running principal.
void EqualPaymentPerPeriodCalls(benchmark::State& state) { Schedule(state, 0, lumaro::ComputeScheduleByPeriodCalls); }

}  // namespace

BENCHMARK(EqualPayment)->Arg(360)->Arg(4096)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(Declining)->Arg(360)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(EqualPaymentPerPeriodCalls)->Arg(360)->Arg(4096)->Unit(benchmark::kMillisecond);
// About 2.1 billion passes: one run is enough to compare.
BENCHMARK(EqualPaymentPerPeriodCalls)->Arg(65535)->Iterations(1)->Unit(benchmark::kMillisecond);
