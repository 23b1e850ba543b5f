#include "Arguments.h"
#include "plot/DrawingSurface.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"
#include "render/RenderOptions.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstring>
#include <map>

namespace {

RenderOptions Parse(std::initializer_list<const char *> args)
{
    return ParseRenderOptions(Args(args));
}

} // namespace

TEST(RenderOptions, DefaultsAndOptions)
{
    const RenderOptions d = Parse({"1.5"});
    EXPECT_TRUE(d.fill);
    EXPECT_EQ(d.colour, clNavy);
    EXPECT_TRUE(d.outDirectory.isEmpty());
    EXPECT_EQ(d.length, 1.5L);
    EXPECT_EQ(d.format, PictureFormat::Bmp);
    EXPECT_TRUE(d.sweep.empty());

    const RenderOptions o = Parse({"--no-fill", "--colour", "fuchsia", "--out", "/tmp/x", "0.25"});
    EXPECT_FALSE(o.fill);
    EXPECT_EQ(o.colour, clFuchsia);
    EXPECT_EQ(o.outDirectory, QStringLiteral("/tmp/x"));
    EXPECT_EQ(o.length, 0.25L);

    EXPECT_EQ(Parse({"--colour=1A2B3C", "2"}).colour, RgbColor(0x1A, 0x2B, 0x3C));
    EXPECT_EQ(Parse({"--format=Svg", "2"}).format, PictureFormat::Svg);
    const RenderOptions sweep = Parse({"--format", "png", "--sweep", "-1:1:0.5", "--colour", "red"});
    EXPECT_EQ(sweep.format, PictureFormat::Png);
    EXPECT_EQ(sweep.sweep.size(), 5u);
    EXPECT_EQ(sweep.colour, clRed);
    EXPECT_TRUE(Parse({"--help"}).help);
}

TEST(RenderOptions, NegativeLengthsAreLengthsNotOptions)
{
    EXPECT_EQ(Parse({"-0.5"}).length, -0.5L);
    EXPECT_EQ(Parse({"--", "-0.5"}).length, -0.5L);
    EXPECT_EQ(Parse({"--no-fill", "-.5"}).length, -0.5L);
    EXPECT_EQ(Parse({"1e1"}).length, 10.0L);
    // Parsed in extended precision, so the limit check sees the typed value.
    EXPECT_LT(Parse({"29.99999999999999999"}).length, kLengthLimit);
}

TEST(RenderOptions, ColourNamesInAnyCaseOrHexDigits)
{
    TColor c = 0;
    EXPECT_TRUE(ParseRenderColour(QStringLiteral("mAROON"), c));
    EXPECT_EQ(c, clMaroon);
    EXPECT_TRUE(ParseRenderColour(QStringLiteral("WHITE"), c));
    EXPECT_EQ(c, clWhite);
    EXPECT_TRUE(ParseRenderColour(QStringLiteral("ff0000"), c)); // RRGGBB, not the stored order
    EXPECT_EQ(c, clRed);
    for (const char *bad : {"Grey", "12345", "1234567", "GGGGGG", ""})
        EXPECT_FALSE(ParseRenderColour(QString::fromLatin1(bad), c)) << bad;
}

TEST(RenderOptions, BadCommandLinesAreRefused)
{
    const std::initializer_list<const char *> bad[] = {
        {},         // no length
        {"1", "2"}, // two lengths
        {"1,5"},    // comma separator
        {"abc"},
        {"nan"},
        {"inf"},
        {"1e5000"}, // overflows to infinity
        {"--colour", "Mauve", "1"},
        {"--colour"}, // missing value
        {"--out", "", "1"},
        {"--frobnicate", "1"},
        {"-x", "1"},
        {"--no-fill=yes", "1"},
        {"--format", "gif", "1"},
        {"--format"},
        {"--sweep", "0:1:0.5", "1"}, // a sweep and a length
        {"--sweep", "0:1:0.5", "--family", "1:Red"},
        // A trailing line break is no part of a number or a colour.
        {"1\n"},
        {"--colour", "ff0000\n", "1"},
        {"--family", "1\n:Navy"},
        {"--family", "0.5:ff0000\n"},
        // A second family list would silently replace the first.
        {"--family", "0.5:Navy", "--family", "1:Red"},
    };
    for (const auto &args : bad)
        EXPECT_THROW(Parse(args), RenderUsageError) << (args.size() ? *args.begin() : "(none)");
}

