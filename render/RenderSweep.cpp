#include "RenderSweep.h"

#include "ArgumentBytes.h"
#include "FramePipeline.h"
#include "LabelledRender.h"
#include "RenderPictures.h"
#include "TextApplication.h"
#include "WirePictureFiles.h"

#include <QElapsedTimer>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// The bytes of a frame pair, for the check of the free space: the smaller
// of the first and the last frame's pair (exact for bitmaps, whose size is
// fixed; compressed files vary with the length). The labelled frames' sizes
// are known only once they are drawn: their check counts the index alone.
qint64 framePairBytes(const RenderOptions &options)
{
    if (options.style == RenderOptions::Style::Labelled)
        return 0;
    PicturePairWriter writer(options.format);
    qint64 bytes = -1;
    for (const SweepFrame *frame : {&options.sweep.front(), &options.sweep.back()}) {
        const auto &files = writer.encode(BuildCommandDrawing(options, frame->length));
        const qint64 pair = files.first.size() + files.second.size();
        bytes = bytes < 0 ? pair : std::min(bytes, pair);
    }
    return bytes;
}

// Refuses a sweep whose files (pairBytes a frame) cannot fit and removes an
// earlier sweep's frames that this one would leave behind.
bool prepareSweepFolder(const RenderRun &run, qint64 pairBytes)
{
    const RenderOptions &options = run.options;
    try {
        PrepareSweepFolder(options.sweep, options.outDirectory, PictureFormatName(options.format), pairBytes);
    } catch (const SweepSpaceError &e) {
        WriteError(run.streams, "dipole-render: " + e.message().toLocal8Bit() + '\n');
        return false;
    } catch (const StaleFileError &e) {
        WriteError(run.streams, FailureLine("cannot remove", ArgumentBytes(e.file()), e.error()));
        return false;
    } catch (const AppError &e) {
        run.saveFailed(e);
        return false;
    }
    return true;
}

// One encoder for each thread: the labelled pictures, or the window's with
// a writer of the thread's own.
std::function<SweepFrameEncoder()> frameEncoders(const RenderOptions &options)
{
    if (options.style == RenderOptions::Style::Labelled) {
        return [&options, sizes = LabelledRenderSizes(options)] {
            return [&options, sizes](const SweepFrame &frame) {
                return EncodeLabelledPair(options.format, LabelledRenderPatterns(options, frame.length), sizes);
            };
        };
    }
    return [&options] {
        return [&options, writer = std::make_shared<PicturePairWriter>(options.format)](const SweepFrame &frame) {
            return FrameFiles(writer->encode(BuildCommandDrawing(options, frame.length)));
        };
    };
}

// With --current, current-0001.EXT beside dn1-0001.EXT.
SweepFrameAddition currentFrames(const RenderOptions &options)
{
    if (!options.current)
        return {};
    return [&options](const SweepFrame &frame) {
        const QString file = SweepFrameFile(options.outDirectory, QLatin1String(kCurrentPictureName), frame.number,
                                            int(options.sweep.size()), PictureFormatName(options.format));
        SaveCurrentPicture(ArgumentBytes(file), options.format, static_cast<double>(frame.length), std::nullopt);
    };
}

} // namespace

int RenderSweep(const RenderRun &run)
{
    const RenderOptions &options = run.options;
    std::optional<TextApplication> app;
    if (options.style == RenderOptions::Style::Labelled || options.current)
        app.emplace(run.programPath);
    // Every frame, the index and every removal go through this one folder.
    const auto folder = run.openOutDirectory();
    if (!folder || !prepareSweepFolder(run, framePairBytes(options)))
        return 1;
    QElapsedTimer clock;
    clock.start();
    const auto progress = TerminalSweepProgress(int(options.sweep.size()), run.streams, clock);
    // The current's pictures are drawn on this thread beside each pair.
    const int threads = options.current ? 1 : SweepThreadCount(options.format);
    try {
        RunSweepOnThreads(options.sweep, options.outDirectory, PictureFormatName(options.format),
                          frameEncoders(options), progress.get(), threads, currentFrames(options));
    } catch (const AppError &e) {
        return run.saveFailed(e);
    }
    return 0;
}
