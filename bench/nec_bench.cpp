// Timings of the NEC-2 cross-check as the report runs it: nec2c on the deck
// of a length, and on the deck with half the segments for the settling.
// The longest wire, M = 29 (1161 segments), is the one to watch: the goal
// is under 5 s and 300 MB for dipole-render --report --nec.
#include "nec/NecCrossCheck.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SettledNecCrossCheck(benchmark::State &state)
{
    const double M = static_cast<double>(state.range(0)) / 10.0;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunSettledNecCrossCheck(M, 0.001));
}
BENCHMARK(BM_SettledNecCrossCheck)
    ->Arg(5)
    ->Arg(123)
    ->Arg(290)
    ->ArgName("M_tenths")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
