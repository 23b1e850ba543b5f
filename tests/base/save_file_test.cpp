// The careful save: replacing a file through a temporary, writing in place
// what must keep its owner, links or kind, and failing without losing the
// previous contents or leaving anything behind.
#include "SaveTestSupport.h"
#include "SyscallFault.h"
#include "base/SaveFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Contents as long as a 32-bit plot picture, different in every byte
// position that matters to a comparison.
QByteArray Contents(int seed)
{
    QByteArray data(1437798, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char((i * 7 + seed) % 251);
    return data;
}

const QByteArray kData = Contents(1);
const QByteArray kOther = Contents(2);

} // namespace

TEST(SaveFile, ReplacingKeepsPermissionBitsAndGroupWithoutSetIdBits)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("dn1.bmp");
    const QByteArray name = QFile::encodeName(path);
    for (const mode_t mode : {0640, 0604, 06755, 02770}) {
        writeFile(path, "old");
        ASSERT_EQ(::chmod(name.constData(), mode), 0);
        SaveFileContents(path, kData);
        EXPECT_EQ(StatOf(path).st_mode & 07777, mode & 0777) << std::oct << mode;
        EXPECT_EQ(readAll(path), kData);
    }
    // A group other than the saver's stays with the file.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(name.constData(), 0, kNobody), 0);
        SaveFileContents(path, kData);
        EXPECT_EQ(StatOf(path).st_gid, kNobody);
        EXPECT_EQ(StatOf(path).st_uid, 0u);
    }
}

TEST(SaveFile, LinksAndSharedFilesAreWrittenInPlace)
{
    QTemporaryDir dir;
    const QByteArray &expected = kData;

    // A symbolic link stays a link, and its target stays the same file,
    // cut to the picture's length.
    const QString target = dir.filePath("target.bmp");
    writeFile(target, QByteArray(3000000, 'o'));
    const ino_t inode = StatOf(target).st_ino;
    const QString link = dir.filePath("dn1.bmp");
    ASSERT_TRUE(QFile::link(target, link));
    SaveFileContents(link, kData);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(StatOf(target).st_ino, inode);
    EXPECT_EQ(readAll(target), expected);

    // A file with a second name: both names keep showing one file.
    const QString twin = dir.filePath("twin.bmp");
    ASSERT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(twin).constData()), 0);
    SaveFileContents(twin, kOther);
    EXPECT_EQ(StatOf(twin).st_ino, inode);
    EXPECT_EQ(readAll(target), kOther);
}

TEST(SaveFile, AnotherUsersFileKeepsItsOwnerAndBits)
{
    SKIP_UNLESS_NOBODY();
    QTemporaryDir dir;
    const QString path = dir.filePath("dn1.bmp");
    const QByteArray name = QFile::encodeName(path);
    writeFile(path, "old");
    ASSERT_EQ(::chown(name.constData(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(name.constData(), 06777), 0);
    const ino_t inode = StatOf(path).st_ino;
    SaveFileContents(path, kData);
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_ino, inode);
    EXPECT_EQ(after.st_uid, kNobody);
    EXPECT_EQ(after.st_gid, kNobody);
    EXPECT_FALSE(after.st_uid == 0 && (after.st_mode & 06000)) << "a set-id file of the superuser";
    EXPECT_EQ(readAll(path), kData);
}

TEST(SaveFile, AnotherUsersWritableFileInAStickyDirectoryIsWrittenInPlace)
{
    SKIP_UNLESS_NOBODY();
    QTemporaryDir dir;
    const QByteArray dirName = QFile::encodeName(dir.path());
    ASSERT_EQ(::chmod(dirName.constData(), 01777), 0);
    const QByteArray &expected = kData;

    // The superuser's writable file, saved by another user: the sticky bit
    // forbids replacing it, but writing it in place is allowed.
    const QString shared = dir.filePath("dn1.bmp");
    writeFile(shared, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0666), 0);
    EXPECT_EQ(SaveInChild([&] { SaveFileContents(shared, kData); }, kNobody), kSaved);
    EXPECT_EQ(readAll(shared), expected);
    EXPECT_EQ(StatOf(shared).st_uid, 0u);
}

