// How the window program starts: Qt never reads its command line, a missing
// display is one line with Qt's reason and exit status 1, a successful start
// says nothing on stderr even where no runtime directory is set, a write to
// a connection that its reader has closed is an error rather than SIGPIPE,
// and an X server that closes the program's first connection (as it does
// while it resets after its last client left) does not end the start.
// (dipole-render's own start is tested with its command line.)
//
// The X servers and display sockets here are found and reserved the way X
// servers do it (a server picks its own free display and says which; a
// display socket of the test's own holds the display's lock file), so runs
// beside other tests and other servers never meet on one display.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct ProgramRun
{
    bool finished;
    int exitCode;
    QByteArray err;
};

// Starts program and waits up to waitMs for it to end by itself; one that
// still runs then is asked to close with SIGTERM, as a desktop would.
ProgramRun RunProgram(const QString &program, const QStringList &args, const QProcessEnvironment &environment,
                      int waitMs = 30000)
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, args);
    const bool finished = p.waitForFinished(waitMs);
    if (!finished) {
        p.terminate();
        p.waitForFinished(30000);
    }
    return {finished, p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
}

QProcessEnvironment WithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

// A display number with no X server behind it, nor one starting.
QString UnusedDisplay()
{
    for (int n = 97;; ++n)
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))
            && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            return QStringLiteral(":%1").arg(n);
}

// A mask of signals from a process's status ("SigIgn", "SigCgt"): bit
// n - 1 stands for signal n. Zero once the process has gone.
unsigned long long SignalMask(qint64 pid, const char *name)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(name) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().toULongLong(nullptr, 16);
    return 0;
}

bool HasSignal(unsigned long long mask, int signal)
{
    return (mask >> (signal - 1)) & 1U;
}

QString SocketPath(int display)
{
    return QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
}

int ConnectUnix(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), std::min<size_t>(name.size(), sizeof address.sun_path - 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// An Xvfb of the test's own. It picks a free display itself and writes its
// number once it accepts connections, so no display number is guessed and
// no socket is probed while it starts. It never resets, so only the display
// in front of it decides which connections fail.
class OwnXServer
{
public:
    OwnXServer()
    {
        m_process.start(QStringLiteral("Xvfb"),
                        {"-displayfd", "1", "-nolisten", "tcp", "-noreset", "-screen", "0", "800x600x24"});
        QByteArray said;
        QDeadlineTimer deadline(30000);
        while (!said.endsWith('\n') && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            m_process.waitForReadyRead(100);
            said += m_process.readAllStandardOutput();
        }
        bool ok = false;
        const int display = said.trimmed().toInt(&ok);
        if (said.endsWith('\n') && ok)
            m_display = display;
    }
    ~OwnXServer()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    int display() const { return m_display; }

private:
    QProcess m_process;
    int m_display = -1;
};

// Holds a display's lock file, as an X server does while it serves the
// display: other servers and xvfb-run pass the display by.
class DisplayLock
{
public:
    explicit DisplayLock(int display) : m_path(QFile::encodeName(QStringLiteral("/tmp/.X%1-lock").arg(display)))
    {
        const int fd = ::open(m_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0444);
        if (fd < 0)
            return;
        char pid[16];
        const int length = std::snprintf(pid, sizeof pid, "%10d\n", int(::getpid()));
        m_held = ::write(fd, pid, size_t(length)) == length;
        ::close(fd);
        if (!m_held)
            ::unlink(m_path.constData());
    }
    ~DisplayLock()
    {
        if (m_held)
            ::unlink(m_path.constData());
    }
    DisplayLock(const DisplayLock &) = delete;
    DisplayLock &operator=(const DisplayLock &) = delete;
    bool held() const { return m_held; }

private:
    QByteArray m_path;
    bool m_held = false;
};

// A display socket in front of a real X server. It closes its first
// connection unanswered, as a server does with a connection that arrives
// while it resets after its last client left, and passes every later one on
// to the server byte for byte.
class ResettingDisplay
{
public:
    // Takes the first display from 97 on whose lock it can hold and whose
    // socket it can make.
    explicit ResettingDisplay(int server) : m_server(SocketPath(server))
    {
        for (int n = 97; n < 300 && !m_listening; ++n) {
            m_lock = std::make_unique<DisplayLock>(n);
            if (m_lock->held() && listen(n))
                m_display = n;
        }
        if (m_listening)
            m_thread = std::thread([this] { run(); });
    }
    ~ResettingDisplay()
    {
        if (m_listening) {
            [[maybe_unused]] const ssize_t n = ::write(m_wake[1], "x", 1);
            m_thread.join();
            ::close(m_wake[0]);
            ::close(m_wake[1]);
            ::close(m_listen);
            QFile::remove(m_path);
        }
    }
    bool listening() const { return m_listening; }
    QString display() const { return QStringLiteral(":%1").arg(m_display); }
    int accepted() const { return m_accepted; }

private:
    // A stale socket of a display whose lock is free is no one's.
    bool listen(int display)
    {
        m_path = SocketPath(display);
        QFile::remove(m_path);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(m_path);
        std::memcpy(address.sun_path, name.constData(), name.size());
        m_listen = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        m_listening = ::bind(m_listen, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
                      && ::listen(m_listen, 16) == 0 && ::pipe(m_wake) == 0;
        if (!m_listening)
            ::close(m_listen);
        return m_listening;
    }
    void run()
    {
        std::map<int, int> peer;
        for (;;) {
            std::vector<pollfd> fds{{m_wake[0], POLLIN, 0}, {m_listen, POLLIN, 0}};
            for (const auto &entry : peer)
                fds.push_back({entry.first, POLLIN, 0});
            if (::poll(fds.data(), fds.size(), -1) < 0)
                continue;
            if (fds[0].revents)
                break;
            if (fds[1].revents & POLLIN)
                accept(peer);
            for (size_t i = 2; i < fds.size(); ++i)
                if (fds[i].revents && peer.count(fds[i].fd))
                    pass(fds[i].fd, peer);
        }
        for (const auto &entry : peer)
            ::close(entry.first);
    }
    void accept(std::map<int, int> &peer)
    {
        const int client = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        const int server = m_accepted++ == 0 ? -1 : ConnectUnix(m_server);
        if (server < 0) {
            ::close(client);
            return;
        }
        peer[client] = server;
        peer[server] = client;
    }
    static void pass(int from, std::map<int, int> &peer)
    {
        const int to = peer[from];
        char buffer[65536];
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        ssize_t sent = 0;
        while (got > 0 && sent < got) {
            // A peer that has gone is the end of the pair, not a signal.
            const ssize_t n = ::send(to, buffer + sent, size_t(got - sent), MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += n;
        }
        if (got <= 0 || sent < got) {
            ::close(from);
            ::close(to);
            peer.erase(from);
            peer.erase(to);
        }
    }

    QString m_path;
    QString m_server;
    std::unique_ptr<DisplayLock> m_lock;
    int m_display = -1;
    int m_listen = -1;
    int m_wake[2] = {-1, -1};
    bool m_listening = false;
    std::atomic<int> m_accepted{0};
    std::thread m_thread;
};

} // namespace

TEST(ProgramStart, WindowWithoutADisplaySaysSoInOneLine)
{
    QProcessEnvironment environment = WithoutDisplay();
    ProgramRun r = RunProgram(QStringLiteral(DIPOLE_PATTERN_PATH), {}, environment);
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dipole-pattern: cannot open the display: DISPLAY is not set\n");

    const QString display = UnusedDisplay();
    environment.insert(QStringLiteral("DISPLAY"), display);
    r = RunProgram(QStringLiteral(DIPOLE_PATTERN_PATH), {}, environment);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dipole-pattern: cannot open the display \"" + display.toLatin1()
                         + "\": could not connect to display " + display.toLatin1() + "\n");

    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("bogus"));
    r = RunProgram(QStringLiteral(DIPOLE_PATTERN_PATH), {}, environment);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dipole-pattern: cannot start the display platform \"bogus\": "
                     "Could not find the Qt platform plugin \"bogus\" in \"\"\n");
}

