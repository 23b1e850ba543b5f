// Sweeps of lengths: decimal stepping, refusals, frame names, the index, the
// progress bar, and dipole-render's --sweep and --format against single runs.
#include "base/AppError.h"
#include "plot/PictureFile.h"
#include "render/RenderArguments.h"
#include "render/Sweep.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QStringList LengthTexts(const std::vector<SweepFrame> &frames)
{
    QStringList texts;
    for (const SweepFrame &frame : frames)
        texts << frame.lengthText;
    return texts;
}

} // namespace

TEST(Sweep, StepsInDecimal)
{
    const std::vector<SweepFrame> frames = PlanSweep("0.1:3:0.1");
    ASSERT_EQ(frames.size(), 30u);
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].number, int(i) + 1);
        // Each length is the one a single run reads from the same text.
        const QString expected = QString::number((i + 1) / 10.0, 'f', 1);
        EXPECT_EQ(frames[i].lengthText, expected);
        EXPECT_EQ(frames[i].length, std::strtold(expected.toLatin1().constData(), nullptr)) << i;
    }
    EXPECT_EQ(frames.back().lengthText, "3.0");

    struct Case
    {
        const char *range;
        const char *lengths;
    };
    const Case cases[] = {
        {"0.1:1:0.3", "0.1 0.4 0.7 1.0"},          // lands on TO
        {"0.1:0.95:0.3", "0.1 0.4 0.7"},           // stops short of TO
        {"1:0:-0.25", "1.00 0.75 0.50 0.25 0.00"}, // downwards, STEP's decimals
        {"-0.2:0.2:0.1", "-0.2 -0.1 0.0 0.1 0.2"}, // zero without a sign
        {"0.10:0.3:0.1", "0.10 0.20 0.30"},        // FROM's decimals
        {"2:2:5", "2"},                            // one frame
        {"2:2:-5", "2"},
        {"+.5:1.5:.5", "0.5 1.0 1.5"},
        {"29:29.9999999999999999:0.5", "29.0 29.5"}, // TO just below 30
    };
    for (const Case &c : cases)
        EXPECT_EQ(LengthTexts(PlanSweep(c.range)).join(' '), c.lengths) << c.range;
}

TEST(Sweep, RefusesBeforeDrawing)
{
    const char *bad[] = {
        "1:2:0",
        "1:2:-0.1",
        "2:1:0.1", // no step, wrong direction
        "29:30:0.5",
        "29:31:5",
        "30:29:-1", // reaching 30
        "0:10:0.001",
        "0:1e9:1", // 10001 frames; not decimal
        "1:2",
        "1:2:3:4",
        "a:2:1",
        "1,5:2:1",
        ":2:1",
        "1:2:",
        ".:1:1",
        "0.0000000000000000001:1:1",
        "1234567890123456789:1:-1", // too many digits
        "0:1:0.5\n",                // a line break is no part of a number
    };
    for (const char *range : bad)
        EXPECT_THROW(PlanSweep(range), RenderUsageError) << range;
    EXPECT_EQ(PlanSweep("0:9.999:0.001").size(), size_t(kMaxSweepFrames));
    EXPECT_EQ(PlanSweep("-100000:-90001:1").size(), size_t(kMaxSweepFrames));
    try {
        PlanSweep("0:29.99:0.001");
        FAIL();
    } catch (const RenderUsageError &e) {
        EXPECT_STREQ(e.what(), "--sweep: 29991 frames are more than the 10000 a sweep may have");
    }
}

TEST(Sweep, FrameNamesSortInFrameOrder)
{
    EXPECT_EQ(SweepFrameFileName("dn1", 1, 30, "png"), "dn1-0001.png");
    EXPECT_EQ(SweepFrameFileName("dn2", 9999, 9999, "bmp"), "dn2-9999.bmp");
    EXPECT_EQ(SweepFrameFileName("dn1", 1, 10000, "svg"), "dn1-00001.svg");
    EXPECT_EQ(SweepFrameFileName("dn1", 10000, 10000, "svg"), "dn1-10000.svg");
}

