#pragma once
// What the build command does to the two plot pictures, shared by the window
// and the command-line renderer so that both draw the same pixels.
#include "PatternFunction.h"
#include "colors/Colors.h"

#include <stdexcept>

class PlotCanvas;

constexpr int kPictureWidth = 778;
constexpr int kPictureHeight = 462;

// A length that the build command refuses, with the limit it did not stay
// below. The programs word the refusal for their users.
class LengthRefusedError : public std::domain_error
{
public:
    LengthRefusedError(long double length, long double limit);
    long double length() const { return m_length; }
    long double limit() const { return m_limit; }

private:
    long double m_length;
    long double m_limit;
};

// Throws LengthRefusedError for a length of kLengthLimit or more; the build
// command draws every length below it, negative ones included.
void CheckBuildLength(long double length);

// Fills the whole surface with its (white) brush.
void ClearPicture(PlotCanvas &surface);

// Clears both pictures, then draws the polar plot on the first and the
// rectangular plot with its bracket on the second, in one colour.
void BuildPictures(PlotCanvas &polar, PlotCanvas &rect, TColor colour, double M, bool fill);
