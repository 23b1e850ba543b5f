// dipole-render's labelled pictures: the options that ask for them, what
// they make of a command line, and the program writing them in the user's
// language.
#include "Arguments.h"
#include "RenderProcess.h"
#include "render/LabelledRender.h"
#include "render/RenderOptions.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct AcceptedCase
{
    const char *name;
    std::vector<const char *> args;
    RenderOptions::Style style;
    LabelledScale scale;
    double rangeDb;
    QSize size;
    bool fillFamily;
    bool readoutsLine;
};

class LabelledOptionsAccepted : public ::testing::TestWithParam<AcceptedCase>
{
};

TEST_P(LabelledOptionsAccepted, AreRead)
{
    const AcceptedCase &c = GetParam();
    QStringList list;
    for (const char *a : c.args)
        list << QString::fromUtf8(a);
    const RenderOptions o = ParseRenderOptions(list);
    EXPECT_EQ(o.style, c.style);
    EXPECT_EQ(o.scale, c.scale);
    EXPECT_EQ(o.rangeDb, c.rangeDb);
    EXPECT_EQ(o.size, c.size);
    EXPECT_EQ(o.fillFamily, c.fillFamily);
    EXPECT_EQ(o.readoutsLine, c.readoutsLine);
}

using Style = RenderOptions::Style;
const AcceptedCase kAccepted[] = {
    {"PlainByDefault", {"1.5"}, Style::Plain, LabelledScale::Linear, 40.0, QSize(), false, false},
    {"PlainNamed", {"--style", "plain", "1.5"}, Style::Plain, LabelledScale::Linear, 40.0, QSize(), false, false},
    {"Labelled", {"--style", "labelled", "1.5"}, Style::Labelled, LabelledScale::Linear, 40.0, QSize(), false, false},
    {"AnyLetterCase",
     {"--style=Labelled", "--scale=DB", "1.5"},
     Style::Labelled,
     LabelledScale::Decibel,
     40.0,
     QSize(),
     false,
     false},
    {"Decibels",
     {"--style", "labelled", "--scale", "db", "--range", "25.5", "1.5"},
     Style::Labelled,
     LabelledScale::Decibel,
     25.5,
     QSize(),
     false,
     false},
    {"RangeEnds",
     {"--style", "labelled", "--scale", "db", "--range", "120", "1"},
     Style::Labelled,
     LabelledScale::Decibel,
     120.0,
     QSize(),
     false,
     false},
    {"Size",
     {"--style", "labelled", "--size", "1200x900", "1.5"},
     Style::Labelled,
     LabelledScale::Linear,
     40.0,
     QSize(1200, 900),
     false,
     false},
    {"SmallestSize",
     {"--style", "labelled", "--size", "560X440", "1.5"},
     Style::Labelled,
     LabelledScale::Linear,
     40.0,
     QSize(560, 440),
     false,
     false},
    {"FilledFamilyWithReadouts",
     {"--style", "labelled", "--fill", "--readouts", "--family", "0.5:Red,1:Blue"},
     Style::Labelled,
     LabelledScale::Linear,
     40.0,
     QSize(),
     true,
     true},
    {"LabelledPicturesBesideTheReport",
     {"--report", "--out", "/tmp", "--style", "labelled", "--readouts", "1.5"},
     Style::Labelled,
     LabelledScale::Linear,
     40.0,
     QSize(),
     false,
     true},
};
INSTANTIATE_TEST_SUITE_P(CommandLines, LabelledOptionsAccepted, ::testing::ValuesIn(kAccepted),
                         [](const auto &info) { return std::string(info.param.name); });

struct RefusedCase
{
    const char *name;
    std::vector<const char *> args;
    const char *message; // a part of the message
};

class LabelledOptionsRefused : public ::testing::TestWithParam<RefusedCase>
{
};

