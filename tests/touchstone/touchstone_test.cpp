// One-port Touchstone files, each written by hand in one variant: the
// values they hold are worked out on paper beside them (DB −6.0206 is a
// magnitude of 0.5; MA 0.5 at 180° is −0.5).
#include "touchstone/MeasuredSweep.h"
#include "touchstone/TouchstoneReader.h"
#include "touchstone/TouchstoneWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct Variant
{
    const char *name;
    const char *file;
    const char *text;
    std::size_t points;
    double reference;
    double lastFrequency; // hertz
    double real, imag;    // S11 of the last point
};

// clang-format off
const Variant kVariants[] = {
    {"DefaultsAreGhzMa50", "a.s1p", "#\n1 0.5 180\n", 1, 50, 1e9, -0.5, 0},
    {"RealImaginaryInMhz", "a.s1p", "# MHz S RI R 50\n14 0.1 -0.2\n14.5 0.3 0.4\n", 2, 50, 14.5e6, 0.3, 0.4},
    {"DecibelAngleInKhz", "a.S1P", "# khz s db r 75\n7000 -6.0205999132796239 90\n", 1, 75, 7e6, 0, 0.5},
    {"HertzAnyCaseAnyOrder", "a.s1p", "# R 73.5 ri Hz\n0 1 0\n", 1, 73.5, 0, 1, 0},
    {"CommentsEverywhere", "a.s1p", "! made by hand\n# MHz S RI R 50 ! option\n! between\n1 0.1 0.2 ! after\n\n! more\n2 0.3 0.4\n", 2, 50, 2e6, 0.3, 0.4},
    {"ValuesOnePerLine", "a.s1p", "# Hz S RI R 50\n1\n0.1\n0.2\n2 0.3\n0.4\n", 2, 50, 2, 0.3, 0.4},
    {"CarriageReturnsAndTabs", "a.s1p", "# Hz S RI R 50\r\n1\t0.1\t0.2\r\n", 1, 50, 1, 0.1, 0.2},
    {"PlusSignsAndExponents", "a.s1p", "# Hz S RI R 50\n+1.5E+03 +1e-1 -2.5E-01\n", 1, 50, 1500, 0.1, -0.25},
    {"LaterOptionLinesPassedOver", "a.s1p", "# MHz S RI R 50\n1 0.1 0.2\n# GHz S MA R 75\n2 0.3 0.4\n", 2, 50, 2e6, 0.3, 0.4},
    {"NameWithoutExtension", "measured", "# Hz S RI\n5 0.1 0.2\n", 1, 50, 5, 0.1, 0.2},
    {"VersionTwo", "a.ts", "[Version] 2.0\n# MHz S MA R 50\n[Number of Ports] 1\n[Number of Frequencies] 2\n[Network Data]\n1 0.5 180\n2 0.5 0\n[End]\n", 2, 50, 2e6, 0.5, 0},
    {"VersionTwoReferenceKeyword", "a.ts", "[Version] 2.0\n# Hz S RI R 50\n[Number of Ports] 1\n[Reference]\n75\n[Number of Frequencies] 1\n[Matrix Format] Full\n[Network Data]\n1 0.1 0.2\n[End]\n", 1, 75, 1, 0.1, 0.2},
    {"VersionTwoInformationSkipped", "a.ts", "[Version] 2.1\n# Hz S RI R 50\n[Number of Ports] 1\n[Begin Information]\nanything 1 2 [x]\n[End Information]\n[Number of Frequencies] 1\n[Network Data]\n1 0.1 0.2\n[End]\nafter the end\n", 1, 50, 1, 0.1, 0.2},
};

struct BadFile
{
    const char *name;
    const char *file;
    std::string text;
    int line;
    const char *reason; // the start of the reason
};

