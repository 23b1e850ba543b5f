#include "SolidPicture.h"

#include "solid/SolidColours.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// How far the wire's rod reaches beyond the solid along its axis, and the
// ground's square beyond the solid's widest, as fractions of the solid's
// reach; the feed's gap and the rod's pieces against the largest radius 1.
constexpr double kRodBeyond = 1.25;
constexpr double kGroundBeyond = 1.2;
constexpr double kFeedGap = 0.04;
constexpr double kRodStep = 0.05;

struct Vec
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

Vec vec(const SolidPoint &p)
{
    return {p.x, p.y, p.z};
}

double dot(const Vec &a, const Vec &b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The view's axes: right and up on the page, and toward the viewer.
struct Camera
{
    Vec right, up, toward, light;
    double scale = 1.0;
    QPointF centre;

    QPointF project(const Vec &p) const
    {
        return {centre.x() + scale * dot(p, right), centre.y() - scale * dot(p, up)};
    }
};

Camera cameraOf(const SolidViewpoint &view)
{
    const double az = view.azimuthDegrees * kPi / 180.0;
    const double el = view.elevationDegrees * kPi / 180.0;
    Camera c;
    c.toward = {std::cos(el) * std::cos(az), std::cos(el) * std::sin(az), std::sin(el)};
    c.right = {-std::sin(az), std::cos(az), 0.0};
    c.up = {-std::sin(el) * std::cos(az), -std::sin(el) * std::sin(az), std::cos(el)};
    // From the upper left, a little in front of the viewer.
    const double lx = -0.45, ly = 0.6, lz = 0.66;
    const double n = std::sqrt(lx * lx + ly * ly + lz * lz);
    c.light = {(lx * c.right.x + ly * c.up.x + lz * c.toward.x) / n,
               (lx * c.right.y + ly * c.up.y + lz * c.toward.y) / n,
               (lx * c.right.z + ly * c.up.z + lz * c.toward.z) / n};
    return c;
}

double lambert(const Camera &c, const Vec &normal)
{
    constexpr double ambient = 0.35;
    return ambient + (1.0 - ambient) * std::max(0.0, dot(normal, c.light));
}

bool onGround(const SolidMesh &mesh)
{
    return mesh.antenna != SolidAntenna::FreeDipole;
}

// The rod's ends and where its feed's gap is, on a line along axis.
struct Rod
{
    Vec from, to;
    double gapAt = 0.5; // fraction along the rod; outside 0..1 for none
};

// How far the solid reaches: from the z axis, along x, and up and down.
struct Extent
{
    double around = 0.0;
    double alongX = 0.0;
    double up = 0.0;
    double down = 0.0;
};

Extent extentOf(const SolidMesh &mesh)
{
    Extent e;
    for (const SolidPoint &p : mesh.points) {
        e.around = std::max(e.around, std::hypot(p.x, p.y));
        e.alongX = std::max(e.alongX, std::fabs(p.x));
        e.up = std::max(e.up, p.z);
        e.down = std::max(e.down, -p.z);
    }
    return e;
}

// The rod reaches out of the solid along the wire's axis, so the solid
// hides no more than its middle (a free dipole's solid is thin along it).
Rod rodOf(SolidAntenna antenna, const Extent &e)
{
    const double reach = 0.1 + kRodBeyond * std::max(e.up, e.down);
    switch (antenna) {
    case SolidAntenna::FreeDipole: return {{0, 0, -reach}, {0, 0, reach}, 0.5};
    case SolidAntenna::HorizontalOverGround: {
        const double along = 0.1 + kRodBeyond * e.alongX;
        return {{-along, 0, 0.02}, {along, 0, 0.02}, 0.5};
    }
    case SolidAntenna::VerticalOverGround: return {{0, 0, 0.02}, {0, 0, reach}, 0.5};
    case SolidAntenna::Monopole: break;
    }
    return {{0, 0, 0}, {0, 0, reach}, -1.0};
}

Vec faceNormalOf(const SolidMesh &mesh, const SolidTriangle &t)
{
    const Vec a = vec(mesh.points[t.a]), b = vec(mesh.points[t.b]), d = vec(mesh.points[t.c]);
    const Vec u{b.x - a.x, b.y - a.y, b.z - a.z}, w{d.x - a.x, d.y - a.y, d.z - a.z};
    Vec n{u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
    const double length = std::sqrt(dot(n, n));
    if (length > 0.0)
        n = {n.x / length, n.y / length, n.z / length};
    return n;
}

// One patch of the surface, filled in one colour: a triangle, or two
// neighbouring triangles facing the viewer as one quadrilateral. Painting
// costs a few microseconds a polygon whatever its size, and the grid's
// cells are pairs of triangles next to each other in the mesh, so pairing
// them halves the time of a picture.
struct Patch
{
    std::array<std::uint32_t, 4> corners{};
    int count = 3;
    double light = 0.0; // the flat light: the mean of the faces'
};

// Triangle u's corners with v's third corner set into their shared edge,
// or nothing where u and v share no edge (run the other way in v).
bool joinPair(const SolidTriangle &u, const SolidTriangle &v, Patch &patch)
{
    const std::array<std::uint32_t, 3> a{u.a, u.b, u.c}, b{v.a, v.b, v.c};
    for (int k = 0; k < 3; ++k) {
        const std::uint32_t x = a[std::size_t(k)], y = a[std::size_t((k + 1) % 3)];
        for (int m = 0; m < 3; ++m) {
            if (b[std::size_t(m)] != y || b[std::size_t((m + 1) % 3)] != x)
                continue;
            patch.corners = {x, b[std::size_t((m + 2) % 3)], y, a[std::size_t((k + 2) % 3)]};
            patch.count = 4;
            return true;
        }
    }
    return false;
}

// The patches that face the viewer; a closed surface hides the rest.
std::vector<Patch> visiblePatches(const SolidMesh &mesh, const Camera &c)
{
    std::vector<Patch> patches;
    patches.reserve(mesh.triangles.size() / 4 + 16);
    const std::size_t n = mesh.triangles.size();
    std::size_t i = 0;
    while (i < n) {
        const SolidTriangle &t = mesh.triangles[i];
        const double light = lambert(c, faceNormalOf(mesh, t));
        const bool facing = dot(faceNormalOf(mesh, t), c.toward) > 0.0;
        Patch patch{{t.a, t.b, t.c, 0}, 3, light};
        if (i + 1 < n) {
            const SolidTriangle &next = mesh.triangles[i + 1];
            const Vec nextNormal = faceNormalOf(mesh, next);
            const bool nextFacing = dot(nextNormal, c.toward) > 0.0;
            if (facing && nextFacing && joinPair(t, next, patch)) {
                patch.light = (light + lambert(c, nextNormal)) / 2.0;
                patches.push_back(patch);
                i += 2;
                continue;
            }
        }
        if (facing)
            patches.push_back(patch);
        ++i;
    }
    return patches;
}

QColor shadedColour(const SolidMesh &mesh, const Patch &patch, const Camera &c, SolidShading shading)
{
    double r = 0.0, g = 0.0, b = 0.0;
    for (int k = 0; k < patch.count; ++k) {
        const std::uint32_t v = patch.corners[std::size_t(k)];
        const SolidColour colour = LevelColour(mesh.shown[v]);
        const double light = shading == SolidShading::Flat ? patch.light : lambert(c, vec(mesh.normals[v]));
        r += colour.red * light;
        g += colour.green * light;
        b += colour.blue * light;
    }
    auto channel = [&patch](double sum) { return std::clamp(int(std::lround(sum / patch.count)), 0, 255); };
    return QColor(channel(r), channel(g), channel(b));
}

double depthOf(const SolidMesh &mesh, const Patch &patch, const Camera &c)
{
    double sum = 0.0;
    for (int k = 0; k < patch.count; ++k)
        sum += dot(vec(mesh.points[patch.corners[std::size_t(k)]]), c.toward);
    return sum / patch.count;
}

// One thing to draw at its depth: a patch (index ≥ 0) or a piece of the
// rod (−1 − piece).
struct Item
{
    double depth = 0.0;
    long index = 0;
};

std::vector<Vec> groundCorners(const Extent &e)
{
    const double h = kGroundBeyond * e.around;
    return {{-h, -h, 0}, {h, -h, 0}, {h, h, 0}, {-h, h, 0}};
}

// The scale and centre that fit the solid, the rod and the ground into
// area with a margin.
void fit(Camera &c, const QRectF &area, const SolidMesh &mesh, const Rod &rod, const Extent &e)
{
    std::vector<Vec> points{rod.from, rod.to};
    for (const SolidPoint &p : mesh.points)
        points.push_back(vec(p));
    if (onGround(mesh))
        for (const Vec &p : groundCorners(e))
            points.push_back(p);
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
    for (const Vec &p : points) {
        left = std::min(left, dot(p, c.right));
        right = std::max(right, dot(p, c.right));
        bottom = std::min(bottom, dot(p, c.up));
        top = std::max(top, dot(p, c.up));
    }
    const double margin = 0.06 * std::min(area.width(), area.height());
    c.scale = std::min((area.width() - 2 * margin) / std::max(right - left, 1e-9),
                       (area.height() - 2 * margin) / std::max(top - bottom, 1e-9));
    c.centre = area.center() - QPointF(c.scale * (left + right) / 2.0, -c.scale * (bottom + top) / 2.0);
}

void paintGround(QPainter &painter, const Camera &c, const Extent &e, bool fromBelow)
{
    QPolygonF square;
    for (const Vec &p : groundCorners(e))
        square << c.project(p);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fromBelow ? QColor(200, 200, 200, 150) : QColor(225, 225, 225));
    painter.drawPolygon(square);
    painter.setPen(QPen(QColor(170, 170, 170), 0));
    constexpr int lines = 8;
    const double h = kGroundBeyond * e.around;
    for (int i = 0; i <= lines; ++i) {
        const double s = -h + 2.0 * h * i / lines;
        painter.drawLine(c.project({s, -h, 0}), c.project({s, h, 0}));
        painter.drawLine(c.project({-h, s, 0}), c.project({h, s, 0}));
    }
}

// The rod in short pieces, the feed's gap left out: each side of the gap
// cut into pieces of about kRodStep.
std::vector<std::array<Vec, 2>> rodPieces(const Rod &rod)
{
    const Vec d{rod.to.x - rod.from.x, rod.to.y - rod.from.y, rod.to.z - rod.from.z};
    const double length = std::sqrt(dot(d, d));
    auto at = [&](double s) { return Vec{rod.from.x + s * d.x, rod.from.y + s * d.y, rod.from.z + s * d.z}; };
    std::vector<std::array<double, 2>> spans{{0.0, 1.0}};
    if (rod.gapAt > 0.0 && rod.gapAt < 1.0) {
        const double half = kFeedGap / 2.0 / length;
        spans = {{0.0, rod.gapAt - half}, {rod.gapAt + half, 1.0}};
    }
    std::vector<std::array<Vec, 2>> pieces;
    for (const auto &[s0, s1] : spans) {
        const int n = std::max(1, int(std::ceil((s1 - s0) * length / kRodStep)));
        for (int i = 0; i < n; ++i)
            pieces.push_back({at(s0 + (s1 - s0) * i / n), at(s0 + (s1 - s0) * (i + 1) / n)});
    }
    return pieces;
}

} // namespace

