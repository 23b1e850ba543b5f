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
        line += QByteArray(": ") + SaveErrorReason(error);
    return line + '\n';
}

QByteArray SaveFailureLine(const AppError &error)
{
    if (const auto *create = dynamic_cast<const FileCreateError *>(&error))
        return FailureLine("cannot create", create->path(), create->systemError());
    if (const auto *write = dynamic_cast<const StreamWriteError *>(&error); write && !write->path().isEmpty())
        return FailureLine("cannot write", write->path(), write->systemError());
    return "dipole-render: " + error.message().toLocal8Bit() + '\n';
}

int TerminalColumns(int fd)
{
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}
