// Frames drawn on several threads and written in order: the same files as
// on one thread, frames handed out in order however the workers finish, an
// encoder's error raised in its frame's turn, and a bounded lead.
#include "formats/PicturePair.h"
#include "labelled/LabelledPair.h"
#include "plot/PlotCommands.h"
#include "render/FramePipeline.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

namespace {

FrameFiles Numbered(int index)
{
    return {QByteArray::number(index), QByteArray::number(-index)};
}

QMap<QString, QByteArray> Contents(const QString &directory)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(directory).entryList(QDir::Files)) {
        QFile file(QDir(directory).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        files.insert(name, file.readAll());
    }
    return files;
}

} // namespace

TEST(FramePipeline, HandsOutEveryFrameInOrderHoweverTheWorkersFinish)
{
    for (const int threads : {1, 2, 3, 8}) {
        const int count = 23;
        std::atomic<int> encoders{0};
        FramePipeline pipeline(count, threads, [&] {
            ++encoders;
            return [](int index) {
                // Early frames take longest, so later ones finish first.
                std::this_thread::sleep_for(std::chrono::microseconds((23 - index) % 5 * 300));
                return Numbered(index);
            };
        });
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(pipeline.next(), Numbered(i)) << threads << " threads, frame " << i;
        EXPECT_EQ(encoders, threads) << "one encoder per thread";
    }
}

TEST(FramePipeline, AnEncoderIsNeverUsedByTwoThreadsAtOnce)
{
    std::mutex mutex;
    std::set<const void *> busy;
    bool overlapped = false;
    FramePipeline pipeline(40, 4, [&] {
        auto self = std::make_shared<int>(0);
        return [&, self](int index) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                overlapped |= !busy.insert(self.get()).second;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            std::lock_guard<std::mutex> lock(mutex);
            busy.erase(self.get());
            return Numbered(index);
        };
    });
    for (int i = 0; i < 40; ++i)
        pipeline.next();
    EXPECT_FALSE(overlapped);
}

TEST(FramePipeline, AnErrorIsRaisedInItsFramesTurn)
{
    for (const int threads : {1, 2, 4}) {
        FramePipeline pipeline(10, threads, [] {
            return [](int index) {
                if (index == 6)
                    throw std::runtime_error("frame 7 failed");
                return Numbered(index);
            };
        });
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(pipeline.next(), Numbered(i)) << threads << " threads";
        EXPECT_THROW(pipeline.next(), std::runtime_error) << threads << " threads";
    }
}

TEST(FramePipeline, WorkersRunOnlyAFewFramesAheadAndStopWhenDropped)
{
    std::atomic<int> encoded{0};
    {
        FramePipeline pipeline(1000, 2, [&] {
            return [&](int index) {
                ++encoded;
                return Numbered(index);
            };
        });
        EXPECT_EQ(pipeline.next(), Numbered(0));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        // Two workers, two frames each ahead of the one taken.
        EXPECT_LE(encoded, 5);
    } // dropped with frames still to come: must not wait for them
    EXPECT_LE(encoded, 6);
}

TEST(FramePipeline, SweepsOnOneAndOnManyThreadsWriteTheSameFiles)
{
    const std::vector<SweepFrame> frames = PlanSweep("0.1:3:0.1");
    const auto makeEncoder = [] {
        return [writer = std::make_shared<PicturePairWriter>(PictureFormat::Png)](const SweepFrame &frame) {
            return FrameFiles(writer->encode([&](PlotCanvas &polar, PlotCanvas &rect) {
                BuildPictures(polar, rect, clNavy, double(frame.length), true);
            }));
        };
    };
    QTemporaryDir one, many;
    RunSweepOnThreads(frames, one.path(), "png", makeEncoder, nullptr, 1);
    RunSweepOnThreads(frames, many.path(), "png", makeEncoder, nullptr, 4);
    const auto oneFiles = Contents(one.path());
    ASSERT_EQ(oneFiles.size(), 61) << "30 pairs and the index";
    EXPECT_TRUE(oneFiles == Contents(many.path()));
    EXPECT_NE(oneFiles.value("dn1-0001.png"), oneFiles.value("dn1-0030.png"));
}

TEST(FramePipeline, LabelledFramesDrawnSideBySideAreTheFramesOfOneThread)
{
    // Text, antialiased curves and translated words, painted on several
    // threads at once.
    const auto makeEncoder = [] {
        return [](int index) {
            LabelledOptions options;
            options.language = LabelledLanguage::Russian;
            options.readouts = true;
            const double M = 0.5 + 0.25 * index;
            return EncodeLabelledPair(PictureFormat::Png, LabelledPatterns({{M, clNavy}, {M + 1, clRed}}, options));
        };
    };
    const int count = 8;
    std::vector<FrameFiles> one;
    FramePipeline single(count, 1, makeEncoder);
    for (int i = 0; i < count; ++i)
        one.push_back(single.next());
    FramePipeline several(count, 3, makeEncoder);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(several.next() == one[size_t(i)]) << "frame " << i;
}

TEST(FramePipeline, VectorSweepsStayOnOneThread)
{
    EXPECT_EQ(SweepThreadCount(PictureFormat::Svg), 1);
    EXPECT_EQ(SweepThreadCount(PictureFormat::Pdf), 1);
    EXPECT_GE(SweepThreadCount(PictureFormat::Png), 1);
    EXPECT_EQ(SweepThreadCount(PictureFormat::Png), SweepThreadCount(PictureFormat::Bmp));
}