const BadFile kBadFiles[] = {
    {"Empty", "a.s1p", "", 0, "the file is empty"},
    {"CommentsOnly", "a.s1p", "! nothing\n\n", 0, "the file holds no data"},
    {"TwoPortByName", "a.s2p", "# Hz S RI\n1 0 0 0 0 0 0 0 0\n", 0, "a file of 2 ports (.s2p); a one-port file (.s1p) is needed"},
    {"TwoPortLine", "a.dat", "# Hz S RI\n1 0 0 0 0 0 0 0 0\n", 2, "the line holds more numbers than a one-port point"},
    {"TwoPortVersionTwo", "a.ts", "[Version] 2.0\n# Hz S RI\n[Number of Ports] 2\n", 3, "the file describes 2 ports; a one-port file is needed"},
    {"NoOptionLine", "a.s1p", "1 0.1 0.2\n", 1, "the option line (# …) must come before the data"},
    {"BadOption", "a.s1p", "# MHz S XY R 50\n1 0 0\n", 1, "the option line's \"XY\" is none of"},
    {"ZParameters", "a.s1p", "# MHz Z RI R 50\n1 0 0\n", 1, "the file holds Z parameters; a one-port file of S parameters is needed"},
    {"ReferenceMissing", "a.s1p", "# MHz S RI R\n1 0 0\n", 1, "the option line's R is not followed"},
    {"ReferenceZero", "a.s1p", "# MHz S RI R 0\n1 0 0\n", 1, "the reference resistance \"0\" is not a number above 0"},
    {"FrequenciesFall", "a.s1p", "# Hz S RI\n2 0 0\n1 0 0\n", 3, "the frequency 1 does not increase on the one before"},
    {"FrequencyRepeated", "a.s1p", "# Hz S RI\n2 0 0\n2 0 0\n", 3, "the frequency 2 does not increase"},
    {"FrequencyNegative", "a.s1p", "# Hz S RI\n-1 0 0\n", 2, "the frequency -1 is negative"},
    {"NotANumber", "a.s1p", "# Hz S RI\n1 nan 0\n", 2, "\"nan\" is not a number"},
    {"Infinity", "a.s1p", "# Hz S RI\n1 0 inf\n", 2, "\"inf\" is not a number"},
    {"Word", "a.s1p", "# Hz S RI\n1 0.1 abc\n", 2, "\"abc\" is not a number"},
    {"TruncatedLast", "a.s1p", "# Hz S RI\n1 0 0\n2 0.5\n", 3, "the point is cut short"},
    {"TruncatedMiddle", "a.s1p", "# Hz S RI\n1 0.5\n2 0.1 0.2\n", 2, "the point is cut short"},
    {"DecibelsBeyondAny", "a.s1p", "# Hz S DB\n1 1e308 0\n", 2, "the value is beyond any reflection coefficient"},
    {"Binary", "a.s1p", std::string("# Hz S RI\n1 0\0 0\n", 17), 2, "the line holds binary data (byte \\x00)"},
    {"LineOfAMegabyte", "a.s1p", "# Hz S RI\n! " + std::string(1 << 20, 'x') + "\n", 2, "the line is longer than 65536 bytes"},
    {"VersionOneKeyword", "a.s1p", "# Hz S RI\n[Network Data]\n", 2, "[NETWORK DATA] belongs to version 2 files"},
    {"UnknownVersion", "a.ts", "[Version] 3.0\n", 1, "[Version] \"3.0\" is not a version read here"},
    {"DataBeforeNetworkData", "a.ts", "[Version] 2.0\n# Hz S RI\n[Number of Ports] 1\n1 0 0\n", 4, "data before [Network Data]"},
    {"CountMissing", "a.ts", "[Version] 2.0\n# Hz S RI\n[Number of Ports] 1\n[Network Data]\n", 4, "[Network Data] must come after"},
    {"FewerPointsThanCounted", "a.ts", "[Version] 2.0\n# Hz S RI\n[Number of Ports] 1\n[Number of Frequencies] 2\n[Network Data]\n1 0 0\n[End]\n", 7, "[Number of Frequencies] is 2, but the file holds 1 points"},
    {"MorePointsThanCounted", "a.ts", "[Version] 2.0\n# Hz S RI\n[Number of Ports] 1\n[Number of Frequencies] 1\n[Network Data]\n1 0 0\n2 0 0\n", 7, "the file holds more points than"},
    {"NoiseData", "a.ts", "[Version] 2.0\n# Hz S RI\n[Number of Ports] 1\n[Noise Data]\n", 4, "[NOISE DATA] belongs to a file of more than one port"},
    {"UnknownKeyword", "a.ts", "[Version] 2.0\n# Hz S RI\n[Colour] red\n", 3, "[COLOUR] is not a keyword"},
};
// clang-format on

