#include "plot/DrawingSurface.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

quint32 u32(const QByteArray &b, int at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

quint16 u16(const QByteArray &b, int at)
{
    return quint16(quint8(b[at]) | (quint8(b[at + 1]) << 8));
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

// A picture with distinct corners: red at the top left, blue at the bottom
// left, a grey diagonal elsewhere.
DrawingSurface MarkedPicture()
{
    DrawingSurface s(kPictureWidth, kPictureHeight);
    s.setPenColor(rgbColor(0x12, 0x34, 0x56));
    s.moveTo(0, 0);
    s.lineTo(kPictureWidth, kPictureHeight);
    s.setPenColor(clRed);
    s.moveTo(0, 0);
    s.lineTo(1, 0);
    s.setPenColor(clBlue);
    s.moveTo(0, kPictureHeight - 1);
    s.lineTo(1, kPictureHeight - 1);
    return s;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Runs in the current directory of a test and restores the previous one.
class CurrentDirectory
{
public:
    explicit CurrentDirectory(const QString &dir) : m_previous(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~CurrentDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

// The outcomes of a save run in a child process.
enum SaveOutcome {
    kSaved = 0,
    kCreateError = 1,
    kWriteError = 2,
    kNoSuchUser = 3, // the child could not become the user
    kKilled = 4,     // a signal ended it (a hang ended by the alarm, SIGXFSZ)
    kOtherError = 5,
};

constexpr uid_t kNobody = 65534;

// Runs save in a child process, as user when given, and returns its outcome.
int SaveInChild(const std::function<void()> &save, uid_t user = ::geteuid())
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        if (user != ::geteuid() && (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0))
            ::_exit(kNoSuchUser);
        try {
            save();
            ::_exit(kSaved);
        } catch (const FileCreateError &) {
            ::_exit(kCreateError);
        } catch (const StreamWriteError &) {
            ::_exit(kWriteError);
        } catch (...) {
            ::_exit(kOtherError);
        }
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : kKilled;
}

// Whether the tests can act as the unprivileged user nobody.
bool CanBecomeNobody()
{
    static const bool can = ::geteuid() == 0 && SaveInChild([] {}, kNobody) == kSaved;
    return can;
}

#define SKIP_UNLESS_NOBODY()                                                                                           \
    if (!CanBecomeNobody())                                                                                            \
    GTEST_SKIP() << "needs to run as root to act as the user nobody"

struct stat StatOf(const QString &path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Runs a command as the user nobody and tells whether it succeeded.
bool AsNobody(const std::function<bool()> &action)
{
    return SaveInChild(
               [&] {
                   if (!action())
                       throw std::runtime_error("failed");
               },
               kNobody)
           == kSaved;
}

} // namespace

TEST(BmpEncoding, HeadersAndSizesForEachDepth)
{
    struct Row
    {
        int bpp, stride, imageSize, fileSize;
    };
    const DrawingSurface s(kPictureWidth, kPictureHeight);
    for (const Row &r :
         {Row{32, 3112, 1437744, 1437798}, Row{24, 2336, 1079232, 1079286}, Row{16, 1556, 718872, 718926}}) {
        const QByteArray b = EncodeBmp(s.image(), r.bpp);
        SCOPED_TRACE(r.bpp);
        ASSERT_EQ(b.size(), r.fileSize);
        EXPECT_EQ(b.left(2), QByteArray("BM"));
        EXPECT_EQ(u32(b, 2), quint32(r.fileSize));
        EXPECT_EQ(u32(b, 6), 0u); // both reserved words
        EXPECT_EQ(u32(b, 10), 54u);
        EXPECT_EQ(u32(b, 14), 40u);
        EXPECT_EQ(u32(b, 18), 778u);
        EXPECT_EQ(u32(b, 22), 462u);
        EXPECT_EQ(u16(b, 26), 1);
        EXPECT_EQ(u16(b, 28), r.bpp);
        EXPECT_EQ(u32(b, 30), 0u);
        EXPECT_EQ(u32(b, 34), quint32(r.imageSize));
        for (int at : {38, 42, 46, 50})
            EXPECT_EQ(u32(b, at), 0u) << at;
        EXPECT_EQ(r.stride * kPictureHeight, r.imageSize);
    }
}

TEST(BmpEncoding, RowsAreBottomUpWithPixelLayoutPerDepth)
{
    const DrawingSurface s = MarkedPicture();

    const QByteArray b32 = EncodeBmp(s.image(), 32);
    // First row in the file is the bottom row: blue at its left.
    EXPECT_EQ(b32.mid(54, 4), QByteArray("\xFF\x00\x00\x00", 4));
    // Top-left pixel is the first pixel of the last row: red.
    EXPECT_EQ(b32.mid(54 + 3112 * 461, 4), QByteArray("\x00\x00\xFF\x00", 4));
    // The diagonal's pixel (1, 1), second row from the top.
    EXPECT_EQ(b32.mid(54 + 3112 * 460 + 4, 4), QByteArray("\x56\x34\x12\x00", 4));

    const QByteArray b24 = EncodeBmp(s.image(), 24);
    EXPECT_EQ(b24.mid(54, 3), QByteArray("\xFF\x00\x00", 3));
    EXPECT_EQ(b24.mid(54 + 2336 * 461, 3), QByteArray("\x00\x00\xFF", 3));
    EXPECT_EQ(b24.mid(54 + 2336 * 460 + 3, 3), QByteArray("\x56\x34\x12", 3));
    // 2334 bytes of pixels, then 2 zero fill bytes in every row.
    for (int row = 0; row < kPictureHeight; ++row)
        ASSERT_EQ(b24.mid(54 + 2336 * row + 2334, 2), QByteArray(2, '\0')) << row;

    const QByteArray b16 = EncodeBmp(s.image(), 16);
    EXPECT_EQ(u16(b16, 54), 0x001F);                  // blue
    EXPECT_EQ(u16(b16, 54 + 1556 * 461), 0x7C00);     // red
    EXPECT_EQ(u16(b16, 54 + 1556 * 461 + 2), 0x7FFF); // white, bit 15 clear
    EXPECT_EQ(u16(b16, 54 + 1556 * 460 + 2), (0x12 >> 3) << 10 | (0x34 >> 3) << 5 | (0x56 >> 3));

    EXPECT_THROW(EncodeBmp(s.image(), 8), std::invalid_argument);
}

TEST(PictureFile, SavesBothPicturesAsThirtyTwoBitFilesRepeatably)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    BuildPictures(polar, rect, clNavy, 0.5, true);
    {
        CurrentDirectory cd(dir.path());
        SavePictures(polar, rect);
    }
    const QByteArray dn1 = readAll(dir.filePath("dn1.bmp"));
    const QByteArray dn2 = readAll(dir.filePath("dn2.bmp"));
    EXPECT_EQ(dn1, EncodeBmp(polar.image(), 32));
    EXPECT_EQ(dn2, EncodeBmp(rect.image(), 32));
    EXPECT_EQ(dn1.size(), 1437798);

    SavePictures(polar, rect, dir.path());
    EXPECT_EQ(readAll(dir.filePath("dn1.bmp")), dn1);
    EXPECT_EQ(readAll(dir.filePath("dn2.bmp")), dn2);
    EXPECT_EQ(entries(dir.path()), (QStringList{"dn1.bmp", "dn2.bmp"})); // no temporaries left
}

TEST(PictureFile, ReplacingKeepsPermissionBitsAndGroupWithoutSetIdBits)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("dn1.bmp");
    const QByteArray name = QFile::encodeName(path);
    const DrawingSurface s = MarkedPicture();
    for (const mode_t mode : {0640, 0604, 06755, 02770}) {
        writeFile(path, "old");
        ASSERT_EQ(::chmod(name.constData(), mode), 0);
        SavePicture(s, path);
        EXPECT_EQ(StatOf(path).st_mode & 07777, mode & 0777) << std::oct << mode;
        EXPECT_EQ(readAll(path), EncodeBmp(s.image(), 32));
    }
    // A group other than the saver's stays with the file.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(name.constData(), 0, kNobody), 0);
        SavePicture(s, path);
        EXPECT_EQ(StatOf(path).st_gid, kNobody);
        EXPECT_EQ(StatOf(path).st_uid, 0u);
    }
}

TEST(PictureFile, LinksAndSharedFilesAreWrittenInPlace)
{
    QTemporaryDir dir;
    const DrawingSurface s = MarkedPicture();
    const QByteArray expected = EncodeBmp(s.image(), 32);

    // A symbolic link stays a link, and its target stays the same file,
    // cut to the picture's length.
    const QString target = dir.filePath("target.bmp");
    writeFile(target, QByteArray(3000000, 'o'));
    const ino_t inode = StatOf(target).st_ino;
    const QString link = dir.filePath("dn1.bmp");
    ASSERT_TRUE(QFile::link(target, link));
    SavePicture(s, link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(StatOf(target).st_ino, inode);
    EXPECT_EQ(readAll(target), expected);

    // A file with a second name: both names keep showing one file.
    const QString twin = dir.filePath("twin.bmp");
    ASSERT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(twin).constData()), 0);
    SavePicture(DrawingSurface(kPictureWidth, kPictureHeight), twin);
    EXPECT_EQ(StatOf(twin).st_ino, inode);
    EXPECT_EQ(readAll(target), EncodeBmp(DrawingSurface(kPictureWidth, kPictureHeight).image(), 32));

    // A link to the null device leaves the device alone.
    const QString toNull = dir.filePath("null.bmp");
    ASSERT_TRUE(QFile::link("/dev/null", toNull));
    SavePicture(s, toNull);
    EXPECT_TRUE(S_ISCHR(StatOf("/dev/null").st_mode));
}

