// dipole-render: draws the two pictures of the build command for one length
// and writes them as dn1.bmp and dn2.bmp (or in another file type), without a
// window or a display; a sweep draws them for a series of lengths.
// The plots draw no text, so no GUI application is needed; a family's legend
// lines and the labelled pictures are text and need one, on the offscreen
// platform. File names are the bytes of the command line throughout.
#include "base/AppError.h"
#include "base/QtStart.h"
#include "fonts/EmbeddedFonts.h"
#include "formats/PicturePair.h"
#include "labelled/LabelledPair.h"
#include "nec/NecCrossCheck.h"
#include "numbers/NumberText.h"
#include "plot/FamilyPlot.h"
#include "plot/PlotCanvas.h"
#include "plot/PlotCommands.h"
#include "render/ArgumentBytes.h"
#include "render/CommandOutput.h"
#include "render/FramePipeline.h"
#include "render/LabelledRender.h"
#include "render/RenderOptions.h"
#include "render/ReportOutput.h"
#include "render/WirePictureFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

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

// The failure of a save, on one line.
int saveFailed(const AppError &error)
{
    std::fputs(SaveFailureLine(error).constData(), stderr);
    return 1;
}

// The folder --out names, with any folders missing above it; a sweep or a
// pair of pictures is then written into it.
bool makeOutDirectory(const RenderOptions &options)
{
    QByteArray folder;
    int error = 0;
    if (MakeDirectories(ArgumentBytes(options.outDirectory), folder, error))
        return true;
    std::fputs(FailureLine("cannot create", folder, error).constData(), stderr);
    return false;
}

std::pair<QByteArray, QByteArray> pictureFiles(const RenderOptions &options)
{
    return PicturePairFiles(options.format, ArgumentBytes(options.outDirectory));
}

// The build command's two pictures for one length.
PairDrawing buildCommand(const RenderOptions &options, long double length)
{
    return [&options, length](PlotCanvas &polar, PlotCanvas &rect) {
        BuildPictures(polar, rect, options.colour, static_cast<double>(length), options.fill);
    };
}

// A GUI application for the pictures' text, on the offscreen platform
// whatever the environment names, with the faces that come with the program
// whatever the machine has.
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
    // application starts. Qt would also create a missing runtime folder; it
    // is told there is none, as nothing here needs one.
    static char *offscreenByDefault(char *programPath)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty() || !QFileInfo(QFile::decodeName(runtime)).isDir())
            qputenv("XDG_RUNTIME_DIR", "/dev/null");
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
    if (!makeOutDirectory(options))
        return 1;
    try {
        const auto files = pictureFiles(options);
        const auto draw = [&](PlotCanvas &polar, PlotCanvas &rect) { DrawFamily(polar, rect, rows, options.fill); };
        SavePicturePair(options.format, draw, files.first, files.second);
    } catch (const AppError &e) {
        return saveFailed(e);
    }
    return 0;
}

// Refuses a sweep whose files (pairBytes a frame) cannot fit and removes an
// earlier sweep's frames that this one would leave behind.
bool prepareSweepFolder(const RenderOptions &options, qint64 pairBytes)
{
    if (!makeOutDirectory(options))
        return false;
    try {
        PrepareSweepFolder(options.sweep, options.outDirectory, PictureFormatName(options.format), pairBytes);
    } catch (const SweepSpaceError &e) {
        std::fputs(("dipole-render: " + e.message().toLocal8Bit() + '\n').constData(), stderr);
        return false;
    } catch (const StaleFileError &e) {
        std::fputs(FailureLine("cannot remove", ArgumentBytes(e.file()), e.error()).constData(), stderr);
        return false;
    }
    return true;
}

// The bar on a terminal only, so that a script's standard error stays quiet.
std::unique_ptr<SweepProgress> sweepProgress(int frames, const QElapsedTimer &clock)
{
    if (!::isatty(STDERR_FILENO))
        return nullptr;
    auto progress = std::make_unique<SweepProgress>(
        frames, [&clock] { return clock.elapsed(); },
        [](const QByteArray &text) {
            std::fputs(text.constData(), stderr);
            std::fflush(stderr);
        });
    progress->fitTo(TerminalColumns(STDERR_FILENO));
    return progress;
}