TEST(SaveFile, AnotherUsersLinkIsFollowedOnlyToWhatItsOwnerOwns)
{
    // Whatever the kernel is set to (fs.protected_symlinks), a link that
    // another user planted, in a shared folder with the sticky bit or in a
    // folder of their own, cannot make the superuser overwrite or create a
    // file that the link's owner may not write. The superuser saves; the
    // links and targets are given their owners.
    SKIP_UNLESS_NOBODY();
    struct Case
    {
        const char *name;
        mode_t folderMode;
        uid_t folderOwner;
        uid_t linkOwner;
        uid_t targetOwner;
        bool dangling;
        bool followed;
    };
    const Case cases[] = {
        {"another user's link to the saver's file in /tmp", 01777, 0, kNobody, 0, false, false},
        {"another user's link to a new file", 01777, 0, kNobody, 0, true, false},
        {"the saver's own link", 01777, 0, 0, 0, false, true},
        {"the folder owner's link to the saver's file", 01777, kNobody, kNobody, 0, false, false},
        {"another user's link in their own folder", 0755, kNobody, kNobody, 0, false, false},
        {"another user's link without the sticky bit", 0777, 0, kNobody, 0, false, false},
        {"another user's link to their own file", 0755, kNobody, kNobody, kNobody, false, true},
        {"another user's link to their own file in /tmp", 01777, 0, kNobody, kNobody, false, true},
    };
    QTemporaryDir safe; // a folder only its owner may enter
    const QString secret = safe.filePath("secret");
    const QString created = safe.filePath("created");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(secret, "secret");
        ASSERT_EQ(::chown(QFile::encodeName(secret).constData(), c.targetOwner, c.targetOwner), 0);
        QFile::remove(created);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const QString planted = dir.filePath("dn1.bmp");
        const QString target = c.dangling ? created : secret;
        ASSERT_TRUE(QFile::link(target, planted));
        ASSERT_EQ(::lchown(QFile::encodeName(planted).constData(), c.linkOwner, c.linkOwner), 0);
        ASSERT_EQ(::chown(folder.constData(), c.folderOwner, c.folderOwner), 0);
        ASSERT_EQ(::chmod(folder.constData(), c.folderMode), 0);
        try {
            SaveFileContents(planted, kData);
            EXPECT_TRUE(c.followed) << "the planted link was followed";
            EXPECT_EQ(readAll(target), kData);
        } catch (const FileCreateError &e) {
            EXPECT_FALSE(c.followed) << "the link was refused";
            EXPECT_EQ(e.message(), "Cannot create file " + planted);
            EXPECT_EQ(e.systemError(), EACCES);
            EXPECT_EQ(readAll(secret), QByteArray("secret"));
            EXPECT_FALSE(QFile::exists(created));
        }
        EXPECT_TRUE(QFileInfo(planted).isSymLink());
        EXPECT_EQ(StatOf(secret).st_uid, c.targetOwner);
    }
}

TEST(SaveFile, ASecondNameInASharedStickyFolderIsNotWrittenThrough)
{
    // With fs.protected_hardlinks at 0 another user can give the saver's
    // file a second name in /tmp; writing that name in place would write
    // the saver's file. In a folder of the saver's, a second name is the
    // saver's own doing and is written in place.
    SKIP_UNLESS_NOBODY();
    QTemporaryDir safe;
    const QString secret = safe.filePath("secret");
    for (const mode_t mode : {mode_t(01777), mode_t(0755)}) {
        SCOPED_TRACE(mode);
        writeFile(secret, "secret");
        QTemporaryDir dir;
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), mode), 0);
        const QString twin = dir.filePath("dn1.bmp");
        ASSERT_EQ(::link(QFile::encodeName(secret).constData(), QFile::encodeName(twin).constData()), 0);
        const bool shared = mode & S_ISVTX;
        try {
            SaveFileContents(twin, kData);
            EXPECT_FALSE(shared) << "written through a second name in a shared folder";
            EXPECT_EQ(readAll(secret), kData);
        } catch (const FileCreateError &e) {
            EXPECT_TRUE(shared);
            EXPECT_EQ(e.systemError(), EACCES);
            EXPECT_EQ(readAll(secret), QByteArray("secret"));
        }
    }
}

