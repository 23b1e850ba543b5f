#pragma once
// Every lobe of a pattern between θ = 0° and 90° (the other half mirrors it
// about 90°). The pattern's nulls, where cos θ = ±(1 − 2k/|M|), cut that
// half range into lobes, one hump of F each; the lobe that reaches 90° goes
// on past it into its mirror and is one lobe with it. Each lobe has its
// direction (its highest point), its level against the pattern's maximum,
// and its half-power width (between the points at its own peak/√2 on its
// flanks; across 90° when the lobe stays above that level there).
//
// Where an oblique lobe overtakes the broadside one (M ≈ N + 0.4), the main
// lobe changes abruptly, and with it every main-lobe readout; a lobe other
// than the maximum's that comes within 1 dB of it is flagged as a rival, so
// that the jump does not come unannounced.
#include <optional>
#include <vector>

// A lobe this close to the maximum (dB) rivals it.
inline constexpr double kRivalLobeDb = 1.0;

struct Lobe
{
    double directionDeg = 0.0; // θ of the peak in [0°, 90°], to 0.01°
    double value = 0.0;        // F at the peak, to 1e-12 relative
    double levelDb = 0.0;      // 20·log10(value / f_max), at most 0
    double halfPowerWidthDeg = 0.0;
    double fromDeg = 0.0; // its bounds: 0°, nulls, 90°
    double toDeg = 0.0;
    bool maximum = false; // holds a direction of the maximum
    bool rival = false;   // not the maximum's, within kRivalLobeDb of it
};

// The lobes of length M in ascending direction; none for M = 0. |M| up to
// the plots' length limit; std::domain_error otherwise.
std::vector<Lobe> FindLobes(double M);
