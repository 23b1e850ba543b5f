#include "SaveFile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

FileCreateError::FileCreateError(const QString &fileName)
    : AppError(QStringLiteral("Cannot create file %1").arg(fileName))
{}

StreamWriteError::StreamWriteError() : AppError(QStringLiteral("Stream write error")) {}

namespace {

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

// Holds back the signals that a write can raise and that would end the
// program: SIGPIPE when a pipe's reader has gone, SIGXFSZ beyond a file-size
// limit. The write then fails with an error instead. Signals raised meanwhile
// are taken off before the previous mask returns.
class WriteSignalBlock
{
public:
    WriteSignalBlock()
    {
        sigemptyset(&m_signals);
        sigaddset(&m_signals, SIGPIPE);
        sigaddset(&m_signals, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &m_signals, &m_previous);
    }
    ~WriteSignalBlock()
    {
        const timespec noWait = {0, 0};
        while (sigtimedwait(&m_signals, nullptr, &noWait) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    WriteSignalBlock(const WriteSignalBlock &) = delete;
    WriteSignalBlock &operator=(const WriteSignalBlock &) = delete;

private:
    sigset_t m_signals;
    sigset_t m_previous;
};

// Closes a descriptor when it goes out of scope, unless it was closed first.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    // Closes now and tells whether the close reported no error.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// The directory of path ("." for a bare name) and the name within it.
struct PathParts
{
    QByteArray directory;
    QByteArray name;
};

PathParts splitPath(const QByteArray &path)
{
    const int slash = path.lastIndexOf('/');
    if (slash < 0)
        return {QByteArray("."), path};
    return {slash == 0 ? QByteArray("/") : path.left(slash), path.mid(slash + 1)};
}

// A hidden name beside the target that no file is likely to have.
QByteArray temporaryPath(const PathParts &parts)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(6, 'x');
    for (char &c : suffix)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return parts.directory + "/." + parts.name + "." + suffix;
}

constexpr int kTemporaryNameTries = 100;

// A file that nobody else has open is named by the saver's own
// descriptor; false with errno set when the name cannot be given.
bool linkUnnamed(int fd, const QByteArray &path)
{
    const QByteArray ownLink = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, ownLink.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // Without /proc the descriptor itself can be linked where privileges allow.
    return ::linkat(fd, "", AT_FDCWD, path.constData(), AT_EMPTY_PATH) == 0;
}

// Gives the unnamed file fd a fresh hidden name beside the target; empty
// when no name could be given.
QByteArray linkUnderTemporaryName(int fd, const PathParts &parts)
{
    for (int i = 0; i < kTemporaryNameTries; ++i) {
        const QByteArray name = temporaryPath(parts);
        if (linkUnnamed(fd, name))
            return name;
        if (errno != EEXIST)
            break;
    }
    return {};
}

// Creates a named temporary file beside the target; -1 with errno set on
// failure.
int createNamedTemporary(const PathParts &parts, QByteArray &name)
{
    for (int i = 0; i < kTemporaryNameTries; ++i) {
        name = temporaryPath(parts);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Errors of an O_TMPFILE open that mean the kernel or the file system does
// not offer unnamed files, rather than that the directory refuses new ones.
bool unnamedFilesUnsupported(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

bool isReadOnly(const struct stat &st)
{
    // A file without any write permission counts as read-only even for the
    // superuser: it is a refusal to be overwritten.
    return (st.st_mode & 0222) == 0;
}

// Writes data into the file that path opens, keeping the file itself: its
// owner, its links and, for a symbolic link, the link. followLink is false
// where path was no link when it was looked at, so that a link put in its
// place meanwhile is refused rather than followed. The open does not wait:
// a pipe that nobody reads is a file that cannot be opened, not a hang.
void writeInPlace(const QByteArray &path, bool followLink, const QString &fileName, const QByteArray &data,
                  FileSync sync)
{
    const int flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (followLink ? 0 : O_NOFOLLOW);
    int fd = ::open(path.constData(), flags);
    // A dangling link: the kernel creates its target where it allows.
    if (fd < 0 && errno == ENOENT && followLink)
        fd = ::open(path.constData(), flags | O_CREAT, 0666);
    if (fd < 0)
        throw FileCreateError(fileName);
    Descriptor file(fd);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    struct stat st;
    if (::fstat(fd, &st) != 0)
        throw FileCreateError(fileName);
    const bool regular = S_ISREG(st.st_mode);
    if (regular) {
        if (isReadOnly(st))
            throw FileCreateError(fileName);
        // Reserving the space first makes a full disk or a size limit fail
        // here, while the old contents are still whole.
        int error = 0;
        while (!data.isEmpty() && (error = ::posix_fallocate(fd, 0, data.size())) == EINTR) {
        }
        if (error != 0 || ::ftruncate(fd, data.size()) != 0)
            throw StreamWriteError();
    }
    bool ok = writeAll(fd, data.constData(), data.size());
    ok = ok && (!regular || sync == FileSync::Deferred || ::fsync(fd) == 0);
    ok = file.close() && ok;
    if (!ok)
        throw StreamWriteError();
}

void syncDirectory(const QByteArray &directory)
{
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// What became of a replacing save.
enum class Replaced {
    Done,
    // The directory takes no new file, or the old group cannot be kept: the
    // file is to be written in place.
    NotPossible,
};

// Writes data to a new file beside path and gives it path's name; old is
// the file being replaced, null when there is none. On failure the
// temporary goes and the previous file stays as it was.
Replaced replaceFile(const QByteArray &path, const struct stat *old, const QString &fileName, const QByteArray &data,
                     FileSync sync)
{
    const PathParts parts = splitPath(path);
    for (const bool unnamed : {true, false}) {
        QByteArray tempName; // empty while the file has no name
        int fd;
        if (unnamed) {
            fd = ::open(parts.directory.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (fd < 0 && unnamedFilesUnsupported(errno))
                continue;
        } else {
            fd = createNamedTemporary(parts, tempName);
        }
        if (fd < 0) {
            // A directory closed to new files may still hold a writable file
            // of this name. Other failures (a full disk, say) keep the
            // previous file untouched.
            if (old && (errno == EACCES || errno == EPERM))
                return Replaced::NotPossible;
            throw FileCreateError(fileName);
        }
        Descriptor file(fd);
        const auto discard = [&] {
            if (!tempName.isEmpty())
                ::unlink(tempName.constData());
        };

        struct stat now;
        if (old && ::fstat(fd, &now) == 0 && now.st_gid != old->st_gid && ::fchown(fd, uid_t(-1), old->st_gid) != 0) {
            discard();
            return Replaced::NotPossible;
        }
        // A new file takes the mode that creating it gave; a replacement
        // takes the old permission bits, without set-id bits.
        bool ok = writeAll(fd, data.constData(), data.size());
        if (old)
            ok = ok && ::fchmod(fd, old->st_mode & 0777) == 0;
        else if (!unnamed)
            ok = ok && ::fchmod(fd, 0666 & ~currentUmask()) == 0;
        ok = ok && (sync == FileSync::Deferred || ::fsync(fd) == 0);
        if (!ok) {
            discard();
            throw StreamWriteError();
        }

        if (unnamed) {
            // A new file takes its name at once; a replacement (or a file
            // that appeared meanwhile) is renamed over below.
            if (!old && linkUnnamed(fd, path)) {
                file.close();
                if (sync == FileSync::BeforeRename)
                    syncDirectory(parts.directory);
                return Replaced::Done;
            }
            tempName = linkUnderTemporaryName(fd, parts);
            if (tempName.isEmpty())
                continue; // descriptors cannot be linked here: use a named temporary
        }
        if (!file.close()) {
            discard();
            throw StreamWriteError();
        }
        if (::rename(tempName.constData(), path.constData()) != 0) {
            discard();
            throw FileCreateError(fileName);
        }
        // Make the rename itself durable; failing here loses nothing written.
        if (sync == FileSync::BeforeRename)
            syncDirectory(parts.directory);
        return Replaced::Done;
    }
    throw FileCreateError(fileName);
}

} // namespace

void SaveFileContents(const QString &fileName, const QByteArray &data, FileSync sync)
{
    const QByteArray path = QFile::encodeName(fileName);
    const WriteSignalBlock noWriteSignals;

    struct stat st;
    if (::lstat(path.constData(), &st) != 0) {
        if (errno != ENOENT)
            throw FileCreateError(fileName);
        replaceFile(path, nullptr, fileName, data, sync);
        return;
    }
    if (S_ISDIR(st.st_mode))
        throw FileCreateError(fileName);
    if (S_ISREG(st.st_mode)) {
        if (isReadOnly(st) || ::access(path.constData(), W_OK) != 0)
            throw FileCreateError(fileName);
        if (st.st_nlink == 1 && st.st_uid == ::geteuid()
            && replaceFile(path, &st, fileName, data, sync) == Replaced::Done)
            return;
    }
    writeInPlace(path, S_ISLNK(st.st_mode), fileName, data, sync);
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

void WriteToDescriptor(int fd, const QByteArray &data)
{
    const WriteSignalBlock noWriteSignals;
    if (!writeAll(fd, data.constData(), data.size()))
        throw StreamWriteError();
}
