#include "BeamWidthBracket.h"

#include "PatternFunction.h"

namespace {

constexpr int kLastSearchIndex = 360; // 180°: the right leg never looks beyond
constexpr int kMaximumBelow = 180;    // the maximum is sought below 90°

} // namespace

double HalfDegreePattern(double M, int j)
{
    return PatternValue(M, SampleAngle(j, 2));
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
        maximum.offer(i, HalfDegreePattern(M, i));
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
        const double F = HalfDegreePattern(M, j);
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
