// dipole-render's solid run as a process: --3d FILE in each format with the
// facts a reader of the file checks (counts, sizes, a closed surface),
// --3d-view's picture, and the refusals. The triangle counts follow from
// the grid: at a step of s degrees the whole sphere has 180/s steps in θ
// and 360/s in φ, so (180/s − 2)·(360/s)·2 triangles between its rings and
// 360/s in each pole's fan; the upper half space has 90/s steps in θ and
// its ground disc's fan in place of the lower pole's.
#include "Arguments.h"
#include "RenderProcess.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct SolidCase
{
    const char *name;
    std::initializer_list<const char *> args;
    const char *file;
    long triangles;
};

// clang-format off
const SolidCase kSolids[] = {
    {"FreeSpaceStl", {"--3d", "s.stl", "0.5"}, "s.stl", (90 - 2) * 180 * 2 + 2 * 180},
    {"FreeSpaceCoarsePly", {"--3d", "s.ply", "--3d-resolution", "5", "1.5"}, "s.ply", (36 - 2) * 72 * 2 + 2 * 72},
    {"FreeSpaceDecibelObj", {"--3d", "s.OBJ", "--3d-scale", "db", "--3d-resolution", "10", "1.25"}, "s.OBJ", (18 - 2) * 36 * 2 + 2 * 36},
    {"OverTheGroundPly", {"--3d", "g.ply", "--ground", "perfect", "--height", "0.5", "0.5"}, "g.ply", (45 - 1) * 180 * 2 + 2 * 180},
    {"VerticalOverTheGroundStl", {"--3d", "g.stl", "--ground", "perfect", "--orientation", "vertical", "--height", "0.5", "0.5"},
     "g.stl", (45 - 1) * 180 * 2 + 2 * 180},
    {"MonopoleObj", {"--3d", "m.obj", "--3d-resolution", "3", "--monopole", "0.5"}, "m.obj", (30 - 1) * 120 * 2 + 2 * 120},
};
// clang-format on

// The vertex and triangle counts a file declares or holds.
struct Counts
{
    long vertices = -1;
    long triangles = -1;
};

long plyCount(const QByteArray &header, const QByteArray &element)
{
    const qsizetype at = header.indexOf("element " + element + ' ');
    if (at < 0)
        return -1;
    const qsizetype from = at + element.size() + 9;
    return header.mid(from, header.indexOf('\n', from) - from).toLong();
}

Counts countsOf(const QByteArray &bytes, const QByteArray &suffix)
{
    Counts counts;
    if (suffix == "stl") {
        if (bytes.size() < 84)
            return counts;
        quint32 t = 0;
        std::memcpy(&t, bytes.constData() + 80, 4);
        counts.triangles = qFromLittleEndian(t);
        // Its size is the reader's only check of a binary STL.
        EXPECT_EQ(bytes.size(), 84 + 50 * counts.triangles);
        return counts;
    }
    if (suffix == "ply") {
        EXPECT_TRUE(bytes.startsWith("ply\nformat binary_little_endian 1.0\n"));
        const QByteArray header = bytes.left(bytes.indexOf("end_header\n"));
        counts.vertices = plyCount(header, "vertex");
        counts.triangles = plyCount(header, "face");
        return counts;
    }
    counts.vertices = counts.triangles = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        counts.vertices += line.startsWith("v ") ? 1 : 0;
        counts.triangles += line.startsWith("f ") ? 1 : 0;
    }
    return counts;
}

TEST(DipoleRenderSolid, WritesEachFormat)
{
    for (const SolidCase &c : kSolids) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const RunResult run = RunRender(Args(c.args), dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromLatin1(c.file)});
        const QByteArray bytes = ReadFile(dir.filePath(QLatin1String(c.file)));
        const Counts counts = countsOf(bytes, QByteArray(c.file).right(3).toLower());
        EXPECT_EQ(counts.triangles, c.triangles);
        // A closed surface: V − E + F = 2 with E = 3F/2.
        if (counts.vertices >= 0) {
            EXPECT_EQ(2 * counts.vertices - counts.triangles, 4);
        }
    }
}

