#include "RenderPictures.h"

#include "ArgumentBytes.h"
#include "LabelledRender.h"
#include "NecImpedanceSweep.h"
#include "TextApplication.h"
#include "WirePictureFiles.h"
#include "base/SaveFile.h"
#include "labelled/GroundPictures.h"
#include "nec/NecCrossCheck.h"
#include "nec/NecGroundRun.h"
#include "numbers/NumberText.h"
#include "plot/FamilyPlot.h"
#include "plot/PlotCommands.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <optional>
#include <utility>
#include <vector>

PairDrawing BuildCommandDrawing(const RenderOptions &options, long double length)
{
    return [&options, length](PlotCanvas &polar, PlotCanvas &rect) {
        BuildPictures(polar, rect, options.colour, static_cast<double>(length), options.fill);
    };
}

int RenderBuildPair(const RenderRun &run)
{
    const RenderOptions &options = run.options;
    return run.saveIntoOutDirectory([&options] {
        const auto files = PicturePairFiles(options.format, ArgumentBytes(options.outDirectory));
        SavePicturePair(options.format, BuildCommandDrawing(options, options.length), files.first, files.second);
    });
}

int RenderFamilyPair(const RenderRun &run)
{
    const TextApplication app(run.programPath);
    const RenderOptions &options = run.options;
    // Up to eight decimals, in the user's separator.
    std::vector<FamilyRow> rows;
    for (const RenderFamilyRow &row : options.family)
        rows.push_back({row.length, row.colour, FormatEditingText(row.length, 8)});
    return run.saveIntoOutDirectory([&options, &rows] {
        const auto files = PicturePairFiles(options.format, ArgumentBytes(options.outDirectory));
        const auto draw = [&](PlotCanvas &polar, PlotCanvas &rect) { DrawFamily(polar, rect, rows, options.fill); };
        SavePicturePair(options.format, draw, files.first, files.second);
    });
}

int RenderLabelledPair(const RenderRun &run)
{
    const TextApplication app(run.programPath);
    const RenderOptions &options = run.options;
    return run.saveIntoOutDirectory([&options] {
        const auto files = PicturePairFiles(options.format, ArgumentBytes(options.outDirectory));
        const LabelledPatterns patterns = LabelledRenderPatterns(options, options.length);
        const LabelledSizes sizes = LabelledRenderSizes(options);
        // The two pictures share nothing but the patterns, which painting
        // only reads: the polar one is painted and encoded on a thread of its
        // own while this one does the rectangular one. Each thread loads
        // its own copies of the faces, which draw the same glyphs.
        auto polar = std::async(std::launch::async, [&] {
            return EncodeLabelledPicture(options.format, patterns, LabelledPatterns::View::Polar, sizes.polar);
        });
        QByteArray rect =
            EncodeLabelledPicture(options.format, patterns, LabelledPatterns::View::Rectangular, sizes.rectangular);
        // The pair is saved whole: both files take their places, or neither.
        SaveFiles({{files.first, polar.get()}, {files.second, std::move(rect)}});
    });
}

namespace {

// NEC-2's cuts as a picture draws them: the field against elevation,
// normalised to the largest of NEC-2's gains, none where it finds no field.
std::vector<ElevationCut> necGroundCuts(const NecGroundSolution &nec)
{
    std::vector<ElevationCut> cuts;
    for (const auto *cut : {&nec.cut, &nec.alongCut}) {
        if (!*cut)
            continue;
        ElevationCut drawn;
        drawn.stepsPerDegree = static_cast<int>(1.0 / kNecElevationStepDeg);
        for (const double dbi : (*cut)->gainDbi)
            drawn.normalised.push_back(dbi <= -999.0 ? 0.0
                                                     : std::min(1.0, std::pow(10.0, (dbi - nec.maxGainDbi) / 20.0)));
        cuts.push_back(std::move(drawn));
    }
    return cuts;
}

} // namespace

int RenderGroundPair(const RenderRun &run)
{
    const TextApplication app(run.programPath);
    const RenderOptions &options = run.options;
    return run.saveIntoOutDirectory([&options] {
        const auto files = PicturePairFiles(options.format, ArgumentBytes(options.outDirectory));
        GroundPicture picture;
        picture.length = static_cast<double>(options.length);
        picture.monopole = options.ground->monopole;
        picture.height = options.ground->height;
        picture.orientation = options.ground->orientation;
        picture.scale = options.scale;
        picture.rangeDb = options.rangeDb;
        picture.language = SystemLabelledLanguage();
        if (options.ground->nec) {
            const GroundRequest &request = *options.ground;
            picture.comparison =
                necGroundCuts(SolveNecGroundOnce(GroundNecModel(request, picture.length, *options.radius)));
            picture.comparisonName = request.soil ? QStringLiteral("NEC-2, real ground") : QStringLiteral("NEC-2");
        }
        const bool sized = !options.size.isEmpty();
        auto pair = EncodeGroundPair(
            options.format, picture, sized ? FittedToBox(options.size, kGroundPolarSize) : kGroundPolarSize,
            sized ? FittedToBox(options.size, kLabelledRectangularSize) : kLabelledRectangularSize);
        // The pair is saved whole: both files take their places, or neither.
        SaveFiles({{files.first, std::move(pair.first)}, {files.second, std::move(pair.second)}});
    });
}

int RenderCurrent(const RenderRun &run)
{
    const TextApplication app(run.programPath);
    const RenderOptions &options = run.options;
    return run.saveIntoOutDirectory([&options] {
        const double M = static_cast<double>(options.length);
        std::optional<NecSolution> nec;
        if (options.nec)
            nec = RunNecCrossCheck(M, *options.radius);
        const QByteArray file =
            WirePictureFile(ArgumentBytes(options.outDirectory), kCurrentPictureName, options.format);
        SaveCurrentPicture(file, options.format, M, nec, options.size);
    });
}

int RenderHeightSweep(const RenderRun &run)
{
    const HeightSweepRequest &request = *run.options.heightSweep;
    if (!request.outDirectory)
        return WriteHeightSweep(request, run.streams);
    const TextApplication app(run.programPath);
    const auto folder = run.openOutDirectory();
    if (!folder)
        return 1;
    return WriteHeightSweep(request, run.streams);
}

int RenderImpedance(const RenderRun &run)
{
    ImpedanceRequest request = run.options.impedanceRequest();
    // NEC-2 first: a sweep stopped or failing on the way has written
    // nothing, not even the --out folder.
    if (run.options.nec)
        request.nec = SolveNecImpedance(request, run.streams);
    if (run.options.outDirectory.isEmpty())
        return WriteImpedance(request, run.streams);
    const TextApplication app(run.programPath);
    const auto folder = run.openOutDirectory();
    if (!folder)
        return 1;
    return WriteImpedance(request, run.streams);
}

int RenderFrequencySweep(const RenderRun &run)
{
    const FrequencySweepRequest &request = *run.options.frequencySweep;
    // A measurement that cannot be read is refused before any file is made.
    const MeasuredInput measured = ReadMeasuredInput(request, run.streams);
    if (measured.status != 0)
        return measured.status;
    if (!request.outDirectory)
        return WriteFrequencySweep(request, measured.points, run.streams);
    const TextApplication app(run.programPath);
    const auto folder = run.openOutDirectory();
    if (!folder)
        return 1;
    return WriteFrequencySweep(request, measured.points, run.streams);
}
