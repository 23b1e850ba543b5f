#pragma once
// Where a drop-down popup opens, worked out from rectangles alone so that the
// rule can be checked without a screen: under the field, or above it when the
// screen's bottom edge would cut it; one of its edges lined up with the
// field's by the popup alignment, and kept between the screen's left and
// right edges.
#include <QPoint>
#include <QRect>
#include <QSize>

enum TPopupAlign : unsigned char { epaRight, epaLeft };

// The popup's top-left corner in global coordinates for a field at `field`
// (global coordinates) on a screen whose geometry is `screen`. A popup wider
// than the screen ends at the screen's right edge. The popup is never moved
// vertically into the screen: above the field it may start above the top.
QPoint PopupOrigin(const QRect &field, const QSize &popup, const QRect &screen, TPopupAlign align);
