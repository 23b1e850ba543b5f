#include "SolidMesh.h"

#include "physics/PatternFunction.h"
#include "physics/ShortestText.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Where the vertices of the grid lie: the top pole, the rings of nPhi
// vertices from the top down, and the bottom vertex (the lower pole, or the
// origin under an upper half).
struct GridShape
{
    int rings = 0;
    int nPhi = 0;
    double thetaStep = 0.0; // radians, ring k at k·thetaStep
    bool upperHalf = false;

    std::uint32_t ringVertex(int ring, int j) const { return std::uint32_t(1 + (ring - 1) * nPhi + (j % nPhi)); }
    std::uint32_t bottom() const { return std::uint32_t(1 + rings * nPhi); }
    std::size_t vertexCount() const { return std::size_t(2) + std::size_t(rings) * std::size_t(nPhi); }
};

GridShape gridShape(bool upperHalf, double stepDegrees)
{
    GridShape g;
    g.upperHalf = upperHalf;
    const double spanDegrees = upperHalf ? 90.0 : 180.0;
    const int nTheta = SolidGridSteps(spanDegrees, stepDegrees);
    g.rings = upperHalf ? nTheta : nTheta - 1;
    g.nPhi = SolidGridSteps(360.0, stepDegrees);
    g.thetaStep = (upperHalf ? kPi / 2.0 : kPi) / nTheta;
    return g;
}

// The ring's polar angle; the upper half's last ring exactly at π/2, so that
// the ground pattern is taken at elevation 0.
double ringTheta(const GridShape &g, int ring)
{
    if (g.upperHalf && ring == g.rings)
        return kPi / 2.0;
    return g.thetaStep * ring;
}

double ringPhi(const GridShape &g, int j)
{
    return 2.0 * kPi * (double(j) / g.nPhi);
}

// The pattern at every vertex but the origin (which shows 0).
std::vector<double> samplePattern(const SolidPattern &pattern, const GridShape &g)
{
    std::vector<double> values(g.vertexCount(), 0.0);
    values[0] = pattern.value(0.0, 0.0);
    for (int k = 1; k <= g.rings; ++k) {
        const double theta = ringTheta(g, k);
        const double ringValue = pattern.symmetric ? pattern.value(theta, 0.0) : 0.0;
        for (int j = 0; j < g.nPhi; ++j)
            values[g.ringVertex(k, j)] = pattern.symmetric ? ringValue : pattern.value(theta, ringPhi(g, j));
    }
    if (!g.upperHalf)
        values[g.bottom()] = pattern.value(kPi, 0.0);
    return values;
}

double shownLevel(double level, const SolidOptions &options)
{
    if (options.scale == SolidScale::Linear)
        return level;
    if (!(level > 0.0))
        return 0.0;
    const double dB = 20.0 * std::log10(level);
    return std::max(0.0, (dB + options.decibelFloor) / options.decibelFloor);
}

void placeVertices(SolidMesh &mesh, const GridShape &g)
{
    auto place = [&mesh](std::uint32_t v, double x, double y, double z) {
        const double r = std::max(mesh.shown[v], kSolidFloorRadius);
        mesh.points[v] = {r * x, r * y, r * z};
    };
    // The ring's sines and cosines of φ, taken once for every ring.
    std::vector<double> cosPhi(std::size_t(g.nPhi)), sinPhi(std::size_t(g.nPhi));
    for (int j = 0; j < g.nPhi; ++j) {
        cosPhi[std::size_t(j)] = std::cos(ringPhi(g, j));
        sinPhi[std::size_t(j)] = std::sin(ringPhi(g, j));
    }
    place(0, 0.0, 0.0, 1.0);
    for (int k = 1; k <= g.rings; ++k) {
        const double theta = ringTheta(g, k);
        const double s = std::sin(theta);
        // The upper half's last ring lies in the ground plane exactly.
        const double z = g.upperHalf && k == g.rings ? 0.0 : std::cos(theta);
        for (int j = 0; j < g.nPhi; ++j)
            place(g.ringVertex(k, j), s * cosPhi[std::size_t(j)], s * sinPhi[std::size_t(j)], z);
    }
    if (!g.upperHalf)
        place(g.bottom(), 0.0, 0.0, -1.0);
}

// Counterclockwise seen from outside: θ grows down the rings and φ
// eastwards, and the outward normal is e_θ × e_φ.
void connect(SolidMesh &mesh, const GridShape &g)
{
    auto &t = mesh.triangles;
    t.reserve(std::size_t(2) * std::size_t(g.nPhi) * std::size_t(g.rings));
    for (int j = 0; j < g.nPhi; ++j)
        t.push_back({0, g.ringVertex(1, j), g.ringVertex(1, j + 1)});
    for (int k = 1; k < g.rings; ++k) {
        for (int j = 0; j < g.nPhi; ++j) {
            const std::uint32_t a = g.ringVertex(k, j);
            const std::uint32_t b = g.ringVertex(k, j + 1);
            const std::uint32_t c = g.ringVertex(k + 1, j);
            const std::uint32_t d = g.ringVertex(k + 1, j + 1);
            t.push_back({a, c, d});
            t.push_back({a, d, b});
        }
    }
    mesh.firstGroundTriangle = g.upperHalf ? t.size() : t.size() + std::size_t(g.nPhi);
    for (int j = 0; j < g.nPhi; ++j)
        t.push_back({g.ringVertex(g.rings, j), g.bottom(), g.ringVertex(g.rings, j + 1)});
}

