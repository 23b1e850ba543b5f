// The solid's mesh over a table of antennas, scales and steps: a closed,
// consistently turned, manifold surface (MeshChecks.h) with the grid's
// counts, every vertex on the pattern it was asked for (the pattern taken
// again in the test from the vertex's own direction), the ground disc flat
// and facing down; its volume against an independent integral of r³/3 over
// the directions; and the checker itself against broken meshes.
#include "MeshChecks.h"
#include "physics/GroundImage.h"
#include "solid/SolidColours.h"
#include "solid/SolidMesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<CheckPoint> pointsOf(const SolidMesh &mesh)
{
    std::vector<CheckPoint> points;
    for (const SolidPoint &p : mesh.points)
        points.push_back({p.x, p.y, p.z});
    return points;
}

std::vector<CheckTriangle> trianglesOf(const SolidMesh &mesh)
{
    std::vector<CheckTriangle> triangles;
    for (const SolidTriangle &t : mesh.triangles)
        triangles.push_back({t.a, t.b, t.c});
    return triangles;
}

// The dipole's pattern written out again, in doubles.
double dipoleF(double M, double theta)
{
    const double s = std::sin(theta);
    return s == 0.0 ? 0.0 : std::fabs((std::cos(kPi * M * std::cos(theta)) - std::cos(kPi * M)) / s);
}

// A pattern by the direction's unit vector.
using Reference = std::function<double(double x, double y, double z)>;

double polar(double x, double y, double z)
{
    return std::atan2(std::hypot(x, y), z);
}

Reference dipoleReference(double M)
{
    return [M](double x, double y, double z) { return dipoleF(M, polar(x, y, z)); };
}

Reference groundReference(double M, double h, GroundOrientation o)
{
    return [=](double x, double y, double z) {
        return GroundPattern(M, h, o, kPi / 2.0 - polar(x, y, z), std::atan2(y, x));
    };
}

Reference monopoleReference(double M)
{
    return [M](double x, double y, double z) { return z < 0.0 ? -1.0 : dipoleF(M, polar(x, y, z)); };
}

// A pattern with no symmetry, zero in one direction (θ = 90°, φ = 180°).
double lopsided(double x, double, double)
{
    return (1.0 + x) / 2.0;
}

SolidMesh lopsidedSolid(const SolidOptions &options)
{
    SolidPattern pattern;
    pattern.value = [](double theta, double phi) { return lopsided(std::sin(theta) * std::cos(phi), 0.0, 0.0); };
    return BuildSolid(pattern, options);
}

struct SolidCase
{
    const char *name;
    std::function<SolidMesh(const SolidOptions &)> build;
    Reference reference;
    SolidOptions options;
    bool upperHalf;
};

SolidOptions linear(double step)
{
    return {step, SolidScale::Linear, 40.0};
}

SolidOptions decibel(double step, double range)
{
    return {step, SolidScale::Decibel, range};
}

const SolidCase kCases[] = {
    {"HalfWave1", [](const SolidOptions &o) { return DipoleSolid(0.5, o); }, dipoleReference(0.5), linear(1.0), false},
    {"HalfWave2", [](const SolidOptions &o) { return DipoleSolid(0.5, o); }, dipoleReference(0.5), linear(2.0), false},
    {"HalfWave5", [](const SolidOptions &o) { return DipoleSolid(0.5, o); }, dipoleReference(0.5), linear(5.0), false},
    {"HalfWaveCoarsest", [](const SolidOptions &o) { return DipoleSolid(0.5, o); }, dipoleReference(0.5), linear(45.0),
     false},
    {"OneAndHalf2", [](const SolidOptions &o) { return DipoleSolid(1.5, o); }, dipoleReference(1.5), linear(2.0),
     false},
    {"OneAndHalfStep7", [](const SolidOptions &o) { return DipoleSolid(1.5, o); }, dipoleReference(1.5), linear(7.0),
     false},
    {"TenWaves1", [](const SolidOptions &o) { return DipoleSolid(10.0, o); }, dipoleReference(10.0), linear(1.0),
     false},
    {"HalfWaveDecibel", [](const SolidOptions &o) { return DipoleSolid(0.5, o); }, dipoleReference(0.5),
     decibel(2.0, 40.0), false},
    {"TenWavesDecibel", [](const SolidOptions &o) { return DipoleSolid(10.0, o); }, dipoleReference(10.0),
     decibel(1.0, 30.0), false},
    {"Lopsided3", lopsidedSolid, lopsided, linear(3.0), false},
    {"HorizontalHalfWaveAtHalf",
     [](const SolidOptions &o) { return GroundSolid(0.5, 0.5, GroundOrientation::Horizontal, o); },
     groundReference(0.5, 0.5, GroundOrientation::Horizontal), linear(2.0), true},
    {"HorizontalHigh1", [](const SolidOptions &o) { return GroundSolid(1.5, 2.3, GroundOrientation::Horizontal, o); },
     groundReference(1.5, 2.3, GroundOrientation::Horizontal), linear(1.0), true},
    {"HorizontalDecibel",
     [](const SolidOptions &o) { return GroundSolid(0.5, 0.25, GroundOrientation::Horizontal, o); },
     groundReference(0.5, 0.25, GroundOrientation::Horizontal), decibel(3.0, 20.0), true},
    {"VerticalHalfWave", [](const SolidOptions &o) { return GroundSolid(0.5, 0.5, GroundOrientation::Vertical, o); },
     groundReference(0.5, 0.5, GroundOrientation::Vertical), linear(2.0), true},
    {"VerticalLongHigh", [](const SolidOptions &o) { return GroundSolid(1.5, 1.2, GroundOrientation::Vertical, o); },
     groundReference(1.5, 1.2, GroundOrientation::Vertical), linear(1.0), true},
    {"QuarterWaveMonopole", [](const SolidOptions &o) { return MonopoleSolid(0.5, o); }, monopoleReference(0.5),
     linear(3.0), true},
    {"MonopoleDecibel", [](const SolidOptions &o) { return MonopoleSolid(1.5, o); }, monopoleReference(1.5),
     decibel(1.0, 40.0), true},
};

