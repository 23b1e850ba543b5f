// The solid's shaded picture over a table of antennas and views: the
// solid fills its share of the picture, the wire's rod and (over the
// ground) the ground plane are there or not, the solid of a dipole seen
// from its side is as wide on the left as on the right, and the colour
// where the line of sight meets the solid first is the near surface's,
// which hides the rod inside it (the far-to-near order).
#include "labelled/SolidPicture.h"
#include "solid/SolidColours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

struct PictureCase
{
    const char *name;
    std::function<SolidMesh()> build;
    SolidViewpoint view;
    bool ground;
};

SolidViewpoint viewFrom(double azimuth, double elevation, SolidShading shading = SolidShading::Smooth)
{
    SolidViewpoint view;
    view.azimuthDegrees = azimuth;
    view.elevationDegrees = elevation;
    view.shading = shading;
    return view;
}

SolidOptions stepOf(double degrees)
{
    return {degrees, SolidScale::Linear, 40.0};
}

// The first three are free dipoles seen from their side.
const PictureCase kPictureCases[] = {
    {"HalfWaveFromTheSide", [] { return DipoleSolid(0.5, stepOf(2.0)); }, viewFrom(0.0, 0.0), false},
    {"OneAndHalfFromTheSideFlat", [] { return DipoleSolid(1.5, stepOf(2.0)); }, viewFrom(0.0, 0.0, SolidShading::Flat),
     false},
    {"TenAndAHalfFromTheSide", [] { return DipoleSolid(10.5, stepOf(1.0)); }, viewFrom(0.0, 0.0), false},
    {"HorizontalFromAbove", [] { return GroundSolid(0.5, 0.5, GroundOrientation::Horizontal, stepOf(2.0)); },
     viewFrom(90.0, 89.0), true},
    {"VerticalAtAnAngle", [] { return GroundSolid(0.5, 0.5, GroundOrientation::Vertical, stepOf(2.0)); },
     viewFrom(30.0, 20.0), true},
    {"MonopoleAtAnAngle", [] { return MonopoleSolid(0.5, stepOf(2.0)); }, viewFrom(30.0, 20.0), true},
    {"HorizontalFromBelow", [] { return GroundSolid(0.5, 0.5, GroundOrientation::Horizontal, stepOf(2.0)); },
     viewFrom(30.0, -25.0), true},
};

constexpr QRgb kRod = qRgb(40, 40, 40);

bool isBackground(QRgb p)
{
    return p == qRgb(255, 255, 255);
}

class SolidPictureTest : public testing::TestWithParam<PictureCase>
{
};

TEST_P(SolidPictureTest, ShowsTheSolidTheRodAndTheGround)
{
    const PictureCase &c = GetParam();
    const QImage image = DrawSolid(c.build(), c.view, QSize(400, 400));
    ASSERT_EQ(image.size(), QSize(400, 400));
    int drawn = 0, rod = 0, ground = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            drawn += isBackground(p) ? 0 : 1;
            rod += p == kRod ? 1 : 0;
            // The ground's grey, or that grey laid over white seen from below.
            ground += qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) >= 215 && qRed(p) <= 230 ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 400 * 400 / 10);
    // From below, the ground is laid over the solid and the rod.
    if (c.view.elevationDegrees >= 0.0) {
        EXPECT_GT(rod, 30);
    }
    EXPECT_EQ(ground > 1000, c.ground);
}

INSTANTIATE_TEST_SUITE_P(Cases, SolidPictureTest, testing::ValuesIn(kPictureCases),
                         [](const testing::TestParamInfo<PictureCase> &info) { return std::string(info.param.name); });

// A free dipole seen from its side (azimuth 0, elevation 0) has its axis
// up the picture's middle and its equator across it. The rod pokes out of
// the solid above it and is hidden inside it next to the feed (the far-to-
// near order); beside the feed the line of sight meets the solid at θ =
// 90°, and the pixel takes that level's hue.
class SolidSideViewTest : public testing::TestWithParam<PictureCase>
{
};

TEST_P(SolidSideViewTest, HidesTheRodInsideAndShowsTheEquatorsLevel)
{
    const PictureCase &c = GetParam();
    const SolidMesh mesh = c.build();
    const QImage image = DrawSolid(mesh, c.view, QSize(400, 400));
    int top = 0;
    while (top < 400 && isBackground(image.pixel(200, top)))
        ++top;
    ASSERT_LT(top, 400);
    EXPECT_EQ(image.pixel(200, top + 2), kRod);
    EXPECT_NE(image.pixel(200, 194), kRod);
    EXPECT_NE(image.pixel(200, 206), kRod);

    std::size_t equator = 0;
    auto towardViewer = [&mesh](std::size_t v) {
        const SolidPoint &q = mesh.points[v];
        return q.x / std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    };
    for (std::size_t v = 0; v < mesh.points.size(); ++v)
        if (towardViewer(v) > towardViewer(equator))
            equator = v;
    const SolidColour colour = LevelColour(mesh.shown[equator]);
    const QColor p = image.pixelColor(203, 200);
    EXPECT_NEAR(p.hueF(), QColor(colour.red, colour.green, colour.blue).hueF(), 0.02)
        << p.red() << " " << p.green() << " " << p.blue();
}

INSTANTIATE_TEST_SUITE_P(Cases, SolidSideViewTest, testing::ValuesIn(kPictureCases, kPictureCases + 3),
                         [](const testing::TestParamInfo<PictureCase> &info) { return std::string(info.param.name); });

// Seen from its side, the dipole's solid is as wide on the left as on the
// right: the view's axes and the fit put the axis at the middle.
TEST(SolidPicture, DipoleFromTheSideIsSymmetric)
{
    const QImage image = DrawSolid(DipoleSolid(1.5, stepOf(2.0)), viewFrom(40.0, 0.0), QSize(400, 400));
    int mismatched = 0, drawn = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool left = !isBackground(image.pixel(x, y));
            drawn += left ? 1 : 0;
            mismatched += left != !isBackground(image.pixel(399 - x, y)) ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 5000);
    EXPECT_LT(mismatched, drawn / 50);
}

} // namespace
