// Reading a one-port Touchstone file of 100,000 points, as a network
// analyser's longest sweep writes it (goal: well under 200 ms), and
// writing one.
#include "touchstone/TouchstoneReader.h"
#include "touchstone/TouchstoneWriter.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

OnePortData Sweep(int points)
{
    OnePortData data;
    for (int i = 0; i < points; ++i)
        data.points.push_back({13e6 + i * 20.0, std::polar(0.9 - i * 1e-6, i * 1e-3)});
    return data;
}

void BM_ReadTouchstone(benchmark::State &state)
{
    const std::string text = WriteTouchstone(Sweep(int(state.range(0))), {"bench"});
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadTouchstone(text, "sweep.s1p"));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ReadTouchstone)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WriteTouchstone(benchmark::State &state)
{
    const OnePortData data = Sweep(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteTouchstone(data, {}));
}
BENCHMARK(BM_WriteTouchstone)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
