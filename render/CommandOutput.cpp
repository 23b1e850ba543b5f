#include "CommandOutput.h"

#include "base/AppError.h"
#include "base/SaveFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why file cannot be created, found again where the error does not say: its
// folder missing, not a folder or closed to the saver, or the name taken
// by a folder. 0 where none of these holds.
int creationFailure(const QByteArray &file)
{
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash);
    struct stat st;
    if (::stat(folder.constData(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return errno;
    if (::stat(file.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return EISDIR;
    return 0;
}

// Writes all of data to fd, waiting on a descriptor that is non-blocking
// and full.
OutputResult writeAll(int fd, const QByteArray &data)
{
    // A reader that has left raises SIGPIPE, which would end the program:
    // the write is to fail with EPIPE instead.
    std::signal(SIGPIPE, SIG_IGN);
    const char *next = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, next, size_t(left));
        if (n > 0) {
            next += n;
            left -= n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd wait{fd, POLLOUT, 0};
            if (::poll(&wait, 1, -1) < 0 && errno != EINTR)
                return OutputResult::Failed;
        } else if (n < 0 && errno == EPIPE) {
            return OutputResult::ReaderGone;
        } else {
            if (n == 0)
                errno = EIO;
            return OutputResult::Failed;
        }
    }
    return OutputResult::Written;
}

} // namespace

OutputResult WriteOutput(const CommandStreams &streams, const QByteArray &data)
{
    const OutputResult result = writeAll(streams.out, data);
    if (result == OutputResult::Failed)
        WriteError(streams, FailureLine("cannot write", "standard output", errno));
    return result;
}

void WriteError(const CommandStreams &streams, const QByteArray &text)
{
    writeAll(streams.err, text);
}

QByteArray FailureLine(const char *action, const QByteArray &file, int error)
{
    QByteArray line = QByteArray("dipole-render: ") + action + ' ' + file;
    if (error != 0)
        line += QByteArray(": ") + std::strerror(error);
    return line + '\n';
}

QByteArray SaveFailureLine(const AppError &error)
{
    if (const auto *create = dynamic_cast<const FileCreateError *>(&error)) {
        const int reason = create->systemError() != 0 ? create->systemError() : creationFailure(create->path());
        return FailureLine("cannot create", create->path(), reason);
    }
    if (const auto *write = dynamic_cast<const StreamWriteError *>(&error); write && !write->path().isEmpty())
        return FailureLine("cannot write", write->path(), write->systemError());
    return "dipole-render: " + error.message().toLocal8Bit() + '\n';
}

bool MakeDirectories(const QByteArray &directory, QByteArray &failedFolder, int &error)
{
    struct stat st;
    if (directory.isEmpty() || (::stat(directory.constData(), &st) == 0 && S_ISDIR(st.st_mode)))
        return true;
    // Each folder from the top down; one made meanwhile by someone else is
    // as good as one made here.
    for (qsizetype end = directory.indexOf('/', 1);; end = directory.indexOf('/', end + 1)) {
        const QByteArray folder = end < 0 ? directory : directory.left(end);
        if (!folder.endsWith('/') && ::mkdir(folder.constData(), 0777) != 0 && errno != EEXIST) {
            failedFolder = folder;
            error = errno;
            return false;
        }
        if (end < 0)
            break;
    }
    if (::stat(directory.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        failedFolder = directory;
        error = ENOTDIR;
        return false;
    }
    return true;
}

int TerminalColumns(int fd)
{
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}
