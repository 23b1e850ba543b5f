#include "FramePipeline.h"

#include "ArgumentBytes.h"

#include "base/SaveFile.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// Frames a worker may finish ahead of the writer, per worker: enough that no
// worker waits while the writer writes, few enough to keep memory small.
constexpr int kFramesAheadPerWorker = 2;

struct Slot
{
    bool ready = false;
    FrameFiles files;
    std::exception_ptr error;
};

} // namespace

struct FramePipeline::State
{
    int count = 0;
    std::vector<FrameEncoder> encoders; // one per worker, or the writer's own
    std::vector<std::thread> workers;
    std::vector<Slot> slots; // frame i in slots[i % size]

    std::mutex mutex;
    std::condition_variable changed;
    int nextToEncode = 0;
    int nextToTake = 0;
    bool stopping = false;

    void work(FrameEncoder &encoder)
    {
        for (;;) {
            int index = 0;
            {
                std::unique_lock<std::mutex> lock(mutex);
                // A slot is free once the frame that used it before is taken.
                changed.wait(lock, [&] {
                    return stopping || nextToEncode >= count || nextToEncode < nextToTake + int(slots.size());
                });
                if (stopping || nextToEncode >= count)
                    return;
                index = nextToEncode++;
            }
            Slot done;
            try {
                done.files = encoder(index);
            } catch (...) {
                done.error = std::current_exception();
            }
            done.ready = true;
            std::lock_guard<std::mutex> lock(mutex);
            slots[size_t(index) % slots.size()] = std::move(done);
            changed.notify_all();
        }
    }
};

FramePipeline::FramePipeline(int count, int threads, const FrameEncoderFactory &makeEncoder)
    : m_state(std::make_unique<State>())
{
    State &s = *m_state;
    s.count = count;
    const int workers = std::min(threads, count);
    if (workers <= 1) {
        s.encoders.push_back(makeEncoder());
        return;
    }
    s.slots.resize(size_t(workers) * kFramesAheadPerWorker);
    for (int i = 0; i < workers; ++i)
        s.encoders.push_back(makeEncoder());
    for (FrameEncoder &encoder : s.encoders)
        s.workers.emplace_back([&s, &encoder] { s.work(encoder); });
}

FramePipeline::~FramePipeline()
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stopping = true;
    }
    m_state->changed.notify_all();
    for (std::thread &worker : m_state->workers)
        worker.join();
}

FrameFiles FramePipeline::next()
{
    State &s = *m_state;
    if (s.workers.empty())
        return s.encoders.front()(s.nextToTake++);
    Slot taken;
    {
        std::unique_lock<std::mutex> lock(s.mutex);
        Slot &slot = s.slots[size_t(s.nextToTake) % s.slots.size()];
        s.changed.wait(lock, [&] { return slot.ready; });
        taken = std::move(slot);
        slot = Slot();
        ++s.nextToTake;
    }
    s.changed.notify_all();
    if (taken.error)
        std::rethrow_exception(taken.error);
    return std::move(taken.files);
}

int SweepThreadCount(PictureFormat format)
{
    return IsVectorFormat(format) ? 1 : std::max(1, QThread::idealThreadCount());
}

void RunSweepOnThreads(const std::vector<SweepFrame> &frames, const QString &directory, const QString &extension,
                       const std::function<SweepFrameEncoder()> &makeEncoder, SweepProgress *progress, int threads,
                       const SweepFrameAddition &besideFrame)
{
    FramePipeline pipeline(int(frames.size()), threads, [&] {
        return [&frames, encode = makeEncoder()](int index) { return encode(frames[size_t(index)]); };
    });
    // RunSweep asks for the frames in order, which is the order the pipeline
    // hands them out in.
    const auto writeFrame = [&](const SweepFrame &frame, const QString &polarFile, const QString &rectFile) {
        FrameFiles files = pipeline.next();
        // The pair is saved whole, as a one-thread sweep saves it, and on
        // disk before it takes its place.
        SaveFiles(
            {{ArgumentBytes(polarFile), std::move(files.first)}, {ArgumentBytes(rectFile), std::move(files.second)}});
        if (besideFrame)
            besideFrame(frame);
    };
    RunSweep(frames, directory, extension, writeFrame, progress);
}
