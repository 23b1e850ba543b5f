#include "PendingFile.h"

#include "FilePath.h"

#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr int kTemporaryNameTries = 100;
constexpr int kLinkLookTries = 3;

// Temporary names have one length whatever the target's, so that a name of
// the longest length a folder allows can be replaced too.
QByteArray randomTemporaryName()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = ".dipole-";
    for (int i = 0; i < 10; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return name;
}

QByteArray slotName(int slot)
{
    return ".dipole-save-" + QByteArray::number(slot);
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool isReadOnly(const struct stat &st)
{
    // A file without any write permission counts as read-only even for the
    // superuser: it is a refusal to be overwritten.
    return (st.st_mode & 0222) == 0;
}

// Errors of an O_TMPFILE open that mean the kernel or the file system does
// not offer unnamed files, rather than that the folder refuses new ones.
bool unnamedFilesUnsupported(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

bool hasExtendedAttributes(int fd)
{
    return ::flistxattr(fd, nullptr, 0) > 0;
}

// Whether the file system can take size more bytes than fd holds now;
// for file systems that cannot reserve room.
bool freeSpaceSuffices(int fd, off_t size, const struct stat &st)
{
    struct statvfs vfs;
    if (::fstatvfs(fd, &vfs) != 0)
        return true; // nothing known: the writes will tell
    const off_t held = off_t(st.st_blocks) * 512;
    return size <= held || quint64(size - held) <= quint64(vfs.f_bavail) * vfs.f_frsize;
}

bool withinFileSizeLimit(off_t size)
{
    struct rlimit limit;
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || rlim_t(size) <= limit.rlim_cur;
}

} // namespace

PendingFile::PendingFile(const QByteArray &path, const QByteArray &data, FileSync sync)
    : m_path(path), m_data(data), m_sync(sync)
{}

PendingFile::~PendingFile()
{
    discardTemporary();
}

void PendingFile::failCreate(int error) const
{
    throw FileCreateError(m_path, error);
}

void PendingFile::failWrite(int error) const
{
    throw StreamWriteError(m_path, error);
}

void PendingFile::prepare()
{
    openFolder();
    Descriptor target = openTarget();
    if (!target.isOpen()) {
        m_mode = Mode::Create;
        stageTemporary(nullptr);
        return;
    }
    if (::fstat(target.get(), &m_old) != 0)
        failCreate(errno);
    // Replaced by another program since the open: writing it would write
    // nowhere.
    if (m_old.st_nlink == 0)
        throw TargetReplaced();
    if (S_ISREG(m_old.st_mode) && isReadOnly(m_old))
        failCreate(EACCES);
    if (isReplaceable(target.get(), m_old)) {
        m_mode = Mode::Replace;
        if (stageTemporary(&m_old))
            return;
    }
    m_mode = Mode::InPlace;
    m_file = std::move(target);
    reserveRoom();
}

void PendingFile::openFolder()
{
    const PathParts parts = SplitPath(m_path);
    m_name = parts.name;
    // A folder that may be searched but not read still takes new files;
    // only its lock is then out of reach.
    int fd = ::open(parts.directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES)
        fd = ::open(parts.directory.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        failCreate(errno);
    m_folder.reset(fd);
    if (::fstat(fd, &m_folderStatus) != 0)
        failCreate(errno);
}

// The target opened for writing without changing it, or no descriptor when
// there is no file of that name. A plain file is opened without following
// links, so a link put in its place is never followed unchecked; a link is
// followed only after it passed the sticky folder's rule, and a dangling
// one has its target created where the kernel allows. The open does not
// wait: a pipe that nobody reads is a file that cannot be opened, not a
// hang.
Descriptor PendingFile::openTarget()
{
    const int flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    for (int attempt = 0; attempt < kLinkLookTries; ++attempt) {
        Descriptor fd(::openat(m_folder.get(), m_name.constData(), flags | O_NOFOLLOW));
        if (!fd.isOpen() && errno == ENOENT)
            return fd;
        if (!fd.isOpen() && errno != ELOOP)
            failCreate(errno);
        if (!fd.isOpen()) {
            struct stat link;
            // Changed since the open: look again.
            if (::fstatat(m_folder.get(), m_name.constData(), &link, AT_SYMLINK_NOFOLLOW) != 0
                || !S_ISLNK(link.st_mode))
                continue;
            if (!linkMayBeFollowed(link))
                failCreate(EACCES);
            m_throughLink = true;
            fd.reset(::openat(m_folder.get(), m_name.constData(), flags));
            if (!fd.isOpen() && errno == ENOENT)
                fd.reset(::openat(m_folder.get(), m_name.constData(), flags | O_CREAT, 0666));
            if (!fd.isOpen())
                failCreate(errno);
        }
        ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
        return fd;
    }
    failCreate(ELOOP);
}

// In a folder that everyone may write and that has the sticky bit, a link
// is followed only when it belongs to the saver or to the folder's owner:
// nobody else can have put it there for the saver. The sticky bit also
// keeps others from swapping such a link between this look and the open.
bool PendingFile::linkMayBeFollowed(const struct stat &link) const
{
    const bool shared = (m_folderStatus.st_mode & S_ISVTX) && (m_folderStatus.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == m_folderStatus.st_uid;
}

bool PendingFile::isReplaceable(int fd, const struct stat &st) const
{
    return S_ISREG(st.st_mode) && !m_throughLink && st.st_nlink == 1 && st.st_uid == ::geteuid()
           && !hasExtendedAttributes(fd);
}

// Writes the new contents to a temporary file in the folder; old is the
// file being replaced, null when there is none. False, with nothing left
// behind, when the folder takes no new file or the old group cannot be
// kept: the file is then to be written in place.
bool PendingFile::stageTemporary(const struct stat *old)
{
    int fd = ::openat(m_folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    m_unnamed = fd >= 0;
    if (fd < 0 && unnamedFilesUnsupported(errno))
        fd = createNamedTemporary();
    if (fd < 0) {
        // A folder closed to new files may still hold a writable file of
        // this name. Other failures (a full disk, say) keep the previous
        // file untouched.
        if (old && (errno == EACCES || errno == EPERM))
            return false;
        failCreate(errno);
    }
    m_file.reset(fd);
    struct stat now;
    if (old && ::fstat(fd, &now) == 0 && now.st_gid != old->st_gid && ::fchown(fd, uid_t(-1), old->st_gid) != 0) {
        discardTemporary();
        return false;
    }
    fillTemporary(old, m_unnamed);
    return true;
}

// Creates a named temporary file in the folder; -1 with errno set on
// failure.
int PendingFile::createNamedTemporary()
{
    for (int i = 0; i < kTemporaryNameTries; ++i) {
        const QByteArray name = randomTemporaryName();
        const int fd =
            ::openat(m_folder.get(), name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0)
            m_tempName = name;
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The contents, the permission bits and, unless deferred, the flush to
// disk, before the temporary may take the target's place. A new file takes
// the mode that creating it gave; a replacement takes the old permission
// bits, without set-id bits.
void PendingFile::fillTemporary(const struct stat *old, bool unnamed)
{
    const int fd = m_file.get();
    bool ok = WriteAll(fd, m_data.constData(), m_data.size());
    if (old)
        ok = ok && ::fchmod(fd, old->st_mode & 0777) == 0;
    else if (!unnamed)
        ok = ok && ::fchmod(fd, 0666 & ~currentUmask()) == 0;
    ok = ok && (m_sync == FileSync::Deferred || ::fsync(fd) == 0);
    if (!ok) {
        const int error = errno;
        discardTemporary();
        failWrite(error);
    }
}

// Reserving the room first makes a full disk or a size limit fail here,
// while the old contents are still whole. The reservation keeps the file's
// size, so the file stays as it was until it is written.
void PendingFile::reserveRoom()
{
    if (!S_ISREG(m_old.st_mode) || m_data.isEmpty())
        return;
    const off_t size = off_t(m_data.size());
    if (!withinFileSizeLimit(size))
        failWrite(EFBIG);
    int result;
    do {
        result = ::fallocate(m_file.get(), FALLOC_FL_KEEP_SIZE, 0, size);
    } while (result != 0 && errno == EINTR);
    if (result == 0)
        return;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        failWrite(errno);
    // Some network and user-space file systems reserve nothing.
    if (!freeSpaceSuffices(m_file.get(), size, m_old))
        failWrite(ENOSPC);
}

void PendingFile::checkTarget() const
{
    struct stat now;
    if (m_mode == Mode::InPlace && ::fstat(m_file.get(), &now) == 0 && now.st_nlink == 0)
        throw TargetReplaced();
}

void PendingFile::stage(int slot)
{
    if (m_mode == Mode::InPlace)
        writeInPlace();
    else if (m_mode == Mode::Replace && m_unnamed)
        linkPending(slot);
}

void PendingFile::writeInPlace()
{
    const bool regular = S_ISREG(m_old.st_mode);
    const int fd = m_file.get();
    bool ok = !regular || ::ftruncate(fd, off_t(m_data.size())) == 0;
    ok = ok && WriteAll(fd, m_data.constData(), m_data.size());
    ok = ok && (!regular || m_sync == FileSync::Deferred || ::fsync(fd) == 0);
    int error = errno;
    if (!m_file.close() && ok) {
        ok = false;
        error = errno;
    }
    if (!ok)
        failWrite(error);
}

// Gives the unnamed temporary a name of its own beside the target, from
// which it is renamed over the target. Where descriptors cannot be linked,
// the contents go to a named temporary instead.
void PendingFile::linkPending(int slot)
{
    if (slot > 0) {
        const QByteArray name = slotName(slot);
        ::unlinkat(m_folder.get(), name.constData(), 0);
        if (linkUnnamed(name)) {
            m_tempName = name;
            return;
        }
    }
    for (int i = 0; i < kTemporaryNameTries; ++i) {
        const QByteArray name = randomTemporaryName();
        if (linkUnnamed(name)) {
            m_tempName = name;
            return;
        }
        if (errno != EEXIST)
            break;
    }
    m_file.reset(createNamedTemporary());
    if (!m_file.isOpen())
        failCreate(errno);
    m_unnamed = false;
    fillTemporary(m_mode == Mode::Replace ? &m_old : nullptr, false);
}

// Names the unnamed temporary in the folder; false with errno set when the
// name cannot be given.
bool PendingFile::linkUnnamed(const QByteArray &name) const
{
    const QByteArray ownLink = "/proc/self/fd/" + QByteArray::number(m_file.get());
    if (::linkat(AT_FDCWD, ownLink.constData(), m_folder.get(), name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // Without /proc the descriptor itself can be linked where privileges allow.
    return ::linkat(m_file.get(), "", m_folder.get(), name.constData(), AT_EMPTY_PATH) == 0;
}

void PendingFile::place()
{
    if (m_mode == Mode::InPlace)
        return;
    if (m_unnamed && m_mode == Mode::Create) {
        // A new file takes its name at once; a file that appeared meanwhile
        // is replaced like an old one.
        if (linkUnnamed(m_name)) {
            m_file.close();
            m_unnamed = false;
            return;
        }
        linkPending(0);
    }
    if (!m_file.close()) {
        const int error = errno;
        discardTemporary();
        failWrite(error);
    }
    if (::renameat(m_folder.get(), m_tempName.constData(), m_folder.get(), m_name.constData()) != 0) {
        const int error = errno;
        discardTemporary();
        failCreate(error);
    }
    m_tempName.clear();
    m_unnamed = false;
}

// Makes the new name itself durable; failing here loses nothing written.
void PendingFile::finish()
{
    if (m_mode == Mode::InPlace || m_sync == FileSync::Deferred)
        return;
    const Descriptor folder(::openat(m_folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen())
        ::fsync(folder.get());
}

void PendingFile::discardTemporary()
{
    if (!m_tempName.isEmpty())
        ::unlinkat(m_folder.get(), m_tempName.constData(), 0);
    m_tempName.clear();
    if (m_mode != Mode::InPlace)
        m_file.reset();
}
