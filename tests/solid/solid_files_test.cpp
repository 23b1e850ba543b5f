// The solid's files read back by parsers written here from the formats'
// layouts: the counts their headers promise, sizes by the formats' rules,
// indices in range, colours and levels per vertex, and the surface read
// back from the file still closed, turned outwards and of the mesh's volume.
#include "MeshChecks.h"
#include "solid/SolidColours.h"
#include "solid/SolidFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::uint32_t u32At(const std::string &bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | std::uint8_t(bytes[at + std::size_t(i)]);
    return value;
}

double floatAt(const std::string &bytes, std::size_t at)
{
    const std::uint32_t bits = u32At(bytes, at);
    float f = 0.0F;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

CheckPoint pointAt(const std::string &bytes, std::size_t at)
{
    return {floatAt(bytes, at), floatAt(bytes, at + 4), floatAt(bytes, at + 8)};
}

// A file read back: its surface, and the per-vertex extras where it has them.
struct ReadBack
{
    std::vector<CheckPoint> points;
    std::vector<CheckTriangle> triangles;
};

ReadBack readPly(const std::string &bytes, const SolidMesh &mesh)
{
    ReadBack back;
    const std::size_t end = bytes.find("end_header\n");
    EXPECT_NE(end, std::string::npos);
    std::istringstream header(bytes.substr(0, end));
    std::string line, properties;
    std::size_t vertices = 0, faces = 0;
    std::getline(header, line);
    EXPECT_EQ(line, "ply");
    while (std::getline(header, line)) {
        if (line.rfind("element vertex ", 0) == 0)
            vertices = std::stoul(line.substr(15));
        else if (line.rfind("element face ", 0) == 0)
            faces = std::stoul(line.substr(13));
        else if (line.rfind("property ", 0) == 0)
            properties += line.substr(line.rfind(' ') + 1) + " ";
    }
    EXPECT_EQ(properties, "x y z nx ny nz red green blue level vertex_indices ");
    EXPECT_EQ(vertices, mesh.points.size());
    EXPECT_EQ(faces, mesh.triangles.size());
    std::size_t at = end + 11;
    EXPECT_EQ(bytes.size(), at + 31 * vertices + 13 * faces);
    if (bytes.size() != at + 31 * vertices + 13 * faces)
        return back;
    for (std::size_t v = 0; v < vertices; ++v, at += 31) {
        back.points.push_back(pointAt(bytes, at));
        const SolidColour colour = LevelColour(mesh.shown[v]);
        EXPECT_EQ(std::uint8_t(bytes[at + 24]), colour.red);
        EXPECT_EQ(std::uint8_t(bytes[at + 25]), colour.green);
        EXPECT_EQ(std::uint8_t(bytes[at + 26]), colour.blue);
        EXPECT_FLOAT_EQ(floatAt(bytes, at + 27), float(mesh.levels[v]));
    }
    for (std::size_t f = 0; f < faces; ++f, at += 13) {
        EXPECT_EQ(bytes[at], 3);
        back.triangles.push_back({u32At(bytes, at + 1), u32At(bytes, at + 5), u32At(bytes, at + 9)});
    }
    return back;
}

// An STL file's triangles each carry their own corners: the corners at one
// place are welded back into vertices. The stored normal must point the
// way the corners turn.
ReadBack readStl(const std::string &bytes, const SolidMesh &mesh)
{
    ReadBack back;
    EXPECT_GE(bytes.size(), 84U);
    EXPECT_NE(bytes.compare(0, 5, "solid"), 0);
    const std::uint32_t count = u32At(bytes, 80);
    EXPECT_EQ(count, mesh.triangles.size());
    EXPECT_EQ(bytes.size(), 84 + 50 * std::size_t(count));
    if (bytes.size() != 84 + 50 * std::size_t(count))
        return back;
    std::vector<CheckPoint> corners;
    for (std::size_t i = 0, at = 84; i < count; ++i, at += 50) {
        const CheckPoint n = pointAt(bytes, at);
        const CheckPoint a = pointAt(bytes, at + 12), b = pointAt(bytes, at + 24), c = pointAt(bytes, at + 36);
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        const double turn = n.x * (uy * vz - uz * vy) + n.y * (uz * vx - ux * vz) + n.z * (ux * vy - uy * vx);
        EXPECT_GT(turn, 0.0) << "triangle " << i;
        EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0, 1e-6);
        EXPECT_EQ(bytes[at + 48], 0);
        EXPECT_EQ(bytes[at + 49], 0);
        corners.insert(corners.end(), {a, b, c});
    }
    WeldCorners(corners, back.points, back.triangles);
    return back;
}