TEST(SaveFile, BrokenLinks)
{
    QTemporaryDir dir;

    // A dangling link into an existing folder: its target is created.
    const QString dangling = dir.filePath("dn1.bmp");
    ASSERT_TRUE(QFile::link(dir.filePath("made.bmp"), dangling));
    SaveFileContents(dangling, kData);
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(readAll(dir.filePath("made.bmp")), kData);

    // A loop, and a link into a missing folder: nothing can be created.
    const QString loop = dir.filePath("loop.bmp");
    ASSERT_TRUE(QFile::link(loop, loop));
    const QString nowhere = dir.filePath("nowhere.bmp");
    ASSERT_TRUE(QFile::link(dir.filePath("missing/dn1.bmp"), nowhere));
    for (const QString &link : {loop, nowhere}) {
        try {
            SaveFileContents(link, kData);
            ADD_FAILURE() << "no error for " << link.toStdString();
        } catch (const FileCreateError &e) {
            EXPECT_EQ(e.message(), "Cannot create file " + link);
        }
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << link.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
}

TEST(SaveFile, MissingDirectoryOrDirectoryInTheWayIsACreateError)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("no/such/dn1.bmp");
    try {
        SaveFileContents(missing, kData);
        FAIL() << "no error";
    } catch (const FileCreateError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file ") + missing);
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("dn1.bmp"));
    EXPECT_THROW(SaveFileContents(dir.filePath("dn1.bmp"), kData), FileCreateError);

    // A directory without write permission (the superuser writes anyway).
    if (::geteuid() != 0) {
        const QString locked = dir.filePath("locked");
        ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
        ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0555), 0);
        EXPECT_THROW(SaveFileContents(locked + "/dn1.bmp", kData), FileCreateError);
        ::chmod(QFile::encodeName(locked).constData(), 0755);
    }
}

TEST(SaveFile, FileSizeLimitIsAWriteErrorAndKeepsThePreviousFile)
{
    // A file size limit makes every write beyond it fall short, as a full
    // disk would, and raises SIGXFSZ, which must not end the program. It is
    // set in a child so the test process keeps no limit.
    QTemporaryDir dir;
    const QString path = dir.filePath("dn1.bmp");
    const QString viaLink = dir.filePath("link.bmp");
    const QByteArray previous(5000, 'p');
    writeFile(path, previous);
    ASSERT_TRUE(QFile::link(path, viaLink));
    const auto underLimit = [&](const QString &target) {
        return SaveInChild([&] {
            // Only the soft limit moves, so that it can be lifted again.
            struct rlimit limit = {};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            const rlim_t unlimited = limit.rlim_cur;
            limit.rlim_cur = 100000;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            try {
                SaveFileContents(target, kData);
            } catch (const StreamWriteError &e) {
                // The program goes on, and so does its next save.
                if (e.message() != QLatin1String("Stream write error"))
                    throw std::runtime_error("wrong message");
                limit.rlim_cur = unlimited;
                ::setrlimit(RLIMIT_FSIZE, &limit);
                SaveFileContents(dir.filePath("after.bmp"), kData);
                throw;
            }
        });
    };

    // Replaced through a temporary: the temporary goes, the file stays.
    EXPECT_EQ(underLimit(path), kWriteError);
    EXPECT_EQ(readAll(path), previous);
    EXPECT_EQ(readAll(dir.filePath("after.bmp")), kData);
    EXPECT_EQ(entries(dir.path()), (QStringList{"after.bmp", "dn1.bmp", "link.bmp"}));

    // Written in place through a link: the space is reserved before the old
    // contents are cut.
    EXPECT_EQ(underLimit(viaLink), kWriteError);
    EXPECT_EQ(readAll(path), previous);
    EXPECT_TRUE(QFileInfo(viaLink).isSymLink());
}

TEST(SaveFile, FullDiskFailsBeforeTheOldPictureIsCut)
{
    // A small file system holds the old picture and too little room for the
    // new one; once as it is, and once as a file system that reserves no
    // room (network and user-space ones), where the free space is checked.
    QTemporaryDir dir;
    enum { kAsExpected = 0, kWrongOutcome = 21, kOldPictureCut, kTemporaryLeft, kNoFilter };
    for (const bool reserving : {true, false}) {
        SCOPED_TRACE(reserving ? "reserving" : "without reservations");
        const int result = InSmallFileSystem(dir.path(), "2m", [&] {
            const QString old = dir.filePath("old.bmp");
            const QByteArray previous(1200000, 'p');
            writeFile(old, previous);
            writeFile(dir.filePath("filler"), QByteArray(770000, 'f'));
            if (!QFile::link(old, dir.filePath("link.bmp")))
                return int(kWrongOutcome);
            if (!reserving && !FailSystemCalls({SCMP_SYS(fallocate)}, EOPNOTSUPP))
                return int(kNoFilter);
            // Replaced through a temporary, and written in place through a link.
            for (const QString &target : {old, dir.filePath("link.bmp")}) {
                try {
                    SaveFileContents(target, kData);
                    return int(kWrongOutcome);
                } catch (const StreamWriteError &) {
                } catch (...) {
                    return int(kWrongOutcome);
                }
                if (readAll(old) != previous)
                    return int(kOldPictureCut);
                if (entries(dir.path()) != QStringList({"filler", "link.bmp", "old.bmp"}))
                    return int(kTemporaryLeft);
            }
            return int(kAsExpected);
        });
        SKIP_IF_NOT_MOUNTED(result);
        EXPECT_EQ(result, kAsExpected);
    }
}

