#include "RectangularPlot.h"

#include "PatternFunction.h"
#include "PixelCoordinate.h"
#include "PlotCanvas.h"

namespace {

constexpr int kLeftMargin = 20;       // x of index 0, and of the vertical axis
constexpr int kAxisAboveBottom = 40;  // the horizontal axis is h - 40
constexpr int kLegBelowBottom = 24;   // legs start at h - 24
constexpr int kLastSearchIndex = 360; // 180°: the right leg never looks beyond
constexpr int kMaximumBelow = 180;    // the maximum is sought below 90°
constexpr int kLastSample = 720;      // 360°

double halfDegreePattern(double M, int j)
{
    return PatternValue(M, SampleAngle(j, 2));
}

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
        const double F = halfDegreePattern(M, i);
        maximum.offer(i, F);
        surface.lineTo(i + kLeftMargin, RectangularCurveRow(F, h));
    }
    DrawBeamWidthBracket(surface, maximum.k, M, maximum.Fmax);
}

void RectangularMaximum::offer(int i, double F)
{
    if (F > Fmax && i < kMaximumBelow) {
        Fmax = F;
        k = i;
    }
}

RectangularMaximum FindRectangularMaximum(double M)
{
    RectangularMaximum maximum;
    for (int i = 0; i < kMaximumBelow; ++i)
        maximum.offer(i, halfDegreePattern(M, i));
    return maximum;
}

double BeamWidthBracketDegrees(double M)
{
    const RectangularMaximum maximum = FindRectangularMaximum(M);
    const BeamWidthLegs legs = FindBeamWidthLegs(maximum.k, M, maximum.Fmax);
    return (legs.right - legs.left) / 2.0;
}

BeamWidthLegs FindBeamWidthLegs(int k, double M, double Fmax)
{
    const double T = static_cast<double>(0.7L * static_cast<long double>(Fmax));
    const long double U = 1.058L * static_cast<long double>(T);
    const auto inBand = [&](int j) {
        const double F = halfDegreePattern(M, j);
        return F >= T && U >= static_cast<long double>(F);
    };

    // Each search stops at the first sample in the band counted from the
    // maximum; a flank that jumps over the band lets it run on across the
    // side lobes, and without a hit the leg stays at the maximum.
    BeamWidthLegs legs{k, k};
    for (int j = k; j >= 1; --j) {
        if (inBand(j)) {
            legs.left = j;
            break;
        }
    }
    for (int j = k; j <= kLastSearchIndex; ++j) {
        if (inBand(j)) {
            legs.right = j;
            break;
        }
    }
    return legs;
}

void DrawBeamWidthBracket(PlotCanvas &surface, int k, double M, double Fmax)
{
    const int h = surface.height();
    const BeamWidthLegs legs = FindBeamWidthLegs(k, M, Fmax);
    const int ybar = RectangularCurveRow(halfDegreePattern(M, legs.left), h);
    const int legTop = h - kLegBelowBottom;

    surface.moveTo(legs.left + kLeftMargin, legTop);
    surface.lineTo(legs.left + kLeftMargin, ybar);
    surface.lineTo(legs.right + kLeftMargin, ybar);
    surface.lineTo(legs.right + kLeftMargin, legTop);
}
