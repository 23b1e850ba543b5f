// Timings of the antenna library: dipole-render --impedance 0.1:3 in the
// process (291 lengths: the impedance of each and the table's text; the goal
// is under 5 ms), the same with the standing-wave ratio, the first resonance
// of a radius (what a change of the radius costs a window that shows it), and
// one impedance alone.
#include "physics/ImpedanceCurve.h"
#include "physics/InducedEmf.h"
#include "physics/Resonance.h"
#include "render/ImpedanceTable.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ImpedanceTable(benchmark::State &state)
{
    const bool withSwr = state.range(0) != 0;
    for (auto _ : state) {
        const std::vector<double> lengths = SteppedLengths(0.1, 3.0, 0.01);
        const auto points = ComputeImpedanceCurve(lengths, 0.001, withSwr ? std::optional(50.0) : std::nullopt);
        benchmark::DoNotOptimize(ImpedanceCsv(points, withSwr));
    }
}
BENCHMARK(BM_ImpedanceTable)->Arg(0)->Arg(1)->ArgName("swr")->Unit(benchmark::kMicrosecond);

void BM_FirstResonance(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FirstResonantLength(0.001));
}
BENCHMARK(BM_FirstResonance)->Unit(benchmark::kMicrosecond);

void BM_Impedance(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(InducedEmfImpedance(1.37, 0.001));
}
BENCHMARK(BM_Impedance)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
