// dipole-render with a real wire and measurements, run as a process: a
// frequency sweep of a wire 10.3 m long and 1 mm in radius from 13 to
// 15 MHz on 50 Ω, whose impedance at 14 MHz (65.322560807865039 −
// j15.432959435792592 Ω), resonance (14.147474441 MHz) and band within
// SWR 2 (13.789138 to 14.493131 MHz) mpmath gives
// (tests/physics/antenna_reference.py); a turntable's table of a pattern.
#include "Arguments.h"
#include "RenderProcess.h"
#include "touchstone/TouchstoneReader.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList Wire(std::initializer_list<const char *> more)
{
    return Args({"--impedance", "13MHz:15MHz", "--length", "10.3m", "--diameter", "2mm"}) + Args(more);
}

struct Refusal
{
    QStringList args;
    const char *message;
};

TEST(FrequencySweep, BadCommandLinesAreRefusedAndWriteNothing)
{
    const Refusal refusals[] = {
        {Args({"--impedance", "13MHz:15", "--length", "10.3m", "--diameter", "2mm"}),
         "--impedance TO \"15\" needs a unit: Hz, kHz, MHz or GHz"},
        {Args({"--impedance", "13MHz:15MHz", "--length", "10.3", "--diameter", "2mm"}),
         "--length \"10.3\" needs a unit"},
        {Args({"--impedance", "13MHz:15MHz", "--length", "34ft", "--diameter", "2mm"}),
         "--length \"34ft\": the unit \"ft\" is not understood (use m, cm or mm)"},
        {Args({"--impedance", "13MHz:15MHz", "--length", "10.3m"}),
         "--impedance in frequencies needs the wire's --diameter"},
        {Wire({"--radius", "1mm"}), "give --diameter or --radius, not both"},
        {Args({"--impedance", "13MHz:15MHz", "--length", "10.3m", "--diameter", "2kHz"}),
         "--diameter \"2kHz\" is a frequency, not a length"},
        {Args({"--impedance", "15MHz:13MHz", "--length", "10.3m", "--diameter", "2mm"}),
         "--impedance 15MHz:13MHz needs FROM below TO"},
        {Args({"--impedance", "13MHz:1GHz", "--length", "10.3m", "--diameter", "2mm"}),
         "--impedance 13MHz:1GHz makes the wire 34.3571"},
        {Args({"--impedance", "13MHz:15MHz", "--length", "1mm", "--diameter", "2mm"}),
         "the wire's radius is not below half"},
        {Wire({"--step", "1Hz"}), "--impedance 13MHz:15MHz in steps of 1 Hz is more than 100000 rows"},
        {Wire({"--step", "10"}), "--step \"10\" needs a unit"},
        {Wire({"--swr-limit", "1"}), "--swr-limit \"1\" is not an SWR above 1"},
        {Wire({"--report", "--json"}), "--json does not apply to a frequency sweep"},
        {Wire({"--measured", "missing.s1p"}), "cannot read missing.s1p: No such file or directory"},
        {Wire({"--measured", "two.s2p"}), "two.s2p: a file of 2 ports (.s2p); a one-port file (.s1p) is needed"},
        {Wire({"--measured", "bad.s1p"}), "bad.s1p:3: \"x\" is not a number"},
        {Wire({"--nec", "--step", "1kHz"}), "--nec runs nec2c once a row, and --impedance 13MHz:15MHz has 2001 rows"},
        {Args({"--impedance", "13MHz:15MHz", "--length", "10.3m", "--diameter", "0.5m", "--nec"}),
         "--nec: NEC-2's thin-wire model takes a radius of at most"},
        {Args({"--length", "10m", "1"}), "--length, --swr-limit, --touchstone and --measured go with --impedance"},
        {Args({"--report", "--radius", "1mm", "1"}), "--length, --swr-limit, --touchstone and --measured go with"},
    };
    QTemporaryDir dir;
    QFile(dir.filePath("two.s2p")).open(QIODevice::WriteOnly);
    QFile bad(dir.filePath("bad.s1p"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("# MHz S RI R 50\n14 0 0\n14.5 x 0\n");
    bad.close();
    for (const Refusal &r : refusals) {
        SCOPED_TRACE(r.args.join(' ').toStdString());
        const RunResult run = RunRender(r.args + Args({"--out", "o", "--touchstone", "o/t.s1p"}), dir.path());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith("dipole-render: " + QByteArray(r.message))) << run.err.constData();
        EXPECT_FALSE(QDir(dir.filePath("o")).exists());
    }
}

TEST(FrequencySweep, TableReportPicturesAndTouchstoneFile)
{
    QTemporaryDir dir;
    const RunResult table = RunRender(Wire({"--out", "o", "--format", "png", "--touchstone", "w.s1p"}), dir.path());
    ASSERT_EQ(table.exitCode, 0) << table.err.constData();
    EXPECT_TRUE(table.err.isEmpty());
    const QList<QByteArray> rows = table.out.split('\n');
    ASSERT_EQ(rows.size(), 1 + 201 + 1);
    EXPECT_EQ(rows[0], "frequency_hz,length,r_in_ohm,x_in_ohm,swr,return_loss_db,s11_mag,s11_deg");
    const QList<QByteArray> at14 = rows[1 + 100].split(',');
    EXPECT_EQ(at14[0].toDouble(), 14e6);
    EXPECT_NEAR(at14[2].toDouble(), 65.322560807865039, 1e-9);
    EXPECT_NEAR(at14[3].toDouble(), -15.432959435792592, 1e-9);
    for (const char *picture : {"o/impedance.png", "o/swr.png", "o/smith.png"})
        EXPECT_FALSE(QImage(dir.filePath(picture)).isNull()) << picture;

    // The Touchstone file holds the table's S11, read back by a reader of
    // such files.
    const QByteArray s1p = ReadFile(dir.filePath("w.s1p"));
    const OnePortData data = ReadTouchstone(std::string_view(s1p.constData(), std::size_t(s1p.size())), "w.s1p");
    ASSERT_EQ(data.points.size(), 201u);
    EXPECT_EQ(std::abs(data.points[100].reflection), at14[6].toDouble());

    // A "measurement": the theory of a wire 1 % longer, every 100 kHz, as
    // a Touchstone file; its resonance is 1 % lower.
    ASSERT_EQ(RunRender(Args({"--impedance", "13MHz:15MHz", "--length", "10.403m", "--diameter", "2mm", "--step",
                              "100kHz", "--touchstone", "m.s1p"}),
                        dir.path())
                  .exitCode,
              0);
    // NEC-2 beside the closed form: at 14 MHz a hand deck (GW 1 21 0 0
    // -0.24049971263786762 0 0 0.24049971263786762 4.669897332774129e-05,
    // EX 0 1 11 0 1 0, FR 0 1 0 0 299.8 0) gives 70.168 - j13.188 Ω; its S11
    // goes to a Touchstone file of its own.
    const RunResult nec =
        RunRender(Wire({"--nec", "--step", "500kHz", "--touchstone", "n.s1p", "--out", "n"}), dir.path());
    ASSERT_EQ(nec.exitCode, 0) << nec.err.constData();
    EXPECT_TRUE(nec.out.contains("\n1.4e+07,") && nec.out.contains(",70.168,-13.188,")) << nec.out.constData();
    EXPECT_EQ(ReadFile(dir.filePath("n-nec.s1p")).count('\n'), 3 + 5);

    const RunResult report = RunRender(Wire({"--report", "--measured", "m.s1p"}), dir.path());
    ASSERT_EQ(report.exitCode, 0) << report.err.constData();
    EXPECT_TRUE(report.out.contains("Band                    13.000000 MHz to 15.000000 MHz, 201 frequencies\n"))
        << report.out.constData();
    EXPECT_TRUE(report.out.contains("Resonance               14.147474 MHz\n")) << report.out.constData();
    EXPECT_TRUE(report.out.contains("SWR <= 2                13.789138 MHz to 14.493131 MHz"))
        << report.out.constData();
    EXPECT_TRUE(report.out.contains("Measured resonance      14.0")
                && report.out.contains("(-0.99 % against the model)"))
        << report.out.constData();
}

} // namespace

