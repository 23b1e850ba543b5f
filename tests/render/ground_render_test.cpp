// dipole-render's ground options run as a process: a dipole over a perfect
// ground (--ground perfect --height H [--orientation]) and the monopole
// (--monopole), their report and its refusals. The free-space impedance at
// radius 0.001 is antenna_reference.py's; the readouts and the image's
// mutual impedance are ground_reference.py's (mpmath, sharing nothing with
// the program), the side-by-side figure at 1 wavelength from its textbook
// Si/Ci form: textbook_side_by_side_half_wave(1.0).
#include "Arguments.h"
#include "RenderProcess.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

const double kFreeR = 73.079010285671385; // the half wave's input impedance in free space
const double kFreeX = 42.515114705811065;

struct GroundCase
{
    const char *name;
    std::initializer_list<const char *> args;
    double maxEl, lower, upper, dbi;
    double resistance, reactance; // over the ground, radius 0.001
    std::optional<double> alongMaxEl, alongLower;
};

// clang-format off
const GroundCase kCases[] = {
    // The image's mutual impedance side by side 2h apart, subtracted.
    {"HorizontalQuarterHigh", {"--ground", "perfect", "--height", "0.25"}, 90.0, 30.0, 90.0, 7.484546548,
     kFreeR + 12.523407452488, kFreeX + 29.9079359346615, 90.0, 53.6644703747},
    {"HorizontalHalfHigh", {"--ground", "perfect", "--height", "0.5", "--orientation", "horizontal"}, 30.0,
     14.4775121859, 48.5903778907, 8.416502578, kFreeR - 4.0088556925160533, kFreeX - 17.729755291014104,
     41.858135255, 26.1928037824},
    // On one line 2h apart, added.
    {"VerticalAtPointThree", {"--ground", "perfect", "--height", "0.3", "--orientation", "vertical"}, 0.0, 0.0,
     20.9925930236, 7.377276416, kFreeR + 14.6641038702672, kFreeX - 4.01156053311058, std::nullopt, std::nullopt},
    // Half the free-space half-power width above the horizon, twice the
    // dipole's directivity in free space (10·log10 2 = 3.0103 dB
    // above its 2.1504 dBi), half its impedance.
    {"Monopole", {"--monopole"}, 0.0, 0.0, 78.07771889111544 / 2.0, 5.161180331, kFreeR / 2.0, kFreeX / 2.0, std::nullopt,
     std::nullopt},
};
// clang-format on

