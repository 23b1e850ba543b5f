// dipole-render's numbers: the report table, the JSON object, the pattern
// table, and the command lines that ask for them, run as a separate process.
#include "Arguments.h"
#include "RenderProcess.h"
#include "physics/PatternFunction.h"
#include "plot/DrawingSurface.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"
#include "render/CurrentReport.h"
#include "render/RenderOptions.h"
#include "render/ReportOutput.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

namespace {

QStringList Lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(ReportOutput, TableAlignsOneQuantityALineWithUnits)
{
    const QStringList lines = Lines(ReportTable(ComputePatternReadouts(1.5)));
    const QStringList expected = {
        QStringLiteral("Length M, wavelengths   1.5"),
        QStringLiteral("Maximum f_max           1.399004954"),
        QStringLiteral("Directions of maximum   42.56°, 137.44°"),
        QStringLiteral("Half-power beam width   32.80° (from 24.41° to 57.20°)"),
        QStringLiteral("Width at 0.7            33.24°"),
        QStringLiteral("Bracket of the plot     31.00° (the rectangular picture's mark at 0.7)"),
        QStringLiteral("Directivity             2.2263 (3.48 dBi)"),
        QStringLiteral("Radiation resistance    105.42 Ω"),
        QStringLiteral("Input resistance        105.42 Ω"),
        QStringLiteral("Side-lobe level         -2.92 dB"),
        QStringLiteral("Rival lobe              none"),
        QStringLiteral("Nulls                   70.53°, 109.47°"),
    };
    EXPECT_EQ(lines, expected);

    const QStringList full = Lines(ReportTable(ComputePatternReadouts(1)));
    EXPECT_TRUE(full.contains(QStringLiteral("Input resistance        none (current null at the feed)")));
    EXPECT_TRUE(full.contains(QStringLiteral("Side-lobe level         none")));
    EXPECT_TRUE(full.contains(QStringLiteral("Nulls                   none")));
    // Just before the oblique lobe overtakes the broadside one.
    EXPECT_TRUE(Lines(ReportTable(ComputePatternReadouts(1.4405)))
                    .contains(QStringLiteral("Rival lobe              40.20° at 0.00 dB: within 1 dB of the maximum")));

    // 58 nulls, eight a line, continuation lines under the value column.
    const QStringList longest = Lines(ReportTable(ComputePatternReadouts(29.99)));
    const int nulls = longest.indexOf(QRegularExpression(QStringLiteral("^Nulls .*")));
    ASSERT_EQ(longest.size(), nulls + 8);
    EXPECT_EQ(longest.last(), QString(24, QLatin1Char(' ')) + QStringLiteral("158.96°, 159.06°"));

    const QString zero = QString::fromUtf8(ReportTable(ComputePatternReadouts(0)));
    EXPECT_TRUE(zero.contains(QStringLiteral("zero at every angle"))) << zero.toStdString();
    EXPECT_FALSE(zero.contains(QStringLiteral("inf")) || zero.contains(QStringLiteral("nan")));
}

TEST(ReportOutput, JsonHasExactlyTheKeysNullsWhereNoneAndNumbersThatReadBack)
{
    const PatternReadouts full = ComputePatternReadouts(1.0);
    const QByteArray text = ReportJson(full);
    EXPECT_TRUE(text.endsWith("}\n"));
    EXPECT_EQ(text.count('\n'), 1);
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(text, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << text.constData();
    const QStringList keys = {"bracket_deg",
                              "directivity",
                              "directivity_dbi",
                              "f_max",
                              "hpbw_deg",
                              "input_resistance_ohm",
                              "length",
                              "max_directions_deg",
                              "nulls_deg",
                              "radiation_resistance_ohm",
                              "rival_lobe_deg",
                              "rival_lobe_level_db",
                              "side_lobe_level_db",
                              "width_07_deg"};
    EXPECT_EQ(o.keys(), keys);
    EXPECT_TRUE(o["input_resistance_ohm"].isNull());
    EXPECT_TRUE(o["side_lobe_level_db"].isNull());
    EXPECT_EQ(o["nulls_deg"].toArray(), QJsonArray());
    EXPECT_EQ(o["max_directions_deg"].toArray(), QJsonArray({90.0}));
    EXPECT_EQ(o["length"].toDouble(), 1.0);
    // Full precision: the text reads back as the very same double.
    EXPECT_EQ(o["directivity"].toDouble(), *full.directivity);
    EXPECT_EQ(o["radiation_resistance_ohm"].toDouble(), full.radiationResistance);
    EXPECT_EQ(o["hpbw_deg"].toDouble(), *full.halfPowerWidthDeg);

    const QJsonObject zero = QJsonDocument::fromJson(ReportJson(ComputePatternReadouts(0))).object();
    EXPECT_EQ(zero["f_max"].toDouble(-1), 0.0);
    EXPECT_TRUE(zero["directivity"].isNull());
    EXPECT_TRUE(zero["directivity_dbi"].isNull());
    EXPECT_TRUE(zero["hpbw_deg"].isNull());
    EXPECT_TRUE(zero["width_07_deg"].isNull());

    const QJsonObject jump = QJsonDocument::fromJson(ReportJson(ComputePatternReadouts(1.4406))).object();
    EXPECT_EQ(jump["rival_lobe_deg"].toDouble(), 90.0);
    EXPECT_NEAR(jump["rival_lobe_level_db"].toDouble(), -2.77946068054639e-5, 1e-12);
    EXPECT_NEAR(jump["width_07_deg"].toDouble(), 32.514042792326, 1e-7);
}

// The half-waves worked out by hand from the zeros of sin(2π(M/2 − |z|)),
// half a wave in from either end and every half wave further in: the
// stretch left at the feed in phase with the feed's current, its neighbours
// against it, theirs with it, and so on; at a node of the feed (within the
// node rule of 1e-5) the two half-waves beside it in phase.
TEST(ReportOutput, CurrentHalfWavesByLength)
{
    const QByteArray node = "all half a wave long, the feed at the node between two (its phase taken beside it)";
    const std::pair<double, QByteArray> cases[] = {
        {0.0, "none: a wire of no length carries no current"},
        {1e-10, "1: 1 in phase with the feed, 0 opposite; 1e-10 λ long"},
        {0.5, "1: 1 in phase with the feed, 0 opposite; all half a wave long"},
        // A dip at the feed but no zero.
        {0.75, "1: 1 in phase with the feed, 0 opposite; 0.75 λ long"},
        {1.0, "2: 2 in phase with the feed, 0 opposite; " + node},
        {1.000001, "2: 2 in phase with the feed, 0 opposite; " + node},
        {1.0001, "3: 1 in phase with the feed, 2 opposite; the middle one 0.0001 λ long, the others half a wave"},
        {1.25, "3: 1 in phase with the feed, 2 opposite; the middle one 0.25 λ long, the others half a wave"},
        {-1.5, "3: 1 in phase with the feed, 2 opposite; all half a wave long"},
        {2.0, "4: 2 in phase with the feed, 2 opposite; " + node},
        {2.5, "5: 3 in phase with the feed, 2 opposite; all half a wave long"},
        {29.99, "59: 29 in phase with the feed, 30 opposite; the middle one 0.99 λ long, the others half a wave"},
    };
    for (const auto &[M, value] : cases)
        EXPECT_EQ(CurrentReportLine(M), "Current half-waves      " + value + '\n') << M;

    const QJsonObject o =
        QJsonDocument::fromJson(ReportJson(ComputePatternReadouts(2), {CurrentJsonField(2)})).object();
    const QJsonObject current = o["current_half_waves"].toObject();
    EXPECT_EQ(current["count"].toInt(), 4);
    EXPECT_EQ(current["half_waves"].toArray()[1].toObject(),
              QJsonObject({{"from", -0.5}, {"to", 0.0}, {"in_phase", true}, {"partial", false}}));
    EXPECT_EQ(CurrentJsonField(0).second, "null");
}

TEST(ReportOutput, CsvRowsAreThePlotsSamplesNormalisedAndFloored)
{
    const QStringList rows = Lines(PatternCsv(0.5, 1.0, 0.5L));
    ASSERT_EQ(rows.size(), 1 + 721);
    EXPECT_EQ(rows[0], QStringLiteral("theta_deg,F,F_norm,dB"));
    EXPECT_EQ(rows[1], QStringLiteral("0,0,0,-100"));
    EXPECT_EQ(rows[1 + 180], QStringLiteral("90,1,1,0"));
    EXPECT_EQ(rows.last().section(QLatin1Char(','), 0, 0), QStringLiteral("360"));
    for (int i = 0; i <= 720; i += 37) {
        const QStringList cells = rows[1 + i].split(QLatin1Char(','));
        ASSERT_EQ(cells.size(), 4);
        EXPECT_EQ(cells[0].toDouble(), i / 2.0);
        EXPECT_EQ(cells[1].toDouble(), PatternValue(0.5, SampleAngle(i, 2))) << i;
    }
    // 45°: F = 0.6279332232978173, and python3 -c "import math;
    // print(20*math.log10(0.6279332232978173))" gives -4.041730765232057.
    EXPECT_NEAR(rows[1 + 90].section(QLatin1Char(','), 3, 3).toDouble(), -4.041730765232057, 1e-12);

    // Normalised by f_max: M = 1.5 peaks at 1.399 near 42.56°, so no row
    // goes above 1 and the row at 90° (F = 1) reads 1/1.399.
    const QStringList threeHalves = Lines(PatternCsv(1.5, 1.3990049536603075, 0.5L));
    double highest = 0;
    for (int i = 1; i < threeHalves.size(); ++i)
        highest = std::max(highest, threeHalves[i].section(QLatin1Char(','), 2, 2).toDouble());
    EXPECT_LE(highest, 1.0);
    EXPECT_GT(highest, 0.99999);
    EXPECT_NEAR(threeHalves[1 + 180].section(QLatin1Char(','), 2, 2).toDouble(), 1 / 1.3990049536603075, 1e-15);

    // A step that 360 is a multiple of only in decimal still ends at 360;
    // others end at the last multiple below it.
    const QStringList tenths = Lines(PatternCsv(0.5, 1.0, 0.1L));
    ASSERT_EQ(tenths.size(), 1 + 3601);
    EXPECT_TRUE(tenths[4].startsWith(QStringLiteral("0.3,")));
    EXPECT_TRUE(tenths.last().startsWith(QStringLiteral("360,")));
    const QStringList sevens = Lines(PatternCsv(0.5, 1.0, 7.0L));
    EXPECT_EQ(sevens.size(), 1 + 52);
    EXPECT_TRUE(sevens.last().startsWith(QStringLiteral("357,")));

    // A zero pattern has nothing to normalise by.
    for (const QString &row : Lines(PatternCsv(0, 0, 90)).mid(1))
        EXPECT_TRUE(row.endsWith(QStringLiteral(",0,0,-100"))) << row.toStdString();
}

TEST(ReportOutput, OptionsThatWouldBeIgnoredOrCollideAreRefused)
{
    const auto parse = [](std::initializer_list<const char *> args) { return ParseRenderOptions(Args(args)); };
    const RenderOptions both = parse({"--report", "--json", "--csv", "t.csv", "--step", "0.25", "1"});
    EXPECT_TRUE(both.report && both.json);
    EXPECT_EQ(both.csvFile, QStringLiteral("t.csv"));
    EXPECT_EQ(both.csvStep, 0.25L);
    EXPECT_FALSE(both.wantsPictures());
    EXPECT_TRUE(parse({"--csv", "-", "--out", "d", "--colour", "Red", "1"}).wantsPictures());
    EXPECT_TRUE(parse({"1"}).wantsPictures());

    const std::initializer_list<const char *> bad[] = {
        {"--json", "1"},                        // without --report
        {"--step", "1", "1"},                   // without --csv
        {"--csv", "t.csv", "--step", "0", "1"}, // no rows to step by
        {"--csv", "t.csv", "--step", "-1", "1"},
        {"--csv", "t.csv", "--step", "400", "1"},
        {"--csv", "t.csv", "--step", "0.0001", "1"}, // millions of rows
        {"--csv", "t.csv", "--step", "nan", "1"},
        {"--csv", "", "1"},
        {"--csv"},
        {"--report", "--csv", "-", "1"}, // both on standard output
        {"--report", "--family", "0.5:Navy"},
        {"--csv", "t.csv", "--family", "0.5:Navy"},
        {"--report", "--colour", "Red", "1"}, // colour of no picture
        {"--csv", "t.csv", "--no-fill", "1"},
        {"--report=yes", "1"},
        {"--report"}, // no length
    };
    for (const auto &args : bad)
        EXPECT_THROW(parse(args), RenderUsageError) << *args.begin() << " " << args.size();
}

TEST(ReportOutput, DipoleRenderPrintsTheReportAndWritesNoPictures)
{
    QTemporaryDir dir;
    const RunResult table = RunRender({"--report", "0.5"}, dir.path());
    ASSERT_EQ(table.exitCode, 0) << table.err.constData();
    EXPECT_TRUE(table.err.isEmpty());
    EXPECT_TRUE(table.out.contains("Directivity             1.6409 (2.15 dBi)\n")) << table.out.constData();
    EXPECT_TRUE(table.out.contains("Current half-waves      1: 1 in phase")) << table.out.constData();
    EXPECT_FALSE(QFile::exists(dir.filePath("dn1.bmp")));

    const RunResult json = RunRender({"--report", "--json", "--", "-1.5"}, dir.path());
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(o["length"].toDouble(), -1.5);
    EXPECT_NEAR(o["directivity"].toDouble(), 2.226337689001998, 1e-9);
    EXPECT_EQ(o["current_half_waves"].toObject()["opposite"].toInt(), 2);

    const RunResult csv = RunRender({"--csv", "-", "--step", "90", "1.25"}, dir.path());
    ASSERT_EQ(csv.exitCode, 0);
    EXPECT_EQ(Lines(csv.out).size(), 1 + 5);
    EXPECT_FALSE(QFile::exists(dir.filePath("dn1.bmp")));

    // Readouts are refused for long dipoles of either sign, with the window's text.
    for (const char *length : {"30", "-30", "-1e6"}) {
        const RunResult refused = RunRender({"--report", "--", length}, dir.path());
        EXPECT_EQ(refused.exitCode, 2) << length;
        EXPECT_TRUE(refused.err.startsWith("dipole-render: LENGTH " + QByteArray(length).replace("1e6", "1000000")
                                           + " is too long: give a LENGTH below 30 wavelengths in either sign"))
            << refused.err.constData();
        EXPECT_TRUE(refused.out.isEmpty());
    }
    // Just below 30 as typed, 30 itself as a double: measured, not a crash.
    const RunResult edge = RunRender({"--report", "--json", "29.99999999999999999"}, dir.path());
    EXPECT_EQ(edge.exitCode, 0) << edge.err.constData();
    EXPECT_TRUE(edge.out.startsWith("{\"length\": 30,"));

    const RunResult bad = RunRender({"--json", "1"}, dir.path());
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err.count('\n'), 1);
}

TEST(ReportOutput, DipoleRenderWritesTableAndPicturesTogetherWhenAskedTo)
{
    QTemporaryDir dir;
    const RunResult r = RunRender(
        {"--report", "--csv", "t.csv", "--out", dir.path(), "--colour", "Red", "--no-fill", "1.5"}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.startsWith("Length M, wavelengths   1.5\n"));
    EXPECT_TRUE(ReadFile(dir.filePath("t.csv")).startsWith("theta_deg,F,F_norm,dB\n0,0,0,-100\n"));
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    BuildPictures(polar, rect, clRed, 1.5, false);
    EXPECT_EQ(ReadFile(dir.filePath("dn1.bmp")), EncodeBmp(polar.image(), 32));
    EXPECT_EQ(ReadFile(dir.filePath("dn2.bmp")), EncodeBmp(rect.image(), 32));

    // A table that cannot be written fails the run.
    const RunResult failed = RunRender({"--csv", dir.filePath("missing/t.csv"), "1"}, dir.path());
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err, "dipole-render: cannot create " + QFile::encodeName(dir.filePath("missing/t.csv"))
                              + ": No such file or directory\n");
}
