// Timings of the antenna library: dipole-render --impedance 0.1:3 in the
// process (291 lengths: the impedance of each and the table's text; the goal
// is under 5 ms), the same with the standing-wave ratio, the first resonance
// of a radius (what a change of the radius costs a window that shows it),
// one impedance alone, and a wire's sweep over 10,000 frequencies.
#include "physics/FrequencySweep.h"
#include "physics/ImpedanceCurve.h"
#include "physics/InducedEmf.h"
#include "physics/Resonance.h"
#include "render/FrequencyTable.h"
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

// A 10,000-point frequency sweep of a 10.3 m wire from 1 to 40 MHz with its
// table (goal: under 20 ms), and its resonances and SWR band placed on the
// model.
void BM_FrequencySweep(benchmark::State &state)
{
    std::vector<double> frequencies;
    for (int i = 0; i < 10000; ++i)
        frequencies.push_back(1e6 + i * 3.9e3);
    for (auto _ : state) {
        const std::vector<FrequencyPoint> points = ComputeFrequencySweep(10.3, 0.001, frequencies, 50.0);
        benchmark::DoNotOptimize(FrequencyCsv(points, {}));
        if (state.range(0) != 0) {
            const WireInMetres wire{10.3, 0.001, 50.0};
            benchmark::DoNotOptimize(ResonantFrequencies(wire, points));
            benchmark::DoNotOptimize(BandWithinSwr(wire, points, 2.0));
        }
    }
}
BENCHMARK(BM_FrequencySweep)->Arg(0)->Arg(1)->ArgName("crossings")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
