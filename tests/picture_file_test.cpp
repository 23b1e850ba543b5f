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

TEST(PictureFile, ReplacingKeepsPermissionBitsAndFollowsLinks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("dn1.bmp");
    writeFile(path, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const DrawingSurface s = MarkedPicture();
    SavePicture(s, path);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(readAll(path), EncodeBmp(s.image(), 32));

    const QString link = dir.filePath("link.bmp");
    ASSERT_TRUE(QFile::link(path, link));
    SavePicture(DrawingSurface(kPictureWidth, kPictureHeight), link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(path), EncodeBmp(DrawingSurface(kPictureWidth, kPictureHeight).image(), 32));
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

TEST(PictureFile, FullDiskLeavesThePreviousFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("dn1.bmp");
    const QByteArray previous(5000, 'p');
    writeFile(path, previous);
    const DrawingSurface s = MarkedPicture();

    // A file size limit makes every write beyond it fall short, as a full
    // disk would; it is set in a child so the test process keeps no limit.
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        int code = 3;
        try {
            SavePicture(s, path);
            code = 0;
        } catch (const StreamWriteError &e) {
            code = e.message() == QLatin1String("Stream write error") ? 1 : 2;
        } catch (...) {
            code = 4;
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readAll(path), previous);
    EXPECT_EQ(entries(dir.path()), QStringList{"dn1.bmp"});
}

TEST(PictureFile, SurfaceWithoutPixelsWritesNothing)
{
    QTemporaryDir dir;
    SavePicture(DrawingSurface(0, 0), dir.filePath("dn1.bmp"));
    EXPECT_FALSE(QFile::exists(dir.filePath("dn1.bmp")));
}

namespace {

// Runs save in a child process and returns its exit code: 0 when it
// returned, 1 for a creation error, 2 for any other error, 3 when the child
// could not become user, 4 when it was killed (a hang ended by the alarm).
int SaveInChild(const std::function<void()> &save, uid_t user = ::geteuid())
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        if (user != ::geteuid() && (::setgid(user) != 0 || ::setuid(user) != 0))
            ::_exit(3);
        try {
            save();
            ::_exit(0);
        } catch (const FileCreateError &) {
            ::_exit(1);
        } catch (...) {
            ::_exit(2);
        }
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 4;
}

} // namespace

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
    EXPECT_EQ(SaveInChild([&] { SavePicture(s, inLocked); }, ::geteuid() == 0 ? 65534 : ::geteuid()), 0);
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
    EXPECT_EQ(SaveInChild([&] { SavePicture(s, pipe); }), 1);

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