SolidPoint cross(const SolidPoint &u, const SolidPoint &v)
{
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}

SolidPoint minus(const SolidPoint &p, const SolidPoint &q)
{
    return {p.x - q.x, p.y - q.y, p.z - q.z};
}

// Each vertex's normal: the sum of its curved triangles' normals weighted by
// their areas, so the ground disc's crease leaves the rim's shading alone.
// The origin under an upper half faces straight down.
void averageNormals(SolidMesh &mesh)
{
    mesh.normals.assign(mesh.points.size(), SolidPoint{});
    for (std::size_t i = 0; i < mesh.firstGroundTriangle; ++i) {
        const SolidTriangle &t = mesh.triangles[i];
        const SolidPoint n =
            cross(minus(mesh.points[t.b], mesh.points[t.a]), minus(mesh.points[t.c], mesh.points[t.a]));
        for (std::uint32_t v : {t.a, t.b, t.c}) {
            mesh.normals[v].x += n.x;
            mesh.normals[v].y += n.y;
            mesh.normals[v].z += n.z;
        }
    }
    for (std::size_t v = 0; v < mesh.points.size(); ++v) {
        SolidPoint &n = mesh.normals[v];
        const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        n = length > 0.0 ? SolidPoint{n.x / length, n.y / length, n.z / length} : SolidPoint{0.0, 0.0, -1.0};
    }
}

} // namespace

int SolidGridSteps(double spanDegrees, double stepDegrees)
{
    // A step that divides the span up to rounding (0.1 into 180) gives the
    // whole number of steps, not one more.
    return int(std::ceil(spanDegrees / stepDegrees - 1e-9));
}

std::string SolidStepError(double degrees)
{
    if (degrees >= kFinestSolidStep && degrees <= kCoarsestSolidStep)
        return {};
    if (!std::isfinite(degrees))
        return "is not a step in degrees";
    const std::string finest = ShortestText(kFinestSolidStep), coarsest = ShortestText(kCoarsestSolidStep);
    const std::string range = ": give one from " + finest + " to " + coarsest + " degrees";
    if (degrees <= 0.0)
        return "is not a step" + range;
    if (degrees < kFinestSolidStep)
        return "is finer than the finest step, " + finest + " degrees (millions of triangles)" + range;
    return "is coarser than the coarsest step, " + coarsest + " degrees" + range;
}

SolidMesh BuildSolid(const SolidPattern &pattern, const SolidOptions &options)
{
    if (!SolidStepError(options.stepDegrees).empty())
        throw std::invalid_argument("the solid's grid step is out of range");
    if (options.scale == SolidScale::Decibel && !(options.decibelFloor > 0.0 && std::isfinite(options.decibelFloor)))
        throw std::invalid_argument("the solid's decibel range is not above 0");
    const GridShape g = gridShape(pattern.upperHalf, options.stepDegrees);
    SolidMesh mesh;
    mesh.antenna = pattern.antenna;
    const std::vector<double> values = samplePattern(pattern, g);
    double maximum = 0.0;
    for (double v : values) {
        if (!std::isfinite(v) || v < 0.0)
            throw std::invalid_argument("the pattern is negative or not finite");
        maximum = std::max(maximum, v);
    }
    if (!(maximum > 0.0))
        throw std::invalid_argument("the pattern vanishes everywhere on the grid");
    mesh.levels.resize(values.size());
    mesh.shown.resize(values.size());
    for (std::size_t v = 0; v < values.size(); ++v) {
        mesh.levels[v] = values[v] / maximum;
        mesh.shown[v] = shownLevel(mesh.levels[v], options);
    }
    mesh.points.resize(values.size());
    placeVertices(mesh, g);
    connect(mesh, g);
    averageNormals(mesh);
    return mesh;
}

SolidMesh DipoleSolid(double M, const SolidOptions &options)
{
    SolidPattern pattern;
    pattern.value = [M](double theta, double) { return PatternValue(M, theta); };
    pattern.symmetric = true;
    return BuildSolid(pattern, options);
}

SolidMesh GroundSolid(double M, double h, GroundOrientation orientation, const SolidOptions &options)
{
    SolidPattern pattern;
    pattern.value = [M, h, orientation](double theta, double phi) {
        return GroundPattern(M, h, orientation, kPi / 2.0 - theta, phi);
    };
    pattern.upperHalf = true;
    pattern.symmetric = orientation == GroundOrientation::Vertical;
    pattern.antenna = orientation == GroundOrientation::Vertical ? SolidAntenna::VerticalOverGround
                                                                 : SolidAntenna::HorizontalOverGround;
    return BuildSolid(pattern, options);
}

SolidMesh MonopoleSolid(double M, const SolidOptions &options)
{
    SolidPattern pattern;
    pattern.value = [M](double theta, double) { return MonopolePattern(M, kPi / 2.0 - theta); };
    pattern.upperHalf = true;
    pattern.symmetric = true;
    pattern.antenna = SolidAntenna::Monopole;
    return BuildSolid(pattern, options);
}