TEST(PictureFile, AnotherUsersFileKeepsItsOwnerAndBits)
{
    SKIP_UNLESS_NOBODY();
    QTemporaryDir dir;
    const DrawingSurface s = MarkedPicture();
    const QString path = dir.filePath("dn1.bmp");
    const QByteArray name = QFile::encodeName(path);
    writeFile(path, "old");
    ASSERT_EQ(::chown(name.constData(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(name.constData(), 06777), 0);
    const ino_t inode = StatOf(path).st_ino;
    SavePicture(s, path);
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_ino, inode);
    EXPECT_EQ(after.st_uid, kNobody);
    EXPECT_EQ(after.st_gid, kNobody);
    EXPECT_FALSE(after.st_uid == 0 && (after.st_mode & 06000)) << "a set-id file of the superuser";
    EXPECT_EQ(readAll(path), EncodeBmp(s.image(), 32));
}

TEST(PictureFile, AnotherUsersWritableFileInAStickyDirectoryIsWrittenInPlace)
{
    SKIP_UNLESS_NOBODY();
    QTemporaryDir dir;
    const QByteArray dirName = QFile::encodeName(dir.path());
    ASSERT_EQ(::chmod(dirName.constData(), 01777), 0);
    const DrawingSurface s = MarkedPicture();
    const QByteArray expected = EncodeBmp(s.image(), 32);

    // The superuser's writable file, saved by another user: the sticky bit
    // forbids replacing it, but writing it in place is allowed.
    const QString shared = dir.filePath("dn1.bmp");
    writeFile(shared, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0666), 0);
    EXPECT_EQ(SaveInChild([&] { SavePicture(s, shared); }, kNobody), kSaved);
    EXPECT_EQ(readAll(shared), expected);
    EXPECT_EQ(StatOf(shared).st_uid, 0u);
}

