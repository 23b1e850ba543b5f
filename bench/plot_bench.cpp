// Timings of the plotting core: one pattern value, each plot, the whole
// build command (clear both pictures, draw both plots) and saving both files.
#include "physics/PatternFunction.h"
#include "plot/DrawingSurface.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"
#include "plot/PolarPlot.h"
#include "plot/RectangularPlot.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_PatternValue(benchmark::State &state)
{
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PatternValue(1.5, SampleAngle(i, 2)));
        i = i == 720 ? 0 : i + 1;
    }
}
BENCHMARK(BM_PatternValue);

void BM_PolarPlot(benchmark::State &state)
{
    DrawingSurface surface(kPictureWidth, kPictureHeight);
    for (auto _ : state) {
        DrawPolarPattern(surface, clNavy, 1.5, state.range(0) != 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PolarPlot)->Arg(0)->Arg(1)->ArgName("fill");

void BM_RectangularPlotWithBracket(benchmark::State &state)
{
    DrawingSurface surface(kPictureWidth, kPictureHeight);
    for (auto _ : state) {
        DrawRectangularPattern(surface, clNavy, 1.5);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RectangularPlotWithBracket);

void BM_BuildPictures(benchmark::State &state)
{
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    for (auto _ : state) {
        BuildPictures(polar, rect, clNavy, 1.5, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildPictures)->Unit(benchmark::kMicrosecond);

void BM_SavePictures(benchmark::State &state)
{
    QTemporaryDir dir;
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    BuildPictures(polar, rect, clNavy, 1.5, true);
    for (auto _ : state)
        SavePictures(polar, rect, dir.path());
}
BENCHMARK(BM_SavePictures)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