void PaintSolid(QPainter &painter, const QRectF &area, const SolidMesh &mesh, const SolidViewpoint &view)
{
    Camera c = cameraOf(view);
    const Extent extent = extentOf(mesh);
    const Rod rod = rodOf(mesh.antenna, extent);
    fit(c, area, mesh, rod, extent);
    const bool ground = onGround(mesh);
    const bool fromBelow = view.elevationDegrees < 0.0;

    const std::vector<Patch> patches = visiblePatches(mesh, c);
    const std::vector<std::array<Vec, 2>> pieces = rodPieces(rod);
    std::vector<Item> items;
    items.reserve(patches.size() + pieces.size());
    for (std::size_t i = 0; i < patches.size(); ++i)
        items.push_back({depthOf(mesh, patches[i], c), long(i)});
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const Vec m{(pieces[k][0].x + pieces[k][1].x) / 2, (pieces[k][0].y + pieces[k][1].y) / 2,
                    (pieces[k][0].z + pieces[k][1].z) / 2};
        items.push_back({dot(m, c.toward), -1 - long(k)});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item &a, const Item &b) { return a.depth < b.depth; });

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (ground && !fromBelow)
        paintGround(painter, c, extent, false);
    const QPen rodPen(QColor(40, 40, 40), std::max(2.0, c.scale * 0.018), Qt::SolidLine, Qt::FlatCap);
    std::array<QPointF, 4> corners;
    for (const Item &item : items) {
        if (item.index < 0) {
            const auto &piece = pieces[std::size_t(-1 - item.index)];
            painter.setPen(rodPen);
            painter.drawLine(c.project(piece[0]), c.project(piece[1]));
            continue;
        }
        const Patch &patch = patches[std::size_t(item.index)];
        // No outline: neighbouring fills meet without gaps when not
        // antialiased, and an outline would double the time.
        painter.setPen(Qt::NoPen);
        painter.setBrush(shadedColour(mesh, patch, c, view.shading));
        for (int k = 0; k < patch.count; ++k)
            corners[std::size_t(k)] = c.project(vec(mesh.points[patch.corners[std::size_t(k)]]));
        painter.drawPolygon(corners.data(), patch.count);
    }
    if (ground && fromBelow)
        paintGround(painter, c, extent, true);
    painter.restore();
}

QImage DrawSolid(const SolidMesh &mesh, const SolidViewpoint &view, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(view.background);
    QPainter painter(&image);
    PaintSolid(painter, QRectF(QPointF(0, 0), QSizeF(size)), mesh, view);
    return image;
}
