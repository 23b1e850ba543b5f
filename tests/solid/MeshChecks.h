#pragma once
// What makes a triangle mesh a solid's surface, checked from its numbers
// alone: every directed edge used once and its reverse once (closed, and
// the triangles turned the same way), the triangles round each vertex one
// fan (no two cones touching at a point), no two vertices at one place, no
// triangle without area, the Euler characteristic V − E + F and the signed
// volume (positive when the triangles turn counterclockwise from outside).
#include <cstdint>
#include <string>
#include <vector>

struct CheckPoint
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct CheckTriangle
{
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t c = 0;
};

struct MeshReport
{
    std::string problem; // the first fault found, empty for a sound surface
    long euler = 0;
    double volume = 0.0;
};

MeshReport CheckMesh(const std::vector<CheckPoint> &points, const std::vector<CheckTriangle> &triangles);

// Triangles given by their corners (an STL file): corners at one place are
// one vertex.
void WeldCorners(const std::vector<CheckPoint> &corners, std::vector<CheckPoint> &points,
                 std::vector<CheckTriangle> &triangles);