class SolidMeshTest : public testing::TestWithParam<SolidCase>
{
};

TEST_P(SolidMeshTest, IsAClosedTurnedManifoldWithTheGridsCounts)
{
    const SolidCase &c = GetParam();
    const SolidMesh mesh = c.build(c.options);
    const MeshReport report = CheckMesh(pointsOf(mesh), trianglesOf(mesh));
    EXPECT_EQ(report.problem, "");
    EXPECT_EQ(report.euler, 2);
    EXPECT_GT(report.volume, 0.0);

    const int nPhi = SolidGridSteps(360.0, c.options.stepDegrees);
    const int nTheta = SolidGridSteps(c.upperHalf ? 90.0 : 180.0, c.options.stepDegrees);
    const int rings = c.upperHalf ? nTheta : nTheta - 1;
    EXPECT_LE(360.0 / nPhi, c.options.stepDegrees + 1e-9);
    EXPECT_EQ(mesh.points.size(), std::size_t(2 + rings * nPhi));
    EXPECT_EQ(mesh.triangles.size(), std::size_t(2 * rings * nPhi));
    ASSERT_EQ(mesh.normals.size(), mesh.points.size());
    ASSERT_EQ(mesh.levels.size(), mesh.points.size());
    ASSERT_EQ(mesh.shown.size(), mesh.points.size());
}

// Each vertex lies on the pattern taken at its own direction: the right
// angles, the right normalisation, the scale and the floor where it
// vanishes.
TEST_P(SolidMeshTest, EveryVertexLiesOnThePattern)
{
    const SolidCase &c = GetParam();
    const SolidMesh mesh = c.build(c.options);
    std::vector<double> expected(mesh.points.size(), 0.0);
    double maximum = 0.0;
    for (std::size_t v = 0; v < mesh.points.size(); ++v) {
        const SolidPoint &p = mesh.points[v];
        const double r = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        if (r == 0.0)
            continue; // the origin under the ground disc
        expected[v] = c.reference(p.x / r, p.y / r, p.z / r);
        maximum = std::max(maximum, expected[v]);
    }
    for (std::size_t v = 0; v < mesh.points.size(); ++v) {
        const SolidPoint &p = mesh.points[v];
        const double r = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        if (r == 0.0)
            continue;
        ASSERT_GE(expected[v], 0.0) << "vertex " << v << " below the ground";
        const double level = expected[v] / maximum;
        double shown = level;
        if (c.options.scale == SolidScale::Decibel)
            shown = level > 0.0 ? std::max(0.0, 1.0 + 20.0 * std::log10(level) / c.options.decibelFloor) : 0.0;
        ASSERT_NEAR(mesh.levels[v], level, 1e-9) << "vertex " << v;
        ASSERT_NEAR(mesh.shown[v], shown, 1e-9) << "vertex " << v;
        ASSERT_NEAR(r, std::max(shown, kSolidFloorRadius), 1e-9) << "vertex " << v;
        ASSERT_NEAR(std::hypot(mesh.normals[v].x, mesh.normals[v].y, mesh.normals[v].z), 1.0, 1e-12);
    }
}

