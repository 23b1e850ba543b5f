#include "MeshChecks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace {

using Edge = std::pair<std::uint32_t, std::uint32_t>;

CheckPoint difference(const CheckPoint &p, const CheckPoint &q)
{
    return {p.x - q.x, p.y - q.y, p.z - q.z};
}

CheckPoint crossOf(const CheckPoint &u, const CheckPoint &v)
{
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}

double lengthOf(const CheckPoint &u)
{
    return std::sqrt(u.x * u.x + u.y * u.y + u.z * u.z);
}

// A triangle has area when its cross product is not negligible against its
// longest edge: a scale-free test that tiny triangles near a null pass.
bool hasArea(const CheckPoint &a, const CheckPoint &b, const CheckPoint &c)
{
    const CheckPoint u = difference(b, a), v = difference(c, a), w = difference(c, b);
    const double longest = std::max({lengthOf(u), lengthOf(v), lengthOf(w)});
    return longest > 0.0 && lengthOf(crossOf(u, v)) > 1e-9 * longest * longest;
}

std::string checkEdges(const std::vector<CheckTriangle> &triangles, std::map<Edge, int> &directed)
{
    for (const CheckTriangle &t : triangles)
        for (Edge e : {Edge{t.a, t.b}, Edge{t.b, t.c}, Edge{t.c, t.a}})
            if (++directed[e] > 1)
                return "edge " + std::to_string(e.first) + "-" + std::to_string(e.second) + " runs the same way twice";
    for (const auto &[e, count] : directed)
        if (directed.count({e.second, e.first}) == 0)
            return "edge " + std::to_string(e.first) + "-" + std::to_string(e.second) + " has one triangle";
    return {};
}

// Round each vertex, each triangle (v, p, q) leads from p to q; one fan is
// one cycle through all of them.
std::string checkFans(std::size_t vertexCount, const std::vector<CheckTriangle> &triangles)
{
    std::vector<std::map<std::uint32_t, std::uint32_t>> next(vertexCount);
    for (const CheckTriangle &t : triangles) {
        next[t.a][t.b] = t.c;
        next[t.b][t.c] = t.a;
        next[t.c][t.a] = t.b;
    }
    for (std::size_t v = 0; v < vertexCount; ++v) {
        if (next[v].empty())
            return "vertex " + std::to_string(v) + " is in no triangle";
        std::uint32_t at = next[v].begin()->first;
        std::size_t steps = 0;
        do {
            const auto it = next[v].find(at);
            if (it == next[v].end())
                return "vertex " + std::to_string(v) + "'s triangles do not close round it";
            at = it->second;
            ++steps;
        } while (at != next[v].begin()->first && steps <= next[v].size());
        if (steps != next[v].size())
            return "vertex " + std::to_string(v) + " joins more than one fan";
    }
    return {};
}

std::string checkPlaces(const std::vector<CheckPoint> &points)
{
    std::vector<std::tuple<double, double, double>> places;
    places.reserve(points.size());
    for (const CheckPoint &p : points)
        places.emplace_back(p.x, p.y, p.z);
    std::sort(places.begin(), places.end());
    if (std::adjacent_find(places.begin(), places.end()) != places.end())
        return "two vertices at one place";
    return {};
}

} // namespace

MeshReport CheckMesh(const std::vector<CheckPoint> &points, const std::vector<CheckTriangle> &triangles)
{
    MeshReport report;
    for (const CheckTriangle &t : triangles) {
        if (t.a >= points.size() || t.b >= points.size() || t.c >= points.size())
            return {"a triangle's vertex number is out of range", 0, 0.0};
        if (t.a == t.b || t.b == t.c || t.c == t.a || !hasArea(points[t.a], points[t.b], points[t.c]))
            return {"a triangle has no area", 0, 0.0};
        const CheckPoint &a = points[t.a];
        const CheckPoint bc = crossOf(points[t.b], points[t.c]);
        report.volume += (a.x * bc.x + a.y * bc.y + a.z * bc.z) / 6.0;
    }
    std::map<Edge, int> directed;
    report.problem = checkEdges(triangles, directed);
    if (report.problem.empty())
        report.problem = checkFans(points.size(), triangles);
    if (report.problem.empty())
        report.problem = checkPlaces(points);
    report.euler = long(points.size()) - long(directed.size() / 2) + long(triangles.size());
    return report;
}

void WeldCorners(const std::vector<CheckPoint> &corners, std::vector<CheckPoint> &points,
                 std::vector<CheckTriangle> &triangles)
{
    std::map<std::tuple<double, double, double>, std::uint32_t> numbers;
    std::vector<std::uint32_t> indices;
    for (const CheckPoint &p : corners) {
        const auto [it, added] = numbers.try_emplace({p.x, p.y, p.z}, std::uint32_t(points.size()));
        if (added)
            points.push_back(p);
        indices.push_back(it->second);
    }
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3)
        triangles.push_back({indices[i], indices[i + 1], indices[i + 2]});
}
