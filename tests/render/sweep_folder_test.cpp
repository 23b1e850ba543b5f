// A sweep's folder before the first frame: an earlier sweep's frames that
// the new one would leave behind are removed, and nothing else however the
// earlier index reads; a sweep that cannot fit is refused before anything
// is touched.
#include "render/Sweep.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void Touch(const QString &path, const QByteArray &contents = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(contents);
}

std::vector<SweepFrame> Frames(int count)
{
    std::vector<SweepFrame> frames(count);
    for (int i = 0; i < count; ++i) {
        frames[i].number = i + 1;
        frames[i].lengthText = QString::number(i + 1);
        frames[i].length = i + 1;
    }
    return frames;
}

// An earlier png sweep of five frames, with its index.
void EarlierSweep(const QDir &dir, const QByteArray &index)
{
    for (int n = 1; n <= 5; ++n)
        for (const char *base : {"dn1", "dn2"})
            Touch(dir.filePath(SweepFrameFileName(QLatin1String(base), n, 5, QStringLiteral("png"))));
    Touch(dir.filePath("sweep.csv"), index);
}

QStringList Names(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names << QFileInfo(path).fileName();
    names.sort();
    return names;
}

const QByteArray kFiveFrames = "frame,length,hpbw_deg\n1,0.1,1\n2,0.2,1\n3,0.3,1\n4,0.4,1\n5,0.5,1\n";

} // namespace

TEST(SweepFolder, TheFramesAnEarlierIndexListsAndTheNewSweepLeavesAreStale)
{
    struct Case
    {
        const char *name;
        int frames;
        const char *extension;
        QStringList stale;
    };
    const Case cases[] = {
        {"Shorter", 3, "png", {"dn1-0004.png", "dn1-0005.png", "dn2-0004.png", "dn2-0005.png"}},
        {"Longer", 7, "png", {}},
        {"OtherType",
         5,
         "bmp",
         {"dn1-0001.png", "dn1-0002.png", "dn1-0003.png", "dn1-0004.png", "dn1-0005.png", "dn2-0001.png",
          "dn2-0002.png", "dn2-0003.png", "dn2-0004.png", "dn2-0005.png"}},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        EarlierSweep(QDir(dir.path()), kFiveFrames);
        // Not the sweep's: never touched.
        for (const char *other : {"notes.txt", "dn1-0006.png", "dn1-0001.txt", "dn3-0001.png"})
            Touch(dir.filePath(other));
        EXPECT_EQ(Names(StaleSweepFiles(Frames(c.frames), dir.path(), QLatin1String(c.extension))), c.stale) << c.name;
    }
}

TEST(SweepFolder, AnIndexThatIsNoSweepsNamesNothing)
{
    const QByteArray hostile[] = {
        "frame,length\n../outside,0.1\n", "frame,length\n/etc/passwd,0.1\n", "frame,length\n1e3,0.1\n",
        "frame,length\n-1,0.1\n",         "frame,length\n0,0.1\n",           "frame,length\n10001,0.1\n",
        "frame,length\n 4,0.1\n",         "length,frame\n4,0.1\n",
    };
    for (const QByteArray &index : hostile) {
        QTemporaryDir dir;
        EarlierSweep(QDir(dir.path()), index);
        EXPECT_TRUE(StaleSweepFiles(Frames(1), dir.path(), QStringLiteral("png")).isEmpty()) << index.constData();
    }
    // A link named like a frame is not a frame.
    QTemporaryDir dir;
    EarlierSweep(QDir(dir.path()), kFiveFrames);
    ASSERT_TRUE(QFile::remove(dir.filePath("dn1-0005.png")));
    Touch(dir.filePath("precious"));
    ASSERT_EQ(::symlink("precious", QFile::encodeName(dir.filePath("dn1-0005.png")).constData()), 0);
    EXPECT_EQ(Names(StaleSweepFiles(Frames(4), dir.path(), QStringLiteral("png"))), QStringList({"dn2-0005.png"}));
}

TEST(SweepFolder, AnIndexThatIsNotTheSaversOwnFileNamesNothingAndNeverWaits)
{
    // An index planted as a link to an endless device, as a pipe whose
    // writer never writes, as another user's file, or grown beyond any
    // sweep's: it lists nothing, and reading it neither waits nor fills
    // memory.
    struct Case
    {
        const char *name;
        std::function<void(const QString &index)> plant;
        bool needsRoot;
        bool stays; // not the saver's to remove
    };
    const Case cases[] = {
        {"a link to /dev/zero",
         [](const QString &index) { ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(index).constData()), 0); },
         false, true},
        {"a pipe", [](const QString &index) { ASSERT_EQ(::mkfifo(QFile::encodeName(index).constData(), 0644), 0); },
         false, true},
        {"another user's index",
         [](const QString &index) {
             Touch(index, kFiveFrames);
             ASSERT_EQ(::chown(QFile::encodeName(index).constData(), 65534, 65534), 0);
         },
         true, true},
        {"an index beyond any sweep's",
         [](const QString &index) {
             QByteArray rows = kFiveFrames;
             while (rows.size() <= (kMaxSweepFrames + 1) * 512)
                 rows += "5,0.5,1\n";
             Touch(index, rows);
         },
         false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && ::geteuid() != 0)
            continue;
        QTemporaryDir dir;
        EarlierSweep(QDir(dir.path()), kFiveFrames);
        ASSERT_TRUE(QFile::remove(dir.filePath("sweep.csv")));
        c.plant(dir.filePath("sweep.csv"));
        EXPECT_TRUE(StaleSweepFiles(Frames(3), dir.path(), QStringLiteral("png")).isEmpty());
        PrepareSweepFolder(Frames(3), dir.path(), QStringLiteral("png"), 1000);
        EXPECT_TRUE(QFile::exists(dir.filePath("dn1-0005.png")));
        const QFileInfo index(dir.filePath("sweep.csv"));
        EXPECT_EQ(index.exists() || index.isSymLink(), c.stays);
    }
}

TEST(SweepFolder, PreparingRemovesTheStaleFramesOrRefusesASweepThatCannotFit)
{
    QTemporaryDir dir;
    EarlierSweep(QDir(dir.path()), kFiveFrames);
    // A frame pair of a petabyte fits nowhere: refused with both sizes, and
    // nothing removed.
    try {
        PrepareSweepFolder(Frames(3), dir.path(), QStringLiteral("png"), qint64(1) << 50);
        ADD_FAILURE() << "a sweep of 3 PB was not refused";
    } catch (const SweepSpaceError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("the sweep needs 3.4 PB for its files, but ")))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().endsWith(QStringLiteral(" free"))) << e.message().toStdString();
    }
    EXPECT_TRUE(QFile::exists(dir.filePath("dn1-0005.png")));

    // The old index goes with the stale frames: a sweep stopped before its
    // own index is written leaves none that lists the earlier frames.
    PrepareSweepFolder(Frames(3), dir.path(), QStringLiteral("png"), 1000);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, QStringList({"dn1-0001.png", "dn1-0002.png", "dn1-0003.png", "dn2-0001.png", "dn2-0002.png",
                                 "dn2-0003.png"}));
}
