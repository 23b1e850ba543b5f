#include "NecRunner.h"

#include "NecErrors.h"
#include "base/FileDescriptor.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// nec2c's report of the longest wire (1201 segments, 1801 directions) is
// under a megabyte; anything far beyond that is not its output, and is not
// read into memory.
constexpr qint64 kMaxOutputBytes = qint64(16) << 20;
// Of what it printed, the start is enough for a message.
constexpr qint64 kMaxMessageBytes = 4096;

// The signals that end a run early. A signal the program ignores stays
// ignored.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kEndingSignalCount = std::size(kEndingSignals);

// The ending signal that arrived during a run, 0 while none has.
volatile std::sig_atomic_t g_endingSignal = 0;

// Runs may overlap (a sweep's frames); the first installs the handlers and
// the last puts the program's own back.
std::mutex g_runsMutex;
int g_runs = 0;
struct sigaction g_previousActions[kEndingSignalCount];

extern "C" void RecordEndingSignal(int signal)
{
    g_endingSignal = signal;
}

bool isIgnored(const struct sigaction &action)
{
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

// Records the ending signals while at least one run is under way, so that
// the wait can stop nec2c and the private folder can go. When the last run
// ends, the program's own handling returns, and a signal recorded meanwhile
// is raised again under it.
class EndingSignals
{
public:
    EndingSignals()
    {
        const std::lock_guard<std::mutex> lock(g_runsMutex);
        if (g_runs++ > 0)
            return;
        g_endingSignal = 0;
        struct sigaction action = {};
        action.sa_handler = RecordEndingSignal;
        sigemptyset(&action.sa_mask);
        // No SA_RESTART: the wait's pause is cut short.
        for (std::size_t i = 0; i < kEndingSignalCount; ++i) {
            sigaction(kEndingSignals[i], nullptr, &g_previousActions[i]);
            if (!isIgnored(g_previousActions[i]))
                sigaction(kEndingSignals[i], &action, nullptr);
        }
    }
    ~EndingSignals()
    {
        const std::lock_guard<std::mutex> lock(g_runsMutex);
        if (--g_runs > 0)
            return;
        for (std::size_t i = 0; i < kEndingSignalCount; ++i)
            sigaction(kEndingSignals[i], &g_previousActions[i], nullptr);
        const int signal = g_endingSignal;
        g_endingSignal = 0;
        if (signal != 0)
            std::raise(signal);
    }
    EndingSignals(const EndingSignals &) = delete;
    EndingSignals &operator=(const EndingSignals &) = delete;
};

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

// Everything the child needs, made before the fork: between the fork and
// the exec a child of a threaded program may make async-signal-safe calls
// only.
struct ChildCommand
{
    QByteArray path;
    QByteArray messages;
    QByteArray directory;
    std::vector<QByteArray> arguments;
    std::vector<char *> argv;
    ChildEnvironment environment;
    pid_t parent = 0;
};

// The child's side: dies with its parent, reads no input, writes its
// messages to the private folder and runs there (anything it writes beside
// the output stays in that folder). A failure goes to report as errno.
[[noreturn]] void execChild(ChildCommand &command, int report)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have died before the request: nothing would kill us.
    if (getppid() != command.parent)
        _exit(127);
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int output = open(command.messages.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (input >= 0 && output >= 0 && dup2(input, 0) == 0 && dup2(output, 1) == 1 && dup2(output, 2) == 2
        && chdir(command.directory.constData()) == 0)
        execve(command.path.constData(), command.argv.data(), command.environment.get());
    const int error = errno;
    [[maybe_unused]] const ssize_t written = write(report, &error, sizeof error);
    _exit(127);
}

// The errno the child reported before its exec, 0 once the exec closed the
// report's descriptor.
int startError(int report)
{
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(report, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

void reap(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Starts program in folder with the deck's arguments.
pid_t start(const QString &program, const QString &folder)
{
    ChildCommand command;
    command.path = QFile::encodeName(program);
    command.messages = QFile::encodeName(folder + QStringLiteral("/messages"));
    command.directory = QFile::encodeName(folder);
    command.arguments = {command.path, "-i", "dipole.nec", "-o", "dipole.out"};
    for (QByteArray &argument : command.arguments)
        command.argv.push_back(argument.data());
    command.argv.push_back(nullptr);
    command.parent = getpid();

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        throw NecRunError(
            QStringLiteral("it could not be started (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
    Descriptor reading(report[0]);
    Descriptor writing(report[1]);
    const pid_t pid = fork();
    if (pid == 0)
        execChild(command, writing.get());
    const int error = pid < 0 ? errno : 0;
    writing.reset();
    const int childError = pid < 0 ? 0 : startError(reading.get());
    if (error != 0 || childError != 0) {
        if (pid > 0)
            reap(pid);
        throw NecRunError(QStringLiteral("it could not be started (%1)")
                              .arg(QString::fromLocal8Bit(std::strerror(error != 0 ? error : childError))));
    }
    return pid;
}

// Callers that show progress of their own (NecRunSecondsHidden).
std::atomic<int> g_secondsHidden{0};

// The seconds a run has taken, on one line of standard error that is
// redrawn every second from the first on, where standard error is a
// terminal; the line is cleared when the run ends.
class TerminalProgress
{
public:
    TerminalProgress() : m_terminal(g_secondsHidden == 0 && isatty(STDERR_FILENO) == 1) {}
    ~TerminalProgress()
    {
        if (m_shown > 0)
            WriteAll(STDERR_FILENO, "\r\033[K", 4);
    }
    TerminalProgress(const TerminalProgress &) = delete;
    TerminalProgress &operator=(const TerminalProgress &) = delete;

    void show(std::chrono::steady_clock::duration elapsed)
    {
        const long seconds = static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count());
        if (!m_terminal || seconds <= m_shown)
            return;
        m_shown = seconds;
        char line[128];
        const int size = std::snprintf(line, sizeof line, "\r%s: nec2c running… %ld s\033[K",
                                       program_invocation_short_name, seconds);
        if (size > 0)
            WriteAll(STDERR_FILENO, line, std::min<qint64>(size, sizeof line - 1));
    }

private:
    bool m_terminal;
    long m_shown = 0;
};

// Kills the child and waits for its end.
void stop(pid_t pid)
{
    kill(pid, SIGKILL);
    reap(pid);
}

bool isCancelled(const std::atomic<bool> *cancel)
{
    return cancel != nullptr && cancel->load();
}

// The child's wait status, or a NecRunError after killing it when it runs
// out of time or an ending signal arrives, a NecCancelledError when the
// caller cancels.
int waitFor(pid_t pid, std::chrono::milliseconds timeout, const std::atomic<bool> *cancel)
{
    TerminalProgress progress;
    const auto started = std::chrono::steady_clock::now();
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return status;
        if (done < 0 && errno != EINTR)
            throw NecRunError(QStringLiteral("its end could not be awaited"));
        if (const int signal = g_endingSignal) {
            stop(pid);
            throw NecRunError(QStringLiteral("it was stopped by signal %1 to this program").arg(signal));
        }
        if (isCancelled(cancel)) {
            stop(pid);
            throw NecCancelledError();
        }
        const auto elapsed = std::chrono::steady_clock::now() - started;
        if (elapsed >= timeout) {
            stop(pid);
            throw NecRunError(
                QStringLiteral("it ran for more than %1 s and was stopped").arg(timeout.count() / 1000.0));
        }
        progress.show(elapsed);
        // A signal cuts the pause short.
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

struct FileContents
{
    bool present = false; // something, of any kind, has the name
    bool regular = false;
    QByteArray data; // at most the limit asked for
};

// A file of nec2c's folder, read only when it is a regular file: opened
// without blocking and without following a link, so that a FIFO, a device
// or a link put there in its place can neither hang the read nor lead
// elsewhere.
FileContents readRegularFile(const QString &name, qint64 limit)
{
    FileContents contents;
    const Descriptor file(open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    contents.present = file.isOpen() || errno != ENOENT;
    struct stat info = {};
    if (!file.isOpen() || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return contents;
    contents.regular = true;
    contents.data.resize(static_cast<qsizetype>(std::min<qint64>(info.st_size, limit)));
    qint64 size = 0;
    while (size < limit) {
        if (size == contents.data.size())
            contents.data.resize(static_cast<qsizetype>(std::min<qint64>(size + 65536, limit)));
        const ssize_t got =
            read(file.get(), contents.data.data() + size, static_cast<size_t>(contents.data.size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        size += got;
    }
    contents.data.truncate(static_cast<qsizetype>(size));
    return contents;
}

// What the program printed, its first line, for a message.
QString firstLine(const QString &folder)
{
    const QByteArray text = readRegularFile(folder + QStringLiteral("/messages"), kMaxMessageBytes).data.trimmed();
    const QString line = QString::fromLocal8Bit(text.split('\n').front().trimmed());
    return line.isEmpty() ? QString() : QStringLiteral(": ") + line;
}

// The output nec2c left, refused when it is no regular file, empty or far
// too large.
QByteArray outputOf(const QString &folder)
{
    const QString name = folder + QStringLiteral("/dipole.out");
    const FileContents output = readRegularFile(name, kMaxOutputBytes + 1);
    if (output.present && !output.regular)
        throw NecRunError(QStringLiteral("its output dipole.out is not a regular file"));
    if (output.data.isEmpty())
        throw NecRunError(QStringLiteral("it wrote no output") + firstLine(folder));
    if (output.data.size() > kMaxOutputBytes)
        throw NecRunError(QStringLiteral("its output is far larger than any deck of a dipole makes"));
    return output.data;
}

} // namespace

QString FindNec2c()
{
    return QStandardPaths::findExecutable(QStringLiteral("nec2c"));
}

std::optional<UnusableNec2c> FindUnusableNec2c()
{
    if (!FindNec2c().isEmpty())
        return std::nullopt;
    for (const QByteArray &folder : qgetenv("PATH").split(':')) {
        if (folder.isEmpty())
            continue;
        const QByteArray candidate = folder + "/nec2c";
        struct stat info = {};
        if (stat(candidate.constData(), &info) != 0 || S_ISDIR(info.st_mode))
            continue;
        if (access(candidate.constData(), X_OK) != 0)
            return UnusableNec2c{QFile::decodeName(candidate), errno};
    }
    return std::nullopt;
}

QByteArray RunNec2c(const QByteArray &deck, std::chrono::milliseconds timeout, const QString &program,
                    const std::atomic<bool> *cancel)
{
    if (isCancelled(cancel))
        throw NecCancelledError();
    if (program.isEmpty()) {
        if (const std::optional<UnusableNec2c> unusable = FindUnusableNec2c())
            throw NecUnusableError(unusable->program, unusable->error);
        throw NecMissingError();
    }
    // Declared first, gone last: the folder is removed before a signal that
    // arrived meanwhile is raised again.
    const EndingSignals signals;
    QTemporaryDir folder;
    if (!folder.isValid())
        throw NecRunError(QStringLiteral("no private folder for its files: ") + folder.errorString());
    QFile deckFile(folder.filePath(QStringLiteral("dipole.nec")));
    if (!deckFile.open(QIODevice::WriteOnly) || deckFile.write(deck) != deck.size() || !deckFile.flush())
        throw NecRunError(QStringLiteral("its deck could not be written: ") + deckFile.errorString());
    deckFile.close();

    const int status = waitFor(start(program, folder.path()), timeout, cancel);
    if (WIFSIGNALED(status))
        throw NecRunError(
            QStringLiteral("it was ended by signal %1%2").arg(WTERMSIG(status)).arg(firstLine(folder.path())));
    if (WEXITSTATUS(status) != 0)
        throw NecRunError(
            QStringLiteral("it ended with status %1%2").arg(WEXITSTATUS(status)).arg(firstLine(folder.path())));
    return outputOf(folder.path());
}

NecRunSecondsHidden::NecRunSecondsHidden()
{
    ++g_secondsHidden;
}

NecRunSecondsHidden::~NecRunSecondsHidden()
{
    --g_secondsHidden;
}
