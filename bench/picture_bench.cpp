// Timings of one frame pair in each file type, which is what every frame of
// a sweep costs: draw both pictures of the build command and encode them
// with a writer kept from frame to frame, and (for the save) write both
// files into a temporary directory as a sweep does, without waiting for the
// disk at each file.
#include "formats/PicturePair.h"
#include "plot/PlotCommands.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const PairDrawing kBuild = [](PlotCanvas &polar, PlotCanvas &rect) { BuildPictures(polar, rect, clNavy, 1.5, true); };

void BM_EncodePair(benchmark::State &state, PictureFormat format)
{
    PicturePairWriter writer(format);
    for (auto _ : state)
        benchmark::DoNotOptimize(writer.encode(kBuild));
}
BENCHMARK_CAPTURE(BM_EncodePair, bmp, PictureFormat::Bmp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EncodePair, png, PictureFormat::Png)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EncodePair, svg, PictureFormat::Svg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EncodePair, pdf, PictureFormat::Pdf)->Unit(benchmark::kMillisecond);

void BM_SavePair(benchmark::State &state, PictureFormat format)
{
    QTemporaryDir dir;
    const auto files = PicturePairFiles(format, dir.path());
    PicturePairWriter writer(format);
    for (auto _ : state)
        writer.save(kBuild, files.first, files.second, FileSync::Deferred);
}
BENCHMARK_CAPTURE(BM_SavePair, bmp, PictureFormat::Bmp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePair, png, PictureFormat::Png)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePair, svg, PictureFormat::Svg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePair, pdf, PictureFormat::Pdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The vector writers measure text through the platform's fonts, as the
    // renderer does for a family.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