TEST(PictureFile, LinkPlantedInAStickyDirectoryCannotReachTheSuperusersFile)
{
    SKIP_UNLESS_NOBODY();
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
    const DrawingSurface s = MarkedPicture();

    // A link that another user planted towards a file of the superuser's:
    // the kernel's link protection refuses the superuser to follow it.
    QFile protection("/proc/sys/fs/protected_symlinks");
    if (!protection.open(QIODevice::ReadOnly) || protection.readAll().trimmed() != "1")
        GTEST_SKIP() << "the kernel's protection of links in sticky directories is off "
                        "(fs.protected_symlinks), so a planted link cannot be refused";
    QTemporaryDir safe;
    const QString secret = safe.filePath("secret");
    writeFile(secret, "secret");
    const QString planted = dir.filePath("dn2.bmp");
    ASSERT_TRUE(AsNobody([&] { return QFile::link(secret, planted); }));
    try {
        SavePicture(s, planted);
        FAIL() << "the planted link was followed";
    } catch (const FileCreateError &e) {
        EXPECT_EQ(e.message(), "Cannot create file " + planted);
    }
    EXPECT_EQ(readAll(secret), QByteArray("secret"));
    EXPECT_EQ(StatOf(secret).st_uid, 0u);
    EXPECT_TRUE(QFileInfo(planted).isSymLink());
}

