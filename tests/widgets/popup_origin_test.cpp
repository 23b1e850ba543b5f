// Where the drop-down popup opens, as a rule over rectangles: below or above
// the field, lined up by the popup alignment, and kept between the screen's
// left and right edges, also on a screen that does not start at (0, 0).
#include "widgets/PopupPlacement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct OriginCase
{
    const char *name;
    TPopupAlign align;
    QRect field;
    QSize popup;
    QRect screen;
    QPoint expected;
};

const QRect kScreen(0, 0, 1024, 768);
const QSize kCalculator(104, 127);
const QSize kWide(200, 127);

class PopupOriginTable : public ::testing::TestWithParam<OriginCase>
{
};

} // namespace

TEST_P(PopupOriginTable, PlacesThePopup)
{
    const OriginCase &c = GetParam();
    EXPECT_EQ(PopupOrigin(c.field, c.popup, c.screen, c.align), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    PopupOrigin, PopupOriginTable,
    ::testing::Values(
        // Right edges lined up under the field, for wider and narrower popups.
        OriginCase{"RightWiderPopup", epaRight, {300, 50, 121, 21}, kWide, kScreen, {221, 71}},
        OriginCase{"RightNarrowerPopup", epaRight, {300, 50, 121, 21}, kCalculator, kScreen, {317, 71}},
        // Lining up the right edges would cross the left edge: left edges instead.
        OriginCase{"RightNearLeftEdge", epaRight, {20, 50, 121, 21}, kWide, kScreen, {20, 71}},
        OriginCase{"RightFieldPastLeftEdge", epaRight, {-60, 50, 121, 21}, kWide, kScreen, {0, 71}},
        OriginCase{"LeftUnder", epaLeft, {300, 50, 121, 21}, kWide, kScreen, {300, 71}},
        // Near the right edge a left-aligned popup lines up the right edges.
        OriginCase{"LeftNearRightEdge", epaLeft, {900, 50, 121, 21}, kWide, kScreen, {821, 71}},
        // The field partly off the right edge: the popup ends at the edge.
        OriginCase{"LeftFieldPastRightEdge", epaLeft, {974, 50, 121, 21}, kWide, kScreen, {824, 71}},
        OriginCase{"RightFieldPastRightEdge", epaRight, {974, 50, 121, 21}, kCalculator, kScreen, {920, 71}},
        // The bottom edge: a popup that just fits stays below, one pixel more
        // and it opens above the field.
        OriginCase{"JustFitsBelow", epaRight, {300, 620, 121, 21}, kWide, kScreen, {221, 641}},
        OriginCase{"OnePixelTooLowOpensAbove", epaRight, {300, 621, 121, 21}, kWide, kScreen, {221, 494}},
        OriginCase{"AtTheBottomOpensAbove", epaLeft, {300, 747, 121, 21}, kWide, kScreen, {300, 620}},
        // Above the field is not checked against the top edge.
        OriginCase{"TallerThanTheScreenGoesOffTheTop", epaRight, {300, 50, 121, 21}, {200, 900}, kScreen, {221, -850}},
        // A popup wider than the screen: right-aligned it ends at the right
        // edge (its left part off the screen), left-aligned it starts at the
        // left edge.
        OriginCase{"RightWiderThanTheScreen", epaRight, {300, 50, 121, 21}, {1100, 127}, kScreen, {-76, 71}},
        OriginCase{"LeftWiderThanTheScreen", epaLeft, {300, 50, 121, 21}, {1100, 127}, kScreen, {0, 71}},
        // Screens that do not start at (0, 0): a second screen to the right,
        // one to the left of the primary, one lower down.
        OriginCase{"SecondScreenLeftEdge", epaRight, {1300, 50, 121, 21}, kWide, {1280, 0, 1280, 1024}, {1300, 71}},
        OriginCase{
            "ScreenLeftOfPrimaryRightEdge", epaLeft, {-100, 50, 121, 21}, kWide, {-1280, 0, 1280, 1024}, {-200, 71}},
        OriginCase{"LowerScreenBottomEdge", epaRight, {300, 800, 121, 21}, kWide, {0, 100, 1024, 768}, {221, 673}}),
    [](const ::testing::TestParamInfo<OriginCase> &info) { return std::string(info.param.name); });
