#pragma once
// The radiation pattern as a solid: the surface r = level(θ, φ) drawn over
// a θ × φ grid and closed into a triangle mesh that a 3D viewer, a printer
// or the shaded picture takes as it is.
//
// Directions: θ from the solid's z axis, φ about it from the x axis; a
// direction's point is r·(sin θ cos φ, sin θ sin φ, cos θ). In free space the
// z axis is the wire. Over the ground z points up, the ground is the plane
// z = 0, θ = 90° − elevation and φ is the azimuth from a horizontal wire.
//
// The grid: θ from 0 to 180° (the whole sphere) or to 90° (the upper half
// space), φ all round, in equal steps no larger than the resolution asked
// for. Each pole is one vertex, so no sliver triangles crowd round it and
// no seam opens there; between neighbouring rings every grid cell is two
// triangles, and each pole is joined to its ring by a fan.
//
// The upper half space is closed by the ground: its last ring lies in the
// plane z = 0 and is joined by a fan to one vertex at the origin, a flat disc
// facing down. The mesh has the same shape of connections as the sphere's
// (the origin takes the place of the lower pole), so it is a closed surface
// with Euler characteristic 2 in every case.
//
// Nulls: r is never below kSolidFloorRadius. Where the pattern vanishes (the
// wire's axis, a null cone, the horizon over the ground for a horizontal wire)
// the surface passes the origin at that tiny distance instead of running
// through it. Every triangle keeps a non-zero area and every vertex its own
// position, so the mesh stays a manifold without merging vertices, and the
// floor is invisible at any print or picture size. Because r > 0 and each
// triangle spans a cell of the direction grid, every ray from the origin
// crosses the surface once: the solid is star-shaped about the origin and
// never intersects itself.
#include "physics/GroundImage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The radius kept where the pattern vanishes, as a fraction of the maximum.
inline constexpr double kSolidFloorRadius = 1e-3;

// The coarsest and finest grid steps taken, in degrees.
inline constexpr double kCoarsestSolidStep = 45.0;
inline constexpr double kFinestSolidStep = 0.1;

struct SolidPoint
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct SolidTriangle
{
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t c = 0;
};

// What the solid belongs to, for a picture to draw the wire and the ground.
enum class SolidAntenna { FreeDipole, HorizontalOverGround, VerticalOverGround, Monopole };

enum class SolidScale { Linear, Decibel };

struct SolidOptions
{
    double stepDegrees = 2.0; // the grid's step in θ and in φ, at most
    SolidScale scale = SolidScale::Linear;
    double decibelFloor = 40.0; // the dB scale's range below the maximum
};

// The surface's vertices with what each one shows, and its triangles,
// counterclockwise seen from outside.
struct SolidMesh
{
    std::vector<SolidPoint> points;
    std::vector<SolidPoint> normals; // unit, averaged over the curved surface
    std::vector<double> levels;      // F/Fmax in that direction
    std::vector<double> shown;       // the level on the chosen scale, 0 to 1: the radius before the floor
    std::vector<SolidTriangle> triangles;
    // The triangles from here on are the flat ground disc (none in free space).
    std::size_t firstGroundTriangle = 0;
    SolidAntenna antenna = SolidAntenna::FreeDipole;
};

// A pattern in the direction (θ, φ), radians, as the solid's axes have it;
// any non-negative scale (the solid is normalised to the grid's maximum).
using SolidPatternFunction = std::function<double(double theta, double phi)>;

struct SolidPattern
{
    SolidPatternFunction value;
    bool upperHalf = false; // the ground's half space, closed by the disc
    bool symmetric = false; // the same at every φ: evaluated once a ring
    SolidAntenna antenna = SolidAntenna::FreeDipole;
};

// The reason a grid step is refused, to follow the option's name ("0 is not
// a step of 0.1 to 45 degrees"), or empty where it is taken.
std::string SolidStepError(double degrees);

// The mesh of a pattern. Throws std::invalid_argument for a step that
// SolidStepError refuses or a pattern that is zero (or not finite) everywhere
// on the grid.
SolidMesh BuildSolid(const SolidPattern &pattern, const SolidOptions &options);

// The dipole of length M in free space, about its axis z.
SolidMesh DipoleSolid(double M, const SolidOptions &options);
// The dipole M with its centre at height h over a perfect ground.
SolidMesh GroundSolid(double M, double h, GroundOrientation orientation, const SolidOptions &options);
// The monopole of height M/2 on a perfect ground.
SolidMesh MonopoleSolid(double M, const SolidOptions &options);

// The number of steps the grid takes over span degrees at a step of at most
// stepDegrees.
int SolidGridSteps(double spanDegrees, double stepDegrees);
