#pragma once
// Frames drawn side by side and written in order. The frames of a sweep are
// independent, so worker threads draw and encode them, each with an encoder
// of its own, while the calling thread takes the finished frames one after
// another in frame order and writes them: the files and the order of the
// writes are those of a run on one thread. The workers run at most a few
// frames ahead of the writer, so a long sweep holds only those in memory.
#include "Sweep.h"
#include "formats/PictureFormat.h"

#include <QByteArray>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The polar and the rectangular picture's file contents.
using FrameFiles = std::pair<QByteArray, QByteArray>;

// Draws and encodes frame `index` (from 0). One encoder serves one thread,
// so it may keep its surfaces and buffers from frame to frame.
using FrameEncoder = std::function<FrameFiles(int index)>;
// Makes one encoder; called on the constructing thread, once per worker.
using FrameEncoderFactory = std::function<FrameEncoder()>;

class FramePipeline
{
public:
    // Starts encoding frames 0 to count - 1 on `threads` worker threads. With
    // one thread there are no workers: next() encodes each frame itself.
    FramePipeline(int count, int threads, const FrameEncoderFactory &makeEncoder);
    // Stops the workers; frames not yet taken are dropped.
    ~FramePipeline();
    FramePipeline(const FramePipeline &) = delete;
    FramePipeline &operator=(const FramePipeline &) = delete;

    // The next frame's files, waiting for them; the error its encoder raised
    // is raised here, in its turn.
    FrameFiles next();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// The threads a sweep draws on: every core for the raster formats, whose
// drawing touches nothing shared; one for the vector writers.
int SweepThreadCount(PictureFormat format);

// Draws one frame's two files in memory.
using SweepFrameEncoder = std::function<FrameFiles(const SweepFrame &frame)>;

// Writes what a frame has beside its pair, once the pair is written, on the
// calling thread and without waiting for the disk.
using SweepFrameAddition = std::function<void(const SweepFrame &frame)>;

// RunSweep with each frame drawn by an encoder from makeEncoder on one of
// `threads` threads and written in frame order on the calling thread
// without waiting for the disk, as a one-thread sweep writes it; then
// besideFrame, when given, writes the frame's other files.
void RunSweepOnThreads(const std::vector<SweepFrame> &frames, const QString &directory, const QString &extension,
                       const std::function<SweepFrameEncoder()> &makeEncoder, SweepProgress *progress, int threads,
                       const SweepFrameAddition &besideFrame = {});
