// Timings of the readouts: the whole report of one length (every readout
// computed, then written as the table), for the half-wave dipole and for the
// longest length the program draws, whose 58 nulls make 59 lobes to search
// and integrate. The goal is under 2 ms for each.
#include "physics/PatternReadouts.h"
#include "render/ReportOutput.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Report(benchmark::State &state)
{
    const double M = state.range(0) / 100.0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportTable(ComputePatternReadouts(M)));
}
BENCHMARK(BM_Report)->Arg(50)->Arg(2999)->ArgName("M_x100")->Unit(benchmark::kMicrosecond);

void BM_PatternCsv(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PatternCsv(1.25, 1.7071067811865477, 0.5L));
}
BENCHMARK(BM_PatternCsv)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
