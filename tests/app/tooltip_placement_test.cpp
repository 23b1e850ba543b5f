// Where the pictures' tooltips go: beside the pointer but clear of its
// arrow, and inside the window, whatever corner the pointer is in.
#include "app/ToolTipPlacement.h"

#include <gtest/gtest.h>

namespace {

const QRect kWindow(0, 0, 792, 548);
const QSize kArrow(20, 24); // with the 4-pixel gap: x - 4 to x + 23, y - 4 to y + 27

} // namespace

TEST(ToolTipPlacement, BesideThePointerAndInsideTheWindow)
{
    struct Case
    {
        const char *name;
        QSize tip;
        QPoint pointer;
        QRect area;
        QPoint expected;
    };
    const Case cases[] = {
        {"room everywhere: below, from the pointer rightwards", {300, 200}, {100, 100}, kWindow, {100, 128}},
        {"the very top-left corner", {300, 200}, {0, 0}, kWindow, {0, 28}},
        {"near the bottom: above", {300, 200}, {100, 400}, kWindow, {100, 196}},
        {"just fits below", {300, 200}, {100, 320}, kWindow, {100, 348}},
        {"one pixel short below: above", {300, 200}, {100, 321}, kWindow, {100, 117}},
        {"near the right edge: below, leftwards", {300, 200}, {600, 100}, kWindow, {324, 128}},
        {"bottom-right corner: above, leftwards", {300, 200}, {700, 500}, kWindow, {424, 296}},
        {"too tall for above or below: right beside", {300, 500}, {100, 274}, kWindow, {124, 24}},
        {"too tall, at the right edge: left beside", {300, 500}, {600, 274}, kWindow, {296, 24}},
        {"beside, held inside at the top", {300, 500}, {100, 30}, kWindow, {124, 0}},
        {"fits nowhere beside: inside, under the pointer", {700, 500}, {400, 274}, kWindow, {92, 48}},
        {"larger than the window: its top-left corner", {900, 600}, {400, 274}, kWindow, {0, 0}},
        {"a window away from the screen's origin", {300, 200}, {300, 200}, {200, 100, 792, 548}, {300, 228}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PlaceToolTip(c.tip, c.pointer, c.area, kArrow), c.expected) << c.name;
}

TEST(ToolTipPlacement, ATipThatFitsTheWindowStaysInsideItWhereverThePointerIs)
{
    for (const QSize tip : {QSize(260, 150), QSize(260, 330), QSize(500, 300), QSize(792, 548)}) {
        for (int x = kWindow.left(); x <= kWindow.right(); x += 13) {
            for (int y = kWindow.top(); y <= kWindow.bottom(); y += 11) {
                const QRect placed(PlaceToolTip(tip, {x, y}, kWindow, kArrow), tip);
                ASSERT_TRUE(kWindow.contains(placed)) << tip.width() << "x" << tip.height() << " at " << x << "," << y;
            }
        }
    }
}