TEST(Sweep, WritesFramesInOrderAndTheIndexLast)
{
    QTemporaryDir dir;
    QStringList written;
    const auto record = [&](const SweepFrame &frame, const QString &polar, const QString &rect) {
        written << frame.lengthText + ' ' + QDir(dir.path()).relativeFilePath(polar) + ' '
                       + QDir(dir.path()).relativeFilePath(rect);
        EXPECT_FALSE(QFile::exists(dir.filePath("sweep.csv")));
    };
    RunSweep(PlanSweep("0.5:1.5:0.5"), dir.path(), "png", record, nullptr);
    EXPECT_EQ(written, QStringList({"0.5 dn1-0001.png dn2-0001.png", "1.0 dn1-0002.png dn2-0002.png",
                                    "1.5 dn1-0003.png dn2-0003.png"}));
    QFile index(dir.filePath("sweep.csv"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = index.readAll().split('\n');
    ASSERT_EQ(rows.size(), 5); // header, three frames, and the final line break
    EXPECT_EQ(rows[0], "frame,length,hpbw_deg,bracket_deg,directivity,directivity_dbi,radiation_resistance_ohm,"
                       "input_resistance_ohm,side_lobe_level_db");
    EXPECT_TRUE(rows[1].startsWith("1,0.5,"));
    EXPECT_TRUE(rows[2].startsWith("2,1.0,"));
    EXPECT_TRUE(rows[3].startsWith("3,1.5,"));
    // The half-wave dipole's textbook figures: 78° half-power width,
    // directivity 1.64, 73 ohms; it has no side lobe (empty last column).
    const QList<QByteArray> halfWave = rows[1].split(',');
    ASSERT_EQ(halfWave.size(), 9);
    EXPECT_NEAR(halfWave[2].toDouble(), 78.1, 0.1);
    EXPECT_NEAR(halfWave[4].toDouble(), 1.641, 0.001);
    EXPECT_NEAR(halfWave[6].toDouble(), 73.1, 0.1);
    EXPECT_EQ(halfWave[8], "");
    // The full-wave dipole's feed sits at a current null: no input resistance.
    EXPECT_EQ(rows[2].split(',')[7], "");

    // A failing frame ends the sweep: no index, and the bar's line is ended.
    QByteArray shown;
    SweepProgress progress(
        3, [] { return qint64(0); }, [&](const QByteArray &text) { shown += text; });
    const auto failSecond = [](const SweepFrame &frame, const QString &, const QString &) {
        if (frame.number == 2)
            throw StreamWriteError();
    };
    QTemporaryDir failed;
    EXPECT_THROW(RunSweep(PlanSweep("0.5:1.5:0.5"), failed.path(), "bmp", failSecond, &progress), AppError);
    EXPECT_FALSE(QFile::exists(failed.filePath("sweep.csv")));
    EXPECT_TRUE(shown.endsWith('\n'));
}

TEST(Sweep, ProgressBarAtMostTenTimesASecond)
{
    qint64 now = 1000;
    QList<QByteArray> lines;
    SweepProgress progress(
        30, [&] { return now; }, [&](const QByteArray &text) { lines << text; });
    for (int done = 1; done <= 30; ++done) {
        now += 40; // 25 frames a second
        progress.frameDone(done);
    }
    progress.end();
    // Shown after frames 1, 4, 7, ..., 28 (every 120 ms) and on the last one.
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], "\r[#.............................]  1/30   3%     0:02 left ");
    EXPECT_EQ(lines[1], "\r[####..........................]  4/30  13%     0:02 left ");
    EXPECT_EQ(lines[10], "\r[##############################] 30/30 100%     0:00 left ");
    EXPECT_EQ(lines[11], "\n");
}

#ifdef DIPOLE_RENDER_PATH
namespace {

struct RenderRun
{
    int exitCode;
    QByteArray err;
};

RenderRun RunRender(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(DIPOLE_RENDER_PATH), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(DipoleRenderSweep, FramesAreTheSingleRunsPictures)
{
    for (const char *format : {"bmp", "png", "svg"}) {
        QTemporaryDir sweep, single;
        const RenderRun r = RunRender(
            {"--sweep", "0.1:0.3:0.1", "--format", format, "--colour", "Red", "--no-fill", "--out", sweep.path()});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.constData(); // not a terminal: no bar
        ASSERT_EQ(
            RunRender({"--format", format, "--colour", "Red", "--no-fill", "--out", single.path(), "0.2"}).exitCode, 0);
        const QString ext = QString::fromLatin1(format);
        for (const char *picture : {"dn1", "dn2"}) {
            const QByteArray frame = ReadFile(sweep.filePath(QStringLiteral("%1-0002.%2").arg(picture, ext)));
            EXPECT_FALSE(frame.isEmpty());
            EXPECT_TRUE(frame == ReadFile(single.filePath(QStringLiteral("%1.%2").arg(picture, ext)))) << format;
        }
        EXPECT_EQ(QDir(sweep.path()).entryList(QDir::Files).size(), 7); // 3 pairs and the index
        const QList<QByteArray> rows = ReadFile(sweep.filePath("sweep.csv")).split('\n');
        ASSERT_EQ(rows.size(), 5);
        EXPECT_TRUE(rows[1].startsWith("1,0.1,") && rows[2].startsWith("2,0.2,") && rows[3].startsWith("3,0.3,"));
    }
}

TEST(DipoleRenderSweep, RefusalsDrawNothing)
{
    for (const QStringList &args : {QStringList{"--sweep", "0.1:30:0.1"}, QStringList{"--sweep", "1:2:0"},
                                    QStringList{"--sweep", "2:1:0.5"}, QStringList{"--sweep", "0:2:0.0001"},
                                    QStringList{"--sweep", "0:1:0.5", "0.5"}, QStringList{"--format", "gif", "1"}}) {
        QTemporaryDir dir;
        const RenderRun r = RunRender(args + QStringList{"--out", dir.path()});
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << args.join(' ').toStdString();
    }
}

TEST(DipoleRenderSweep, FormatsNameTheFiles)
{
    QTemporaryDir dir;
    ASSERT_EQ(RunRender({"--format", "PDF", "--out", dir.path(), "1"}).exitCode, 0);
    EXPECT_TRUE(ReadFile(dir.filePath("dn1.pdf")).startsWith("%PDF-"));
    EXPECT_TRUE(ReadFile(dir.filePath("dn2.pdf")).startsWith("%PDF-"));
    ASSERT_EQ(RunRender({"--format", "svg", "--out", dir.path(), "--family", "0.5:Red"}).exitCode, 0);
    EXPECT_TRUE(ReadFile(dir.filePath("dn2.svg")).contains(">M=0.5</text>"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
}
#endif
