#pragma once
// What the build command does to the two plot pictures, shared by the window
// and the command-line renderer so that both draw the same pixels.
#include "colors/Colors.h"

#include <QString>

class PlotCanvas;

constexpr int kPictureWidth = 778;
constexpr int kPictureHeight = 462;

// The build command draws lengths below this and refuses the rest; the
// family command skips them.
constexpr long double kLengthLimit = 30.0L;

// The refusal of a length of kLengthLimit or more: its two lines and caption.
QString LengthTooLargeText();
QString LengthTooLargeCaption();

// Fills the whole surface with its (white) brush.
void ClearPicture(PlotCanvas &surface);

// Clears both pictures, then draws the polar plot on the first and the
// rectangular plot with its bracket on the second, in one colour.
void BuildPictures(PlotCanvas &polar, PlotCanvas &rect, TColor colour, double M, bool fill);
