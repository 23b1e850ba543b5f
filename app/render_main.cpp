// dipole-render: draws the two pictures of the build command for one length
// and writes them as dn1.bmp and dn2.bmp (or in another file type), without a
// window or a display; a sweep draws them for a series of lengths.
// The plots draw no text, so no GUI application is needed; a family's legend
// lines and the labelled pictures are text and need one, on the offscreen
// platform unless told otherwise.
#include "base/AppError.h"
#include "base/QtStart.h"
#include "fonts/EmbeddedFonts.h"
#include "formats/PicturePair.h"
#include "numbers/NumberText.h"
#include "plot/FamilyPlot.h"
#include "plot/PlotCanvas.h"
#include "plot/PlotCommands.h"
#include "render/LabelledRender.h"
#include "render/RenderOptions.h"
#include "render/ReportOutput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

// The refusal of a length of 30 or more, in the window's words.
QString lengthRefusedText()
{
    return QStringLiteral("Ну, Вы, имейте совесть!\nНичего толком не увидите уже!");
}

void printLine(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

// The build command's two pictures for one length.
PairDrawing buildCommand(const RenderOptions &options, long double length)
{
    return [&options, length](PlotCanvas &polar, PlotCanvas &rect) {
        BuildPictures(polar, rect, options.colour, static_cast<double>(length), options.fill);
    };
}

// A GUI application for the pictures' text, on the offscreen platform unless
// told otherwise, with the faces that come with the program whatever the
// machine has.
class TextApplication
{
public:
    explicit TextApplication(char *programPath)
        : m_start(offscreenByDefault(programPath), "dipole-render"), m_app(m_start.argc(), m_start.argv())
    {
        m_start.started();
        RegisterEmbeddedFonts();
    }

private:
    // Runs before the members are made: the platform is chosen when the
    // application starts.
    static char *offscreenByDefault(char *programPath)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return programPath;
    }

    // The command line is this program's own; Qt gets the program name alone.
    QtStart m_start;
    QGuiApplication m_app;
};

// The family as the window draws it: the legend shows each length as its
// field would after editing (up to eight decimals, the user's separator).
int renderFamily(char *programPath, const RenderOptions &options)
{
    const TextApplication app(programPath);
    std::vector<FamilyRow> rows;
    for (const RenderFamilyRow &row : options.family)
        rows.push_back({row.length, row.colour, FormatEditingText(row.length, 8)});
    try {
        const auto files = PicturePairFiles(options.format, options.outDirectory);
        const auto draw = [&](PlotCanvas &polar, PlotCanvas &rect) { DrawFamily(polar, rect, rows, options.fill); };
        SavePicturePair(options.format, draw, files.first, files.second);
    } catch (const AppError &e) {
        printLine(stderr, e.message());
        return 1;
    }
    return 0;
}

// Every length of the sweep as a single run draws it; the bar on a
// terminal only, so that a script's standard error stays quiet.
int runSweep(const RenderOptions &options, const SweepFrameWriter &writeFrame)
{
    std::unique_ptr<SweepProgress> progress;
    QElapsedTimer clock;
    clock.start();
    if (::isatty(STDERR_FILENO)) {
        progress = std::make_unique<SweepProgress>(
            int(options.sweep.size()), [&clock] { return clock.elapsed(); },
            [](const QByteArray &text) {
                std::fputs(text.constData(), stderr);
                std::fflush(stderr);
            });
    }
    try {
        RunSweep(options.sweep, options.outDirectory, PictureFormatName(options.format), writeFrame, progress.get());
    } catch (const AppError &e) {
        printLine(stderr, e.message());
        return 1;
    }
    return 0;
}

int renderSweep(const RenderOptions &options)
{
    PicturePairWriter writer(options.format);
    return runSweep(options, [&](const SweepFrame &frame, const QString &polarFile, const QString &rectFile) {
        writer.save(buildCommand(options, frame.length), polarFile, rectFile, FileSync::Deferred);
    });
}

// The labelled pictures of the command line: its sweep's frames, its
// family, or its one length.
int renderLabelled(char *programPath, const RenderOptions &options)
{
    const TextApplication app(programPath);
    const LabelledSizes sizes = LabelledRenderSizes(options);
    if (!options.sweep.empty()) {
        return runSweep(options, [&](const SweepFrame &frame, const QString &polarFile, const QString &rectFile) {
            SaveLabelledPair(options.format, LabelledRenderPatterns(options, frame.length), sizes, polarFile, rectFile,
                             FileSync::Deferred);
        });
    }
    try {
        const auto files = PicturePairFiles(options.format, options.outDirectory);
        SaveLabelledPair(options.format, LabelledRenderPatterns(options, options.length), sizes, files.first,
                         files.second);
    } catch (const AppError &e) {
        printLine(stderr, e.message());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    RenderOptions options;
    try {
        options = ParseRenderOptions(arguments);
    } catch (const RenderUsageError &e) {
        std::fprintf(stderr, "dipole-render: %s\n", e.what());
        return 2;
    }
    if (options.help) {
        std::fputs(RenderUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    const bool labelled = options.style == RenderOptions::Style::Labelled;
    if (!options.sweep.empty())
        return labelled ? renderLabelled(argv[0], options) : renderSweep(options);
    if (!options.family.empty())
        return labelled ? renderLabelled(argv[0], options) : renderFamily(argv[0], options);
    try {
        // The numbers are refused for a long dipole of either sign, and so
        // are the labelled pictures, which show them.
        CheckBuildLength(options.wantsReadouts() || labelled ? std::fabs(options.length) : options.length);
    } catch (const LengthRefusedError &) {
        printLine(stderr, lengthRefusedText());
        return 2;
    }
    if (options.wantsReadouts()) {
        const int status = WriteReadouts(options.readoutsRequest());
        if (status != 0 || !options.wantsPictures())
            return status;
    }

    if (labelled)
        return renderLabelled(argv[0], options);
    try {
        const auto files = PicturePairFiles(options.format, options.outDirectory);
        SavePicturePair(options.format, buildCommand(options, options.length), files.first, files.second);
    } catch (const AppError &e) {
        printLine(stderr, e.message());
        return 1;
    }
    return 0;
}