class TouchstoneVariant : public ::testing::TestWithParam<Variant>
{
};

TEST_P(TouchstoneVariant, IsReadAsWritten)
{
    const Variant &v = GetParam();
    const OnePortData data = ReadTouchstone(v.text, v.file);
    ASSERT_EQ(data.points.size(), v.points);
    EXPECT_EQ(data.referenceResistance, v.reference);
    EXPECT_DOUBLE_EQ(data.points.back().frequency, v.lastFrequency);
    EXPECT_NEAR(data.points.back().reflection.real(), v.real, 1e-12);
    EXPECT_NEAR(data.points.back().reflection.imag(), v.imag, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Files, TouchstoneVariant, ::testing::ValuesIn(kVariants),
                         [](const auto &info) { return std::string(info.param.name); });

class TouchstoneBadFile : public ::testing::TestWithParam<BadFile>
{
};

TEST_P(TouchstoneBadFile, IsRefusedWithItsLineAndReason)
{
    const BadFile &b = GetParam();
    try {
        ReadTouchstone(b.text, b.file);
        FAIL() << "read without complaint";
    } catch (const TouchstoneError &error) {
        EXPECT_EQ(error.line(), b.line) << error.what();
        EXPECT_EQ(std::string(error.what()).rfind(b.reason, 0), 0u) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, TouchstoneBadFile, ::testing::ValuesIn(kBadFiles),
                         [](const auto &info) { return std::string(info.param.name); });

// What is written reads back as the same doubles, whatever they are.
TEST(TouchstoneWriter, WritesWhatIsReadBack)
{
    OnePortData data;
    data.referenceResistance = 73.25;
    for (int i = 0; i < 50; ++i)
        data.points.push_back({13e6 + i * 1e4 + 0.1, std::polar(1.0 / (i + 1.3), i * 0.77)});
    const std::string text = WriteTouchstone(data, {"14 MHz half-wave dipole", "theory\nand NEC-2"});
    const std::string head = "! 14 MHz half-wave dipole\n! theory\n! and NEC-2\n# Hz S RI R 73.25\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const OnePortData back = ReadTouchstone(text, "x.s1p");
    EXPECT_EQ(back.referenceResistance, data.referenceResistance);
    ASSERT_EQ(back.points.size(), data.points.size());
    for (std::size_t i = 0; i < data.points.size(); ++i) {
        EXPECT_EQ(back.points[i].frequency, data.points[i].frequency);
        EXPECT_EQ(back.points[i].reflection, data.points[i].reflection);
    }
    data.points[7].reflection = {NAN, 0.0};
    EXPECT_THROW(WriteTouchstone(data, {}), std::domain_error);
}

} // namespace

// A measurement made on 75 Ω read against 50 Ω: a 75 Ω load (Γ = 0 in the
// file) is Γ = 0.2 and SWR 1.5 on 50 Ω; an open circuit stays one.
TEST(MeasuredSweep, ReflectionsAreReadAgainstTheModelsReference)
{
    const OnePortData data = ReadTouchstone("# MHz S RI R 75\n14 0 0\n15 1 0\n", "m.s1p");
    const std::vector<FrequencyPoint> points = MeasuredPoints(data, 50.0);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].frequency, 14e6);
    EXPECT_NEAR(std::abs(points[0].reflection - 0.2), 0.0, 1e-15);
    EXPECT_NEAR(*points[0].swr, 1.5, 1e-14);
    EXPECT_FALSE(points[1].input);
    EXPECT_EQ(points[1].reflection, 1.0);
}
