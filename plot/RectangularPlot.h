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

// Leg indices (half degrees) of the bracket for a maximum Fmax at index k.
struct BeamWidthLegs
{
    int left;
    int right;
};
BeamWidthLegs FindBeamWidthLegs(int k, double M, double Fmax);

// The maximum that the bracket is drawn around: the largest F at the indices
// below 180 (below 90°) that the curve passes, the first of equal values.
struct RectangularMaximum
{
    int k = 0;
    double Fmax = 0.0;
    // Takes sample i of the curve into account.
    void offer(int i, double F);
};
RectangularMaximum FindRectangularMaximum(double M);

// The angle in degrees between the bracket's two legs for length M, as the
// plot draws them (0 where the bracket is a single stroke).
double BeamWidthBracketDegrees(double M);
