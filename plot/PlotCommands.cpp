#include "PlotCommands.h"

#include "PlotCanvas.h"
#include "PolarPlot.h"
#include "RectangularPlot.h"

void ClearPicture(PlotCanvas &surface)
{
    surface.fillRect(0, 0, surface.width(), surface.height());
}

void BuildPictures(PlotCanvas &polar, PlotCanvas &rect, TColor colour, double M, bool fill)
{
    ClearPicture(polar);
    ClearPicture(rect);
    DrawPolarPattern(polar, colour, M, fill);
    DrawRectangularPattern(rect, colour, M);
}
