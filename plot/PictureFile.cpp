#include "PictureFile.h"

#include "DrawingSurface.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

FileCreateError::FileCreateError(const QString &fileName)
    : AppError(QStringLiteral("Cannot create file %1").arg(fileName))
{}

StreamWriteError::StreamWriteError() : AppError(QStringLiteral("Stream write error")) {}

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void putU16(char *p, quint16 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

void putU32(char *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

// Writes all of data to fd; false when a write falls short.
bool writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The file that a save to path replaces: a symbolic link is followed so that
// the link stays in place and its target gets the new picture.
QByteArray resolveTarget(const QByteArray &path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.constData(), resolved))
            return QByteArray(resolved);
    }
    return path;
}

// Holds back the signal that a pipe whose reader has gone sends to its
// writer, which would end the program; the write then just fails. A signal
// raised meanwhile is taken off before the previous mask returns.
class PipeSignalBlock
{
public:
    PipeSignalBlock()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    ~PipeSignalBlock()
    {
        const timespec noWait = {0, 0};
        while (sigtimedwait(&m_pipe, nullptr, &noWait) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    PipeSignalBlock(const PipeSignalBlock &) = delete;
    PipeSignalBlock &operator=(const PipeSignalBlock &) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_previous;
};

// Truncates the existing file target and writes data into it. A failed
// write leaves the file with what was written. The open does not wait: a
// pipe that nobody reads is a file that cannot be opened, not a hang.
void overwriteInPlace(const QByteArray &target, const QString &fileName, const QByteArray &data)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw FileCreateError(fileName);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bool ok;
    {
        const PipeSignalBlock noPipeSignal;
        ok = writeAll(fd, data.constData(), data.size());
    }
    if (::close(fd) != 0)
        ok = false;
    if (!ok)
        throw StreamWriteError();
}

// Replaces the file at fileName by data without ever leaving a partial
// file: the bytes go to a temporary file in the same directory, are flushed
// to disk, and only then is the temporary renamed over the target. On any
// failure the temporary is removed and the previous file stays as it was.
void replaceFileContents(const QString &fileName, const QByteArray &data, FileSync sync)
{
    const QByteArray target = resolveTarget(QFile::encodeName(fileName));

    mode_t mode = 0666 & ~currentUmask();
    struct stat st;
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists) {
        // An existing read-only file is a refusal to be overwritten, not
        // something to replace behind the owner's back; a file without any
        // write permission counts as read-only even for the superuser.
        const bool readOnly = (st.st_mode & 0222) == 0 || ::access(target.constData(), W_OK) != 0;
        if (S_ISDIR(st.st_mode) || readOnly)
            throw FileCreateError(fileName);
        // A pipe or a device (a link to the null device, say) takes the bytes
        // itself; renaming a file over it would destroy it.
        if (!S_ISREG(st.st_mode)) {
            overwriteInPlace(target, fileName, data);
            return;
        }
        mode = st.st_mode & 07777;
    }

    const QFileInfo info(QFile::decodeName(target));
    const QByteArray directory = QFile::encodeName(info.path());
    QByteArray tempName = directory + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        // A directory closed to new files may still hold a writable file
        // of this name, which can only be saved over in place. Other
        // failures (a full disk, say) keep the previous file untouched.
        if (exists && (errno == EACCES || errno == EPERM)) {
            overwriteInPlace(target, fileName, data);
            return;
        }
        throw FileCreateError(fileName);
    }

    const auto discard = [&]() { ::unlink(tempName.constData()); };
    bool ok = writeAll(fd, data.constData(), data.size());
    ok = ok && ::fchmod(fd, mode) == 0;
    ok = ok && (sync == FileSync::Deferred || ::fsync(fd) == 0);
    if (::close(fd) != 0)
        ok = false;
    if (!ok) {
        discard();
        throw StreamWriteError();
    }
    if (::rename(tempName.constData(), target.constData()) != 0) {
        discard();
        throw FileCreateError(fileName);
    }
    // Make the rename itself durable; failing here loses nothing written.
    if (sync == FileSync::BeforeRename) {
        const int dirFd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
    }
}

} // namespace

QByteArray EncodeBmp(const QImage &source, int bitsPerPixel)
{
    QByteArray out;
    EncodeBmpInto(source, bitsPerPixel, out);
    return out;
}

