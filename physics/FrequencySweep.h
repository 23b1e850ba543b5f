#pragma once
// One wire, cut to a length in metres, driven over a band of frequencies:
// its length and radius in wavelengths grow with the frequency, and with
// them its input impedance, its standing-wave ratio and its reflection on
// the feed line. Also what a sweep is read for: the resonances (the
// reactance rising through zero) and the band where the SWR stays within a
// limit.
#include "InducedEmf.h"

#include <complex>
#include <optional>
#include <vector>

struct FrequencyPoint
{
    double frequency = 0.0;                // hertz
    double length = 0.0;                   // M at this frequency
    double radius = 0.0;                   // A at this frequency
    std::optional<Impedance> input;        // none at a current node
    std::optional<double> swr;             // where input is
    std::complex<double> reflection = 1.0; // 1 (an open circuit) at a current node
};

// The points of a wire lengthMetres long with radius radiusMetres at each
// frequency (hertz, ascending), against the reference resistance. Throws
// std::domain_error, before computing anything, where a frequency makes the
// wire longer than the plots' length limit or not longer than it is thick,
// or for a reference resistance that does not fit.
std::vector<FrequencyPoint> ComputeFrequencySweep(double lengthMetres, double radiusMetres,
                                                  const std::vector<double> &frequencies, double referenceResistance);

// The wire a sweep was computed for: with it, what is read off the points
// (a resonance, a band's edge) is placed on the closed form itself, to a
// part in 1e12, and not on a straight line between two points.
struct WireInMetres
{
    double length = 0.0;
    double radius = 0.0;
    double referenceResistance = 50.0;
};

// The frequencies where the input reactance rises through zero between two
// points, placed by linear interpolation (a measurement's) or on the model.
std::vector<double> ResonantFrequencies(const std::vector<FrequencyPoint> &points);
std::vector<double> ResonantFrequencies(const WireInMetres &wire, const std::vector<FrequencyPoint> &points);

// The frequency near `near` (within a tenth either side) at which the wire
// resonates: its reactance rising through zero as its length and radius in
// wavelengths grow together with the frequency; none when it does not
// there.
std::optional<double> ResonantFrequencyNear(const WireInMetres &wire, double near);

struct SwrBand
{
    double low = 0.0;      // hertz
    double high = 0.0;     // hertz
    bool openLow = false;  // the SWR is still within the limit at the sweep's first frequency
    bool openHigh = false; // … at its last
};

// The run of frequencies about the lowest SWR where the SWR is at most
// limit, its edges placed as the resonances are; none where the lowest SWR
// is above the limit.
std::optional<SwrBand> BandWithinSwr(const std::vector<FrequencyPoint> &points, double limit);
std::optional<SwrBand> BandWithinSwr(const WireInMetres &wire, const std::vector<FrequencyPoint> &points, double limit);
