#pragma once
// The NEC-2 model of the same dipole: one straight wire along z, centred on
// the origin, in free space, fed at its centre segment by a voltage source
// of 1 V (a delta gap), at the frequency whose wavelength is 1 m, so that
// lengths and radii in wavelengths are metres. The deck asks for the
// currents and for the pattern in the plane φ = 0 every tenth of a degree
// from 0° to 180°.
//
// The segments follow NEC-2's own guidance. Short against the wavelength:
// a fortieth of a wave, never longer than a tenth; at least 21, so that a
// short dipole's current is still drawn by many segments; always an odd
// count, so that one segment sits on the centre. Long against the radius:
// the thin-wire kernel holds for segments at least 8 radii long, the
// extended thin-wire kernel (the deck's EK card) down to 2 radii. A thick
// wire gets fewer, longer segments (the extended kernel where they are
// shorter than 8 radii); a wire too thick even for the fewest is refused.
//
// How far the input impedance moves with the count: |Z(N) − Z(N/2)| / |Z(N)|
// for this rule's N, and |Z(2N−1) − Z(N)| / |Z(2N−1)| for a count twice as
// fine. Each Z from a deck written by hand, "GW 1 N 0 0 -M/2 0 0 M/2 A",
// "GE 0", "EK 0" where marked, "EX 0 1 N/2+1 0 1 0", "FR 0 1 0 0 299.8 0",
// "XQ 0", "EN", run as nec2c -i deck -o out:
//
//   M     A        N/2 → N    Z(N) (Ω)          N vs N/2   2N−1 vs N
//   0.1   1e-5      11 → 21   2.022 − j2844       2.9 %      1.7 %
//   0.1   1e-3 EK   11 → 21   1.858 − j1065       5.5 %      4.7 %
//   0.5   1e-5      11 → 21   77.70 + j44.23      0.4 %      0.3 %
//   0.5   1e-3      11 → 21   84.82 + j48.03      1.5 %      1.2 %
//   0.5   1e-2 EK   11 → 21   106.3 + j42.30      4.9 %
//   1     1e-5      21 → 41   5486 − j3171       29 %       15 %
//   1.5   1e-5      31 → 61   111.2 + j49.27      0.3 %      0.2 %
//   1.5   1e-3      31 → 61   119.4 + j52.38      1.3 %      1.0 %
//   1.5   1e-2 EK   31 → 61   142.9 + j34.39      6.5 %
//   5     1e-5     101 → 201  3862 − j1679       19 %       10 %
//   5     1e-3     101 → 201  951.6 − j707.5     15 %        9.3 %
//   5     1e-2 EK  101 → 201  217.1 − j283.4     19 %
//   12.3  1e-5     247 → 493  272.8 − j775.1      4.0 %      2.0 %
//   12.3  1e-3     247 → 493  193.7 − j328.5      5.1 %      3.2 %
//   12.3  1e-2 EK  247 → 493  111.8 − j133.3      8.7 %
//   29    1e-5     581 → 1161 3027 − j1061       14 %        7.7 %
//   29    1e-3     581 → 1161 839.7 − j508.6     12 %        7.7 %
//   29    1e-2 EK  581 → 1161 222.8 − j238.9     17 %
//
// Where the feed sits near a current maximum the impedance settles to a
// few percent or better. Where it sits near a node (whole numbers of
// waves) the impedance is large and keeps moving: its conductance settles,
// but the susceptance of the delta gap grows as the feed segment shortens
// (at M = 29, A = 1e-5: G = 2.94e-4 S with 1161 and with 2321 segments, B
// from 1.03e-4 to 1.27e-4 S). A count twice as fine halves the change at
// eight times the cost (M = 29: about 2.6 s with 1161 segments, 18 s with
// 2321), so the count stays at a fortieth of a wave and the report states
// how settled the impedance is.
#include <string>

inline constexpr int kMinNecSegments = 21;
// Segments per wavelength, and the fewest: segments at most a tenth of a
// wave long.
inline constexpr double kNecSegmentsPerWavelength = 40.0;
inline constexpr double kFewestNecSegmentsPerWavelength = 10.0;
// Shortest segment length, in wire radii, for the thin-wire kernel and for
// the extended thin-wire kernel.
inline constexpr double kMinSegmentToRadius = 8.0;
inline constexpr double kMinExtendedSegmentToRadius = 2.0;
// The pattern's step and count of directions, 0° to 180° inclusive; the
// pattern kept for the pictures takes every kNecPatternStride-th of them,
// a step of kNecPatternStepDeg.
inline constexpr double kNecFineStepDeg = 0.1;
inline constexpr int kNecDirections = 1801;
inline constexpr int kNecPatternStride = 5;
inline constexpr double kNecPatternStepDeg = kNecFineStepDeg * kNecPatternStride;
inline constexpr int kNecPatternDirections = (kNecDirections - 1) / kNecPatternStride + 1;

struct NecModel
{
    double length = 0.0; // wavelengths, above 0
    double radius = 0.0; // wavelengths
    int segments = 0;
    bool extendedKernel = false; // segments shorter than kMinSegmentToRadius radii
};

// The segment count for length M and wire radius A: a fortieth of a wave
// (at least 21, made odd), fewer where the segments would be shorter than
// kMinExtendedSegmentToRadius radii. Below NecFewestSegments(M) when the
// wire is too thick for NEC-2 at this length.
int NecSegmentCount(double M, double radius);

// The fewest segments NEC-2 is trusted with at length M: each at most a
// tenth of a wave long, at least 21, an odd count.
int NecFewestSegments(double M);

// The largest radius NEC-2 is trusted with at length M: NecFewestSegments(M)
// segments, each kMinExtendedSegmentToRadius radii long.
double MaxNecRadius(double M);

// The model of length |M| with radius A and NecSegmentCount(M, A) segments.
// Throws std::domain_error when |M| is 0 or beyond the plots' length limit,
// or A does not fit M (WireRadiusFits) or exceeds MaxNecRadius(M).
NecModel MakeNecModel(double M, double radius);

// The same wire with about half as many segments (an odd count, at least
// 3) and the same kernel: the coarser model against which the report
// states how settled the impedance is.
NecModel HalfNecModel(const NecModel &model);

enum class NecDeckContent {
    Everything,   // the input, the currents and the pattern
    ImpedanceOnly // the input alone, no pattern
};

// The deck's text, cards one a line.
std::string NecDeck(const NecModel &model, NecDeckContent content = NecDeckContent::Everything);
