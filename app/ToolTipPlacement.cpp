#include "ToolTipPlacement.h"

#include <algorithm>

namespace {

// Space kept between the tooltip and the pointer's arrow.
constexpr int kGap = 4;

// v moved into [low, high], low winning where the range is empty.
int clampInto(int v, int low, int high)
{
    return std::max(low, std::min(v, high));
}

} // namespace

QPoint PlaceToolTip(QSize tip, QPoint pointer, const QRect &area, QSize pointerExtent)
{
    // The pointer's arrow with a margin; the tooltip stays clear of it.
    const QRect arrow(pointer.x() - kGap, pointer.y() - kGap, pointerExtent.width() + 2 * kGap,
                      pointerExtent.height() + 2 * kGap);
    const int w = tip.width();
    const int h = tip.height();
    const int below = arrow.bottom() + 1;
    const int above = arrow.top() - h;
    const int alignedLeft = pointer.x();
    const int alignedRight = arrow.right() + 1 - w;
    const int besideY = clampInto(pointer.y() - h / 2, area.top(), area.bottom() + 1 - h);
    const QPoint candidates[] = {
        {alignedLeft, below},  {alignedLeft, above},         {alignedRight, below},
        {alignedRight, above}, {arrow.right() + 1, besideY}, {arrow.left() - w, besideY},
    };
    for (const QPoint &corner : candidates) {
        if (area.contains(QRect(corner, tip)))
            return corner;
    }
    return {clampInto(alignedLeft, area.left(), area.right() + 1 - w),
            clampInto(below, area.top(), area.bottom() + 1 - h)};
}
