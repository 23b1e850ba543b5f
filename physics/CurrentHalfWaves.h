#pragma once
// The half-waves of the sinusoidal current: the stretches of the wire between
// neighbouring zeros of I(z) = I_m·sin(2π(M/2 − |z|)). The ends are zeros,
// and so is every point a whole number of half waves from an end, so each
// arm holds whole half-waves counted from its end; what is left over at the
// feed, less than a wave in all, is one stretch shared by both arms, the
// middle one, partial unless it is half a wave long. At a node of the feed
// (FeedAtCurrentNode) nothing is left over: the wire holds 2M whole
// half-waves, the feed between two of them.
//
// Neighbouring half-waves carry the current in opposite directions, and the
// sign of each is told against the feed's current (beside the feed at a
// node), as CurrentDistribution signs it: this is what makes a long dipole's
// pattern split into lobes.
#include <vector>

struct CurrentHalfWave
{
    double from = 0.0; // z of its ends, wavelengths, from < to
    double to = 0.0;
    bool inPhase = true;  // with the feed's current
    bool partial = false; // not half a wave long
};

struct CurrentHalfWaves
{
    std::vector<CurrentHalfWave> halfWaves; // from −|M|/2 to |M|/2
    int inPhase = 0;
    int opposite = 0;
    bool feedAtNode = false;
};

// The half-waves of a wire |M| wavelengths long, |M| up to the plots' length
// limit (none for M = 0); std::domain_error otherwise.
CurrentHalfWaves FindCurrentHalfWaves(double M);