// Face corners "v//n": both numbers from 1 up to the counts of v and vn lines.
void readObjFace(std::istringstream &in, ReadBack &back, std::size_t normals)
{
    std::uint32_t corner[3] = {};
    for (std::uint32_t &c : corner) {
        std::string token;
        in >> token;
        const std::size_t slashes = token.find("//");
        EXPECT_NE(slashes, std::string::npos) << token;
        if (slashes == std::string::npos)
            return;
        const unsigned long v = std::stoul(token.substr(0, slashes)), n = std::stoul(token.substr(slashes + 2));
        EXPECT_TRUE(v >= 1 && v <= back.points.size()) << token;
        EXPECT_TRUE(n >= 1 && n <= normals) << token;
        c = std::uint32_t(v - 1);
    }
    back.triangles.push_back({corner[0], corner[1], corner[2]});
}

ReadBack readObj(const std::string &bytes, const SolidMesh &mesh)
{
    ReadBack back;
    std::istringstream lines(bytes);
    std::string line;
    std::size_t normals = 0;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string key;
        in >> key;
        if (key == "v") {
            CheckPoint p;
            in >> p.x >> p.y >> p.z;
            EXPECT_FALSE(in.fail()) << line;
            back.points.push_back(p);
        } else if (key == "vn") {
            ++normals;
        } else if (key == "f") {
            readObjFace(in, back, normals);
        } else {
            EXPECT_TRUE(key.empty() || key[0] == '#') << line;
        }
    }
    const bool ground = mesh.firstGroundTriangle < mesh.triangles.size();
    EXPECT_EQ(back.points.size(), mesh.points.size());
    EXPECT_EQ(normals, mesh.points.size() + (ground ? 1 : 0));
    EXPECT_EQ(back.triangles.size(), mesh.triangles.size());
    return back;
}

struct FileCase
{
    const char *name;
    SolidFormat format;
    std::function<ReadBack(const std::string &, const SolidMesh &)> read;
};

const FileCase kFileCases[] = {
    {"Ply", SolidFormat::Ply, readPly},
    {"Obj", SolidFormat::Obj, readObj},
    {"Stl", SolidFormat::Stl, readStl},
};

double meshVolume(const SolidMesh &mesh)
{
    double volume = 0.0;
    for (const SolidTriangle &t : mesh.triangles) {
        const SolidPoint &a = mesh.points[t.a], &b = mesh.points[t.b], &c = mesh.points[t.c];
        volume += (a.x * (b.y * c.z - b.z * c.y) + a.y * (b.z * c.x - b.x * c.z) + a.z * (b.x * c.y - b.y * c.x)) / 6.0;
    }
    return volume;
}

class SolidFileTest : public testing::TestWithParam<FileCase>
{
};

TEST_P(SolidFileTest, ReadsBackAsTheSameClosedSurface)
{
    const FileCase &c = GetParam();
    const SolidMesh meshes[] = {
        DipoleSolid(0.5, {2.0, SolidScale::Linear, 40.0}),
        DipoleSolid(10.0, {1.0, SolidScale::Decibel, 30.0}),
        GroundSolid(0.5, 0.5, GroundOrientation::Horizontal, {5.0, SolidScale::Linear, 40.0}),
        MonopoleSolid(0.5, {3.0, SolidScale::Linear, 40.0}),
    };
    for (const SolidMesh &mesh : meshes) {
        const std::string bytes = SolidFileBytes(mesh, c.format, "dipole\nM = 0.5");
        const ReadBack back = c.read(bytes, mesh);
        const MeshReport report = CheckMesh(back.points, back.triangles);
        EXPECT_EQ(report.problem, "");
        EXPECT_EQ(report.euler, 2);
        EXPECT_EQ(back.points.size(), mesh.points.size());
        EXPECT_NEAR(report.volume / meshVolume(mesh), 1.0, 1e-5);
    }
}

TEST_P(SolidFileTest, TakesTheTitleOnOneLine)
{
    const SolidMesh mesh = DipoleSolid(0.5, {45.0, SolidScale::Linear, 40.0});
    const std::string bytes = SolidFileBytes(mesh, GetParam().format, "solid\nM = 0.5");
    EXPECT_NE(bytes.find("solid M = 0.5"), std::string::npos);
    EXPECT_NE(bytes.compare(0, 5, "solid"), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, SolidFileTest, testing::ValuesIn(kFileCases),
                         [](const testing::TestParamInfo<FileCase> &info) { return std::string(info.param.name); });

TEST(SolidFormat, IsChosenByTheFileNamesExtension)
{
    const struct
    {
        const char *name;
        std::optional<SolidFormat> format;
    } rows[] = {
        {"pattern.ply", SolidFormat::Ply},
        {"DIR/P.PLY", SolidFormat::Ply},
        {"a.b.Obj", SolidFormat::Obj},
        {"x.stl", SolidFormat::Stl},
        {"x.STL", SolidFormat::Stl},
        {"x.stlx", std::nullopt},
        {"ply", std::nullopt},
        {"x.png", std::nullopt},
        {"", std::nullopt},
        {"x.ply/", std::nullopt},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(SolidFormatOfName(row.name), row.format) << row.name;
        EXPECT_EQ(SolidFormatError(row.name).empty(), row.format.has_value()) << row.name;
    }
}

} // namespace
