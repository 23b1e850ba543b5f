#pragma once
// Small tools of the careful save: a descriptor that closes itself, a write
// that writes everything, and a block of the signals that a write can raise.
#include <QtGlobal>

#include <csignal>

// Closes a descriptor when it goes out of scope, unless it was closed or
// handed on first.
class Descriptor
{
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor &&other) noexcept : m_fd(other.release()) {}
    Descriptor &operator=(Descriptor &&other) noexcept;
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    int release();
    void reset(int fd = -1);
    // Closes now and tells whether the close reported no error (a write
    // back that failed on a network file system shows here).
    bool close();

private:
    int m_fd = -1;
};

// Writes all of data to fd, going on after interruptions; false with errno
// set when a write falls short.
bool WriteAll(int fd, const char *data, qint64 size);

// Holds back the signals that a write can raise and that would end the
// program: SIGPIPE when a pipe's reader has gone, SIGXFSZ beyond a file-size
// limit. The write then fails with an error instead. Signals raised meanwhile
// are taken off before the previous mask returns.
class WriteSignalBlock
{
public:
    WriteSignalBlock();
    ~WriteSignalBlock();
    WriteSignalBlock(const WriteSignalBlock &) = delete;
    WriteSignalBlock &operator=(const WriteSignalBlock &) = delete;

private:
    sigset_t m_signals;
    sigset_t m_previous;
};