// Every length of the sweep as a single run draws it, written by writeFrame
// on this thread.
int runSweep(const RenderOptions &options, const SweepFrameWriter &writeFrame)
{
    QElapsedTimer clock;
    clock.start();
    const auto progress = sweepProgress(int(options.sweep.size()), clock);
    try {
        RunSweep(options.sweep, options.outDirectory, PictureFormatName(options.format), writeFrame, progress.get());
    } catch (const AppError &e) {
        return saveFailed(e);
    }
    return 0;
}

// The same on every core, with an encoder from makeEncoder for each thread;
// the frames are written in order on this thread.
int runSweepOnThreads(const RenderOptions &options, const std::function<SweepFrameEncoder()> &makeEncoder)
{
    QElapsedTimer clock;
    clock.start();
    const auto progress = sweepProgress(int(options.sweep.size()), clock);
    try {
        RunSweepOnThreads(options.sweep, options.outDirectory, PictureFormatName(options.format), makeEncoder,
                          progress.get(), SweepThreadCount(options.format));
    } catch (const AppError &e) {
        return saveFailed(e);
    }
    return 0;
}

// The bytes of a frame pair, for the check of the free space: the smaller
// of the first and the last frame's pair (exact for bitmaps, whose size is
// fixed; compressed files vary with the length).
qint64 framePairBytes(PicturePairWriter &writer, const RenderOptions &options)
{
    qint64 bytes = -1;
    for (const SweepFrame *frame : {&options.sweep.front(), &options.sweep.back()}) {
        const auto &files = writer.encode(buildCommand(options, frame->length));
        const qint64 pair = files.first.size() + files.second.size();
        bytes = bytes < 0 ? pair : std::min(bytes, pair);
    }
    return bytes;
}

// With --current, current-0001.EXT beside dn1-0001.EXT.
void saveCurrentFrame(const RenderOptions &options, const SweepFrame &frame, const QString &polarFile)
{
    if (!options.current)
        return;
    const QFileInfo polar(polarFile);
    const QString file = polar.dir().filePath(QStringLiteral("current") + polar.fileName().mid(3));
    SaveCurrentPicture(file, options.format, static_cast<double>(frame.length), std::nullopt);
}

int renderSweep(char *programPath, const RenderOptions &options)
{
    PicturePairWriter writer(options.format);
    if (!prepareSweepFolder(options, framePairBytes(writer, options)))
        return 1;
    if (!options.current) {
        // Each thread draws with a writer of its own.
        return runSweepOnThreads(options, [&options] {
            return [&options, writer = std::make_shared<PicturePairWriter>(options.format)](const SweepFrame &frame) {
                return FrameFiles(writer->encode(buildCommand(options, frame.length)));
            };
        });
    }
    // The current's pictures carry text: drawn on this thread beside each pair.
    const TextApplication app(programPath);
    return runSweep(options, [&](const SweepFrame &frame, const QString &polarFile, const QString &rectFile) {
        writer.save(buildCommand(options, frame.length), ArgumentBytes(polarFile), ArgumentBytes(rectFile),
                    FileSync::Deferred);
        saveCurrentFrame(options, frame, polarFile);
    });
}

// current.EXT for the one LENGTH, with NEC-2's current over it when asked.
int renderCurrent(char *programPath, const RenderOptions &options)
{
    const TextApplication app(programPath);
    if (!makeOutDirectory(options))
        return 1;
    try {
        const double M = static_cast<double>(options.length);
        std::optional<NecSolution> nec;
        if (options.nec)
            nec = RunNecCrossCheck(M, *options.radius);
        const QString file = WirePictureFile(options.outDirectory, QStringLiteral("current"), options.format);
        SaveCurrentPicture(file, options.format, M, nec);
    } catch (const AppError &e) {
        return saveFailed(e);
    }
    return 0;
}