// Over the ground, the solid keeps to the upper half space and its last
// triangles are the disc in the ground plane, facing down.
TEST_P(SolidMeshTest, TheGroundDiscIsFlatAndFacesDown)
{
    const SolidCase &c = GetParam();
    const SolidMesh mesh = c.build(c.options);
    if (!c.upperHalf) {
        EXPECT_EQ(mesh.firstGroundTriangle, mesh.triangles.size());
        return;
    }
    for (const SolidPoint &p : mesh.points)
        ASSERT_GE(p.z, 0.0);
    ASSERT_LT(mesh.firstGroundTriangle, mesh.triangles.size());
    for (std::size_t i = mesh.firstGroundTriangle; i < mesh.triangles.size(); ++i) {
        const SolidTriangle &t = mesh.triangles[i];
        const SolidPoint &a = mesh.points[t.a], &b = mesh.points[t.b], &d = mesh.points[t.c];
        ASSERT_EQ(a.z, 0.0);
        ASSERT_EQ(b.z, 0.0);
        ASSERT_EQ(d.z, 0.0);
        ASSERT_LT((b.x - a.x) * (d.y - a.y) - (b.y - a.y) * (d.x - a.x), 0.0) << "triangle " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SolidMeshTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SolidCase> &info) { return std::string(info.param.name); });

// (1/3)∫r³ dΩ by Simpson's rule on a fine grid, r = F/Fmax over the
// directions of θ from 0 to thetaEnd, φ all round (or once for a pattern
// that does not depend on φ).
double volumeIntegral(const std::function<double(double, double)> &r, double thetaEnd, bool symmetric)
{
    const int nTheta = symmetric ? 2000 : 400;
    const int nPhi = symmetric ? 2 : 360;
    auto simpson = [](int i, int n) { return i == 0 || i == n ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0); };
    double sum = 0.0;
    for (int j = 0; j <= nPhi; ++j) {
        const double phi = 2.0 * kPi * j / nPhi;
        double ring = 0.0;
        for (int i = 0; i <= nTheta; ++i) {
            const double theta = thetaEnd * i / nTheta;
            ring += simpson(i, nTheta) * std::pow(r(theta, phi), 3) * std::sin(theta);
        }
        sum += simpson(j, nPhi) * ring * (thetaEnd / nTheta / 3.0);
    }
    return sum * (2.0 * kPi / nPhi / 3.0) / 3.0;
}

struct VolumeCase
{
    const char *name;
    std::function<SolidMesh()> build;
    std::function<double(double, double)> r;
    double thetaEnd;
    bool symmetric;
    double tolerance; // relative: the grid's error, of the order of the step squared
};

// The facets fall short of the curved surface by about 0.92 h² of the
// volume for the dipole (h the step in radians: 2.8e-4 at 1°, four times that
// at 2°, 25 times at 5°) and by up to 3.8 h² over the ground; the
// tolerances leave a quarter more. A cap or band left out, or a misplaced
// ring, costs far more.

double horizontalR(double theta, double phi)
{
    // The maximum, 2, is straight up: F(90°) = 1 times the array factor 2.
    return GroundPattern(0.5, 0.5, GroundOrientation::Horizontal, kPi / 2.0 - theta, phi) / 2.0;
}

const VolumeCase kVolumeCases[] = {
    {"HalfWave1", [] { return DipoleSolid(0.5, linear(1.0)); }, [](double t, double) { return dipoleF(0.5, t); }, kPi,
     true, 3.5e-4},
    {"HalfWave2", [] { return DipoleSolid(0.5, linear(2.0)); }, [](double t, double) { return dipoleF(0.5, t); }, kPi,
     true, 1.4e-3},
    {"HalfWave5", [] { return DipoleSolid(0.5, linear(5.0)); }, [](double t, double) { return dipoleF(0.5, t); }, kPi,
     true, 8.8e-3},
    {"Monopole1", [] { return MonopoleSolid(0.5, linear(1.0)); }, [](double t, double) { return dipoleF(0.5, t); },
     kPi / 2.0, true, 3.5e-4},
    {"HorizontalOverGround1", [] { return GroundSolid(0.5, 0.5, GroundOrientation::Horizontal, linear(1.0)); },
     horizontalR, kPi / 2.0, false, 1.5e-3},
    {"HorizontalOverGround2", [] { return GroundSolid(0.5, 0.5, GroundOrientation::Horizontal, linear(2.0)); },
     horizontalR, kPi / 2.0, false, 5.8e-3},
};

class SolidVolumeTest : public testing::TestWithParam<VolumeCase>
{
};

TEST_P(SolidVolumeTest, MatchesTheIntegralOfRCubed)
{
    const VolumeCase &c = GetParam();
    const SolidMesh mesh = c.build();
    const double volume = CheckMesh(pointsOf(mesh), trianglesOf(mesh)).volume;
    const double expected = volumeIntegral(c.r, c.thetaEnd, c.symmetric);
    EXPECT_NEAR(volume / expected, 1.0, c.tolerance) << "mesh " << volume << ", integral " << expected;
}

