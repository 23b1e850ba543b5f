// Timings of one frame pair in each file type, which is what every frame of
// a sweep costs: draw both pictures of the build command and encode them
// with a writer kept from frame to frame, and (for the save) write both
// files into a temporary directory as a sweep does, without waiting for the
// disk at each file.
#include "fonts/EmbeddedFonts.h"
#include "formats/PicturePair.h"
#include "formats/PngWriter.h"
#include "labelled/LabelledPair.h"
#include "plot/DrawingSurface.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"
#include "render/FramePipeline.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include "QtBenchmarkMain.h"

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

// The labelled pair, drawn from the pattern function and measured by the
// readouts each time as a labelled sweep's frame is: a single length, and a
// family of seven.
void BM_LabelledPair(benchmark::State &state, PictureFormat format, bool family)
{
    static const bool fonts = RegisterEmbeddedFonts();
    benchmark::DoNotOptimize(fonts);
    const std::vector<LabelledCurve> single = {{1.5, clNavy}};
    const std::vector<LabelledCurve> seven = {{0.5, clRed},  {1.0, clBlue},  {1.5, clGreen}, {2.0, clPurple},
                                              {2.5, clTeal}, {3.0, clOlive}, {5.0, clMaroon}};
    LabelledOptions options;
    options.readouts = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeLabelledPair(format, LabelledPatterns(family ? seven : single, options)));
}
BENCHMARK_CAPTURE(BM_LabelledPair, png, PictureFormat::Png, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LabelledPair, png_family, PictureFormat::Png, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LabelledPair, pdf, PictureFormat::Pdf, false)->Unit(benchmark::kMillisecond);

// The labelled polar picture, painted once, as PNG: its smoothed lines hold
// more colours than a palette, so this is the 24-bit writer with its
// adaptive row filters.
void BM_LabelledPngPicture(benchmark::State &state)
{
    static const bool fonts = RegisterEmbeddedFonts();
    benchmark::DoNotOptimize(fonts);
    LabelledOptions options;
    options.readouts = true;
    const LabelledPatterns patterns({{1.5, clNavy}}, options);
    QImage image(kLabelledPolarSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    patterns.paintPolar(painter, QRectF(QPointF(0, 0), QSizeF(kLabelledPolarSize)));
    painter.end();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodePicturePng(image));
}
BENCHMARK(BM_LabelledPngPicture)->Unit(benchmark::kMillisecond);

// One plot picture as PNG through the program's writer (a palette image,
// unfiltered, light deflate).
void BM_PngPicture(benchmark::State &state)
{
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    BuildPictures(polar, rect, clNavy, 1.5, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodePicturePng(polar.image()));
}
BENCHMARK(BM_PngPicture)->Unit(benchmark::kMillisecond);

// A sweep of thirty PNG frames (0.1 to 3 wavelengths) written into a
// temporary directory, its frames drawn on one thread and on two, in wall
// time, the index and the wait for the disk included.
void BM_PngSweep30(benchmark::State &state)
{
    QTemporaryDir dir;
    const std::vector<SweepFrame> frames = PlanSweep(QStringLiteral("0.1:3:0.1"));
    const auto makeEncoder = [] {
        return [writer = std::make_shared<PicturePairWriter>(PictureFormat::Png)](const SweepFrame &frame) {
            return FrameFiles(writer->encode([&frame](PlotCanvas &polar, PlotCanvas &rect) {
                BuildPictures(polar, rect, clNavy, static_cast<double>(frame.length), true);
            }));
        };
    };
    for (auto _ : state)
        RunSweepOnThreads(frames, dir.path(), QStringLiteral("png"), makeEncoder, nullptr, int(state.range(0)));
}
BENCHMARK(BM_PngSweep30)->ArgName("threads")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

// The vector writers measure text through the platform's fonts, as the
// renderer does for a family.
int main(int argc, char **argv)
{
    return RunQtBenchmarks<QGuiApplication>(argc, argv);
}
