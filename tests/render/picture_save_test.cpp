// Picture pairs on disk: the pair of every file type and each sweep frame's
// pair are saved whole or not at all, and a sweep's index is written only
// once its frames are on disk.
#include "SaveTestSupport.h"
#include "SyscallFault.h"
#include "formats/PicturePair.h"
#include "plot/PlotCommands.h"
#include "render/Sweep.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

#include <sys/stat.h>

namespace {

const PairDrawing kBuild = [](PlotCanvas &polar, PlotCanvas &rect) { BuildPictures(polar, rect, clNavy, 1.5, true); };

void MakeReadOnly(const QString &path)
{
    writeFile(path, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
}

} // namespace

TEST(PicturePairSave, EveryFileTypeIsSavedWholeOrNotAtAll)
{
    for (const PictureFormat format :
         {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf}) {
        SCOPED_TRACE(PictureFormatName(format).toStdString());
        QTemporaryDir dir;
        const auto files = PicturePairFiles(format, QFile::encodeName(dir.path()));
        const QString polar = QFile::decodeName(files.first);
        const QString rect = QFile::decodeName(files.second);
        MakeReadOnly(rect);
        PicturePairWriter writer(format);
        try {
            writer.save(kBuild, files.first, files.second);
            ADD_FAILURE() << "no error";
        } catch (const FileCreateError &e) {
            EXPECT_EQ(e.path(), files.second);
        }
        EXPECT_FALSE(QFile::exists(polar));
        writeFile(polar, "old");
        EXPECT_THROW(writer.save(kBuild, files.first, files.second), FileCreateError);
        EXPECT_EQ(readAll(polar), QByteArray("old"));

        ASSERT_EQ(::chmod(QFile::encodeName(rect).constData(), 0644), 0);
        writer.save(kBuild, files.first, files.second);
        const auto expected = writer.encode(kBuild);
        if (!IsVectorFormat(format) || format == PictureFormat::Svg) {
            EXPECT_EQ(readAll(polar), expected.first);
            EXPECT_EQ(readAll(rect), expected.second);
        }
        EXPECT_EQ(entries(dir.path()).size(), 2);
    }
}

TEST(PicturePairSave, EachSweepFrameIsSavedWholeOrNotAtAll)
{
    QTemporaryDir dir;
    MakeReadOnly(dir.filePath("dn2-0002.bmp"));
    PicturePairWriter writer(PictureFormat::Bmp);
    const auto writeFrame = [&](const SweepFrame &, const QString &polarFile, const QString &rectFile) {
        writer.save(kBuild, polarFile, rectFile, FileSync::Deferred);
    };
    EXPECT_THROW(RunSweep(PlanSweep("1:3:1"), dir.path(), "bmp", writeFrame, nullptr), FileCreateError);
    EXPECT_EQ(entries(dir.path()), (QStringList{"dn1-0001.bmp", "dn2-0001.bmp", "dn2-0002.bmp"}));
}

TEST(PicturePairSave, TheSweepIndexWaitsUntilTheFramesAreOnDisk)
{
    // A file system that cannot write the frames back fails the sweep before
    // its index describes them: the previous index stays.
    QTemporaryDir dir;
    writeFile(dir.filePath("sweep.csv"), "old");
    PicturePairWriter writer(PictureFormat::Bmp);
    const auto writeFrame = [&](const SweepFrame &, const QString &polarFile, const QString &rectFile) {
        writer.save(kBuild, polarFile, rectFile, FileSync::Deferred);
    };
    EXPECT_EQ(SaveInChild([&] {
                  if (!FailSystemCalls({SCMP_SYS(syncfs), SCMP_SYS(sync)}, EIO))
                      throw std::runtime_error("no filter");
                  RunSweep(PlanSweep("1:2:1"), dir.path(), "bmp", writeFrame, nullptr);
              }),
              kWriteError);
    EXPECT_EQ(readAll(dir.filePath("sweep.csv")), QByteArray("old"));
}