INSTANTIATE_TEST_SUITE_P(Cases, SolidVolumeTest, testing::ValuesIn(kVolumeCases),
                         [](const testing::TestParamInfo<VolumeCase> &info) { return std::string(info.param.name); });

// The checker catches the faults a mesh builder makes.
struct BrokenCase
{
    const char *name;
    std::function<void(std::vector<CheckPoint> &, std::vector<CheckTriangle> &)> breakIt;
};

const BrokenCase kBrokenCases[] = {
    {"OneTriangleFlipped", [](auto &, auto &t) { std::swap(t[100].b, t[100].c); }},
    {"PoleFanDropped", [](auto &, auto &t) { t.erase(t.begin(), t.begin() + 180); }},
    {"OneTriangleDropped", [](auto &, auto &t) { t.erase(t.begin() + 500); }},
    {"TriangleTwice", [](auto &, auto &t) { t.push_back(t[500]); }},
    {"RingCollapsedToThePole",
     [](auto &p, auto &) {
         for (std::size_t v = 1; v <= 180; ++v)
             p[v] = p[0];
     }},
    {"TwoVerticesAtOnePlace", [](auto &p, auto &) { p[5000] = p[5001]; }},
    {"SpareVertex",
     [](auto &p, auto &) {
         p.push_back({5.0, 5.0, 5.0});
     }},
};

class BrokenMeshTest : public testing::TestWithParam<BrokenCase>
{
};

TEST_P(BrokenMeshTest, IsRefused)
{
    const SolidMesh mesh = DipoleSolid(1.5, linear(2.0));
    std::vector<CheckPoint> points = pointsOf(mesh);
    std::vector<CheckTriangle> triangles = trianglesOf(mesh);
    ASSERT_EQ(CheckMesh(points, triangles).problem, "");
    GetParam().breakIt(points, triangles);
    EXPECT_NE(CheckMesh(points, triangles).problem, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenMeshTest, testing::ValuesIn(kBrokenCases),
                         [](const testing::TestParamInfo<BrokenCase> &info) { return std::string(info.param.name); });

TEST(SolidStep, IsTakenFromTheFinestToTheCoarsest)
{
    const struct
    {
        double degrees;
        bool taken;
    } rows[] = {
        {0.1, true},   {0.5, true},   {1.0, true},   {7.0, true},  {45.0, true},      {0.0, false},
        {-1.0, false}, {0.09, false}, {45.5, false}, {NAN, false}, {INFINITY, false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(SolidStepError(row.degrees).empty(), row.taken) << row.degrees;
        if (!row.taken && std::isfinite(row.degrees)) {
            EXPECT_NE(SolidStepError(row.degrees).find("from 0.1 to 45 degrees"), std::string::npos) << row.degrees;
        }
        if (!row.taken) {
            EXPECT_THROW(DipoleSolid(0.5, linear(row.degrees)), std::invalid_argument) << row.degrees;
        }
    }
}

TEST(SolidStep, DividesTheSpanIntoWholeSteps)
{
    const struct
    {
        double span, step;
        int steps;
    } rows[] = {{180.0, 0.1, 1800}, {360.0, 0.1, 3600}, {180.0, 1.0, 180}, {90.0, 7.0, 13},
                {360.0, 45.0, 8},   {180.0, 0.3, 600},  {90.0, 0.7, 129}};
    for (const auto &row : rows)
        EXPECT_EQ(SolidGridSteps(row.span, row.step), row.steps) << row.span << " by " << row.step;
}

TEST(SolidPattern, ThatVanishesOrIsNotFiniteIsRefused)
{
    SolidPattern pattern;
    for (double value : {0.0, double(NAN), -1.0, double(INFINITY)}) {
        pattern.value = [value](double, double) { return value; };
        EXPECT_THROW(BuildSolid(pattern, linear(5.0)), std::invalid_argument) << value;
    }
    EXPECT_THROW(DipoleSolid(0.5, decibel(5.0, 0.0)), std::invalid_argument);
}

TEST(LevelColour, RunsFromBlueThroughCyanGreenAndYellowToRed)
{
    const struct
    {
        double level;
        int red, green, blue;
    } rows[] = {{0.0, 0, 0, 255},     {0.125, 0, 128, 255}, {0.25, 0, 255, 255}, {0.5, 0, 255, 0}, {0.75, 255, 255, 0},
                {0.875, 255, 128, 0}, {1.0, 255, 0, 0},     {-0.5, 0, 0, 255},   {1.5, 255, 0, 0}, {NAN, 0, 0, 255}};
    for (const auto &row : rows) {
        const SolidColour c = LevelColour(row.level);
        EXPECT_EQ(c.red, row.red) << row.level;
        EXPECT_EQ(c.green, row.green) << row.level;
        EXPECT_EQ(c.blue, row.blue) << row.level;
    }
}

} // namespace