TEST(DipoleRenderSolid, ViewPictureSizes)
{
    struct ViewCase
    {
        std::initializer_list<const char *> args;
        QSize size;
    };
    const ViewCase cases[] = {
        {{"--3d-view", "v.png", "0.5"}, QSize(800, 800)},
        {{"--3d-view", "v.png", "--size", "320x200", "--view-azimuth", "-90", "--view-elevation", "45", "--monopole",
          "0.5"},
         QSize(320, 200)},
        {{"--3d", "v.stl", "--3d-view", "v.png", "--ground", "perfect", "--height", "0.25", "0.5"}, QSize(800, 800)},
    };
    for (const ViewCase &c : cases) {
        QTemporaryDir dir;
        const RunResult run = RunRender(Args(c.args), dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const QImage image(dir.filePath(QStringLiteral("v.png")));
        EXPECT_EQ(image.size(), c.size);
        // Not a blank page: the solid is drawn on it.
        EXPECT_NE(image.pixel(c.size.width() / 2, c.size.height() / 2), qRgb(255, 255, 255));
    }
}

struct SolidRefusal
{
    const char *name;
    std::initializer_list<const char *> args;
    int status;
    const char *message; // the start of the message after "dipole-render: "
};

// clang-format off
const SolidRefusal kRefusals[] = {
    {"BadExtension", {"--3d", "s.png", "0.5"}, 2, "--3d \"s.png\" needs a file name ending in .ply, .obj or .stl"},
    {"NoExtension", {"--3d", "solid", "0.5"}, 2, "--3d \"solid\" needs a file name ending in .ply, .obj or .stl"},
    {"ViewNotPng", {"--3d-view", "v.jpg", "0.5"}, 2, "--3d-view \"v.jpg\" needs a file name ending in .png"},
    {"ResolutionZero", {"--3d", "s.stl", "--3d-resolution", "0", "0.5"}, 2, "--3d-resolution 0 is not a step: give one from 0.1 to 45 degrees"},
    {"ResolutionTooFine", {"--3d", "s.stl", "--3d-resolution", "0.01", "0.5"}, 2, "--3d-resolution 0.01 is finer than the finest step, 0.1 degrees"},
    {"ResolutionTooCoarse", {"--3d", "s.stl", "--3d-resolution", "90", "0.5"}, 2, "--3d-resolution 90 is coarser than the coarsest step, 45 degrees"},
    {"ResolutionNotANumber", {"--3d", "s.stl", "--3d-resolution", "fine", "0.5"}, 2, "--3d-resolution \"fine\" is not a number of degrees"},
    {"ResolutionAlone", {"--3d-resolution", "1", "0.5"}, 2, "--3d-resolution and --3d-scale go with --3d or --3d-view"},
    {"ScaleUnknown", {"--3d", "s.stl", "--3d-scale", "log", "0.5"}, 2, "unknown --3d-scale \"log\": use linear or db"},
    {"AzimuthWithoutView", {"--3d", "s.stl", "--view-azimuth", "10", "0.5"}, 2, "--view-azimuth and --view-elevation go with --3d-view"},
    {"ElevationTooHigh", {"--3d-view", "v.png", "--view-elevation", "91", "0.5"}, 2, "--view-elevation 91 is not an elevation from -90 to 90"},
    {"SolidWithReport", {"--3d", "s.stl", "--report", "0.5"}, 2, "--3d and --3d-view write the solid of one LENGTH"},
    {"SolidOfAFamily", {"--3d", "s.stl", "--family", "0.5:Red"}, 2, "--3d and --3d-view write the solid of one LENGTH"},
    {"SolidWithNec", {"--3d", "s.stl", "--nec", "--radius", "0.001", "0.5"}, 2, "--3d and --3d-view write the solid of one LENGTH"},
    {"NoLength", {"--3d", "s.stl", "0"}, 2, "--3d and --3d-view need a LENGTH other than 0"},
    {"SizeWithoutView", {"--3d", "s.stl", "--size", "300x300", "0.5"}, 2, "--size goes with --3d-view"},
    {"UnwritableFolder", {"--3d", "missing/s.stl", "0.5"}, 1, "cannot create missing/s.stl"},
};
// clang-format on

class SolidRefused : public ::testing::TestWithParam<SolidRefusal>
{
};

// One line naming the option (or the file) and the reason, nothing written.
TEST_P(SolidRefused, WithItsReasonAndNothingWritten)
{
    QTemporaryDir dir;
    const RunResult run = RunRender(Args(GetParam().args), dir.path());
    EXPECT_EQ(run.exitCode, GetParam().status);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith(QByteArray("dipole-render: ") + GetParam().message)) << run.err.constData();
    EXPECT_EQ(run.err.count('\n'), 1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, SolidRefused, ::testing::ValuesIn(kRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
