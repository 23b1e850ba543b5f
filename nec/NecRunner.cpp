#include "NecRunner.h"

#include "NecErrors.h"

#include <QByteArrayList>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

// nec2c's report of the longest wire is a few megabytes; anything far
// beyond that is not its output.
constexpr qint64 kMaxOutputBytes = qint64(256) << 20;

// The parent's environment with the C locale forced, so that nec2c writes
// its numbers with a dot.
class ChildEnvironment
{
public:
    ChildEnvironment()
    {
        for (char **entry = environ; *entry; ++entry)
            if (std::strncmp(*entry, "LC_", 3) != 0 && std::strncmp(*entry, "LANG=", 5) != 0)
                m_strings.emplace_back(*entry);
        m_strings.emplace_back("LC_ALL=C");
        for (std::string &s : m_strings)
            m_pointers.push_back(s.data());
        m_pointers.push_back(nullptr);
    }
    char **get() { return m_pointers.data(); }

private:
    std::vector<std::string> m_strings;
    std::vector<char *> m_pointers;
};

class SpawnActions
{
public:
    SpawnActions() { posix_spawn_file_actions_init(&m_actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
    SpawnActions(const SpawnActions &) = delete;
    SpawnActions &operator=(const SpawnActions &) = delete;
    posix_spawn_file_actions_t *get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

// Starts program in folder: no input, its messages to folder/messages.
pid_t start(const QString &program, const QString &folder)
{
    const QByteArray path = QFile::encodeName(program);
    const QByteArray messages = QFile::encodeName(folder + QStringLiteral("/messages"));
    const QByteArray directory = QFile::encodeName(folder);
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(actions.get(), 1, messages.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(actions.get(), 1, 2);
    // Anything it writes beside the output stays in the private folder.
    posix_spawn_file_actions_addchdir_np(actions.get(), directory.constData());
    std::vector<QByteArray> arguments = {path, "-i", "dipole.nec", "-o", "dipole.out"};
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    ChildEnvironment environment;
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.constData(), actions.get(), nullptr, argv.data(), environment.get());
    if (error != 0)
        throw NecRunError(
            QStringLiteral("it could not be started (%1)").arg(QString::fromLocal8Bit(std::strerror(error))));
    return pid;
}

// The child's wait status, or a NecRunError after killing it when it runs
// out of time.
int waitFor(pid_t pid, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return status;
        if (done < 0 && errno != EINTR)
            throw NecRunError(QStringLiteral("its end could not be awaited"));
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            throw NecRunError(
                QStringLiteral("it ran for more than %1 s and was stopped").arg(timeout.count() / 1000.0));
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

QByteArray readFile(const QString &name, qint64 limit)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(limit);
}

// What the program printed, its first line, for a message.
QString firstLine(const QString &folder)
{
    const QByteArray text = readFile(folder + QStringLiteral("/messages"), 4096).trimmed();
    const QString line = QString::fromLocal8Bit(text.split('\n').front().trimmed());
    return line.isEmpty() ? QString() : QStringLiteral(": ") + line;
}

} // namespace

QString FindNec2c()
{
    return QStandardPaths::findExecutable(QStringLiteral("nec2c"));
}

QByteArray RunNec2c(const QByteArray &deck, std::chrono::milliseconds timeout, const QString &program)
{
    if (program.isEmpty())
        throw NecMissingError();
    QTemporaryDir folder;
    if (!folder.isValid())
        throw NecRunError(QStringLiteral("no private folder for its files: ") + folder.errorString());
    QFile deckFile(folder.filePath(QStringLiteral("dipole.nec")));
    if (!deckFile.open(QIODevice::WriteOnly) || deckFile.write(deck) != deck.size() || !deckFile.flush())
        throw NecRunError(QStringLiteral("its deck could not be written: ") + deckFile.errorString());
    deckFile.close();

    const int status = waitFor(start(program, folder.path()), timeout);
    if (WIFSIGNALED(status))
        throw NecRunError(
            QStringLiteral("it was ended by signal %1%2").arg(WTERMSIG(status)).arg(firstLine(folder.path())));
    if (WEXITSTATUS(status) != 0)
        throw NecRunError(
            QStringLiteral("it ended with status %1%2").arg(WEXITSTATUS(status)).arg(firstLine(folder.path())));
    const QByteArray output = readFile(folder.filePath(QStringLiteral("dipole.out")), kMaxOutputBytes + 1);
    if (output.isEmpty())
        throw NecRunError(QStringLiteral("it wrote no output") + firstLine(folder.path()));
    if (output.size() > kMaxOutputBytes)
        throw NecRunError(QStringLiteral("its output is far larger than any deck of a dipole makes"));
    return output;
}
