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