QJsonObject jsonOf(const QByteArray &text)
{
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(text, &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.constData();
    return object;
}

TEST(DipoleRenderGround, ReportsTheReferenceCases)
{
    QTemporaryDir dir;
    for (const GroundCase &c : kCases) {
        SCOPED_TRACE(c.name);
        const QStringList args = Args(c.args) + Args({"--report", "--json", "--radius", "0.001", "0.5"});
        const RunResult run = RunRender(args, dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const QJsonObject o = jsonOf(run.out);
        EXPECT_NEAR(o["elevation_of_max_deg"].toDouble(), c.maxEl, 0.01); // a flat top at the zenith
        const QJsonArray halfPower = o["half_power_elevation_deg"].toArray();
        EXPECT_NEAR(halfPower[0].toDouble(), c.lower, 1e-6);
        EXPECT_NEAR(halfPower[1].toDouble(), c.upper, 1e-6);
        EXPECT_NEAR(o["directivity_over_ground_dbi"].toDouble(), c.dbi, 1e-6);
        const QJsonArray z = o["ground_input_impedance_ohm"].toArray();
        EXPECT_NEAR(z[0].toDouble(), c.resistance, 1e-6);
        EXPECT_NEAR(z[1].toDouble(), c.reactance, 1e-6);
        EXPECT_EQ(o.contains("along_wire_elevation_of_max_deg"), c.alongMaxEl.has_value());
        if (c.alongMaxEl) {
            EXPECT_NEAR(o["along_wire_elevation_of_max_deg"].toDouble(), *c.alongMaxEl, 0.01);
            EXPECT_NEAR(o["along_wire_half_power_elevation_deg"].toArray()[0].toDouble(), *c.alongLower, 1e-6);
        }
        if (o.contains("monopole_height")) {
            EXPECT_EQ(o["monopole_height"].toDouble(), 0.25);
            EXPECT_NEAR(o["directivity_over_ground_dbi"].toDouble() - o["free_space_directivity_dbi"].toDouble(),
                        10.0 * std::log10(2.0), 1e-9);
            EXPECT_FALSE(o.contains("hpbw_deg")); // not the dipole's report
        } else {
            // The free-space report stays as it was, the ground's keys after it.
            EXPECT_NEAR(o["input_reactance_ohm"].toDouble(), kFreeX, 1e-9);
            const QJsonArray change = o["ground_impedance_change_ohm"].toArray();
            EXPECT_NEAR(change[0].toDouble(), c.resistance - kFreeR, 1e-6);
            EXPECT_NEAR(change[1].toDouble(), c.reactance - kFreeX, 1e-6);
        }
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(DipoleRenderGround, ReportsInWords)
{
    QTemporaryDir dir;
    const RunResult ground =
        RunRender(Args({"--report", "--radius", "0.001", "--ground", "perfect", "--height", "0.5", "0.5"}), dir.path());
    ASSERT_EQ(ground.exitCode, 0) << ground.err.constData();
    EXPECT_TRUE(ground.out.contains("Half-power beam width")) << ground.out.constData();
    EXPECT_TRUE(ground.out.contains("Elevation of maximum    30.00° (across the wire)\n"));
    EXPECT_TRUE(ground.out.contains("Half-power elevations   14.48° to 48.59°\n"));
    EXPECT_TRUE(ground.out.contains("Directivity over ground 6.9446 (8.42 dBi)\n"));
    EXPECT_TRUE(ground.out.contains("Change from free space  -4.01 - j17.73 Ω (free space 73.08 + j42.52 Ω)\n"));
    EXPECT_TRUE(ground.out.contains("Rival lobe over ground  none\n"));
    // One wavelength high, the lobes at 14.48° and 48.59° are equal.
    const RunResult equalLobes =
        RunRender(Args({"--report", "--json", "--ground", "perfect", "--height", "1", "0.5"}), dir.path());
    ASSERT_EQ(equalLobes.exitCode, 0) << equalLobes.err.constData();
    EXPECT_NEAR(jsonOf(equalLobes.out)["rival_elevation_deg"].toDouble(), 14.4775, 1e-3) << equalLobes.out.constData();

    const RunResult monopole = RunRender(Args({"--report", "--radius", "0.001", "--monopole", "0.5"}), dir.path());
    ASSERT_EQ(monopole.exitCode, 0) << monopole.err.constData();
    EXPECT_TRUE(monopole.out.startsWith("Monopole of height      0.25 wavelengths")) << monopole.out.constData();
    EXPECT_TRUE(monopole.out.contains("Input impedance         36.54 + j21.26 Ω (half the dipole's 73.08 + j42.52 Ω)"));
    EXPECT_FALSE(monopole.out.contains("Half-power beam width"));

    // A height in metres at the frequency, as LENGTH and the radius are.
    const RunResult metres = RunRender(Args({"--report", "--json", "--radius", "1mm", "--frequency", "14MHz",
                                             "--ground", "perfect", "--height", "10m", "10.3m"}),
                                       dir.path());
    ASSERT_EQ(metres.exitCode, 0) << metres.err.constData();
    EXPECT_NEAR(jsonOf(metres.out)["ground_height"].toDouble(), 10.0 * 14e6 / 299792458.0, 1e-12);
}

// The table over heights and over lengths agree with the reference cases:
// the rows at 0.25 and 0.5 wavelengths high, and the vertical wire's length
// 0.5 at 0.3.
TEST(DipoleRenderGround, TablesOverHeightsAndLengths)
{
    QTemporaryDir dir;
    const RunResult heights = RunRender(Args({"--ground", "perfect", "--height-sweep", "0.25:0.5", "--step", "0.25",
                                              "--radius", "0.001", "--out", "d", "--format", "png", "0.5"}),
                                        dir.path());
    ASSERT_EQ(heights.exitCode, 0) << heights.err.constData();
    const QList<QByteArray> rows = heights.out.split('\n');
    ASSERT_EQ(rows.size(), 4) << heights.out.constData();
    EXPECT_EQ(rows[0], "height,r_in_ohm,x_in_ohm,elevation_of_max_deg");
    const struct
    {
        double height, resistance, reactance, maxEl;
    } expected[] = {{0.25, kCases[0].resistance, kCases[0].reactance, 90.0},
                    {0.5, kCases[1].resistance, kCases[1].reactance, 30.0}};
    for (int i = 0; i < 2; ++i) {
        const QList<QByteArray> fields = rows[i + 1].split(',');
        ASSERT_EQ(fields.size(), 4) << rows[i + 1].constData();
        EXPECT_EQ(fields[0].toDouble(), expected[i].height);
        EXPECT_NEAR(fields[1].toDouble(), expected[i].resistance, 1e-6);
        EXPECT_NEAR(fields[2].toDouble(), expected[i].reactance, 1e-6);
        EXPECT_NEAR(fields[3].toDouble(), expected[i].maxEl, 0.01);
    }
    EXPECT_EQ(QImage(dir.filePath("d/heights.png")).size(), QSize(960, 600));

    const RunResult lengths =
        RunRender(Args({"--impedance", "0.4:0.5", "--step", "0.1", "--ground", "perfect", "--height", "0.3",
                        "--orientation", "vertical", "--out", "i", "--format", "svg"}),
                  dir.path());
    ASSERT_EQ(lengths.exitCode, 0) << lengths.err.constData();
    const QList<QByteArray> half = lengths.out.split('\n').value(2).split(',');
    ASSERT_EQ(half.size(), 3) << lengths.out.constData();
    EXPECT_EQ(half[0], "0.5");
    EXPECT_NEAR(half[1].toDouble(), kCases[2].resistance, 1e-6);
    EXPECT_NEAR(half[2].toDouble(), kCases[2].reactance, 1e-6);
    // The chart names the wire's place, not a wire in free space.
    const QByteArray chart = ReadFile(dir.filePath("i/impedance.svg"));
    for (const char *words :
         {">Input impedance at h = 0.3 <", ">vertical dipole over a perfect ground, radius 0.001 <"})
        EXPECT_TRUE(chart.contains(words)) << words;
}

struct PictureCase
{
    const char *name;
    std::initializer_list<const char *> args;
    const char *format;
    bool along; // a horizontal wire's second cut, dashed in its own colour
};

// clang-format off
const PictureCase kPictures[] = {
    {"HorizontalBmp", {"--ground", "perfect", "--height", "0.5", "0.5"}, "bmp", true},
    {"HorizontalPngDb", {"--ground", "perfect", "--height", "0.5", "--scale", "db", "--format", "png", "0.5"}, "png", true},
    {"VerticalPng", {"--ground", "perfect", "--height", "0.3", "--orientation", "vertical", "--format", "png", "0.5"}, "png", false},
    {"HorizontalSvg", {"--ground", "perfect", "--height", "0.5", "--format", "svg", "0.5"}, "svg", true},
    {"MonopolePdfBesideTheReport", {"--report", "--out", ".", "--monopole", "--style", "labelled", "--format", "pdf", "0.5"}, "pdf", false},
};
// clang-format on

// How many pixels of an image carry the colour of the cut along the wire.
int alongPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(0xb0, 0x30, 0x30);
    }
    return count;
}

TEST(DipoleRenderGround, DrawsThePairInEveryFormat)
{
    for (const PictureCase &c : kPictures) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const RunResult run = RunRender(Args(c.args), dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const QString polar = dir.filePath(QStringLiteral("dn1.") + c.format);
        const QString rectangular = dir.filePath(QStringLiteral("dn2.") + c.format);
        ASSERT_TRUE(QFile::exists(polar));
        ASSERT_TRUE(QFile::exists(rectangular));
        const QByteArray start = ReadFile(polar).left(8);
        if (QByteArray(c.format) == "svg" || QByteArray(c.format) == "pdf") {
            EXPECT_TRUE(start.startsWith(QByteArray(c.format) == "pdf" ? "%PDF" : "<?xml")) << start.constData();
            continue;
        }
        const QImage image(polar);
        EXPECT_EQ(image.size(), QSize(900, 640));
        EXPECT_EQ(QImage(rectangular).size(), QSize(960, 600));
        EXPECT_EQ(alongPixels(image) > 50, c.along) << alongPixels(image);
    }
}

// NEC-2 beside the closed form over the ground. The perfect ground's and
// the monopole's figures are a hand-written deck's run through nec2c; the
// average soil (permittivity 13, 0.005 S/m) at 14 MHz with the wire in
// metres is the same half wave half a wave high (λ = 21.41374700 m).
struct NecGroundCase
{
    const char *name;
    std::initializer_list<const char *> args;
    double resistance, reactance, maxGainDbi, maxElevationDeg;
    const char *reportLine; // one of the report's lines, named as NEC-2's
};

// clang-format off
const NecGroundCase kNecCases[] = {
    {"HorizontalPerfect", {"--radius", "1e-5", "--ground", "perfect", "--height", "0.5", "0.5"}, 72.39, 25.77, 8.43, 30.0,
     "NEC-2 input impedance   72.39 + j25.77 Ω\n"},
    {"HorizontalAverageSoil", {"--frequency", "14MHz", "--radius", "0.21413747mm", "--ground", "real", "--permittivity", "13",
      "--conductivity", "0.005", "--height", "10.7068735m", "10.7068735m"}, 72.26, 33.95, 7.44, 28.0,
     "NEC-2 ground            real soil, permittivity 13, conductivity 0.005 S/m at 14 MHz\n"},
    // Round metres, whose figures at full precision once made a comment card
    // longer than nec2c reads.
    {"AverageSoilInRoundMetres", {"--frequency", "14MHz", "--radius", "0.2mm", "--ground", "real", "--permittivity", "13",
      "--conductivity", "0.005", "--height", "10.7m", "10.7m"}, 72.13, 32.75, 7.44, 28.0, "NEC-2 maximum gain      7.44 dBi\n"},
    {"Monopole", {"--radius", "1e-5", "--monopole", "0.5"}, 38.86, 22.34, 5.17, 0.0, "NEC-2 maximum gain      5.17 dBi\n"},
    // A hand deck at 14 MHz (GW 1 11 0 0 0 0 0 5.35 0.0002, GE 1, GN 2 0 0 0 13 0.005): the soil near the
    // base takes its loss and lifts the beam off the horizon.
    {"MonopoleOnAverageSoil", {"--frequency", "14MHz", "--radius", "0.2mm", "--monopole", "--ground", "real",
      "--permittivity", "13", "--conductivity", "0.005", "10.7m"}, 104.33, -94.99, -4.66, 26.5,
     "NEC-2 elevation cut     -4.66 dBi at 27.00°"},
};
// clang-format on

TEST(DipoleRenderGround, NecBesideTheClosedForm)
{
    QTemporaryDir dir;
    for (const NecGroundCase &c : kNecCases) {
        SCOPED_TRACE(c.name);
        const RunResult json = RunRender(Args({"--report", "--json", "--nec"}) + Args(c.args), dir.path());
        ASSERT_EQ(json.exitCode, 0) << json.err.constData();
        const QJsonObject nec = jsonOf(json.out)["nec_ground"].toObject();
        const QJsonArray z = nec["input_impedance_ohm"].toArray();
        // The hand decks run at the real frequency, the program's at its own.
        EXPECT_NEAR(z[0].toDouble(), c.resistance, 0.05);
        EXPECT_NEAR(z[1].toDouble(), c.reactance, 0.05);
        EXPECT_NEAR(nec["max_gain_dbi"].toDouble(), c.maxGainDbi, 0.02);
        // On a 0.5° grid, read by the readouts' peak finder.
        EXPECT_NEAR(nec["cut"].toObject()["elevation_of_max_deg"].toDouble(), c.maxElevationDeg, 1.0);
        const RunResult text = RunRender(Args({"--report", "--nec"}) + Args(c.args), dir.path());
        ASSERT_EQ(text.exitCode, 0) << text.err.constData();
        EXPECT_TRUE(text.out.contains(c.reportLine)) << text.out.constData();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// NEC-2's cuts are drawn in green over the theory's, and only with --nec;
// the report beside the pictures reads the same nec2c run.
TEST(DipoleRenderGround, NecCutsDrawnOverTheTheory)
{
    const auto greenPixels = [](const QImage &image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == qRgb(0x10, 0x80, 0x30) ? 1 : 0;
        return count;
    };
    for (const bool nec : {false, true}) {
        SCOPED_TRACE(nec);
        QTemporaryDir dir, bin;
        QProcessEnvironment environment = FakeNec2c(bin.path(), "echo run >> \"$RUNS\"\nexec \"$NEC2C\" \"$@\"\n");
        environment.insert(QStringLiteral("NEC2C"), QStandardPaths::findExecutable(QStringLiteral("nec2c")));
        environment.insert(QStringLiteral("RUNS"), bin.filePath(QStringLiteral("runs")));
        const QStringList args =
            Args({"--report", "--ground", "perfect", "--height", "0.5", "--format", "png", "--out", "out", "0.5"});
        const RunResult run =
            RunRender(nec ? Args({"--nec", "--radius", "1e-5"}) + args : args, dir.path(), environment);
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        for (const char *name : {"out/dn1.png", "out/dn2.png"})
            EXPECT_EQ(greenPixels(QImage(dir.filePath(QLatin1String(name)))) > 100, nec) << name;
        EXPECT_EQ(ReadFile(bin.filePath(QStringLiteral("runs"))), nec ? QByteArray("run\n") : QByteArray());
    }
}

struct Refusal
{
    const char *name;
    std::initializer_list<const char *> args;
    const char *message; // the start of the message after "dipole-render: "
};

// clang-format off
const Refusal kRefusals[] = {
    {"HeightZero", {"--report", "--ground", "perfect", "--height", "0", "0.5"}, "--height \"0\" is not a height above 0 wavelengths"},
    {"HeightNegative", {"--report", "--ground", "perfect", "--height", "-0.2", "0.5"}, "--height \"-0.2\" is not a height above 0"},
    {"VerticalIntoTheGround", {"--report", "--ground", "perfect", "--orientation", "vertical", "--height", "0.25", "0.5"},
     "--height 0.25 puts the wire into the ground: the centre must be higher than half the vertical wire's length 0.5, 0.25 wavelengths"},
    {"HorizontalAtItsRadius", {"--report", "--radius", "0.01", "--ground", "perfect", "--height", "0.01", "0.5"},
     "--height 0.01 puts the wire into the ground: the centre must be higher than the horizontal wire's radius 0.01"},
    {"TooHigh", {"--report", "--ground", "perfect", "--height", "100.5", "0.5"}, "--height 100.5 is above the highest centre taken, 100"},
    {"HeightWithoutGround", {"--report", "--height", "0.25", "0.5"}, "--height, --height-sweep and --orientation go with --ground perfect"},
    {"OrientationWithoutGround", {"--report", "--orientation", "vertical", "0.5"}, "--height, --height-sweep and --orientation go with --ground"},
    {"GroundWithoutHeight", {"--report", "--ground", "perfect", "0.5"}, "--ground perfect needs --height H"},
    {"GroundUnknown", {"--report", "--ground", "wet", "--height", "1", "0.5"}, "unknown --ground \"wet\": use perfect or real"},
    {"GroundReal", {"--report", "--ground", "real", "--height", "1", "0.5"}, "--ground real needs --nec: the closed form knows only the perfect ground"},
    {"RealWithoutFrequency", {"--report", "--nec", "--radius", "1e-5", "--ground", "real", "--permittivity", "13", "--conductivity", "0.005", "--height", "0.5", "0.5"},
     "--ground real needs --frequency F"},
    {"RealWithoutConductivity", {"--report", "--nec", "--frequency", "14MHz", "--radius", "0.2mm", "--ground", "real", "--permittivity", "13", "--height", "10m", "10.7m"},
     "--ground real needs --permittivity E and --conductivity S"},
    {"PermittivityOverPerfect", {"--report", "--ground", "perfect", "--height", "0.5", "--permittivity", "13", "0.5"}, "--permittivity and --conductivity go with --ground real"},
    {"ConductivityAlone", {"--report", "--conductivity", "0.005", "0.5"}, "--permittivity and --conductivity go with --ground real"},
    {"PermittivityBelowOne", {"--report", "--nec", "--frequency", "14MHz", "--radius", "0.2mm", "--ground", "real", "--permittivity", "0.99", "--conductivity", "0.005", "--height", "10m", "10.7m"},
     "--permittivity \"0.99\" is not a relative permittivity from 1 to 100"},
    {"PermittivityAbove100", {"--report", "--nec", "--frequency", "14MHz", "--radius", "0.2mm", "--ground", "real", "--permittivity", "100.5", "--conductivity", "0.005", "--height", "10m", "10.7m"},
     "--permittivity \"100.5\" is not a relative permittivity from 1 to 100"},
    {"ConductivityNegative", {"--report", "--nec", "--frequency", "14MHz", "--radius", "0.2mm", "--ground", "real", "--permittivity", "13", "--conductivity", "-0.001", "--height", "10m", "10.7m"},
     "--conductivity \"-0.001\" is not a conductivity from 0 to 100 S/m"},
    {"ConductivityAbove100", {"--report", "--nec", "--frequency", "14MHz", "--radius", "0.2mm", "--ground", "real", "--permittivity", "81", "--conductivity", "101", "--height", "10m", "10.7m"},
     "--conductivity \"101\" is not a conductivity from 0 to 100 S/m"},
    {"RealIntoTheGround", {"--report", "--nec", "--frequency", "14MHz", "--radius", "0.2mm", "--ground", "real", "--permittivity", "13", "--conductivity", "0.005", "--orientation", "vertical", "--height", "5m", "10.7m"},
     "--height 5m puts the wire into the ground"},
    {"RealInWavelengths", {"--report", "--nec", "--frequency", "14MHz", "--radius", "0.2mm", "--ground", "real", "--permittivity", "13", "--conductivity", "0.005", "--height", "0.5", "10.7m"},
     "--height \"0.5\" needs a unit with --frequency"},
    {"NecOverTheGroundSweep", {"--impedance", "0.4:0.5", "--nec", "--ground", "perfect", "--height", "0.5"}, "--nec over the ground takes one LENGTH and one --height"},
    {"OrientationUnknown", {"--report", "--ground", "perfect", "--height", "1", "--orientation", "slanted", "0.5"}, "unknown --orientation \"slanted\""},
    {"MonopoleWithOrientation", {"--report", "--monopole", "--orientation", "vertical", "0.5"}, "--monopole is vertical and stands on the ground"},
    {"MonopoleWithHeight", {"--report", "--monopole", "--ground", "perfect", "--height", "1", "0.5"}, "--monopole is vertical and stands on the ground"},
    {"MonopoleOnRealSoilWithoutNec", {"--report", "--monopole", "--ground", "real", "--permittivity", "13", "--conductivity", "0.005", "--frequency", "14MHz", "0.5"}, "--ground real needs --nec"},
    {"MonopoleOfNoLength", {"--report", "--monopole", "0"}, "a wire over the ground needs a LENGTH above 0"},
    {"HeightWithAUnitAlone", {"--report", "--ground", "perfect", "--height", "5m", "0.5"}, "--height \"5m\" has a unit: give --frequency F"},
    {"GroundOfAFamily", {"--ground", "perfect", "--height", "1", "--family", "0.5:Red"}, "--ground and --monopole take one LENGTH"},
    {"MonopoleWithNecWithoutRadius", {"--report", "--nec", "--monopole", "0.5"}, "--nec needs --radius A"},
    {"MonopoleImpedance", {"--impedance", "0.1:1", "--monopole"}, "--monopole takes one LENGTH, not --impedance"},
    {"GroundOverABand", {"--impedance", "13MHz:15MHz", "--length", "10m", "--diameter", "2mm", "--ground", "perfect", "--height", "1"},
     "--ground and --monopole take one LENGTH (or --impedance FROM:TO in wavelengths"},
    {"ImpedanceLongestIntoTheGround", {"--impedance", "0.5:1", "--ground", "perfect", "--orientation", "vertical", "--height", "0.4"},
     "--height 0.4 puts the wire into the ground: the centre must be higher than half the vertical wire's length 1, 0.5"},
    {"PlainPicturesOverTheGround", {"--style", "plain", "--monopole", "0.5"}, "--ground and --monopole draw labelled pictures"},
    {"ColourOverTheGround", {"--colour", "Red", "--monopole", "0.5"}, "--colour, --no-fill, --fill and --readouts do not apply"},
    {"SweepWithoutRadius", {"--ground", "perfect", "--height-sweep", "0.1:1", "0.5"}, "--height-sweep needs --radius A"},
    {"SweepAndHeight", {"--ground", "perfect", "--height", "1", "--height-sweep", "0.1:1", "--radius", "0.001", "0.5"}, "give --height or --height-sweep, not both"},
    {"SweepIntoTheGround", {"--ground", "perfect", "--orientation", "vertical", "--height-sweep", "0.2:1", "--radius", "0.001", "0.5"},
     "--height-sweep 0.2:1 puts the wire into the ground"},
    {"SweepTooHigh", {"--ground", "perfect", "--height-sweep", "1:101", "--step", "1", "--radius", "0.001", "0.5"}, "--height-sweep 1:101 is above the highest centre taken, 100"},
    {"SweepBackwards", {"--ground", "perfect", "--height-sweep", "1:0.5", "--radius", "0.001", "0.5"}, "--height-sweep 1:0.5 needs 0 < FROM <= TO"},
    {"SweepTooManyRows", {"--ground", "perfect", "--height-sweep", "0.1:100", "--step", "0.001", "--radius", "0.001", "0.5"}, "--height-sweep 0.1:100 in steps of 0.001 is more than 10000 rows"},
    {"SweepWithReport", {"--report", "--ground", "perfect", "--height-sweep", "0.1:1", "--radius", "0.001", "0.5"}, "--height-sweep prints a table of its own"},
    {"SweepAlone", {"--height-sweep", "0.1:1", "--radius", "0.001", "0.5"}, "--height, --height-sweep and --orientation go with --ground perfect"},
};
// clang-format on

class GroundRefused : public ::testing::TestWithParam<Refusal>
{
};

// One line naming the option and the reason, status 2, nothing written.
TEST_P(GroundRefused, WithItsReasonAndNothingWritten)
{
    QTemporaryDir dir;
    const RunResult run = RunRender(Args(GetParam().args), dir.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith(QByteArray("dipole-render: ") + GetParam().message)) << run.err.constData();
    EXPECT_EQ(run.err.count('\n'), 1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, GroundRefused, ::testing::ValuesIn(kRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
