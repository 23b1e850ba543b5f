#include "RectangularPlot.h"

#include "PixelCoordinate.h"
#include "PlotCanvas.h"
#include "physics/BeamWidthBracket.h"

namespace {

constexpr int kLeftMargin = 20;      // x of index 0, and of the vertical axis
constexpr int kAxisAboveBottom = 40; // the horizontal axis is h - 40
constexpr int kLegBelowBottom = 24;  // legs start at h - 24
constexpr int kLastSample = 720;     // 360°

} // namespace

int RectangularCurveRow(double F, int h)
{
    const double e = -F;
    long double y = static_cast<long double>(e) * 120.0L;
    y = y + static_cast<long double>(h);
    y = y - static_cast<long double>(kAxisAboveBottom);
    return TruncateToPixel(y);
}

int RectangularSampleAtColumn(int x)
{
    const int i = x - kLeftMargin;
    return i >= 0 && i <= kLastSample ? i : -1;
}

void DrawRectangularPattern(PlotCanvas &surface, TColor colour, double M)
{
    const int w = surface.width();
    const int h = surface.height();
    const int base = h - kAxisAboveBottom;

    surface.setPenColor(clBlack);
    surface.moveTo(kLeftMargin, h);
    surface.lineTo(kLeftMargin, 0);
    surface.lineTo(10, 20);
    surface.moveTo(kLeftMargin, 0);
    surface.lineTo(30, 20);

    surface.moveTo(0, base);
    surface.lineTo(w, base);
    surface.lineTo(w - 20, h - 30);
    surface.moveTo(w, base);
    surface.lineTo(w - 20, h - 50);

    surface.moveTo(40, base);
    surface.setPenColor(colour);

    RectangularMaximum maximum;
    for (int i = 0; i <= kLastSample; ++i) {
        const double F = HalfDegreePattern(M, i);
        maximum.offer(i, F);
        surface.lineTo(i + kLeftMargin, RectangularCurveRow(F, h));
    }
    DrawBeamWidthBracket(surface, maximum.k, M, maximum.Fmax);
}

void DrawBeamWidthBracket(PlotCanvas &surface, int k, double M, double Fmax)
{
    const int h = surface.height();
    const BeamWidthLegs legs = FindBeamWidthLegs(k, M, Fmax);
    const int ybar = RectangularCurveRow(HalfDegreePattern(M, legs.left), h);
    const int legTop = h - kLegBelowBottom;

    surface.moveTo(legs.left + kLeftMargin, legTop);
    surface.lineTo(legs.left + kLeftMargin, ybar);
    surface.lineTo(legs.right + kLeftMargin, ybar);
    surface.lineTo(legs.right + kLeftMargin, legTop);
}