TEST(RenderOptions, LongArgumentsAreCutInMessages)
{
    const QString huge(100000, QLatin1Char('7'));
    for (const QStringList &args : {QStringList{huge + "x"}, QStringList{"1", huge}, QStringList{"--colour", huge, "1"},
                                    QStringList{"--family", huge + ":Navy,x"}, QStringList{"--" + huge}}) {
        try {
            ParseRenderOptions(args);
            ADD_FAILURE() << "accepted";
        } catch (const RenderUsageError &e) {
            EXPECT_LT(std::strlen(e.what()), 200u) << std::string(e.what()).substr(0, 200);
            EXPECT_NE(std::string(e.what()).find("777..."), std::string::npos) << std::string(e.what()).substr(0, 200);
        }
    }
    // Short arguments are shown whole.
    try {
        ParseRenderOptions({"--colour", "Mauve", "1"});
    } catch (const RenderUsageError &e) {
        EXPECT_STREQ(e.what(), "unknown colour \"Mauve\": use a colour name such as Navy or RRGGBB in hex");
    }
}

TEST(RenderOptionTable, EveryOptionGivenTwiceIsRefused)
{
    // A value each option accepts; every option that --help lists needs one
    // here, so that a new option is checked as well.
    const std::map<QString, QStringList> accepted = {
        {"--help", {}},
        {"--no-fill", {}},
        {"--colour", {"Red"}},
        {"--out", {"d"}},
        {"--format", {"png"}},
        {"--family", {"0.5:Navy"}},
        {"--sweep", {"0:1:0.5"}},
        {"--report", {}},
        {"--json", {}},
        {"--csv", {"t.csv"}},
        {"--step", {"1"}},
        {"--style", {"labelled"}},
        {"--scale", {"db"}},
        {"--range", {"30"}},
        {"--size", {"800x600"}},
        {"--fill", {}},
        {"--readouts", {}},
        {"--lobes", {}},
        {"--radius", {"0.001"}},
        {"--nec", {}},
        {"--impedance", {"0.1:3"}},
        {"--z0", {"50"}},
        {"--ohms", {"-200:300"}},
        {"--current", {}},
        {"--length", {"10m"}},
        {"--diameter", {"2mm"}},
        {"--swr-limit", {"3"}},
        {"--touchstone", {"t.s1p"}},
        {"--measured", {"m.s1p"}},
        {"--measured-pattern", {"t.csv"}},
        {"--measured-scale", {"db"}},
        {"--frequency", {"14MHz"}},
        {"--ground", {"perfect"}},
        {"--height", {"0.25"}},
        {"--height-sweep", {"0.1:1"}},
        {"--orientation", {"vertical"}},
        {"--monopole", {}},
        {"--permittivity", {"13"}},
        {"--conductivity", {"0.005"}},
        {"--3d", {"s.stl"}},
        {"--3d-resolution", {"1"}},
        {"--3d-scale", {"db"}},
        {"--3d-view", {"v.png"}},
        {"--view-azimuth", {"10"}},
        {"--view-elevation", {"10"}},
    };
    const QRegularExpression optionName(QStringLiteral("--[a-z0-9][a-z0-9-]*"));
    QStringList listed;
    for (const QRegularExpressionMatch &m : optionName.globalMatch(RenderUsage()))
        listed << m.captured();
    listed.removeDuplicates();
    ASSERT_GE(listed.size(), int(accepted.size()));
    for (const QString &option : listed) {
        const auto row = accepted.find(option);
        if (row == accepted.end()) {
            ADD_FAILURE() << "no accepted value for " << option.toStdString();
            continue;
        }
        const QStringList once = QStringList{option} + row->second;
        try {
            ParseRenderOptions(once + once + QStringList{"1"});
            ADD_FAILURE() << option.toStdString() << " accepted twice";
        } catch (const RenderUsageError &e) {
            EXPECT_EQ(std::string(e.what()), option.toStdString() + " given twice: give it once");
        }
    }
    // Two spellings of one option are one option given twice.
    for (const QStringList &twice :
         {QStringList{"--colour", "Red", "--color", "Navy", "1"}, QStringList{"-h", "--help"}})
        EXPECT_THROW(ParseRenderOptions(twice), RenderUsageError) << twice.join(' ').toStdString();
}

TEST(RenderOptionTable, StepBoundsAreInclusive)
{
    EXPECT_EQ(Parse({"--csv", "t.csv", "--step", "0.001", "1"}).csvStep, 0.001L);
    EXPECT_EQ(Parse({"--csv", "t.csv", "--step=360", "1"}).csvStep, 360.0L);
    for (const char *step : {"0.0009999", "360.0001"})
        EXPECT_THROW(Parse({"--csv", "t.csv", "--step", step, "1"}), RenderUsageError) << step;
}

