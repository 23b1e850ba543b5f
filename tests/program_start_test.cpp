// How the window program starts: Qt never reads its command line, a missing
// display is one line and exit status 1, and a successful start says nothing
// on stderr even where no runtime directory is set. (dipole-render's own
// start is tested with its command line.)
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

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

// A display number with no X server behind it.
QString UnusedDisplay()
{
    for (int n = 97;; ++n)
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            return QStringLiteral(":%1").arg(n);
}

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
    EXPECT_EQ(r.err, "dipole-pattern: cannot open the display \"" + display.toLatin1() + "\"\n");

    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("bogus"));
    r = RunProgram(QStringLiteral(DIPOLE_PATTERN_PATH), {}, environment);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dipole-pattern: cannot start the display platform \"bogus\"\n");
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
