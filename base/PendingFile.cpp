#include "PendingFile.h"

#include "FilePath.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr int kTemporaryNameTries = 100;
constexpr int kLinkLookTries = 3;
constexpr int kTargetFlags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

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

QByteArray keepSlotName(int slot)
{
    return ".dipole-keep-" + QByteArray::number(slot);
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

PendingFile::PendingFile(const QByteArray &path, const QByteArray &data, FileSync sync, const SaveFolder &folder)
    : m_path(path),
      m_name(SplitPath(path).name),
      m_data(data),
      m_sync(sync),
      m_folder(::fcntl(folder.fd.get(), F_DUPFD_CLOEXEC, 0)),
      m_folderStatus(folder.status),
      // In a folder that everyone may write and that has the sticky bit
      // (/tmp), a second name of a file may be another user's trap.
      m_sharedFolder((folder.status.st_mode & S_ISVTX) && (folder.status.st_mode & S_IWOTH))
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

void PendingFile::failPlace(int error)
{
    discardTemporary();
    failCreate(error);
}

void PendingFile::prepare()
{
    if (!m_folder.isOpen())
        failCreate(errno);
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

// A plain file is opened without following links, so a link put in its
// place is never followed unchecked; a link is followed only where it may
// be (SaveFolder.h), and a dangling one of the saver's has its target
// created where the kernel allows. Only regular files are written: a pipe,
// a device or a socket refuses the save before it is opened, so that
// opening it has no effect of its own and nothing can block.
Descriptor PendingFile::openTarget()
{
    for (int attempt = 0; attempt < kLinkLookTries; ++attempt) {
        struct stat name;
        if (::fstatat(m_folder.get(), m_name.constData(), &name, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT)
                return {};
            failCreate(errno);
        }
        if (S_ISDIR(name.st_mode))
            failCreate(EISDIR);
        if (!S_ISREG(name.st_mode) && !S_ISLNK(name.st_mode))
            failCreate(kNotRegularFile);
        if (m_sharedFolder && S_ISREG(name.st_mode) && name.st_nlink > 1)
            failCreate(EACCES);
        Descriptor fd = S_ISLNK(name.st_mode) ? openThroughLink() : openPlain();
        if (fd.isOpen())
            return fd;
    }
    failCreate(ELOOP);
}

// The plain file of the target's name; no descriptor when it changed since
// it was looked at.
Descriptor PendingFile::openPlain()
{
    Descriptor fd(::openat(m_folder.get(), m_name.constData(), kTargetFlags | O_NOFOLLOW));
    if (!fd.isOpen() && (errno == ENOENT || errno == ELOOP))
        return {};
    if (!fd.isOpen())
        failCreate(errno);
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        failCreate(errno);
    if (!S_ISREG(st.st_mode))
        failCreate(kNotRegularFile);
    return fd;
}

// The file that the link of the target's name leads to, once the link is
// known to be one that may be followed; no descriptor when the link changed
// meanwhile.
Descriptor PendingFile::openThroughLink()
{
    const Descriptor link(::openat(m_folder.get(), m_name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat linkStatus;
    if (!link.isOpen() || ::fstat(link.get(), &linkStatus) != 0 || !S_ISLNK(linkStatus.st_mode))
        return {};
    struct stat target;
    if (::fstatat(m_folder.get(), m_name.constData(), &target, 0) != 0) {
        if (errno != ENOENT)
            failCreate(errno);
        if (!LinkMayBeFollowed(linkStatus, nullptr))
            failCreate(EACCES);
    } else if (!S_ISREG(target.st_mode)) {
        failCreate(S_ISDIR(target.st_mode) ? EISDIR : kNotRegularFile);
    }
    m_throughLink = true;
    Descriptor fd(::openat(m_folder.get(), m_name.constData(), kTargetFlags));
    if (!fd.isOpen() && errno == ENOENT)
        fd.reset(::openat(m_folder.get(), m_name.constData(), kTargetFlags | O_CREAT, 0666));
    if (!fd.isOpen())
        failCreate(errno);
    // What was opened is what the link leads to now: its owner is checked
    // on the file itself, and a link swapped meanwhile is looked at again.
    struct stat opened;
    struct stat now;
    if (::fstat(fd.get(), &opened) != 0)
        failCreate(errno);
    if (::fstatat(m_folder.get(), m_name.constData(), &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_ino != linkStatus.st_ino
        || now.st_dev != linkStatus.st_dev)
        return {};
    if (!S_ISREG(opened.st_mode))
        failCreate(kNotRegularFile);
    if (!LinkMayBeFollowed(linkStatus, &opened))
        failCreate(EACCES);
    return fd;
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
    // Under the folder's lock a slot's names can only be what a killed
    // save left: they are taken over whatever this file needs of them.
    if (slot > 0) {
        ::unlinkat(m_folder.get(), slotName(slot).constData(), 0);
        ::unlinkat(m_folder.get(), keepSlotName(slot).constData(), 0);
    }
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
            m_placed = true;
            return;
        }
        linkPending(0);
    }
    if (!m_file.close()) {
        const int error = errno;
        discardTemporary();
        failWrite(error);
    }
    // Exchanged, the old file keeps the pending name until the save ends;
    // where a file system cannot exchange, it is simply replaced.
    int result = -1;
    if (m_keepOnPlace && m_mode == Mode::Replace) {
        result =
            ::renameat2(m_folder.get(), m_tempName.constData(), m_folder.get(), m_name.constData(), RENAME_EXCHANGE);
        if (result == 0)
            m_keptName = m_tempName;
        else if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != ENOENT)
            failPlace(errno);
    }
    if (result != 0 && ::renameat(m_folder.get(), m_tempName.constData(), m_folder.get(), m_name.constData()) != 0)
        failPlace(errno);
    m_tempName.clear();
    m_unnamed = false;
    m_placed = true;
}

void PendingFile::setAside(int slot)
{
    if (m_mode != Mode::Replace)
        return;
    const auto moveTo = [&](const QByteArray &name) {
        return ::renameat2(m_folder.get(), m_name.constData(), m_folder.get(), name.constData(), RENAME_NOREPLACE) == 0;
    };
    QByteArray aside;
    if (slot > 0)
        aside = keepSlotName(slot);
    bool moved = !aside.isEmpty() && moveTo(aside);
    for (int i = 0; !moved && i < kTemporaryNameTries && (aside.isEmpty() || errno == EEXIST); ++i) {
        aside = randomTemporaryName();
        moved = moveTo(aside);
    }
    if (moved)
        m_keptName = aside;
    // The old file went meanwhile: there is nothing to keep.
    else if (errno != ENOENT)
        failCreate(errno);
}

void PendingFile::restore() noexcept
{
    if (!m_keptName.isEmpty())
        ::renameat(m_folder.get(), m_keptName.constData(), m_folder.get(), m_name.constData());
    else if (m_placed && m_mode == Mode::Create)
        ::unlinkat(m_folder.get(), m_name.constData(), 0);
    m_keptName.clear();
}

void PendingFile::dropKept()
{
    if (!m_keptName.isEmpty())
        ::unlinkat(m_folder.get(), m_keptName.constData(), 0);
    m_keptName.clear();
}

// Makes the new name itself durable; failing here loses nothing written.
bool PendingFile::finish()
{
    if (m_mode == Mode::InPlace || m_sync == FileSync::Deferred)
        return false;
    const Descriptor folder(::openat(m_folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen())
        ::fsync(folder.get());
    return true;
}

void PendingFile::discardTemporary()
{
    if (!m_tempName.isEmpty())
        ::unlinkat(m_folder.get(), m_tempName.constData(), 0);
    m_tempName.clear();
    if (m_mode != Mode::InPlace)
        m_file.reset();
}
