#pragma once
// The current along a centre-fed dipole of length M as the pattern's theory
// assumes it: a standing wave that vanishes at the wire's ends,
//   I(z) = I_m·sin(2π(M/2 − |z|)),   −M/2 ≤ z ≤ M/2 (wavelengths),
// drawn as its magnitude against the largest magnitude on the wire. The feed
// carries I_m·|sin(πM)|: for M of half a wave or more the wire holds the full
// I_m somewhere and the feed carries less, nothing at all at M = 1, 2, …
// (the reason the input resistance is infinite there); a shorter wire has its
// largest current at the feed.
//
// The standing wave changes sign at every zero, half a wave from either end
// and every half wave further in; each sample also carries I(z) with its
// sign, taken against the feed's current: positive where the current flows
// in phase with the feed's, negative where it flows against it. Where the
// feed sits at a node (FeedAtCurrentNode) the current beside it gives the
// sign, the same on both sides.
#include <optional>
#include <vector>

struct CurrentSample
{
    double z = 0.0;         // position along the wire, wavelengths
    double magnitude = 0.0; // |I(z)| against the wire's largest |I|
    double inPhase = 0.0;   // ±magnitude: + in phase with the feed's current
};

struct CurrentDistribution
{
    double length = 0.0; // |M|
    std::vector<CurrentSample> samples;
    // |I| at the feed against the wire's largest |I|, 0 at a current node
    // (as the readouts decide it for the input resistance); none for M = 0.
    std::optional<double> feedToMaximum;
};

// |I(z)| / I_m; 0 off the wire.
double SinusoidalCurrent(double M, double z);

// +1 or −1: the sign of the feed's current (beside the feed where it sits at
// a node) against sin(2π(M/2 − |z|)), which is positive next to the ends.
int FeedCurrentSign(double M);

// The feed's current against the wire's largest, as in CurrentDistribution.
std::optional<double> FeedToMaximumCurrent(double M);

// The distribution at sampleCount evenly spaced points from −|M|/2 to |M|/2
// (both ends included, at least 2), |M| up to the plots' length limit;
// std::domain_error otherwise.
CurrentDistribution ComputeCurrentDistribution(double M, int sampleCount);
