#pragma once
// The beam-width bracket of the rectangular plot, as numbers: the plot
// samples F every half degree (indices 0 to 720), takes the main lobe's
// maximum below 90° and marks the width at 0.7 of it between two legs. The
// rule works on the samples themselves, so its width may differ from the
// true width at 0.7 (73° against 79.2° at M = 0.5); the readouts report it
// as the width the picture shows.

// F at sample j (half degrees) of the rectangular plot.
double HalfDegreePattern(double M, int j);

// Leg indices (half degrees) of the bracket for a maximum Fmax at index k.
struct BeamWidthLegs
{
    int left;
    int right;
};
BeamWidthLegs FindBeamWidthLegs(int k, double M, double Fmax);

// The maximum that the bracket is drawn around: the largest F at the indices
// below 180 (below 90°) that the curve passes, the first of equal values.
struct RectangularMaximum
{
    int k = 0;
    double Fmax = 0.0;
    // Takes sample i of the curve into account.
    void offer(int i, double F);
};
RectangularMaximum FindRectangularMaximum(double M);

// The angle in degrees between the bracket's two legs for length M, as the
// plot draws them (0 where the bracket is a single stroke).
double BeamWidthBracketDegrees(double M);
