#include "FileDescriptor.h"

#include <cerrno>

#include <pthread.h>
#include <unistd.h>

Descriptor &Descriptor::operator=(Descriptor &&other) noexcept
{
    if (this != &other)
        reset(other.release());
    return *this;
}

int Descriptor::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void Descriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

bool Descriptor::close()
{
    return ::close(release()) == 0;
}

bool WriteAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

WriteSignalBlock::WriteSignalBlock()
{
    sigemptyset(&m_signals);
    sigaddset(&m_signals, SIGPIPE);
    sigaddset(&m_signals, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &m_signals, &m_previous);
}

WriteSignalBlock::~WriteSignalBlock()
{
    const timespec noWait = {0, 0};
    while (sigtimedwait(&m_signals, nullptr, &noWait) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}
