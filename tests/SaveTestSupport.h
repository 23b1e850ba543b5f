#pragma once
// What the tests of saving files share: reading and writing test files, and
// running a save in a child process, possibly as the unprivileged user
// nobody, to see how it ended.
#include "base/SaveFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <functional>
#include <stdexcept>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

inline QStringList entries(const QString &dir)
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

// The outcomes of a save run in a child process.
enum SaveOutcome {
    kSaved = 0,
    kCreateError = 1,
    kWriteError = 2,
    kNoSuchUser = 3, // the child could not become the user
    kKilled = 4,     // a signal ended it (a hang ended by the alarm, SIGXFSZ)
    kOtherError = 5,
};

constexpr uid_t kNobody = 65534;

// Runs save in a child process, as user when given, and returns its outcome.
inline int SaveInChild(const std::function<void()> &save, uid_t user = ::geteuid())
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        if (user != ::geteuid() && (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0))
            ::_exit(kNoSuchUser);
        try {
            save();
            ::_exit(kSaved);
        } catch (const FileCreateError &) {
            ::_exit(kCreateError);
        } catch (const StreamWriteError &) {
            ::_exit(kWriteError);
        } catch (...) {
            ::_exit(kOtherError);
        }
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : kKilled;
}

// Whether the tests can act as the unprivileged user nobody.
inline bool CanBecomeNobody()
{
    static const bool can = ::geteuid() == 0 && SaveInChild([] {}, kNobody) == kSaved;
    return can;
}

#define SKIP_UNLESS_NOBODY()                                                                                           \
    if (!CanBecomeNobody())                                                                                            \
    GTEST_SKIP() << "needs to run as root to act as the user nobody"

inline struct stat StatOf(const QString &path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Runs a command as the user nobody and tells whether it succeeded.
inline bool AsNobody(const std::function<bool()> &action)
{
    return SaveInChild(
               [&] {
                   if (!action())
                       throw std::runtime_error("failed");
               },
               kNobody)
           == kSaved;
}

// The exit status of a child that could not mount its small file system.
constexpr int kNoMount = 20;

// Runs body in a child process in whose private mount namespace a tmpfs of
// the given size ("2m") covers folder, so that nothing of it outlives the
// test, and returns body's result: kNoMount where no file system can be
// mounted (it needs the superuser), -1 for a child that did not exit.
inline int InSmallFileSystem(const QString &folder, const char *size, const std::function<int()> &body)
{
    const QByteArray mountPoint = QFile::encodeName(folder);
    const QByteArray options = QByteArray("size=") + size;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(30);
        if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, options.constData()) != 0)
            ::_exit(kNoMount);
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#define SKIP_IF_NOT_MOUNTED(result)                                                                                    \
    if ((result) == kNoMount)                                                                                          \
    GTEST_SKIP() << "cannot mount a small file system here (needs the superuser)"