TEST(RenderOptionTable, PictureOptionsWithTheNumbersNeedPicturesToWrite)
{
    struct Case
    {
        const char *name;
        std::initializer_list<const char *> args;
        bool accepted;
    };
    const Case cases[] = {
        {"format bmp with report", {"--report", "--format", "bmp", "1"}, false},
        {"format png with csv", {"--csv", "t.csv", "--format", "png", "1"}, false},
        {"format with report and out", {"--report", "--format", "bmp", "--out", "d", "1"}, true},
        {"no-fill with report", {"--report", "--no-fill", "1"}, false},
        {"colour with csv and out", {"--csv", "t.csv", "--colour", "Red", "--out", "d", "1"}, true},
        {"format alone", {"--format", "bmp", "1"}, true},
    };
    for (const Case &c : cases) {
        if (c.accepted)
            EXPECT_NO_THROW(Parse(c.args)) << c.name;
        else
            EXPECT_THROW(Parse(c.args), RenderUsageError) << c.name;
    }
}

TEST(RenderOptionTable, EveryEchoedValueIsCut)
{
    const QString huge(100000, QLatin1Char('7'));
    const QString zeros(100000, QLatin1Char('0'));
    const QStringList cases[] = {
        {"--step", huge},
        {"--csv", "t.csv", "--step", huge, "1"},
        {"--format", huge, "1"},
        {"--sweep", huge},                  // not FROM:TO:STEP
        {"--sweep", huge + "x:1:0.1"},      // not a decimal number
        {"--sweep", "0:1:0." + huge},       // too many digits
        {"--sweep", "0:1:-" + zeros + "1"}, // leads away from TO
        {"--sweep", "0:" + zeros + "31:1"}, // reaches the limit
        {"--out", "d", "--unknown" + huge, "1"},
    };
    for (const QStringList &args : cases) {
        try {
            ParseRenderOptions(args);
            ADD_FAILURE() << "accepted " << args.first().toStdString();
        } catch (const RenderUsageError &e) {
            const std::string message = e.what();
            EXPECT_LT(message.size(), 200u) << message.substr(0, 200);
            EXPECT_NE(message.find("..."), std::string::npos) << message.substr(0, 200);
        }
    }
    // A character outside the basic plane is never cut in half.
    const QString clefs = QString(59, QLatin1Char('a')) + QString::fromUtf8("\U0001D11E") + QStringLiteral("bbbb");
    EXPECT_EQ(ShownArgument(clefs), QString(59, QLatin1Char('a')) + QStringLiteral("..."));
}

#ifdef DIPOLE_RENDER_PATH
#include "RenderProcess.h"

TEST(DipoleRender, WritesTheBuildCommandsPictures)
{
    QTemporaryDir dir;
    const RunResult r = RunRender({"--colour", "Red", "--", "-1.5"}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();

    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    BuildPictures(polar, rect, clRed, 1.5, true);
    EXPECT_EQ(ReadFile(dir.filePath("dn1.bmp")), EncodeBmp(polar.image(), 32));
    EXPECT_EQ(ReadFile(dir.filePath("dn2.bmp")), EncodeBmp(rect.image(), 32));

    QTemporaryDir out;
    ASSERT_EQ(RunRender({"--no-fill", "--out", out.path(), "0.5"}, dir.path()).exitCode, 0);
    BuildPictures(polar, rect, clNavy, 0.5, false);
    EXPECT_EQ(ReadFile(out.filePath("dn1.bmp")), EncodeBmp(polar.image(), 32));
}

TEST(DipoleRender, ExitStatusesAndMessages)
{
    QTemporaryDir dir;
    const RunResult tooLong = RunRender({"30"}, dir.path());
    EXPECT_EQ(tooLong.exitCode, 2);
    EXPECT_TRUE(tooLong.err.startsWith("dipole-render: LENGTH 30 is too long: give a LENGTH below 30 wavelengths"));
    EXPECT_FALSE(QFile::exists(dir.filePath("dn1.bmp")));

    const RunResult bad = RunRender({"--colour", "Mauve", "1"}, dir.path());
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err.count('\n'), 1);

    const RunResult help = RunRender({"--help"}, dir.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: dipole-render"));
    EXPECT_TRUE(help.out.contains("Exit status: 0 ")) << help.out.constData();

    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const RunResult failed = RunRender({"--out", dir.filePath("plain/x"), "1"}, dir.path());
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.startsWith("dipole-render: cannot create ")) << failed.err.constData();
}

TEST(DipoleRender, TheCommandLineIsItsOwnNotQts)
{
    // Qt would take "-platform" for its own option and its next argument for
    // the platform's name; here it is only the name of the output folder.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("-platform"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const RunResult r = RunRender({"--out", "-platform", "--family", "0.5:Navy"}, dir.path(), environment);
    EXPECT_EQ(r.exitCode, 0);
    // A successful run says nothing, even without a runtime directory.
    EXPECT_EQ(r.err, QByteArray());
    EXPECT_TRUE(QFile::exists(dir.filePath("-platform/dn1.bmp")));

    const RunResult twice = RunRender({"--family", "0.5:Navy", "--family", "1:Red"}, dir.path());
    EXPECT_EQ(twice.exitCode, 2);
    EXPECT_EQ(twice.err.count('\n'), 1) << twice.err.constData();
}
#endif
