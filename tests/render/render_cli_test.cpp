// dipole-render as a command-line tool: names kept as the bytes they were
// typed as, folders made for --out, one-line failures that name the file
// and the reason, standard output that blocks or loses its reader, the
// platform and the runtime folder it uses, and texts whose every character
// is pinned (the report's JSON, the pattern table's floor, the sweep index).
#include "render/ArgumentBytes.h"
#include "render/CommandOutput.h"
#include "render/ReportOutput.h"
#include "render/ReportText.h"
#include "render/Sweep.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray Bytes(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

TEST(ArgumentBytes, EveryArgumentComesBackByteForByte)
{
    struct Case
    {
        const char *name;
        const char *bytes;
        bool validUtf8;
    };
    const Case cases[] = {
        {"Ascii", "frames/dn1.csv", true},
        {"Cyrillic", "\xd0\xb4\xd0\xbb\xd0\xb8\xd0\xbd\xd0\xb0.csv", true},
        {"Emoji", "\xf0\x9f\x98\x80", true},
        {"Latin1Byte", "t\xe9.csv", false},
        {"TruncatedSequence", "a\xd0", false},
        {"LoneContinuation", "\x80x", false},
        {"Overlong", "\xc0\xaf", false},
        {"EncodedSurrogate", "\xed\xa0\x80", false},
        {"BeyondUnicode", "\xf4\x90\x80\x80", false},
        {"EscapeLookalike", "\xed\xb2\x80", false},
    };
    for (const Case &c : cases) {
        const QString text = ArgumentText(c.bytes);
        EXPECT_EQ(ArgumentBytes(text), QByteArray(c.bytes)) << c.name;
        if (c.validUtf8) {
            EXPECT_EQ(text, QString::fromUtf8(c.bytes)) << c.name;
        }
    }
}

TEST(CommandOutput, TheTerminalsWidthFromItsWindowSize)
{
    int master = -1;
    int slave = -1;
    winsize size{};
    size.ws_col = 40;
    size.ws_row = 20;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, &size), 0);
    EXPECT_EQ(TerminalColumns(slave), 40);
    ::close(master);
    ::close(slave);
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    EXPECT_EQ(TerminalColumns(pipe[1]), 0);
    ::close(pipe[0]);
    ::close(pipe[1]);
}

TEST(CommandOutput, AProgressBarNeverWrapsANarrowTerminal)
{
    struct Case
    {
        int frames;
        int columns;
    };
    for (const Case c : {Case{30, 40}, Case{10000, 40}, Case{10000, 20}, Case{30, 8}, Case{30, 1}}) {
        qint64 now = 0;
        QList<QByteArray> lines;
        SweepProgress progress(
            c.frames, [&] { return now; }, [&](const QByteArray &text) { lines << text; });
        progress.fitTo(c.columns);
        for (int done : {1, c.frames / 2, c.frames}) {
            now += 1000;
            progress.frameDone(done);
        }
        ASSERT_FALSE(lines.isEmpty());
        for (const QByteArray &line : lines) {
            EXPECT_TRUE(line.startsWith('\r'));
            EXPECT_LT(line.size() - 1, std::max(c.columns, 1))
                << c.frames << " frames, " << c.columns << ": " << line.constData();
        }
        if (c.columns >= 40) {
            EXPECT_TRUE(lines.last().contains("] ")) << "the bar stays, narrower: " << lines.last().constData();
            EXPECT_TRUE(lines.last().contains(QByteArray::number(c.frames) + "/" + QByteArray::number(c.frames)));
        }
    }
}

TEST(ReportText, FixedDecimalsNeverShowANegativeZero)
{
    // A lobe at a crossover is 0 dB down, not "-0.00 dB".
    struct Case
    {
        double value;
        const char *text;
    };
    const Case cases[] = {{-0.0, "0.00"}, {-0.004, "0.00"}, {-0.006, "-0.01"}, {0.004, "0.00"}, {-12.5, "-12.50"}};
    for (const Case &c : cases)
        EXPECT_EQ(FixedText(c.value, 2), QString::fromLatin1(c.text)) << c.value;
    EXPECT_EQ(FixedText(-0.4, 0), QStringLiteral("0"));
}