TEST_P(LabelledOptionsRefused, WithTheReason)
{
    const RefusedCase &c = GetParam();
    QStringList list;
    for (const char *a : c.args)
        list << QString::fromUtf8(a);
    try {
        ParseRenderOptions(list);
        FAIL() << "accepted";
    } catch (const RenderUsageError &e) {
        EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
}

const RefusedCase kRefused[] = {
    {"UnknownStyle", {"--style", "fancy", "1"}, "unknown style \"fancy\""},
    {"UnknownScale", {"--style", "labelled", "--scale", "log", "1"}, "unknown scale \"log\""},
    {"ScaleWithoutLabelled", {"--scale", "db", "1"}, "go with --style labelled"},
    {"SizeWithPlainStyle", {"--style", "plain", "--size", "800x800", "1"}, "go with --style labelled"},
    {"FillWithoutLabelled", {"--fill", "--family", "0.5:Red"}, "go with --style labelled"},
    {"ReadoutsWithoutLabelled", {"--readouts", "1"}, "go with --style labelled"},
    {"RangeWithLinearScale", {"--style", "labelled", "--range", "30", "1"}, "--range goes with --scale db"},
    {"RangeTooSmall", {"--style", "labelled", "--scale", "db", "--range", "9.9", "1"}, "from 10 to 120"},
    {"RangeTooLarge", {"--style", "labelled", "--scale", "db", "--range", "121", "1"}, "from 10 to 120"},
    {"RangeNotANumber", {"--style", "labelled", "--scale", "db", "--range", "40dB", "1"}, "from 10 to 120"},
    {"SizeTooSmall", {"--style", "labelled", "--size", "199x600", "1"}, "each from 200 to 8000"},
    {"SizeTooSmallToRead", {"--style", "labelled", "--size", "200x200", "1"}, "too small to read: give at least"},
    {"ImpedanceSizeWithoutOut", {"--impedance", "0.4:0.6", "--size", "1600x1000"}, "add --out DIR to write it"},
    {"CurrentSweepSize",
     {"--current", "--size", "1600x1000", "--out", "d", "--sweep", "1:2:1"},
     "go with --style labelled"},
    {"SizeTooFlatToRead", {"--style", "labelled", "--size", "2000x300", "1"}, "too small to read: give at least"},
    {"SizeTooWide", {"--style", "labelled", "--size", "8001x600", "1"}, "each from 200 to 8000"},
    {"SizeTooManyPixels", {"--style", "labelled", "--size", "8000x6000", "1"}, "at most 40 million pixels"},
    {"SizeOneNumber", {"--style", "labelled", "--size", "800", "1"}, "WIDTHxHEIGHT"},
    {"SizeNegative", {"--style", "labelled", "--size", "-800x600", "1"}, "WIDTHxHEIGHT"},
    {"SizeHugeDigits", {"--style", "labelled", "--size", "99999999999x1", "1"}, "WIDTHxHEIGHT"},
    {"FillAndNoFill", {"--style", "labelled", "--fill", "--no-fill", "1"}, "either --fill or --no-fill"},
    {"StyleWithoutPictures", {"--report", "--style", "labelled", "1"}, "add --out DIR"},
    {"StyleTwice", {"--style", "labelled", "--style", "plain", "1"}, "given twice"},
};
INSTANTIATE_TEST_SUITE_P(CommandLines, LabelledOptionsRefused, ::testing::ValuesIn(kRefused),
                         [](const auto &info) { return std::string(info.param.name); });

// A family keeps the rows the plain family draws; a single curve is filled
// as the plain one is, a family only when asked.
TEST(LabelledRenderPatterns, FollowTheCommandLine)
{
    const RenderOptions family = ParseRenderOptions(
        Args({"--style", "labelled", "--family", "0.5:Red,0:Blue,-1:Green,30:Navy,29.5:Teal,1.5:Olive"}));
    const LabelledPatterns familyPatterns = LabelledRenderPatterns(family, 0.0L);
    ASSERT_EQ(familyPatterns.patterns().size(), 3u);
    EXPECT_EQ(familyPatterns.patterns()[0].curve.colour, clRed);
    EXPECT_EQ(familyPatterns.patterns()[1].curve.length, 29.5);
    EXPECT_EQ(familyPatterns.patterns()[2].curve.colour, clOlive);

    const RenderOptions single = ParseRenderOptions(Args({"--style", "labelled", "--colour", "Teal", "1.5"}));
    const LabelledPatterns singlePatterns = LabelledRenderPatterns(single, 0.75L);
    ASSERT_EQ(singlePatterns.patterns().size(), 1u);
    EXPECT_EQ(singlePatterns.patterns()[0].curve.length, 0.75) << "a sweep's frame gives its own length";
    EXPECT_EQ(singlePatterns.patterns()[0].curve.colour, clTeal);

    EXPECT_EQ(LabelledRenderSizes(single).polar, kLabelledPolarSize);
    EXPECT_EQ(LabelledRenderSizes(single).rectangular, kLabelledRectangularSize);
    // Each picture keeps its own proportion within the size given.
    const struct
    {
        const char *size;
        QSize polar, rectangular;
    } sizes[] = {{"640x480", {480, 480}, {640, 400}},
                 {"3000x3000", {3000, 3000}, {3000, 1875}},
                 {"1600x600", {600, 600}, {960, 600}}};
    for (const auto &s : sizes) {
        const RenderOptions sized = ParseRenderOptions(Args({"--style", "labelled", "--size", s.size, "1"}));
        EXPECT_EQ(LabelledRenderSizes(sized).polar, s.polar) << s.size;
        EXPECT_EQ(LabelledRenderSizes(sized).rectangular, s.rectangular) << s.size;
    }
}

QProcessEnvironment environmentWithLanguage(const char *lang)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
    return environment;
}