TEST(ProgramStart, WindowLeavesItsCommandLineToItselfAndStartsQuietly)
{
    // Qt would look for a platform named "bogus" and abort; the program takes
    // no command line and starts as usual, until it is asked to close.
    QProcessEnvironment environment = WithoutDisplay();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const ProgramRun r =
        RunProgram(QStringLiteral(DIPOLE_PATTERN_PATH), {"-platform", "bogus", "-reverse"}, environment, 3000);
    EXPECT_FALSE(r.finished) << "ended at once with status " << r.exitCode << ": " << r.err.constData();
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QByteArray());
}

TEST(ProgramStart, WindowIgnoresSigpipeSoThatAClosedConnectionIsAnError)
{
    QProcessEnvironment environment = WithoutDisplay();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(DIPOLE_PATTERN_PATH), QStringList());
    ASSERT_TRUE(program.waitForStarted());
    // The application object catches SIGTERM; by then the start-up is past
    // the point where SIGPIPE is set aside (the process may inherit any
    // disposition before it runs the program).
    const qint64 pid = program.processId();
    const bool applicationMade = QTest::qWaitFor(
        [&] { return HasSignal(SignalMask(pid, "SigCgt"), SIGTERM) || program.state() != QProcess::Running; }, 30000);
    const unsigned long long ignored = SignalMask(pid, "SigIgn");
    const bool running = program.state() == QProcess::Running;
    program.terminate();
    program.waitForFinished(30000);
    ASSERT_TRUE(applicationMade && running) << program.readAllStandardError().constData();
    EXPECT_TRUE(HasSignal(ignored, SIGPIPE)) << "ignored signals: " << std::hex << ignored;
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(ProgramStart, WindowOutlastsAServerThatClosesItsFirstConnection)
{
    OwnXServer server;
    ASSERT_GE(server.display(), 0) << "no Xvfb could be started";
    ResettingDisplay resetting(server.display());
    ASSERT_TRUE(resetting.listening());
    const QString display = resetting.display();

    QProcessEnvironment environment = WithoutDisplay();
    environment.insert(QStringLiteral("DISPLAY"), display);
    // Shared memory would pass descriptors, which a byte stream does not carry.
    environment.insert(QStringLiteral("QT_XCB_NO_MITSHM"), QStringLiteral("1"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(DIPOLE_PATTERN_PATH), QStringList());
    ASSERT_TRUE(program.waitForStarted());

    // The main window becomes viewable on the server behind the display.
    bool viewable = false;
    QDeadlineTimer deadline(30000);
    while (!viewable && !deadline.hasExpired() && !program.waitForFinished(50)) {
        QProcess query;
        query.start(QStringLiteral("xwininfo"),
                    {"-display", QStringLiteral(":%1").arg(server.display()), "-name", "Построение ДН СВ"});
        query.waitForFinished();
        viewable = query.readAllStandardOutput().contains("IsViewable");
    }
    const bool running = program.state() == QProcess::Running;
    program.terminate();
    program.waitForFinished(30000);
    EXPECT_TRUE(viewable) << "exit status " << program.exitCode() << ": " << program.readAllStandardError().constData();
    EXPECT_TRUE(running);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardError(), QByteArray());
    EXPECT_GE(resetting.accepted(), 2);
}
