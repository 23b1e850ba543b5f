#pragma once
// The numbers of one length's pattern that an antenna exercise asks for,
// computed from the pattern function F of the plots (θ from the dipole's
// axis, 0° to 180°):
//   - the maximum f_max and its directions;
//   - the half-power beam width of the main lobe (the lobe of the maximum
//     nearest 90°) between the directions where F = f_max/√2 on its flanks;
//   - the width at 0.7 of f_max of the main lobe, and the width that the
//     rectangular plot's bracket marks (found by the plot's own rule on its
//     half-degree samples, so it may differ from the true width: 73° against
//     79.2° at M = 0.5);
//   - directivity D = 2·f_max² / ∫₀^π F² sin θ dθ;
//   - radiation resistance referred to the current maximum,
//     R_r = Z₀/(2π) · ∫₀^π F² sin θ dθ, and the input resistance at the
//     centre feed R_in = R_r / sin²(πM);
//   - the side-lobe level and the nulls;
//   - a rival lobe: another lobe within 1 dB of the maximum (see Lobes.h).
// M and −M give the same numbers.
#include <optional>
#include <vector>

inline constexpr double kFreeSpaceImpedance = 376.730313668; // ohms

struct PatternReadouts
{
    double length = 0.0; // M as given
    // F is 0 at every angle (M = 0): there is no maximum, beam width or
    // directivity; the radiation resistance is 0 and there are no nulls to
    // name.
    bool zeroPattern = false;
    double fMax = 0.0;                       // to 1e-9 relative
    std::vector<double> maxDirectionsDeg;    // ascending, to 0.01°
    std::optional<double> halfPowerWidthDeg; // upper minus lower crossing
    std::optional<double> halfPowerLowerDeg; // the crossings themselves, to 0.001°
    std::optional<double> halfPowerUpperDeg;
    double bracketDeg = 0.0;                // between the plot's bracket's legs
    std::optional<double> width07Deg;       // between the main lobe's points at 0.7·f_max
    std::optional<double> rivalLobeDeg;     // the highest rival lobe's direction in [0°, 90°]
    std::optional<double> rivalLobeLevelDb; // and its level against f_max
    std::optional<double> directivity;
    std::optional<double> directivityDbi;  // 10·log10 D
    double radiationResistance = 0.0;      // ohms
    std::optional<double> inputResistance; // none where the feed sits at a current null
    std::optional<double> sideLobeLevelDb; // the largest side lobe against f_max; none without one
    std::vector<double> nullsDeg;          // ascending, to 0.01°
};

// The readouts of length M, for |M| up to the plots' length limit of 30;
// throws std::domain_error for any other M (infinities and NaN included).
PatternReadouts ComputePatternReadouts(double M);