// The impedance table, and its picture with --out.
int renderImpedance(char *programPath, const RenderOptions &options)
{
    if (options.outDirectory.isEmpty())
        return WriteImpedance(options.impedanceRequest());
    const TextApplication app(programPath);
    if (!makeOutDirectory(options))
        return 1;
    return WriteImpedance(options.impedanceRequest());
}

// A labelled sweep: on every core, or on this thread beside the current's
// frames. The labelled frames' sizes are known only once they are drawn: the
// free space is checked for the index alone.
int renderLabelledSweep(const RenderOptions &options, const LabelledSizes &sizes)
{
    if (!prepareSweepFolder(options, 0))
        return 1;
    if (!options.current) {
        return runSweepOnThreads(options, [&options, &sizes] {
            return [&options, &sizes](const SweepFrame &frame) {
                return EncodeLabelledPair(options.format, LabelledRenderPatterns(options, frame.length), sizes);
            };
        });
    }
    return runSweep(options, [&](const SweepFrame &frame, const QString &polarFile, const QString &rectFile) {
        SaveLabelledPair(options.format, LabelledRenderPatterns(options, frame.length), sizes, polarFile, rectFile,
                         FileSync::Deferred);
        saveCurrentFrame(options, frame, polarFile);
    });
}

// The labelled pictures of the command line: its sweep's frames, its
// family, or its one length.
int renderLabelled(char *programPath, const RenderOptions &options)
{
    const TextApplication app(programPath);
    const LabelledSizes sizes = LabelledRenderSizes(options);
    if (!options.sweep.empty())
        return renderLabelledSweep(options, sizes);
    if (!makeOutDirectory(options))
        return 1;
    try {
        const auto files = PicturePairFiles(options.format, options.outDirectory);
        SaveLabelledPair(options.format, LabelledRenderPatterns(options, options.length), sizes, files.first,
                         files.second);
    } catch (const AppError &e) {
        return saveFailed(e);
    }
    return 0;
}

// The one LENGTH: its numbers, then its pictures.
int renderLength(char *programPath, const RenderOptions &options)
{
    const bool labelled = options.style == RenderOptions::Style::Labelled;
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

    if (options.current)
        return renderCurrent(programPath, options);
    if (labelled)
        return renderLabelled(programPath, options);
    if (!makeOutDirectory(options))
        return 1;
    try {
        const auto files = pictureFiles(options);
        SavePicturePair(options.format, buildCommand(options, options.length), files.first, files.second);
    } catch (const AppError &e) {
        return saveFailed(e);
    }
    return 0;
}

// --help: the usage on standard output; a failure to write it is one.
int printUsage()
{
    const OutputResult result = WriteStandardOutput(RenderUsage().toUtf8());
    if (result == OutputResult::Failed)
        std::fputs(FailureLine("cannot write", "standard output", errno).constData(), stderr);
    return result == OutputResult::Failed ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << ArgumentText(argv[i]);

    RenderOptions options;
    try {
        options = ParseRenderOptions(arguments);
    } catch (const RenderUsageError &e) {
        std::fprintf(stderr, "dipole-render: %s\n", e.what());
        return 2;
    }
    if (options.help)
        return printUsage();
    if (options.nec && FindNec2c().isEmpty()) {
        std::fputs("dipole-render: --nec needs the program nec2c, which is not installed "
                   "(the Debian package nec2c brings it)\n",
                   stderr);
        return 2;
    }
    if (!options.impedanceLengths.empty())
        return renderImpedance(argv[0], options);
    const bool labelled = options.style == RenderOptions::Style::Labelled;
    if (!options.sweep.empty())
        return labelled ? renderLabelled(argv[0], options) : renderSweep(argv[0], options);
    if (!options.family.empty())
        return labelled ? renderLabelled(argv[0], options) : renderFamily(argv[0], options);
    return renderLength(argv[0], options);
}
