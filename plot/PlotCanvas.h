#pragma once
// What the plots draw on: a canvas of a fixed size in pixels with a pen
// (colour and position), a white brush and a font (name, size in points,
// colour). The raster surface fills pixels by integer rules; a vector surface
// records the same operations as lines and text of a scalable drawing. The
// plots are written once against this interface and land on either.
#include "colors/Colors.h"

#include <QString>

class PlotCanvas
{
public:
    virtual ~PlotCanvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Paints left <= x < right, top <= y < bottom with the brush colour.
    virtual void fillRect(int left, int top, int right, int bottom) = 0;

    virtual void setPenColor(TColor c) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the pen position to (x, y) that then becomes the pen
    // position; the end point is left for the next line of a chain.
    virtual void lineTo(int x, int y) = 0;

    virtual void setFontSize(int points) = 0;
    // An empty name is ignored; longer names are cut to 31 characters.
    virtual void setFontName(const QString &name) = 0;
    virtual void setFontColor(TColor c) = 0;

    // Text with its cells' top-left corner at (x, y) on a box of the brush
    // colour; the pen moves to (x + text width, y).
    virtual void textOut(int x, int y, const QString &text) = 0;
    virtual int textWidth(const QString &text) const = 0;

protected:
    PlotCanvas() = default;
    PlotCanvas(const PlotCanvas &) = default;
    PlotCanvas &operator=(const PlotCanvas &) = default;
};