namespace {

const QString kTurntable = QStringLiteral(DIPOLE_RENDER_TEST_DATA "/turntable_1_5.csv");

// A turntable's table beside the theory: nec2c's pattern of a 1.5 λ wire of
// radius 0.001 every 5° with 0.5 dB of noise (the deck in the table's
// first line). Bad tables are refused before anything is written.
TEST(MeasuredPatternOption, ReportPicturesAndRefusals)
{
    QTemporaryDir dir;
    const RunResult report = RunRender({"--report", "--measured-pattern", kTurntable, "1.5"}, dir.path());
    ASSERT_EQ(report.exitCode, 0) << report.err.constData();
    EXPECT_TRUE(report.out.contains("Measured pattern        72 points, RMS 3.90 dB from the theory\n"))
        << report.out.constData();
    EXPECT_TRUE(report.out.contains("Best-fitting length     1.53")) << report.out.constData();
    // At 14.2 MHz, the same wire given in metres: its best length in metres too.
    const RunResult metres =
        RunRender({"--report", "--frequency", "14.2MHz", "--measured-pattern", kTurntable, "31.68m"}, dir.path());
    EXPECT_TRUE(metres.out.contains("Best-fitting length     1.5381 wavelengths, 32.4717 m")) << metres.out.constData();

    const RunResult pictures = RunRender(
        {"--style", "labelled", "--format", "png", "--out", "p", "--measured-pattern", kTurntable, "1.5"}, dir.path());
    ASSERT_EQ(pictures.exitCode, 0) << pictures.err.constData();
    // The measured points are drawn in their own green.
    const QImage rectangular(dir.filePath("p/dn2.png"));
    int green = 0;
    for (int y = 0; y < rectangular.height(); ++y)
        for (int x = 0; x < rectangular.width(); ++x)
            green += rectangular.pixelColor(x, y) == QColor(0x2e, 0x7d, 0x32);
    EXPECT_GT(green, 72 * 10);

    QFile bad(dir.filePath("bad.csv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("theta,level\n0,1\n400,1\n90,1\n");
    bad.close();
    const Refusal refusals[] = {
        {Args({"--report", "--measured-pattern", "bad.csv", "1.5"}),
         "bad.csv:3: the angle \"400\" is not from 0 to 360 degrees"},
        {Args({"--report", "--measured-pattern", "none.csv", "1.5"}), "cannot read none.csv: No such file"},
        {Args({"--report", "--measured-scale", "db", "1.5"}), "--measured-scale goes with --measured-pattern"},
        {Args({"--measured-pattern", "bad.csv", "1.5"}), "--measured-pattern goes with --report or --style labelled"},
        {Args({"--report", "--measured-pattern", "bad.csv", "--measured-scale", "log", "1.5"}),
         "unknown --measured-scale \"log\""},
    };
    for (const Refusal &r : refusals) {
        SCOPED_TRACE(r.args.join(' ').toStdString());
        const RunResult run = RunRender(r.args + Args({"--out", "o"}), dir.path());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith("dipole-render: " + QByteArray(r.message))) << run.err.constData();
        EXPECT_FALSE(QDir(dir.filePath("o")).exists());
    }
}

} // namespace

namespace {

// A dipole in metres at a frequency: a 10.5 m wire of 1 mm radius at
// 14.2 MHz is M = 10.5·14.2e6/c; its first resonance, found on the wire as
// the frequency sweep finds it, is the same frequency in both forms.
TEST(PhysicalUnits, ReportsInMetresBesideWavelengths)
{
    QTemporaryDir dir;
    const RunResult report =
        RunRender(Args({"--report", "--radius", "1mm", "--frequency", "14.2MHz", "10.5m"}), dir.path());
    ASSERT_EQ(report.exitCode, 0) << report.err.constData();
    for (const char *line : {"Frequency               14.200000 MHz (wavelength 21.112144929577465 m)\n",
                             "Length in metres        10.5 m\n", "Wire radius in metres   0.001 m (diameter 2 mm)\n",
                             "First resonance         10.261765039433552 m long at this frequency, 13.878943 MHz"})
        EXPECT_TRUE(report.out.contains(line)) << line << report.out.constData();
    const RunResult sweep = RunRender(
        Args({"--impedance", "13.5MHz:14.5MHz", "--length", "10.5m", "--diameter", "2mm", "--report"}), dir.path());
    EXPECT_TRUE(sweep.out.contains("Resonance               13.878943 MHz\n")) << sweep.out.constData();

    // A family's, a sweep's and an impedance table's lengths in metres: at
    // 14.2 MHz 10.5 m is M = 0.497344 and 21.112 m a whole wavelength.
    const RunResult family = RunRender(Args({"--frequency", "14.2MHz", "--family", "10.5m:Red,21.112144929577465m:Navy",
                                             "--style", "labelled", "--format", "svg", "--out", "f"}),
                                       dir.path());
    ASSERT_EQ(family.exitCode, 0) << family.err.constData();
    EXPECT_TRUE(ReadFile(dir.filePath("f/dn1.svg")).contains(">M = 0.497344 <")) << "the family's legend";
    const RunResult frames =
        RunRender(Args({"--frequency", "14.2MHz", "--sweep", "10.5m:21.2m:10.5m", "--out", "s"}), dir.path());
    ASSERT_EQ(frames.exitCode, 0) << frames.err.constData();
    EXPECT_EQ(QDir(dir.filePath("s")).entryList({"dn1-*.bmp"}).size(), 2);
    const RunResult table =
        RunRender(Args({"--impedance", "10.5m:10.6m", "--step", "10cm", "--radius", "1mm", "--frequency", "14.2MHz"}),
                  dir.path());
    ASSERT_EQ(table.exitCode, 0) << table.err.constData();
    const QList<QByteArray> rows = table.out.split('\n');
    ASSERT_GE(rows.size(), 3) << table.out.constData();
    EXPECT_NEAR(rows[1].split(',').value(0).toDouble(), 10.5 * 14.2e6 / 299792458.0, 1e-12);
    EXPECT_NEAR(rows[2].split(',').value(0).toDouble(), 10.6 * 14.2e6 / 299792458.0, 1e-9);

    const Refusal refusals[] = {
        {Args({"--report", "10.5m"}), "LENGTH \"10.5m\" has a unit: give --frequency F too"},
        {Args({"--report", "--frequency", "14MHz", "0.5"}), "--frequency goes with a LENGTH in metres"},
        {Args({"--report", "--radius", "0.001", "--frequency", "14MHz", "10.5m"}),
         "LENGTH \"10.5m\" has a unit and --radius \"0.001\" has none"},
        {Args({"--report", "--frequency", "14m", "10m"}), "--frequency \"14m\" is a length, not a frequency"},
        {Args({"--report", "--frequency", "14MHz", "--radius", "3m", "10.5m"}),
         "--radius \"3m\" at --frequency 14MHz is 0.1401 wavelengths"},
        {Args({"--frequency", "14MHz", "--family", "1:Red"}), "--frequency goes with a LENGTH in metres"},
        {Args({"--frequency", "14MHz", "--family", "10.7m:Red,1:Navy"}),
         "--family \"10.7m:Red,1:Navy\" gives some lengths in metres and some in wavelengths"},
        {Args({"--sweep", "5m:10m:1m", "--out", "d"}), "--sweep \"5m:10m:1m\" has a unit: give --frequency F too"},
        {Args({"--impedance", "0.4:0.6", "--step", "1cm"}), "--step \"1cm\" has a unit"},
        {Args({"--impedance", "13MHz:15MHz", "--length", "10m", "--diameter", "2mm", "--frequency", "14MHz"}),
         "--frequency does not apply to a frequency sweep"},
    };
    for (const Refusal &r : refusals) {
        SCOPED_TRACE(r.args.join(' ').toStdString());
        const RunResult run = RunRender(r.args, dir.path());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.startsWith("dipole-render: " + QByteArray(r.message))) << run.err.constData();
    }
}

} // namespace