QString pdfText(const QString &path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    EXPECT_TRUE(tool.waitForFinished(30000));
    return QString::fromUtf8(tool.readAllStandardOutput()).remove(QLatin1Char(' '));
}

// The program's words follow the user's locale.
TEST(LabelledRenderProgram, WritesInTheUsersLanguage)
{
    const struct
    {
        const char *lang;
        const char *title;
        const char *axis;
    } cases[] = {{"ru_RU.UTF-8", "M=1,5λ", "осьвибратора"}, {"C.UTF-8", "M=1.5λ", "dipoleaxis"}};
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const RunResult run = RunRender(Args({"--style", "labelled", "--format", "pdf", "--readouts", "1.5"}),
                                        dir.path(), environmentWithLanguage(c.lang));
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
        const QString polar = pdfText(dir.filePath(QStringLiteral("dn1.pdf")));
        EXPECT_TRUE(polar.contains(QString::fromUtf8(c.title))) << c.lang << polar.toStdString();
        EXPECT_TRUE(polar.contains(QString::fromUtf8(c.axis))) << c.lang;
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("dn2.pdf"))));
    }
}

// The wire's pictures fit the size asked for in their own proportion.
TEST(LabelledRenderProgram, WirePicturesTakeASize)
{
    const struct
    {
        std::initializer_list<const char *> args;
        const char *file;
        QSize size;
    } cases[] = {{{"--impedance", "0.4:0.6", "--size", "1600x1600"}, "impedance.png", {1600, 1000}},
                 {{"--current", "--size", "1200x800", "1.5"}, "current.png", {1200, 750}}};
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const RunResult run = RunRender(Args(c.args) + Args({"--format", "png", "--out", "d"}), dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(QImage(dir.filePath(QStringLiteral("d/") + QLatin1String(c.file))).size(), c.size) << c.file;
    }
}

// A labelled animation: every frame at the size asked for, listed in
// sweep.csv, the same frames as single runs of their lengths.
TEST(LabelledRenderProgram, SweepsLabelledFrames)
{
    QTemporaryDir dir;
    const RunResult run =
        RunRender(Args({"--style", "labelled", "--format", "png", "--size", "640x480", "--sweep", "0.5:1.5:0.5"}),
                  dir.path(), environmentWithLanguage("C.UTF-8"));
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    // Each picture keeps its proportion within the size.
    for (const char *name : {"dn1-0001.png", "dn1-0003.png"})
        EXPECT_EQ(QImage(dir.filePath(QString::fromLatin1(name))).size(), QSize(480, 480)) << name;
    for (const char *name : {"dn2-0001.png", "dn2-0003.png"})
        EXPECT_EQ(QImage(dir.filePath(QString::fromLatin1(name))).size(), QSize(640, 400)) << name;
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("sweep.csv"))));

    QTemporaryDir single;
    ASSERT_EQ(RunRender(Args({"--style", "labelled", "--format", "png", "--size", "640x480", "1.0"}), single.path(),
                        environmentWithLanguage("C.UTF-8"))
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(dir.filePath(QStringLiteral("dn1-0002.png"))),
              ReadFile(single.filePath(QStringLiteral("dn1.png"))));
}

// --style plain is what the program always drew; the labelled pictures are
// something else and refuse a length the readouts refuse, in either sign.
TEST(LabelledRenderProgram, PlainStaysAndLabelledRefusesLongDipoles)
{
    QTemporaryDir plain;
    QTemporaryDir named;
    ASSERT_EQ(RunRender(Args({"1.5"}), plain.path()).exitCode, 0);
    ASSERT_EQ(RunRender(Args({"--style", "plain", "1.5"}), named.path()).exitCode, 0);
    EXPECT_EQ(ReadFile(plain.filePath(QStringLiteral("dn1.bmp"))), ReadFile(named.filePath(QStringLiteral("dn1.bmp"))));

    QTemporaryDir labelled;
    ASSERT_EQ(RunRender(Args({"--style", "labelled", "1.5"}), labelled.path()).exitCode, 0);
    EXPECT_NE(ReadFile(labelled.filePath(QStringLiteral("dn1.bmp"))),
              ReadFile(plain.filePath(QStringLiteral("dn1.bmp"))));

    for (const char *length : {"30", "-30", "-45.5"}) {
        QTemporaryDir dir;
        const RunResult run = RunRender(Args({"--style", "labelled", "--", length}), dir.path());
        EXPECT_EQ(run.exitCode, 2) << length;
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << length;
    }
}

} // namespace
