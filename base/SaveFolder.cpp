#include "SaveFolder.h"

#include <cerrno>
#include <climits>
#include <mutex>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

QByteArray pinKey(const QByteArray &directory)
{
    qsizetype end = directory.size();
    while (end > 1 && directory.at(end - 1) == '/')
        --end;
    const QByteArray key = directory.left(end);
    return key.isEmpty() ? QByteArray(".") : key;
}

struct Pinned
{
    QByteArray key;
    Descriptor fd;
};

std::mutex &pinsMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<Pinned> &pins()
{
    static std::vector<Pinned> list;
    return list;
}

Descriptor pinnedDescriptor(const QByteArray &directory)
{
    const QByteArray key = pinKey(directory);
    const std::lock_guard<std::mutex> lock(pinsMutex());
    for (const Pinned &pin : pins())
        if (pin.key == key)
            return Descriptor(::fcntl(pin.fd.get(), F_DUPFD_CLOEXEC, 0));
    return {};
}

// A folder within at, opened without following a link as its last name; a
// folder that may be searched but not read for its path only.
int openStep(int at, const char *name)
{
    const int fd = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 || errno != EACCES)
        return fd;
    return ::openat(at, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// The end of the name that starts at or after begin in path.
qsizetype nextEnd(const QByteArray &path, qsizetype begin)
{
    while (begin < path.size() && path.at(begin) == '/')
        ++begin;
    const qsizetype end = path.indexOf('/', begin);
    return end < 0 ? path.size() : end;
}

class FolderWalk
{
public:
    explicit FolderWalk(FolderFailure &failure) : m_failure(failure) {}

    // The folder that path names, starting at start (the current folder
    // for a relative path); the names shown in a failure begin with shown.
    Descriptor walk(const QByteArray &path, MissingFolders missing, int start, const QByteArray &shownPath)
    {
        Descriptor current(path.startsWith('/') ? openStep(AT_FDCWD, "/") : openStep(start, "."));
        if (!current.isOpen())
            return fail(shownPath.isEmpty() ? QByteArray(".") : shownPath);
        for (qsizetype begin = 0; begin < path.size();) {
            qsizetype end = path.indexOf('/', begin);
            if (end < 0)
                end = path.size();
            const QByteArray name = path.mid(begin, end - begin);
            begin = end + 1;
            if (name.isEmpty() || name == ".")
                continue;
            const QByteArray shown = shownPath.isEmpty() ? path.left(end) : shownPath;
            current = step(current.get(), name, missing, shown);
            if (!current.isOpen()) {
                // A file in the way is named by the folder that could not be
                // made below it.
                if (m_failure.error == ENOTDIR && shownPath.isEmpty() && end < path.size())
                    m_failure.folder = path.left(nextEnd(path, end + 1));
                return {};
            }
        }
        return current;
    }

private:
    Descriptor step(int at, const QByteArray &name, MissingFolders missing, const QByteArray &shown)
    {
        Descriptor next(openStep(at, name.constData()));
        if (!next.isOpen() && errno == ENOENT && missing == MissingFolders::Create) {
            // One made meanwhile by someone else is as good as one made here.
            if (::mkdirat(at, name.constData(), 0777) != 0 && errno != EEXIST)
                return fail(shown);
            next.reset(openStep(at, name.constData()));
        }
        if (!next.isOpen() && (errno == ELOOP || errno == ENOTDIR))
            return followLink(at, name, shown);
        if (!next.isOpen())
            return fail(shown);
        return next;
    }

    // The folder that the link name in at leads to, when it is a link that
    // may be followed. The link is read through a descriptor of its own, so
    // the text read is the text of the link whose owner was looked at.
    Descriptor followLink(int at, const QByteArray &name, const QByteArray &shown)
    {
        const int notFolder = errno;
        const Descriptor link(::openat(at, name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat linkStatus;
        if (!link.isOpen() || ::fstat(link.get(), &linkStatus) != 0 || !S_ISLNK(linkStatus.st_mode)) {
            errno = notFolder;
            return fail(shown);
        }
        if (++m_links > kMaxLinks) {
            errno = ELOOP;
            return fail(shown);
        }
        char text[PATH_MAX];
        const ssize_t size = ::readlinkat(link.get(), "", text, sizeof text);
        if (size < 0)
            return fail(shown);
        // Folders missing at the link's far end are not made: the link
        // names a place, it does not ask for one.
        Descriptor target = walk(QByteArray(text, size), MissingFolders::Refuse, at, shown);
        struct stat targetStatus;
        if (target.isOpen()
            && (::fstat(target.get(), &targetStatus) != 0 || !LinkMayBeFollowed(linkStatus, &targetStatus))) {
            errno = EACCES;
            return fail(shown);
        }
        return target;
    }

    Descriptor fail(const QByteArray &shown)
    {
        m_failure = {shown, errno};
        return {};
    }

    FolderFailure &m_failure;
    int m_links = 0;
};

} // namespace

bool LinkMayBeFollowed(const struct stat &link, const struct stat *target)
{
    return link.st_uid == ::geteuid() || (target && link.st_uid == target->st_uid);
}

bool OpenSaveFolder(const QByteArray &directory, MissingFolders missing, SaveFolder &folder, FolderFailure &failure)
{
    Descriptor fd = pinnedDescriptor(directory);
    if (!fd.isOpen()) {
        FolderWalk walk(failure);
        fd = walk.walk(directory, missing, AT_FDCWD, {});
    }
    if (!fd.isOpen())
        return false;
    if (::fstat(fd.get(), &folder.status) != 0) {
        failure = {directory, errno};
        return false;
    }
    folder.fd = std::move(fd);
    return true;
}

FolderPin::FolderPin(const QByteArray &directory, const SaveFolder &folder) : m_key(pinKey(directory))
{
    const std::lock_guard<std::mutex> lock(pinsMutex());
    pins().push_back({m_key, Descriptor(::fcntl(folder.fd.get(), F_DUPFD_CLOEXEC, 0))});
}

FolderPin::~FolderPin()
{
    const std::lock_guard<std::mutex> lock(pinsMutex());
    auto &list = pins();
    for (auto it = list.end(); it != list.begin();) {
        --it;
        if (it->key == m_key) {
            list.erase(it);
            return;
        }
    }
}
