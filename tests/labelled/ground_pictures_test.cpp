// The elevation cuts the ground's pictures draw: the angle is the elevation
// above the ground (not the angle from the wire), and every cut is scaled
// to the larger maximum of the two, so that the cut along a horizontal wire
// shows how much weaker it is. The figures are ground_reference.py's field()
// at these angles against its maximum (mpmath, sharing nothing with the
// program), e.g. field(0.5, 0.5, False, 60°, 0) / field(0.5, 0.5, False, 30°, 90°).
#include "labelled/GroundPictures.h"

#include <gtest/gtest.h>

namespace {

struct CutCase
{
    const char *name;
    GroundPicture picture;
    size_t cut; // 0 across (or any plane), 1 along
    double elevationDeg, value;
};

GroundPicture dipole(double h, GroundOrientation orientation)
{
    GroundPicture picture;
    picture.height = h;
    picture.orientation = orientation;
    return picture;
}

GroundPicture monopole()
{
    GroundPicture picture;
    picture.monopole = true;
    return picture;
}

const GroundOrientation kH = GroundOrientation::Horizontal;
const GroundOrientation kV = GroundOrientation::Vertical;

// clang-format off
const CutCase kCuts[] = {
    {"AcrossAtItsMaximum", dipole(0.5, kH), 0, 30.0, 1.0},
    {"AcrossAtSixty", dipole(0.5, kH), 0, 60.0, 0.408576233032},
    {"AlongAtSixty", dipole(0.5, kH), 1, 60.0, 0.333601097319},
    {"AlongOnTheGround", dipole(0.5, kH), 1, 0.0, 0.0},
    {"VerticalOnTheGround", dipole(0.3, kV), 0, 0.0, 1.0},
    {"VerticalAtFortyFive", dipole(0.3, kV), 0, 45.0, 0.147999373281},
    // cos(π/2·cos 30°)/sin 30°: the half wave's pattern 30° from its axis.
    {"MonopoleAtSixty", monopole(), 0, 60.0, 0.417793733552},
    {"MonopoleOverhead", monopole(), 0, 90.0, 0.0},
};
// clang-format on

TEST(GroundPictures, CutsAgainstTheLargerMaximum)
{
    for (const CutCase &c : kCuts) {
        SCOPED_TRACE(c.name);
        const std::vector<ElevationCut> cuts = GroundElevationCuts(c.picture);
        ASSERT_EQ(cuts.size(), c.picture.monopole || c.picture.orientation == kV ? 1u : 2u);
        const ElevationCut &cut = cuts.at(c.cut);
        ASSERT_EQ(cut.normalised.size(), size_t(90 * cut.stepsPerDegree + 1));
        EXPECT_NEAR(cut.normalised.at(size_t(c.elevationDeg * cut.stepsPerDegree)), c.value, 1e-9);
    }
}

} // namespace
