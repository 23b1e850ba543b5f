// dipole-render's options for the wire: --radius, --nec, --impedance, --z0,
// --lobes and --current, read from the command line and run as a process.
// The figures come from tests/physics/antenna_reference.py (mpmath at 40 digits).
#include "Arguments.h"
#include "RenderProcess.h"
#include "render/RenderOptions.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include <signal.h>

namespace {

struct Refusal
{
    const char *name;
    std::initializer_list<const char *> args;
    const char *message; // the start of the message
};

// clang-format off
const Refusal kRefusals[] = {
    {"RadiusZero", {"--report", "--radius", "0", "1"}, "--radius \"0\" is not a radius above 0"},
    {"RadiusTooThick", {"--report", "--radius", "0.0501", "1"}, "--radius \"0.0501\" is not a radius above 0"},
    {"RadiusNotANumber", {"--report", "--radius", "thin", "1"}, "--radius \"thin\""},
    {"RadiusBelowTheThinnest", {"--report", "--radius", "1e-13", "1"}, "--radius \"1e-13\" is thinner than the thinnest wire computed, 1e-12 wavelengths"},
    {"RadiusSubnormal", {"--report", "--radius", "1e-309", "0.5"}, "--radius \"1e-309\" is thinner than the thinnest wire computed"},
    {"RadiusSubnormalImpedance", {"--impedance", "0.1:3", "--radius", "1e-320"}, "--radius \"1e-320\" is thinner than the thinnest wire computed"},
    {"RadiusHalfTheLength", {"--report", "--radius", "0.05", "0.1"}, "--radius 0.05 is not below half of LENGTH 0.1"},
    {"RadiusZeroLength", {"--report", "--radius", "0.001", "0"}, "--radius 0.001 is not below half of LENGTH 0"},
    {"RadiusAlone", {"--radius", "0.001", "1"}, "--radius goes with --report, --impedance or --nec"},
    {"NecWithoutRadius", {"--report", "--nec", "1"}, "--nec needs --radius A"},
    {"NecWithoutReport", {"--radius", "0.001", "--nec", "1"}, "--nec goes with --report"},
    {"NecTooThick", {"--report", "--radius", "0.012", "--nec", "0.5"},
     "--radius 0.012: NEC-2's thin-wire model needs segments at least 2 radii long (with its extended kernel), and at "
     "M = 0.5 at least 21 segments; the largest radius is 0.0119"},
    {"NecOfALabelledFamily", {"--style", "labelled", "--radius", "0.001", "--nec", "--family", "1:Red"},
     "--nec takes one LENGTH, not --family"},
    {"NecOfALabelledSweep", {"--style", "labelled", "--radius", "0.001", "--nec", "--sweep", "1:2:0.5"},
     "--nec takes one LENGTH, not --sweep"},
    {"ImpedanceWithLength", {"--impedance", "0.1:3", "1"}, "--impedance prints a table of its own"},
    {"ImpedanceWithReport", {"--impedance", "0.1:3", "--report"}, "--impedance prints a table of its own"},
    {"ImpedanceWithCurrent", {"--impedance", "0.1:3", "--current"}, "--impedance prints a table of its own"},
    {"ImpedanceWithColour", {"--impedance", "0.1:3", "--colour", "Red"}, "--colour and --no-fill do not apply"},
    {"ImpedanceBackwards", {"--impedance", "3:0.1"}, "--impedance 3:0.1 needs 0 < FROM <= TO < 30"},
    {"ImpedanceFromZero", {"--impedance", "0:1"}, "--impedance 0:1 needs 0 < FROM <= TO < 30"},
    {"ImpedanceToLimit", {"--impedance", "1:30"}, "--impedance 1:30 needs 0 < FROM <= TO < 30"},
    {"ImpedanceNotARange", {"--impedance", "0.1:3:0.1"}, "--impedance \"0.1:3:0.1\" is not FROM:TO"},
    {"ImpedanceThickWire", {"--impedance", "0.05:1", "--radius", "0.05"}, "--radius 0.05 is not below half of FROM"},
    {"ImpedanceTooManyRows", {"--impedance", "0.1:3", "--step", "0.00001"}, "--impedance 0.1:3 in steps of 1e-05 is more than 100000 rows"},
    {"NecSweepNoWireThatThick", {"--impedance", "0.1:1", "--radius", "0.04", "--nec"}, "--nec: NEC-2's thin-wire model takes a radius of at most"},
    // The step offered gives 967 rows.
    {"NecSweepTooManyRows", {"--impedance", "0.1:3", "--step", "0.001", "--nec"}, "--nec runs nec2c once a row, and --impedance 0.1:3 has 2901 rows, more than 1000: give a --step of at least 0.003"},
    {"ReferenceWithoutImpedance", {"--z0", "50", "1"}, "--z0 goes with --impedance"},
    {"ReferenceZero", {"--impedance", "0.1:3", "--z0", "0"}, "--z0 \"0\" is not a resistance above 0 ohms"},
    {"OhmsReversed", {"--impedance", "0.1:3", "--ohms", "300:-200", "--out", "d"}, "--ohms \"300:-200\" is not LOW:HIGH"},
    {"OhmsOneNumber", {"--impedance", "0.1:3", "--ohms", "300", "--out", "d"}, "--ohms \"300\" is not LOW:HIGH"},
    {"OhmsWithoutPicture", {"--impedance", "0.1:3", "--ohms", "-1:1"}, "--ohms sets the axis of the picture"},
    {"OhmsOfAFrequencySweep", {"--impedance", "13MHz:15MHz", "--length", "10m", "--diameter", "2mm", "--ohms", "-1:1",
      "--out", "d"}, "--ohms sets the axis of the picture"},
    {"StepNegative", {"--impedance", "0.1:3", "--step", "-0.1"}, "--step \"-0.1\" is not a number above 0"},
    {"CsvStepStillDegrees", {"--csv", "t.csv", "--step", "400", "1"}, "--step \"400\" is not a number of degrees"},
    {"StepAlone", {"--step", "1", "1"}, "--step goes with --csv or --impedance"},
    {"JsonAlone", {"--json", "1"}, "--json goes with --report or --lobes"},
    {"LobesOfAFamily", {"--lobes", "--family", "0.5:Red"}, "--report, --csv and --lobes take one LENGTH"},
    {"LobesAndCsvOnStdout", {"--lobes", "--csv", "-", "1"}, "--report or --lobes and --csv - would all write"},
    {"CurrentOfAFamily", {"--current", "--family", "0.5:Red"}, "--current draws one LENGTH or a --sweep"},
    {"CurrentWithReportNoOut", {"--current", "--report", "1"}, "--current writes a picture: add --out DIR"},
    {"StyleOfTheCurrent", {"--current", "--style", "labelled", "1"}, "--style applies to the pattern's pictures"},
    {"StyleOfTheImpedance", {"--impedance", "0.1:3", "--style", "labelled", "--out", "d"},
     "--style applies to the pattern's pictures"},
};
// clang-format on

class WireOptionRefused : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(WireOptionRefused, WithItsReason)
{
    try {
        ParseRenderOptions(Args(GetParam().args));
        ADD_FAILURE() << "accepted";
    } catch (const RenderUsageError &e) {
        EXPECT_EQ(std::string(e.what()).rfind(GetParam().message, 0), 0u) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, WireOptionRefused, ::testing::ValuesIn(kRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(WireOptions, AcceptedCommandLines)
{
    const RenderOptions report = ParseRenderOptions(Args({"--report", "--radius", "0.001", "--nec", "--", "-0.5"}));
    EXPECT_EQ(report.radius, 0.001);
    EXPECT_TRUE(report.nec);
    EXPECT_EQ(report.readoutsRequest().radius, 0.001);

    const RenderOptions table = ParseRenderOptions(Args({"--impedance", "0.1:3"}));
    ASSERT_EQ(table.impedanceLengths.size(), 291u);
    EXPECT_EQ(table.impedanceLengths[20], 0.3);
    EXPECT_EQ(table.impedanceRequest().radius, 0.001);
    EXPECT_FALSE(table.z0);

    const RenderOptions stepped =
        ParseRenderOptions(Args({"--step", "0.5", "--z0", "75", "--radius", "0.01", "--impedance", "0.5:3"}));
    EXPECT_EQ(stepped.impedanceLengths, (std::vector<double>{0.5, 1.0, 1.5, 2.0, 2.5, 3.0}));
    EXPECT_EQ(stepped.z0, 75.0);
    EXPECT_EQ(stepped.impedanceRequest().radius, 0.01);

    EXPECT_TRUE(ParseRenderOptions(Args({"--lobes", "--json", "1.5"})).lobes);
    EXPECT_TRUE(ParseRenderOptions(Args({"--lobes", "--report", "--json", "1.5"})).readoutsRequest().lobes);
    EXPECT_TRUE(ParseRenderOptions(Args({"--current", "--sweep", "0.1:1:0.1"})).current);
    EXPECT_TRUE(ParseRenderOptions(Args({"--current", "--style", "labelled", "--sweep", "0.1:1:0.1"})).current);
    EXPECT_FALSE(ParseRenderOptions(Args({"--current", "1"})).wantsReadouts());
    EXPECT_TRUE(ParseRenderOptions(Args({"--style", "labelled", "--radius", "0.001", "--nec", "1.5"})).nec);
}

QJsonObject Json(const QByteArray &text)
{
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(text, &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.constData();
    return object;
}

TEST(DipoleRenderWire, ReportsTheReactanceAndTheResonance)
{
    QTemporaryDir dir;
    const RunResult quarter = RunRender(Args({"--report", "--json", "--radius", "0.001", "0.25"}), dir.path());
    ASSERT_EQ(quarter.exitCode, 0) << quarter.err.constData();
    EXPECT_TRUE(quarter.err.isEmpty());
    const QJsonObject o = Json(quarter.out);
    EXPECT_EQ(o["radius"].toDouble(), 0.001);
    EXPECT_NEAR(o["input_reactance_ohm"].toDouble(), -446.67789198244473, 1e-9);
    EXPECT_NEAR(o["reactance_at_current_maximum_ohm"].toDouble(), -223.33894599122237, 1e-9);
    EXPECT_NEAR(o["resonant_length"].toDouble(), 0.47750719938965527, 1e-11);
    EXPECT_FALSE(o.contains("nec"));

    const QJsonObject full = Json(RunRender(Args({"--report", "--json", "--radius", "0.001", "1"}), dir.path()).out);
    EXPECT_TRUE(full["input_reactance_ohm"].isNull());
    EXPECT_TRUE(full["input_resistance_ohm"].isNull());
    EXPECT_NEAR(full["reactance_at_current_maximum_ohm"].toDouble(), 125.32659064373031, 1e-9);

    const RunResult table = RunRender(Args({"--report", "--radius", "0.001", "0.25"}), dir.path());
    EXPECT_TRUE(table.out.contains("Input reactance         -446.68 Ω\n"));
    EXPECT_TRUE(table.out.contains("First resonant length   0.47751 wavelengths\n"));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(DipoleRenderWire, SetsNecBesideTheTheory)
{
    QTemporaryDir dir;
    const RunResult half = RunRender(Args({"--report", "--json", "--radius", "1e-5", "--nec", "0.5"}), dir.path());
    ASSERT_EQ(half.exitCode, 0) << half.err.constData();
    const QJsonObject nec = Json(half.out)["nec"].toObject();
    EXPECT_EQ(nec["input_impedance_ohm"].toArray(), QJsonArray({77.702, 44.227}));
    EXPECT_EQ(nec["segments"].toInt(), 21);
    EXPECT_NEAR(nec["directivity_dbi"].toDouble(), 2.163, 0.001);
    EXPECT_EQ(nec["feed_current_to_maximum"].toDouble(), 1.0);
    // The deck of 11 segments gives 77.491 + j43.888 Ω:
    // hypot(0.211, 0.339) / hypot(77.702, 44.227) = 0.0044661.
    EXPECT_EQ(nec["half_segments"].toInt(), 11);
    EXPECT_NEAR(nec["impedance_change_half_segments"].toDouble(), 0.0044661, 1e-7);

    const RunResult table = RunRender(Args({"--report", "--radius", "1e-5", "--nec", "0.5"}), dir.path());
    EXPECT_TRUE(table.out.contains("NEC-2 input impedance   77.70 + j44.23 Ω (theory 73.08 + j42.52 Ω)\n"
                                   "NEC-2 directivity       1.65 (2.16 dBi; theory 2.15 dBi)\n"))
        << table.out.constData();
    EXPECT_TRUE(table.out.contains("NEC-2 impedance settled to 0.4 % (21 vs 11 segments)\n"));

    // A wire thicker than a segment's eighth, by the extended kernel: a
    // deck of 21 segments with EK 0 gives 106.29 + j42.303 Ω.
    const RunResult thick = RunRender(Args({"--report", "--radius", "0.01", "--nec", "0.5"}), dir.path());
    EXPECT_TRUE(thick.out.contains("NEC-2 input impedance   106.29 + j42.30 Ω")) << thick.err.constData();

    // A long wire's segments lie where the deck puts them: nec2c is given
    // the frequency at which its wavelength is the model's.
    const RunResult longWire = RunRender(Args({"--report", "--radius", "1e-3", "--nec", "12.3"}), dir.path());
    EXPECT_EQ(longWire.exitCode, 0) << longWire.err.constData();
    EXPECT_TRUE(longWire.out.contains("NEC-2 input impedance   193.67 - j328.54 Ω")) << longWire.out.constData();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// Without nec2c --nec is a command line that cannot run; a nec2c that fails
// leaves no number on standard output.
TEST(DipoleRenderWire, NecWithoutOrWithAFailingNec2c)
{
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), dir.path());
    const RunResult missing =
        RunRender(Args({"--report", "--radius", "1e-5", "--nec", "0.5"}), dir.path(), environment);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_EQ(missing.err, "dipole-render: --nec needs the program nec2c, which is not installed "
                           "(the Debian package nec2c brings it)\n");

    environment = FakeNec2c(dir.path(), "echo 'out of memory' >&2\nexit 1\n");
    const RunResult failing =
        RunRender(Args({"--report", "--radius", "1e-5", "--nec", "0.5"}), dir.path(), environment);
    EXPECT_EQ(failing.exitCode, 1);
    EXPECT_TRUE(failing.out.isEmpty());
    EXPECT_EQ(failing.err, "dipole-render: nec2c failed: it ended with status 1: out of memory\n");
}

// A nec2c that cannot be run is named with the reason, not taken for a
// missing one.
TEST(DipoleRenderWire, ANec2cThatCannotRunIsNamed)
{
    QTemporaryDir dir;
    // The stand-in alone on the PATH: a search would pass over it to a real one.
    QProcessEnvironment environment =
        FakeNec2c(dir.path(), "exit 0\n", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    environment.insert(QStringLiteral("PATH"), dir.path());
    const RunResult run = RunRender(Args({"--report", "--radius", "1e-5", "--nec", "0.5"}), dir.path(), environment);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, "dipole-render: cannot run nec2c (" + QFile::encodeName(dir.filePath(QStringLiteral("nec2c")))
                           + "): Permission denied\n");
}

struct Interruption
{
    const char *name;
    int signal;
    bool folderRemoved; // SIGKILL leaves no time to remove it
};

const Interruption kInterruptions[] = {
    {"Kill", SIGKILL, false},
    {"Terminate", SIGTERM, true},
    {"Interrupt", SIGINT, true},
};

class Nec2cInterrupted : public ::testing::TestWithParam<Interruption>
{
};

// A nec2c that hangs dies with dipole-render however that ends, and the
// private folder goes with it where there is time.
TEST_P(Nec2cInterrupted, EndsWithTheRenderer)
{
    QTemporaryDir bin, temporary, work;
    const QString pidFile = bin.filePath(QStringLiteral("pid"));
    QProcessEnvironment environment =
        FakeNec2c(bin.path(), "echo $$ > '" + QFile::encodeName(pidFile) + "'\nexec sleep 60\n");
    environment.insert(QStringLiteral("TMPDIR"), temporary.path());

    QProcess render;
    render.setProcessEnvironment(environment);
    render.setWorkingDirectory(work.path());
    render.start(QStringLiteral(DIPOLE_RENDER_PATH), Args({"--report", "--radius", "1e-5", "--nec", "0.5"}));
    ASSERT_TRUE(render.waitForStarted(10000));
    const auto until = [](const std::function<bool()> &done) {
        for (int i = 0; i < 1000 && !done(); ++i)
            QThread::msleep(10);
        return done();
    };
    ASSERT_TRUE(until([&] { return ReadFile(pidFile).endsWith('\n'); }));
    const qint64 child = ReadFile(pidFile).trimmed().toLongLong();
    ASSERT_TRUE(Running(child));

    kill(static_cast<pid_t>(render.processId()), GetParam().signal);
    ASSERT_TRUE(render.waitForFinished(5000));
    EXPECT_EQ(render.exitStatus(), QProcess::CrashExit) << render.readAllStandardError().constData();
    EXPECT_TRUE(until([&] { return !Running(child); })) << "nec2c outlived dipole-render";
    if (Running(child))
        ::kill(static_cast<pid_t>(child), SIGKILL);
    if (GetParam().folderRemoved) {
        EXPECT_TRUE(QDir(temporary.path()).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, Nec2cInterrupted, ::testing::ValuesIn(kInterruptions),
                         [](const auto &info) { return std::string(info.param.name); });

// A slow nec2c is not silent on a terminal: the seconds are redrawn on one
// line of standard error, which is cleared before the next message.
// Elsewhere standard error holds the message alone.
TEST(DipoleRenderWire, ASlowNec2cShowsItsSecondsOnATerminalOnly)
{
    QTemporaryDir bin, work;
    const QProcessEnvironment environment = FakeNec2c(bin.path(), "sleep 1.3\nexit 3\n");

    const RunResult piped = RunRender(Args({"--report", "--radius", "1e-5", "--nec", "0.5"}), work.path(), environment);
    EXPECT_EQ(piped.exitCode, 1);
    EXPECT_EQ(piped.err, "dipole-render: nec2c failed: it ended with status 3\n");

    // script(1) gives the command a terminal and copies what it shows.
    QProcess terminal;
    terminal.setProcessEnvironment(environment);
    terminal.setWorkingDirectory(work.path());
    terminal.start(QStringLiteral("script"),
                   {QStringLiteral("-qec"),
                    QStringLiteral(DIPOLE_RENDER_PATH " --report --radius 1e-5 --nec 0.5 >/dev/null"),
                    QStringLiteral("/dev/null")});
    ASSERT_TRUE(terminal.waitForFinished(20000));
    EXPECT_EQ(terminal.exitCode(), 1);
    const QByteArray shown = terminal.readAllStandardOutput();
    EXPECT_TRUE(shown.startsWith("\rdipole-render: nec2c running… 1 s\033[K\r\033[Kdipole-render: nec2c failed"))
        << shown.constData();
}

TEST(DipoleRenderWire, PrintsTheImpedanceTable)
{
    QTemporaryDir dir;
    const RunResult plain = RunRender(Args({"--impedance", "0.1:3"}), dir.path());
    ASSERT_EQ(plain.exitCode, 0) << plain.err.constData();
    const QList<QByteArray> rows = plain.out.trimmed().split('\n');
    ASSERT_EQ(rows.size(), 292);
    EXPECT_EQ(rows[0], "length,r_in_ohm,x_in_ohm");
    EXPECT_EQ(rows[91], "1,,");
    EXPECT_EQ(rows[191], "2,,");
    const QList<QByteArray> quarter = rows[16].split(',');
    ASSERT_EQ(quarter.size(), 3);
    EXPECT_EQ(quarter[0], "0.25");
    EXPECT_NEAR(quarter[2].toDouble(), -446.67789198244473, 1e-9);

    const RunResult swr = RunRender(Args({"--impedance", "0.5:0.5", "--z0", "300"}), dir.path());
    const QList<QByteArray> half = swr.out.trimmed().split('\n');
    ASSERT_EQ(half.size(), 2);
    EXPECT_EQ(half[0], "length,r_in_ohm,x_in_ohm,swr");
    EXPECT_NEAR(half[1].split(',')[3].toDouble(), 4.1926781858040213, 1e-9);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(DipoleRenderWire, ListsTheLobesAndFlagsARival)
{
    QTemporaryDir dir;
    const RunResult before = RunRender(Args({"--lobes", "1.4405"}), dir.path());
    ASSERT_EQ(before.exitCode, 0) << before.err.constData();
    const QList<QByteArray> lines = before.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains("40.20°") && lines[1].contains("rival: within 1 dB of the maximum"));
    EXPECT_TRUE(lines[2].contains("90.00°") && lines[2].endsWith("maximum"));

    const QJsonObject o = Json(RunRender(Args({"--report", "--json", "--lobes", "2.5"}), dir.path()).out);
    const QJsonArray lobes = o["lobes"].toArray();
    ASSERT_EQ(lobes.size(), 3);
    EXPECT_EQ(lobes[1].toObject()["direction_deg"].toDouble(), 65.93);
    EXPECT_NEAR(lobes[1].toObject()["level_db"].toDouble(), -4.10923641347018, 1e-9);
    EXPECT_TRUE(o.contains("hpbw_deg"));
}

// The wire's pictures: current.EXT alone for one length, impedance.EXT beside
// the table, current frames beside a sweep's pattern frames.
TEST(DipoleRenderWire, WritesTheWiresPictures)
{
    QTemporaryDir dir;
    const RunResult current = RunRender(Args({"--format", "png", "--out", ".", "--current", "1.5"}), dir.path());
    ASSERT_EQ(current.exitCode, 0) << current.err.constData();
    EXPECT_TRUE(current.err.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"current.png"});
    EXPECT_EQ(QImage(dir.filePath("current.png")).size(), QSize(960, 600));

    QTemporaryDir svg;
    const RunResult impedance =
        RunRender(Args({"--impedance", "0.1:3", "--z0", "50", "--format", "svg", "--out", "."}), svg.path());
    ASSERT_EQ(impedance.exitCode, 0) << impedance.err.constData();
    EXPECT_EQ(impedance.out.count('\n'), 292);
    const QByteArray drawing = ReadFile(svg.filePath("impedance.svg"));
    EXPECT_TRUE(drawing.contains("Input impedance, wire radius 0.001")) << drawing.left(200).constData();
    EXPECT_TRUE(drawing.contains("resonances at M = 0.478, 1.478, 2.479"));
    EXPECT_TRUE(drawing.contains("SWR on 50"));

    // An axis asked for replaces the fitted one: its ends are ticks.
    QTemporaryDir ohms;
    const RunResult axis = RunRender(
        Args({"--impedance", "0.4:0.6", "--ohms", "-1000:2000", "--format", "svg", "--out", "."}), ohms.path());
    ASSERT_EQ(axis.exitCode, 0) << axis.err.constData();
    const QByteArray chart = ReadFile(ohms.filePath("impedance.svg"));
    for (const char *tick : {">2000<", ">−1000<"})
        EXPECT_TRUE(chart.contains(tick)) << tick;

    QTemporaryDir frames;
    const RunResult sweep =
        RunRender(Args({"--format", "png", "--out", ".", "--current", "--sweep", "0.5:1:0.5"}), frames.path());
    ASSERT_EQ(sweep.exitCode, 0) << sweep.err.constData();
    const QStringList files = QDir(frames.path()).entryList(QDir::Files);
    for (const char *name : {"current-0001.png", "current-0002.png", "dn1-0002.png", "sweep.csv"})
        EXPECT_TRUE(files.contains(QString::fromLatin1(name))) << name << " " << files.join(' ').toStdString();
    EXPECT_NE(ReadFile(frames.filePath("current-0001.png")), ReadFile(frames.filePath("current-0002.png")));
}

TEST(DipoleRenderWire, DrawsNecsCurrentOverTheSinusoid)
{
    QTemporaryDir dir;
    const RunResult r = RunRender(Args({"--format", "svg", "--current", "--radius", "1e-5", "--nec", "1"}), dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QByteArray drawing = ReadFile(dir.filePath("current.svg"));
    // A deck of 41 segments: 0.15781 mA at the feed, 0.84438 mA the largest.
    EXPECT_TRUE(drawing.contains("NEC-2 in phase, 41 segments"));
    EXPECT_TRUE(drawing.contains("NEC-2 in quadrature"));
    EXPECT_TRUE(drawing.contains("at the feed 0.000 of the maximum; NEC-2: 0.187; 2 half-waves: 2 in phase with the "
                                 "feed, 0 opposite"));
}

TEST(DipoleRenderWire, DrawsNecsPatternOverTheTheory)
{
    QTemporaryDir dir;
    const RunResult r =
        RunRender(Args({"--format", "pdf", "--style", "labelled", "--radius", "0.001", "--nec", "1.5"}), dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
    for (const char *name : {"dn1.pdf", "dn2.pdf"}) {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {dir.filePath(QString::fromLatin1(name)), QStringLiteral("-")});
        ASSERT_TRUE(tool.waitForFinished(30000));
        const QByteArray text = tool.readAllStandardOutput();
        EXPECT_TRUE(text.contains("NEC-2")) << name << text.constData();
        EXPECT_TRUE(text.contains("theory")) << name << text.constData();
    }

    const RunResult family =
        RunRender(Args({"--style", "labelled", "--radius", "0.001", "--nec", "--family", "1:Red,2:Blue"}), dir.path());
    EXPECT_EQ(family.exitCode, 2);
    EXPECT_TRUE(family.err.contains("--nec takes one LENGTH, not --family")) << family.err.constData();
}

} // namespace