TEST(PictureFile, BrokenLinks)
{
    QTemporaryDir dir;
    const DrawingSurface s = MarkedPicture();

    // A dangling link into an existing folder: its target is created.
    const QString dangling = dir.filePath("dn1.bmp");
    ASSERT_TRUE(QFile::link(dir.filePath("made.bmp"), dangling));
    SavePicture(s, dangling);
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(readAll(dir.filePath("made.bmp")), EncodeBmp(s.image(), 32));

    // A loop, and a link into a missing folder: nothing can be created.
    const QString loop = dir.filePath("loop.bmp");
    ASSERT_TRUE(QFile::link(loop, loop));
    const QString nowhere = dir.filePath("nowhere.bmp");
    ASSERT_TRUE(QFile::link(dir.filePath("missing/dn1.bmp"), nowhere));
    for (const QString &link : {loop, nowhere}) {
        try {
            SavePicture(s, link);
            ADD_FAILURE() << "no error for " << link.toStdString();
        } catch (const FileCreateError &e) {
            EXPECT_EQ(e.message(), "Cannot create file " + link);
        }
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << link.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
}

TEST(PictureFile, ReadOnlyFileIsRefusedAndStopsTheSave)
{
    QTemporaryDir dir;
    CurrentDirectory cd(dir.path());
    writeFile("dn2.bmp", "previous");
    ASSERT_EQ(::chmod("dn2.bmp", 0444), 0);
    const DrawingSurface s = MarkedPicture();
    try {
        SavePictures(s, s);
        FAIL() << "no error";
    } catch (const FileCreateError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file dn2.bmp"));
    }
    EXPECT_EQ(readAll("dn1.bmp"), EncodeBmp(s.image(), 32)); // the first file was written
    EXPECT_EQ(readAll("dn2.bmp"), QByteArray("previous"));

    // Failing on the first file leaves the second alone.
    ASSERT_EQ(::chmod("dn2.bmp", 0644), 0);
    ASSERT_EQ(::chmod("dn1.bmp", 0444), 0);
    writeFile("dn2.bmp", "second");
    EXPECT_THROW(SavePictures(s, s), FileCreateError);
    EXPECT_EQ(readAll("dn2.bmp"), QByteArray("second"));
}

TEST(PictureFile, MissingDirectoryOrDirectoryInTheWayIsACreateError)
{
    QTemporaryDir dir;
    const DrawingSurface s = MarkedPicture();
    const QString missing = dir.filePath("no/such/dn1.bmp");
    try {
        SavePicture(s, missing);
        FAIL() << "no error";
    } catch (const FileCreateError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file ") + missing);
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("dn1.bmp"));
    EXPECT_THROW(SavePicture(s, dir.filePath("dn1.bmp")), FileCreateError);

    // A directory without write permission (the superuser writes anyway).
    if (::geteuid() != 0) {
        const QString locked = dir.filePath("locked");
        ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
        ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0555), 0);
        EXPECT_THROW(SavePicture(s, locked + "/dn1.bmp"), FileCreateError);
        ::chmod(QFile::encodeName(locked).constData(), 0755);
    }
}

TEST(PictureFile, FileSizeLimitIsAWriteErrorAndKeepsThePreviousFile)
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
    const DrawingSurface s = MarkedPicture();
    const auto underLimit = [&](const QString &target) {
        return SaveInChild([&] {
            // Only the soft limit moves, so that it can be lifted again.
            struct rlimit limit = {};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            const rlim_t unlimited = limit.rlim_cur;
            limit.rlim_cur = 100000;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            try {
                SavePicture(s, target);
            } catch (const StreamWriteError &e) {
                // The program goes on, and so does its next save.
                if (e.message() != QLatin1String("Stream write error"))
                    throw std::runtime_error("wrong message");
                limit.rlim_cur = unlimited;
                ::setrlimit(RLIMIT_FSIZE, &limit);
                SavePicture(s, dir.filePath("after.bmp"));
                throw;
            }
        });
    };

    // Replaced through a temporary: the temporary goes, the file stays.
    EXPECT_EQ(underLimit(path), kWriteError);
    EXPECT_EQ(readAll(path), previous);
    EXPECT_EQ(readAll(dir.filePath("after.bmp")), EncodeBmp(s.image(), 32));
    EXPECT_EQ(entries(dir.path()), (QStringList{"after.bmp", "dn1.bmp", "link.bmp"}));

    // Written in place through a link: the space is reserved before the old
    // contents are cut.
    EXPECT_EQ(underLimit(viaLink), kWriteError);
    EXPECT_EQ(readAll(path), previous);
    EXPECT_TRUE(QFileInfo(viaLink).isSymLink());
}