TEST(SaveFile, KilledSaveLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    const int probe = ::open(QFile::encodeName(dir.path()).constData(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0)
        GTEST_SKIP() << "the file system of " << dir.path().toStdString() << " has no unnamed files";
    ::close(probe);

    const QString path = dir.filePath("dn1.bmp");
    // The one moment a replacement has a name of its own is between giving
    // it the folder's pending name and renaming that over the target, two
    // system calls in a row; a save killed there leaves the pending name,
    // which the next save into the folder takes over.
    const QString pending = ".dipole-save-1";
    // Kill a process that saves over and over, a new file each time or
    // replacing the last, at moments spread over a save's length: the file
    // is always whole, and no other hidden file may remain.
    for (const bool replacing : {false, true}) {
        SCOPED_TRACE(replacing ? "replacing" : "new files");
        writeFile(path, kOther);
        for (int delayMs = 1; delayMs <= 20; ++delayMs) {
            const pid_t pid = ::fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                ::alarm(10);
                try {
                    for (int i = 0;; ++i) {
                        if (!replacing)
                            ::unlink(QFile::encodeName(path).constData());
                        SaveFileContents(path, i % 2 ? kOther : kData);
                    }
                } catch (...) {
                    ::_exit(1);
                }
            }
            ::usleep(useconds_t(delayMs * 1000));
            ::kill(pid, SIGKILL);
            int status = 0;
            ASSERT_EQ(::waitpid(pid, &status, 0), pid);
            QStringList left = entries(dir.path());
            left.removeAll("dn1.bmp");
            left.removeAll(pending);
            ASSERT_TRUE(left.isEmpty()) << "killed after " << delayMs << " ms: " << left.join(' ').toStdString();
            if (replacing) {
                const QByteArray now = readAll(path);
                ASSERT_TRUE(now == kData || now == kOther) << "killed after " << delayMs << " ms: a cut file";
            }
        }
        SaveFileContents(path, kData);
        EXPECT_EQ(entries(dir.path()), QStringList{"dn1.bmp"});
    }
}

TEST(SaveFile, TargetsThatCannotBeReplacedAreWrittenInPlace)
{
    const QByteArray &expected = kData;
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);

    // A writable file in a directory closed to new files; the superuser is
    // refused nothing, so it saves as an ordinary user.
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString inLocked = locked + "/dn1.bmp";
    writeFile(inLocked, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(inLocked).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0555), 0);
    EXPECT_EQ(SaveInChild([&] { SaveFileContents(inLocked, kData); }, ::geteuid() == 0 ? kNobody : ::geteuid()),
              kSaved);
    EXPECT_EQ(readAll(inLocked), expected);
    ::chmod(QFile::encodeName(locked).constData(), 0755);
}

TEST(SaveFile, OnlyRegularFilesAreWritten)
{
    // Whatever else holds the name, or lies at the end of a link of the
    // saver's, refuses the save at once and stays as it was: a pipe, even
    // one whose reader never reads, cannot make the save wait, and a device
    // is never opened.
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe");
    const QByteArray pipeName = QFile::encodeName(pipe);
    ASSERT_EQ(::mkfifo(pipeName.constData(), 0644), 0);
    const int reader = ::open(pipeName.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const QString linkToPipe = dir.filePath("to-pipe.bmp");
    const QString linkToNull = dir.filePath("null.bmp");
    ASSERT_TRUE(QFile::link(pipe, linkToPipe));
    ASSERT_TRUE(QFile::link("/dev/null", linkToNull));
    struct Case
    {
        const char *name;
        QString target;
    };
    const Case cases[] = {
        {"a pipe with a reader that never reads", pipe},
        {"a link to that pipe", linkToPipe},
        {"a link to the null device", linkToNull},
        {"the null device itself", "/dev/null"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::alarm(10);
            try {
                SaveFileContents(c.target, kData);
            } catch (const FileCreateError &e) {
                ::_exit(e.systemError() == kNotRegularFile ? 3 : 1);
            } catch (...) {
            }
            ::_exit(0);
        }
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << "wait status " << status;
    }
    char byte;
    EXPECT_LE(::read(reader, &byte, 1), 0) << "the pipe got bytes";
    ::close(reader);
    EXPECT_TRUE(S_ISFIFO(StatOf(pipe).st_mode));
    EXPECT_TRUE(S_ISCHR(StatOf("/dev/null").st_mode));
    EXPECT_STREQ(SaveErrorReason(kNotRegularFile), "not a regular file");
}
