#pragma once
// The pattern of one relative length M in rectangular coordinates: black
// axes with arrow heads, the curve of F against θ from 0° to 360° at half
// degrees (one pixel per half degree, 120 pixels per unit of F, the
// horizontal axis 40 pixels above the bottom), and the beam-width bracket at
// 0.7 of the main lobe's maximum below 90°. The surface is not cleared.
#include "colors/Colors.h"

class PlotCanvas;

void DrawRectangularPattern(PlotCanvas &surface, TColor colour, double M);

// Marks the beam width around index k (half degrees) of the maximum Fmax
// with the current pen: two legs below the horizontal axis and a bar on the
// curve's row at the left leg.
void DrawBeamWidthBracket(PlotCanvas &surface, int k, double M, double Fmax);

// The row of the curve for a pattern value on a surface of height h.
int RectangularCurveRow(double F, int h);

// The sample index (half degrees, 0 to 720) drawn in column x, or -1 for a
// column left or right of the curve.
int RectangularSampleAtColumn(int x);
