#pragma once
// What the build command does to the two plot pictures, shared by the window
// and the command-line renderer so that both draw the same pixels.
#include "colors/Colors.h"

class PlotCanvas;

constexpr int kPictureWidth = 778;
constexpr int kPictureHeight = 462;

// Fills the whole surface with its (white) brush.
void ClearPicture(PlotCanvas &surface);

// Clears both pictures, then draws the polar plot on the first and the
// rectangular plot with its bracket on the second, in one colour.
void BuildPictures(PlotCanvas &polar, PlotCanvas &rect, TColor colour, double M, bool fill);