TEST(ReportText, JsonKeysInTheirOrderAndNumbersInFull)
{
    // Compared as text: a reader that takes the keys in order, or a diff of
    // two reports, sees a swapped key.
    EXPECT_EQ(ReportJson(ComputePatternReadouts(1.5)),
              "{\"length\": 1.5, \"f_max\": 1.3990049536603077, \"max_directions_deg\": [42.56, 137.44], "
              "\"hpbw_deg\": 32.795457817901806, \"bracket_deg\": 31, \"width_07_deg\": 33.237361491458614, "
              "\"directivity\": 2.226337689001959, \"directivity_dbi\": 3.475910384116382, "
              "\"radiation_resistance_ohm\": 105.42124980285688, \"input_resistance_ohm\": 105.42124980285688, "
              "\"side_lobe_level_db\": -2.916385045283701, \"rival_lobe_deg\": null, \"rival_lobe_level_db\": null, "
              "\"nulls_deg\": [70.53, 109.47]}\n");
}

TEST(ReportText, ThePatternTableFloorsEveryLevelBelowMinus100Decibels)
{
    // M = 2 has F down to about 1e-6 of its maximum beside the null at 90°,
    // and 0 on the axis: both read -100, and every other row its own level.
    const PatternReadouts r = ComputePatternReadouts(2);
    const QList<QByteArray> rows = PatternCsv(2, r.fMax, 0.5L).split('\n');
    int floored = 0;
    for (qsizetype i = 1; i < rows.size() && !rows[i].isEmpty(); ++i) {
        const QList<QByteArray> cells = rows[i].split(',');
        ASSERT_EQ(cells.size(), 4);
        const double norm = cells[2].toDouble();
        const double dB = cells[3].toDouble();
        EXPECT_GE(dB, -100.0) << rows[i].constData();
        if (norm > 0 && 20 * std::log10(norm) < -100) {
            EXPECT_EQ(dB, -100.0) << rows[i].constData();
            ++floored;
        } else if (norm > 0) {
            EXPECT_DOUBLE_EQ(dB, 20 * std::log10(norm)) << rows[i].constData();
        } else {
            EXPECT_EQ(dB, -100.0) << rows[i].constData();
        }
    }
    EXPECT_GT(floored, 0) << "M = 2 has rows of F > 0 below -100 dB";
}

TEST(ReportText, ASweepIndexRowHasTheHeadersColumnsWithOrWithoutReadouts)
{
    // -31 lies beyond the readouts; its row keeps every column, empty.
    std::vector<SweepFrame> frames(3);
    const char *texts[] = {"-31", "0", "1.5"};
    for (int i = 0; i < 3; ++i) {
        frames[i].number = i + 1;
        frames[i].lengthText = QLatin1String(texts[i]);
        frames[i].length = QString::fromLatin1(texts[i]).toDouble();
    }
    const QList<QByteArray> rows = SweepIndex(frames).split('\n');
    ASSERT_EQ(rows.size(), 5);
    const qsizetype columns = rows[0].count(',');
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(rows[i].count(','), columns) << rows[i].constData();
    EXPECT_TRUE(rows[1].startsWith("1,-31,,"));
}

#ifdef DIPOLE_RENDER_PATH
#include "RenderProcess.h"

namespace {

QProcessEnvironment Environment(std::initializer_list<std::pair<const char *, const char *>> changes)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : changes) {
        if (value)
            environment.insert(QLatin1String(name), QLatin1String(value));
        else
            environment.remove(QLatin1String(name));
    }
    return environment;
}

// A program traced by strace: the leak checker of a sanitizer build cannot
// run under a tracer and would end the program.
QString UnderStrace(const QString &options)
{
    return QStringLiteral("ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" strace -f -qq ") + options;
}

RunResult RunShell(const QString &script, const QString &workingDirectory)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("R"), QStringLiteral(DIPOLE_RENDER_PATH));
    QProcess p;
    p.setProcessEnvironment(environment);
    p.setWorkingDirectory(workingDirectory);
    p.start(QStringLiteral("bash"), {"-c", script});
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace

TEST(DipoleRenderCommandLine, OutMakesTheMissingFoldersAndFailuresNameFileAndReason)
{
    QTemporaryDir dir;
    RunResult r = RunRender({"--out", "frames/a/b", "1.5"}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(QFile::exists(dir.filePath("frames/a/b/dn1.bmp")));
    EXPECT_TRUE(QFile::exists(dir.filePath("frames/a/b/dn2.bmp")));

    r = RunRender({"--csv", "missing/table.csv", "1.5"}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dipole-render: cannot create missing/table.csv: No such file or directory\n");

    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    r = RunRender({"--out", "plain/x", "1.5"}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dipole-render: cannot create plain/x: Not a directory\n");
    r = RunRender({"--out", "plain", "--family", "1:Red"}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dipole-render: cannot create plain: Not a directory\n");
}

TEST(DipoleRenderCommandLine, PlainPicturesStartNoApplicationObject)
{
    // Starting a GUI application (platform plugin, faces) costs a plain pair
    // more than drawing it; plain plots draw no text and need none. Qt's
    // plugin log tells whether one was started: the platform plugins are
    // looked up then.
    struct Case
    {
        const char *name;
        QStringList args;
        bool application;
    };
    const Case cases[] = {
        {"one length as bitmaps", {"0.5"}, false},
        {"one length as PNG", {"--format", "png", "--no-fill", "--colour", "Red", "1.5"}, false},
        {"one length as SVG", {"--format", "svg", "1.5"}, false},
        {"one length as PDF", {"--format", "pdf", "1.5"}, false},
        {"a plain sweep", {"--format", "png", "--sweep", "0.5:1:0.5"}, false},
        {"labelled pictures, which have text", {"--style", "labelled", "--format", "png", "1.5"}, true},
    };
    const QProcessEnvironment environment = Environment({{"QT_DEBUG_PLUGINS", "1"}});
    for (const Case &c : cases) {
        QTemporaryDir dir;
        const RunResult r = RunRender(c.args, dir.path(), environment);
        EXPECT_EQ(r.exitCode, 0) << c.name;
        EXPECT_EQ(r.err.contains("plugins/platforms"), c.application) << c.name << ": " << r.err.left(200).constData();
    }
}

TEST(DipoleRenderCommandLine, NamesThatAreNotUtf8StayTheirBytes)
{
    QTemporaryDir dir;
    const RunResult r = RunShell(QStringLiteral("\"$R\" --csv $'t\\xe9.csv' 1.5 && \"$R\" --out $'lat\\xe9' 1.5 && "
                                                "\"$R\" --out $'sw\\xe9' --sweep 0.1:0.2:0.1 && "
                                                "\"$R\" --csv $'no\\xe9/t.csv' 1.5"),
                                 dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dipole-render: cannot create no\xe9/t.csv: No such file or directory\n");
    const QByteArray root = Bytes(dir.path()) + '/';
    for (const char *name :
         {"t\xe9.csv", "lat\xe9/dn1.bmp", "lat\xe9/dn2.bmp", "sw\xe9/dn2-0002.bmp", "sw\xe9/sweep.csv"})
        EXPECT_EQ(::access((root + name).constData(), F_OK), 0) << name;
}

TEST(DipoleRenderCommandLine, EveryFormKeepsAFolderNameThatIsNotUtf8)
{
    // A folder named by bytes that are no text in any encoding: each form
    // writes into that very folder, and a shorter sweep after a longer one
    // removes the longer one's frames there.
    struct Case
    {
        const char *arguments;
        std::vector<const char *> files;
    };
    const Case cases[] = {
        {"--style labelled --format png 1.5", {"dn1.png", "dn2.png"}},
        {"--current --format svg 1", {"current.svg"}},
        {"--impedance 0.45:0.5 --format svg", {"impedance.svg"}},
        {"--current --format svg --sweep 0.5:1.5:0.5",
         {"current-0003.svg", "dn1-0003.svg", "dn2-0003.svg", "sweep.csv"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        QTemporaryDir dir;
        const RunResult r = RunShell(QStringLiteral("\"$R\" --out $'by\\xff\\xfe' ") + c.arguments, dir.path());
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        for (const char *name : c.files)
            EXPECT_EQ(::access((Bytes(dir.path()) + "/by\xff\xfe/" + name).constData(), F_OK), 0) << name;
    }
    QTemporaryDir dir;
    const RunResult r = RunShell(QStringLiteral("\"$R\" --out $'sw\\xff' --current --format svg --sweep 1:3:1 && "
                                                "\"$R\" --out $'sw\\xff' --current --format svg --sweep 1:2:1"),
                                 dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(::access((Bytes(dir.path()) + "/sw\xff/dn1-0002.svg").constData(), F_OK), 0);
    EXPECT_NE(::access((Bytes(dir.path()) + "/sw\xff/dn1-0003.svg").constData(), F_OK), 0) << "a stale frame stayed";
    // Names that are not text are more than QTemporaryDir can remove.
    RunShell(QStringLiteral("rm -rf -- ./*"), dir.path());
}

TEST(DipoleRenderCommandLine, ARenameThatFailsMidPairKeepsTheOldPair)
{
    // Each rename of the save is made to fail in turn: setting the old
    // rectangular picture aside, exchanging the polar one with its
    // replacement, placing the new rectangular one after the polar one took
    // its place. The old pair stays whole and nothing of the save is left.
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
        GTEST_SKIP() << "needs strace to make a rename fail";
    struct Case
    {
        const char *injected;
        const char *failed;
    };
    const Case cases[] = {
        {"renameat2:error=EIO:when=1", "dn2.bmp"},
        {"renameat2:error=EIO:when=2", "dn1.bmp"},
        {"renameat:error=EIO:when=1", "dn2.bmp"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.injected);
        QTemporaryDir dir;
        ASSERT_EQ(RunRender({"--out", "d", "1.5"}, dir.path()).exitCode, 0);
        const QByteArray polar = ReadFile(dir.filePath("d/dn1.bmp"));
        const QByteArray rect = ReadFile(dir.filePath("d/dn2.bmp"));
        const RunResult r = RunShell(
            UnderStrace(QStringLiteral("-o /dev/null -e inject=%1 \"$R\" --out d 0.5").arg(c.injected)), dir.path());
        if (r.err.contains("strace:"))
            GTEST_SKIP() << "strace cannot trace here: " << r.err.constData();
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, QByteArray("dipole-render: cannot create d/") + c.failed + ": Input/output error\n");
        EXPECT_EQ(ReadFile(dir.filePath("d/dn1.bmp")), polar);
        EXPECT_EQ(ReadFile(dir.filePath("d/dn2.bmp")), rect);
        EXPECT_EQ(QDir(dir.filePath("d")).entryList(QDir::Files | QDir::Hidden), QStringList({"dn1.bmp", "dn2.bmp"}));
    }
}

TEST(DipoleRenderCommandLine, EveryFileOfAPairIsStagedBeforeAnyTakesItsPlace)
{
    // The system calls of a save over an old pair: both new pictures have
    // their pending names before either picture's name changes, so that a
    // failure while staging leaves the old pair as it was.
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
        GTEST_SKIP() << "needs strace to watch the save";
    QTemporaryDir dir;
    ASSERT_EQ(RunRender({"--out", "d", "1.5"}, dir.path()).exitCode, 0);
    const RunResult r = RunShell(
        UnderStrace(QStringLiteral("-o calls -e trace=linkat,renameat,renameat2 \"$R\" --out d 0.5")), dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QByteArray> calls = ReadFile(dir.filePath("calls")).split('\n');
    qsizetype lastStaged = -1;
    qsizetype firstPlaced = calls.size();
    for (qsizetype i = 0; i < calls.size(); ++i) {
        if (calls[i].contains("linkat(") && calls[i].contains(".dipole-save-"))
            lastStaged = i;
        if (calls[i].contains("rename") && (calls[i].contains("\"dn1.bmp\"") || calls[i].contains("\"dn2.bmp\"")))
            firstPlaced = std::min(firstPlaced, i);
    }
    EXPECT_GE(lastStaged, 0) << "no pending names";
    EXPECT_LT(lastStaged, firstPlaced);
}

TEST(DipoleRenderCommandLine, AnotherUsersLinkOnTheOutPathIsRefused)
{
    // Another user's link in /tmp to the superuser's private folder, as a
    // folder on the --out path or as the folder itself: refused, with the
    // reason, and nothing lands in the private folder.
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the superuser to give a link to another user";
    QTemporaryDir shared;
    QTemporaryDir target;
    ASSERT_EQ(::chmod(Bytes(shared.path()).constData(), 01777), 0);
    const QByteArray sub = Bytes(shared.filePath("sub"));
    ASSERT_EQ(::symlink(Bytes(target.path()).constData(), sub.constData()), 0);
    ASSERT_EQ(::lchown(sub.constData(), 65534, 65534), 0);
    for (const char *out : {"sub/deeper", "sub"}) {
        SCOPED_TRACE(out);
        const RunResult r = RunRender({"--out", out, "1.5"}, shared.path());
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "dipole-render: cannot create sub: Permission denied\n");
    }
    EXPECT_TRUE(QDir(target.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(DipoleRenderCommandLine, AReaderThatLeavesEarlyIsNoError)
{
    QTemporaryDir dir;
    for (const char *command : {"\"$R\" --csv - --step 0.001 1.5 | head -1", "\"$R\" --report 1.5 | head -1"}) {
        const RunResult r = RunShell(QStringLiteral("set -o pipefail; ") + QLatin1String(command), dir.path());
        EXPECT_EQ(r.exitCode, 0) << command << ": " << r.err.constData();
        EXPECT_EQ(r.err, QByteArray()) << command;
        EXPECT_EQ(r.out.count('\n'), 1) << command;
    }
}

TEST(DipoleRenderCommandLine, OutputThatCannotBeWrittenEndsWithStatusOne)
{
    QTemporaryDir dir;
    for (const char *command :
         {"\"$R\" --help >/dev/full", "\"$R\" --report 1.5 >/dev/full", "\"$R\" --csv - 1.5 >/dev/full"}) {
        const RunResult r = RunShell(QLatin1String(command), dir.path());
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.err, "dipole-render: cannot write standard output: No space left on device\n") << command;
    }
}

TEST(DipoleRenderCommandLine, ANonBlockingStandardOutputIsWaitedOn)
{
    // The table of 360 001 rows far outgrows a pipe; the reader takes its
    // time, so the writer meets a full pipe that says EAGAIN.
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    ASSERT_EQ(::fcntl(pipe[1], F_SETFL, O_NONBLOCK), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        ::close(pipe[0]);
        ::close(pipe[1]);
        ::execl(DIPOLE_RENDER_PATH, DIPOLE_RENDER_PATH, "--csv", "-", "--step", "0.001", "1.5", nullptr);
        ::_exit(127);
    }
    ::close(pipe[1]);
    ::usleep(200000);
    qint64 total = 0;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) != 0;)
        if (n > 0)
            total += n;
        else if (errno != EINTR)
            break;
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(total, PatternCsv(1.5, ComputePatternReadouts(1.5).fMax, 0.001L).size());
}

TEST(DipoleRenderCommandLine, TheFamilyIsDrawnOffscreenWhateverThePlatformAndMakesNoRuntimeFolder)
{
    QTemporaryDir dir;
    RunResult reference = RunRender({"--out", "reference", "--family", "0.5:Red,1.5:Navy"}, dir.path());
    ASSERT_EQ(reference.exitCode, 0) << reference.err.constData();
    const QString runtime = dir.filePath("runtime");
    const struct
    {
        const char *name;
        QProcessEnvironment environment;
    } cases[] = {
        {"minimal", Environment({{"QT_QPA_PLATFORM", "minimal"}})},
        {"xcb", Environment({{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", nullptr}})},
        {"missing-runtime", Environment({{"XDG_RUNTIME_DIR", runtime.toUtf8().constData()}})},
        {"no-runtime", Environment({{"XDG_RUNTIME_DIR", nullptr}})},
    };
    for (const auto &c : cases) {
        const RunResult r = RunRender({"--out", c.name, "--family", "0.5:Red,1.5:Navy"}, dir.path(), c.environment);
        EXPECT_EQ(r.exitCode, 0) << c.name;
        EXPECT_EQ(r.err, QByteArray()) << c.name;
        for (const char *file : {"/dn1.bmp", "/dn2.bmp"})
            EXPECT_EQ(ReadFile(dir.filePath(QLatin1String(c.name) + QLatin1String(file))),
                      ReadFile(dir.filePath(QLatin1String("reference") + QLatin1String(file))))
                << c.name << file;
    }
    EXPECT_FALSE(QFile::exists(runtime));
}

TEST(DipoleRenderCommandLine, ALaterShorterSweepLeavesNoFramesOfTheEarlierOne)
{
    QTemporaryDir dir;
    ASSERT_EQ(RunRender({"--format", "png", "--out", "frames", "--sweep", "0.1:0.5:0.1"}, dir.path()).exitCode, 0);
    QFile mine(dir.filePath("frames/notes.txt"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.close();
    const RunResult r = RunRender({"--out", "frames", "--sweep", "0.1:0.2:0.1"}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QStringList left = QDir(dir.filePath("frames")).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left,
              QStringList({"dn1-0001.bmp", "dn1-0002.bmp", "dn2-0001.bmp", "dn2-0002.bmp", "notes.txt", "sweep.csv"}));
}
#endif