TEST(PictureFile, FullDiskFailsBeforeTheOldPictureIsCut)
{
    // A small file system of its own, mounted in a private mount namespace
    // of a child so that nothing of it outlives the test, holds the old
    // picture and too little room for the new one.
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    const DrawingSurface s = MarkedPicture();
    enum { kAsExpected = 0, kNoMount = 20, kWrongOutcome, kOldPictureCut, kTemporaryLeft };
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::alarm(10);
        if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=2m") != 0)
            ::_exit(kNoMount);
        const QString old = dir.filePath("old.bmp");
        const QByteArray previous(1200000, 'p');
        writeFile(old, previous);
        writeFile(dir.filePath("filler"), QByteArray(770000, 'f'));
        if (!QFile::link(old, dir.filePath("link.bmp")))
            ::_exit(kWrongOutcome);
        // Replaced through a temporary, and written in place through a link.
        for (const QString &target : {old, dir.filePath("link.bmp")}) {
            try {
                SavePicture(s, target);
                ::_exit(kWrongOutcome);
            } catch (const StreamWriteError &) {
            } catch (...) {
                ::_exit(kWrongOutcome);
            }
            if (readAll(old) != previous)
                ::_exit(kOldPictureCut);
            if (entries(dir.path()) != QStringList({"filler", "link.bmp", "old.bmp"}))
                ::_exit(kTemporaryLeft);
        }
        ::_exit(kAsExpected);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "wait status " << status;
    if (WEXITSTATUS(status) == kNoMount)
        GTEST_SKIP() << "cannot mount a small file system here (needs the superuser)";
    EXPECT_EQ(WEXITSTATUS(status), kAsExpected);
}

TEST(PictureFile, KilledSaveLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    const int probe = ::open(QFile::encodeName(dir.path()).constData(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0)
        GTEST_SKIP() << "the file system of " << dir.path().toStdString() << " has no unnamed files";
    ::close(probe);

    const QString path = dir.filePath("dn1.bmp");
    const DrawingSurface s = MarkedPicture();
    // Kill a process that saves over and over at moments spread over a
    // save's length; whatever it was doing, no hidden file may remain.
    for (int delayMs = 1; delayMs <= 20; ++delayMs) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::alarm(10);
            for (;;) {
                ::unlink(QFile::encodeName(path).constData());
                SavePicture(s, path);
            }
        }
        ::usleep(useconds_t(delayMs * 1000));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        QStringList left = entries(dir.path());
        left.removeAll("dn1.bmp");
        ASSERT_TRUE(left.isEmpty()) << "killed after " << delayMs << " ms: " << left.join(' ').toStdString();
    }
}

TEST(PictureFile, SurfaceWithoutPixelsWritesNothing)
{
    QTemporaryDir dir;
    SavePicture(DrawingSurface(0, 0), dir.filePath("dn1.bmp"));
    EXPECT_FALSE(QFile::exists(dir.filePath("dn1.bmp")));
}

TEST(PictureFile, TargetsThatCannotBeReplacedAreWrittenInPlace)
{
    const DrawingSurface s = MarkedPicture();
    const QByteArray expected = EncodeBmp(s.image(), 32);
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
    EXPECT_EQ(SaveInChild([&] { SavePicture(s, inLocked); }, ::geteuid() == 0 ? kNobody : ::geteuid()), kSaved);
    EXPECT_EQ(readAll(inLocked), expected);
    ::chmod(QFile::encodeName(locked).constData(), 0755);

    // A pipe gets the bytes and stays a pipe.
    const QString pipe = dir.filePath("dn2.bmp");
    const QByteArray pipeName = QFile::encodeName(pipe);
    ASSERT_EQ(::mkfifo(pipeName.constData(), 0644), 0);
    const int reader = ::open(pipeName.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::alarm(10);
        try {
            SavePicture(s, pipe);
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    QByteArray received;
    int status = -1;
    for (bool exited = false;;) {
        char buffer[65536];
        const ssize_t n = ::read(reader, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, int(n));
        } else if (exited) {
            break;
        } else if (::waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
        } else {
            ::usleep(1000);
        }
    }
    ::close(reader);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(received, expected);
    struct stat st;
    ASSERT_EQ(::stat(pipeName.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    // A pipe that nobody reads cannot be opened; the save does not wait.
    EXPECT_EQ(SaveInChild([&] { SavePicture(s, pipe); }), kCreateError);

    // A reader that goes away mid-save makes a write error, not the end of
    // the program.
    const int leaving = ::open(pipeName.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leaving, 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        ::alarm(10);
        ::close(leaving); // the pipe's only reader is the parent's
        try {
            SavePicture(s, pipe);
        } catch (const StreamWriteError &) {
            ::_exit(2);
        } catch (...) {
        }
        ::_exit(0);
    }
    char first[16];
    while (::read(leaving, first, sizeof first) <= 0)
        ::usleep(1000);
    ::close(leaving);
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << "wait status " << status;
}
