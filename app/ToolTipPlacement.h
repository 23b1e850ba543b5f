#pragma once
// Where a picture's tooltip goes: beside the pointer but off it (the arrow
// reaches down and to the right of its hot spot), and inside the window, so
// that the block of readouts neither covers the point under the pointer nor
// runs past the window's edge.
#include <QPoint>
#include <QRect>
#include <QSize>

// The room the pointer's arrow takes below and to the right of its hot spot.
inline constexpr QSize kPointerExtent{20, 24};

// The top-left corner for a tooltip of size tip with the pointer's hot spot
// at pointer, all in one coordinate system. The first of these that lies
// wholly inside area wins: below and to the right of the pointer, above and
// to the right, below and to the left, above and to the left, right beside
// it, left beside it. A tooltip that fits nowhere beside the pointer is
// kept inside area as well as it can be, its top-left corner first.
QPoint PlaceToolTip(QSize tip, QPoint pointer, const QRect &area, QSize pointerExtent = kPointerExtent);