void EncodeBmpInto(const QImage &source, int bitsPerPixel, QByteArray &out)
{
    if (bitsPerPixel != 32 && bitsPerPixel != 24 && bitsPerPixel != 16)
        throw std::invalid_argument("EncodeBmp: unsupported depth");
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const qint64 stride = ((qint64(width) * bitsPerPixel + 31) / 32) * 4;
    const qint64 imageSize = stride * height;
    const int offset = kFileHeaderSize + kInfoHeaderSize;
    const qint64 fileSize = offset + imageSize;

    out.resize(fileSize);
    char *p = out.data();
    std::memset(p, 0, offset);
    p[0] = 'B';
    p[1] = 'M';
    putU32(p + 2, quint32(fileSize));
    putU32(p + 10, quint32(offset));
    putU32(p + 14, kInfoHeaderSize);
    putU32(p + 18, quint32(width));
    putU32(p + 22, quint32(height)); // positive: rows stored bottom-up
    putU16(p + 26, 1);
    putU16(p + 28, quint16(bitsPerPixel));
    putU32(p + 34, quint32(imageSize));
    // Compression, resolutions and colour counts stay 0.

    for (int y = 0; y < height; ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        char *row = p + offset + qint64(height - 1 - y) * stride;
        std::memset(row + qint64(width) * bitsPerPixel / 8, 0, size_t(stride - qint64(width) * bitsPerPixel / 8));
        if (bitsPerPixel == 32 && Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            // A pixel in memory is already blue, green, red, alpha; the
            // file wants 0 in place of the alpha.
            for (int x = 0; x < width; ++x) {
                const quint32 bgr0 = src[x] & 0x00FFFFFFu;
                std::memcpy(row + 4 * x, &bgr0, 4);
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const QRgb c = src[x];
            switch (bitsPerPixel) {
            case 32:
                row[4 * x] = char(qBlue(c));
                row[4 * x + 1] = char(qGreen(c));
                row[4 * x + 2] = char(qRed(c));
                break;
            case 24:
                row[3 * x] = char(qBlue(c));
                row[3 * x + 1] = char(qGreen(c));
                row[3 * x + 2] = char(qRed(c));
                break;
            default:
                putU16(row + 2 * x, quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3)));
                break;
            }
        }
    }
}

QByteArray EncodePng(const QImage &image)
{
    // 3780 pixels per metre is 96 pixels per inch, the resolution that the
    // pictures are drawn for; the metadata copy shares the pixels.
    QImage marked = image;
    marked.setDotsPerMeterX(3780);
    marked.setDotsPerMeterY(3780);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Quality 80 is Qt's name for deflate level 1, the fastest that
    // compresses: these pictures are mostly white and shrink to a few dozen
    // kilobytes all the same, a quarter faster than at the default level.
    writer.setQuality(80);
    if (!writer.write(marked))
        throw OutOfResourcesError();
    return data;
}

void SaveFileContents(const QString &fileName, const QByteArray &data, FileSync sync)
{
    replaceFileContents(fileName, data, sync);
}

void WriteToDescriptor(int fd, const QByteArray &data)
{
    const PipeSignalBlock noPipeSignal;
    if (!writeAll(fd, data.constData(), data.size()))
        throw StreamWriteError();
}

void SyncFileSystem(const QString &directory)
{
    const QByteArray path = QFile::encodeName(directory.isEmpty() ? QStringLiteral(".") : directory);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw StreamWriteError();
    const bool ok = ::syncfs(fd) == 0;
    ::close(fd);
    if (!ok)
        throw StreamWriteError();
}

void SavePicture(const DrawingSurface &surface, const QString &fileName)
{
    if (surface.image().isNull())
        return;
    replaceFileContents(fileName, EncodeBmp(surface.image(), 32), FileSync::BeforeRename);
}

void SavePictures(const DrawingSurface &polar, const DrawingSurface &rect, const QString &directory)
{
    const auto inDirectory = [&](const QString &name) {
        return directory.isEmpty() ? name : QDir(directory).filePath(name);
    };
    SavePicture(polar, inDirectory(QStringLiteral("dn1.bmp")));
    SavePicture(rect, inDirectory(QStringLiteral("dn2.bmp")));
}
