#pragma once
// The pattern of one relative length M in polar coordinates: black axis
// lines through the middle of the surface, then r = 100 * F(M, θ) pixels
// around the centre at every whole degree from 0° to 360°, θ growing
// clockwise on screen. With fill, each sample is a spoke from the centre;
// otherwise the samples form one closed line. The surface is not cleared.
#include "colors/Colors.h"

#include <QPoint>

class PlotCanvas;

void DrawPolarPattern(PlotCanvas &surface, TColor colour, double M, bool fill);

// The pixel of sample i (whole degrees) around the centre (cx, cy).
QPoint PolarSamplePoint(double M, int i, int cx, int cy);
