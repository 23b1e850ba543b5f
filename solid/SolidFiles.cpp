#include "SolidFiles.h"

#include "SolidColours.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

std::string oneLine(std::string_view title)
{
    std::string line(title);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return line;
}

bool endsWithNoCase(std::string_view name, std::string_view suffix)
{
    if (name.size() < suffix.size())
        return false;
    const std::string_view tail = name.substr(name.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b; });
}

// Little-endian bytes whatever the machine's order.
void putU32(std::string &out, std::uint32_t value)
{
    const std::array<char, 4> bytes{char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF),
                                    char((value >> 24) & 0xFF)};
    out.append(bytes.data(), bytes.size());
}

void putFloat(std::string &out, double value)
{
    const float f = float(value);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    putU32(out, bits);
}

void putPoint(std::string &out, const SolidPoint &p)
{
    putFloat(out, p.x);
    putFloat(out, p.y);
    putFloat(out, p.z);
}

SolidPoint unitNormal(const SolidMesh &mesh, const SolidTriangle &t)
{
    const SolidPoint &a = mesh.points[t.a];
    const SolidPoint &b = mesh.points[t.b];
    const SolidPoint &c = mesh.points[t.c];
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    return length > 0.0 ? SolidPoint{nx / length, ny / length, nz / length} : SolidPoint{};
}

// Text numbers: the shortest text that reads back as the same float.
void putText(std::string &out, float value)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

void putText(std::string &out, std::size_t value)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

void putTextPoint(std::string &out, const char *key, const SolidPoint &p)
{
    out += key;
    putText(out, float(p.x));
    out += ' ';
    putText(out, float(p.y));
    out += ' ';
    putText(out, float(p.z));
    out += '\n';
}

void putFaceCorner(std::string &out, std::uint32_t vertex, std::size_t normal)
{
    out += ' ';
    putText(out, std::size_t(vertex) + 1);
    out += "//";
    putText(out, normal);
}

} // namespace

std::optional<SolidFormat> SolidFormatOfName(std::string_view fileName)
{
    if (endsWithNoCase(fileName, ".ply"))
        return SolidFormat::Ply;
    if (endsWithNoCase(fileName, ".obj"))
        return SolidFormat::Obj;
    if (endsWithNoCase(fileName, ".stl"))
        return SolidFormat::Stl;
    return std::nullopt;
}

std::string SolidFormatError(std::string_view fileName)
{
    if (SolidFormatOfName(fileName))
        return {};
    return "needs a file name ending in .ply, .obj or .stl to choose the file's type";
}

std::string SolidFileBytes(const SolidMesh &mesh, SolidFormat format, std::string_view title)
{
    switch (format) {
    case SolidFormat::Ply: return PlyBytes(mesh, title);
    case SolidFormat::Obj: return ObjBytes(mesh, title);
    case SolidFormat::Stl: break;
    }
    return StlBytes(mesh, title);
}

std::string PlyBytes(const SolidMesh &mesh, std::string_view title)
{
    std::string out = "ply\nformat binary_little_endian 1.0\ncomment " + oneLine(title) + "\nelement vertex "
                      + std::to_string(mesh.points.size())
                      + "\nproperty float x\nproperty float y\nproperty float z\n"
                        "property float nx\nproperty float ny\nproperty float nz\n"
                        "property uchar red\nproperty uchar green\nproperty uchar blue\n"
                        "property float level\nelement face "
                      + std::to_string(mesh.triangles.size())
                      + "\nproperty list uchar uint vertex_indices\nend_header\n";
    out.reserve(out.size() + mesh.points.size() * 31 + mesh.triangles.size() * 13);
    for (std::size_t v = 0; v < mesh.points.size(); ++v) {
        putPoint(out, mesh.points[v]);
        putPoint(out, mesh.normals[v]);
        const SolidColour colour = LevelColour(mesh.shown[v]);
        out += char(colour.red);
        out += char(colour.green);
        out += char(colour.blue);
        putFloat(out, mesh.levels[v]);
    }
    for (const SolidTriangle &t : mesh.triangles) {
        out += char(3);
        putU32(out, t.a);
        putU32(out, t.b);
        putU32(out, t.c);
    }
    return out;
}

std::string ObjBytes(const SolidMesh &mesh, std::string_view title)
{
    std::string out = "# " + oneLine(title) + "\n# " + std::to_string(mesh.points.size()) + " vertices, "
                      + std::to_string(mesh.triangles.size()) + " triangles, counterclockwise from outside\n";
    out.reserve(mesh.points.size() * 64 + mesh.triangles.size() * 40);
    for (const SolidPoint &p : mesh.points)
        putTextPoint(out, "v ", p);
    for (const SolidPoint &n : mesh.normals)
        putTextPoint(out, "vn ", n);
    const std::size_t groundNormal = mesh.normals.size() + 1;
    if (mesh.firstGroundTriangle < mesh.triangles.size())
        out += "vn 0 0 -1\n";
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        const SolidTriangle &t = mesh.triangles[i];
        const bool ground = i >= mesh.firstGroundTriangle;
        out += 'f';
        putFaceCorner(out, t.a, ground ? groundNormal : std::size_t(t.a) + 1);
        putFaceCorner(out, t.b, ground ? groundNormal : std::size_t(t.b) + 1);
        putFaceCorner(out, t.c, ground ? groundNormal : std::size_t(t.c) + 1);
        out += '\n';
    }
    return out;
}

std::string StlBytes(const SolidMesh &mesh, std::string_view title)
{
    std::string header = "binary STL: " + oneLine(title);
    header.resize(80, ' ');
    std::string out = header;
    out.reserve(84 + mesh.triangles.size() * 50);
    putU32(out, std::uint32_t(mesh.triangles.size()));
    for (const SolidTriangle &t : mesh.triangles) {
        putPoint(out, unitNormal(mesh, t));
        putPoint(out, mesh.points[t.a]);
        putPoint(out, mesh.points[t.b]);
        putPoint(out, mesh.points[t.c]);
        out += '\0';
        out += '\0';
    }
    return out;
}
