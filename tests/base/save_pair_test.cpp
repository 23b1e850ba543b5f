// Files saved together: a picture pair is saved whole or not at all, and two
// programs saving pairs into one folder never leave a mixed pair.
#include "SaveTestSupport.h"
#include "base/FilePath.h"
#include "base/SaveFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <csignal>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Contents as long as a 32-bit plot picture.
QByteArray Picture(char fill)
{
    return QByteArray(1437798, fill);
}

} // namespace

TEST(SavePair, AFullFileSystemKeepsTheOldPairAndLeavesNothingNew)
{
    // A small file system with room for one new picture only: the first
    // temporary fits, the second does not.
    enum { kAsExpected = 0, kWrongOutcome = 21, kWrongFileNamed, kOldPairChanged, kLeftBehind };
    for (const bool oldPair : {false, true}) {
        SCOPED_TRACE(oldPair ? "an old pair" : "no pair yet");
        QTemporaryDir dir;
        const QString dn1 = dir.filePath("dn1.bmp");
        const QString dn2 = dir.filePath("dn2.bmp");
        const int result = InSmallFileSystem(dir.path(), "2m", [&] {
            if (oldPair) {
                writeFile(dn1, "old polar");
                writeFile(dn2, "old rectangular");
            }
            try {
                SaveFiles({{QFile::encodeName(dn1), Picture('1')}, {QFile::encodeName(dn2), Picture('2')}});
                return int(kWrongOutcome);
            } catch (const StreamWriteError &e) {
                if (e.path() != QFile::encodeName(dn2))
                    return int(kWrongFileNamed);
            } catch (...) {
                return int(kWrongOutcome);
            }
            if (oldPair && (readAll(dn1) != "old polar" || readAll(dn2) != "old rectangular"))
                return int(kOldPairChanged);
            const QStringList expected = oldPair ? QStringList{"dn1.bmp", "dn2.bmp"} : QStringList{};
            return entries(dir.path()) == expected ? int(kAsExpected) : int(kLeftBehind);
        });
        SKIP_IF_NOT_MOUNTED(result);
        EXPECT_EQ(result, kAsExpected);
    }
}

TEST(SavePair, TwoProgramsSavingPairsIntoOneFolderNeverMixThem)
{
    // Two processes save their own pairs into one folder over and over while
    // this one reads the pair under a shared lock on the folder, as often as
    // it can: every pair it reads, and the last, is one process's pair. The
    // contents differ in length, as pictures of two lengths do.
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray dn1 = JoinPath(folder, QByteArray("dn1.bmp"));
    const QByteArray dn2 = JoinPath(folder, QByteArray("dn2.bmp"));
    const std::pair<QByteArray, QByteArray> pairs[] = {
        {QByteArray(50000, 'a'), QByteArray(60000, 'A')},
        {QByteArray(70000, 'b'), QByteArray(80000, 'B')},
    };
    constexpr int kSaves = 150;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            ::alarm(60);
            try {
                for (int i = 0; i < kSaves; ++i)
                    SaveFiles({{dn1, pairs[w].first}, {dn2, pairs[w].second}}, FileSync::Deferred);
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
    }
    const auto isOnePair = [&](const QByteArray &first, const QByteArray &second) {
        return (first == pairs[0].first && second == pairs[0].second)
               || (first == pairs[1].first && second == pairs[1].second);
    };
    int reads = 0;
    int mixed = 0;
    int running = 2;
    while (running > 0) {
        const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::flock(fd, LOCK_SH), 0);
        const QByteArray first = readAll(QFile::decodeName(dn1));
        const QByteArray second = readAll(QFile::decodeName(dn2));
        ::close(fd);
        if (!first.isEmpty() || !second.isEmpty()) {
            ++reads;
            mixed += isOnePair(first, second) ? 0 : 1;
        }
        int status = 0;
        while (running > 0 && ::waitpid(-1, &status, WNOHANG) > 0) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
            --running;
        }
    }
    EXPECT_EQ(mixed, 0) << "of " << reads << " pairs read";
    EXPECT_TRUE(isOnePair(readAll(QFile::decodeName(dn1)), readAll(QFile::decodeName(dn2))));
    EXPECT_EQ(entries(dir.path()), (QStringList{"dn1.bmp", "dn2.bmp"}));
}

TEST(SavePair, ASaverKilledAnywhereNeverLeavesAMixedPair)
{
    // A child saves numbered pairs over and over and is killed at a random
    // moment: the pair on disk is one save's, or one of its files is
    // missing, never one file of one save beside one of another. The next
    // save takes over what a killed one left and leaves the pair alone.
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray dn1 = JoinPath(folder, QByteArray("dn1.bmp"));
    const QByteArray dn2 = JoinPath(folder, QByteArray("dn2.bmp"));
    const auto save = [&](int number) {
        const QByteArray tag = QByteArray::number(number);
        SaveFiles({{dn1, "polar " + tag}, {dn2, "rect " + tag}}, FileSync::Deferred);
    };
    save(0);
    int mixed = 0;
    constexpr int kKills = 200;
    for (int round = 1; round <= kKills; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 1;; ++i)
                save(round * 1000000 + i);
        }
        ::usleep(useconds_t(200 + (round * 7919) % 3000));
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        const QByteArray polar = readAll(QFile::decodeName(dn1));
        const QByteArray rect = readAll(QFile::decodeName(dn2));
        if (!polar.isEmpty() && !rect.isEmpty() && polar.mid(6) != rect.mid(5))
            ++mixed;
    }
    EXPECT_EQ(mixed, 0) << "of " << kKills << " kills";
    // Whatever a kill left, with the rectangular picture missing too.
    QFile::remove(QFile::decodeName(dn2));
    save(1);
    EXPECT_EQ(entries(dir.path()), (QStringList{"dn1.bmp", "dn2.bmp"}));
}

TEST(SavePair, AFileReplacedWhileTheSaveWaitsForTheFolderIsSavedUnderItsNewName)
{
    // A file with a second name is written in place. Here the save has
    // opened it and waits for the folder's lock while another program
    // removes both its names and puts a new file under the first: the save
    // must not write into the removed file, which nobody can see any more.
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray dn1 = JoinPath(folder, QByteArray("dn1.bmp"));
    const QByteArray twin = JoinPath(folder, QByteArray("twin.bmp"));
    writeFile(QFile::decodeName(dn1), "old");
    ASSERT_EQ(::link(dn1.constData(), twin.constData()), 0);
    const int lock = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
        ::alarm(10);
        ::close(lock); // the lock stays with this process's parent alone
        try {
            SaveFileContents(dn1, "new");
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    // The saver waits for the lock once /proc/locks lists it as waiting.
    const QByteArray pid = ' ' + QByteArray::number(saver) + ' ';
    const auto isWaiting = [&] {
        for (const QByteArray &line : readAll("/proc/locks").split('\n'))
            if (line.contains("->") && line.contains("FLOCK") && line.contains(pid))
                return true;
        return false;
    };
    ASSERT_TRUE(QTest::qWaitFor(isWaiting, 5000));
    ASSERT_EQ(::unlink(twin.constData()), 0);
    ASSERT_EQ(::unlink(dn1.constData()), 0);
    writeFile(QFile::decodeName(dn1), "another program's");
    ::close(lock);
    int status = 0;
    ASSERT_EQ(::waitpid(saver, &status, 0), saver);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    EXPECT_EQ(readAll(QFile::decodeName(dn1)), QByteArray("new"));
}
