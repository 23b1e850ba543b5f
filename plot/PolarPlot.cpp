#include "PolarPlot.h"

#include "PixelCoordinate.h"
#include "PlotCanvas.h"
#include "physics/PatternFunction.h"

QPoint PolarSamplePoint(double M, int i, int cx, int cy)
{
    const double theta = SampleAngle(i, 1);
    const double F = PatternValue(M, theta);
    const long double th = theta;
    const double dx = static_cast<double>(ExtendedCos(th) * static_cast<long double>(F));
    const double dy = static_cast<double>(ExtendedSin(th) * static_cast<long double>(F));
    long double X = static_cast<long double>(dx) * 100.0L;
    X = X + static_cast<long double>(cx);
    long double Y = static_cast<long double>(dy) * 100.0L;
    Y = Y + static_cast<long double>(cy);
    return QPoint(TruncateToPixel(X), TruncateToPixel(Y));
}

void DrawPolarPattern(PlotCanvas &surface, TColor colour, double M, bool fill)
{
    const int w = surface.width();
    const int h = surface.height();
    const int cx = w / 2;
    const int cy = h / 2;

    // The axes run one pixel left of and above the curve's centre.
    surface.setPenColor(clBlack);
    surface.moveTo(0, cy - 1);
    surface.lineTo(w, cy - 1);
    surface.moveTo(cx - 1, 0);
    surface.lineTo(cx - 1, h);

    surface.setPenColor(colour);
    surface.moveTo(cx, cy);
    for (int i = 0; i <= 360; ++i) {
        const QPoint sample = PolarSamplePoint(M, i, cx, cy);
        if (fill)
            surface.moveTo(cx, cy);
        surface.lineTo(sample.x(), sample.y());
    }
}
