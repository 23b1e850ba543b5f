#pragma once
// The NEC-2 model of the dipole over the ground, beside the closed form's
// image theory (GroundImage.h): the same wire as NecDeck's, lifted to its
// height, horizontal (along x) or vertical (along z), or the monopole (the
// upper half of the wire, standing on the ground and fed at its base).
//
// The ground is perfect (NEC-2's GN 1, the image exactly) or real: a soil of
// relative permittivity ε_r and conductivity σ (S/m), solved by NEC-2's
// Sommerfeld–Norton method (GN 2). The deck keeps its wavelength of 1 m (a
// frequency of 299.8 MHz, NecDeck.h), so a soil at the real frequency f is
// given to nec2c with the same complex permittivity ε_r − jσ/(2πfε₀): the
// conductivity scaled by 299.8 MHz / f.
//
// The deck asks for the pattern above the ground, every kNecElevationStepDeg
// of elevation from the zenith down to the horizon, in the plane along the
// wire (φ = 0) and across it (φ = 90°) for a horizontal wire, in one
// vertical plane for a vertical wire or the monopole. The gains nec2c
// prints are against the power put in, so over a real ground they count
// what the soil absorbs; over a perfect ground they are the directivity.
#include "GroundImage.h"
#include "GroundReadouts.h"
#include "InducedEmf.h"
#include "NecDeck.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr double kNecElevationStepDeg = 0.5;
inline constexpr int kNecElevations = 181; // 0° to 90° inclusive

// The soil's figures taken: a relative permittivity from 1 (the vacuum) to
// 100 (about sea water's 81 with room), a conductivity from 0 to 100 S/m.
inline constexpr double kMinSoilPermittivity = 1.0;
inline constexpr double kMaxSoilPermittivity = 100.0;
inline constexpr double kMaxSoilConductivity = 100.0;

struct NecSoil
{
    double permittivity = 1.0; // relative
    double conductivity = 0.0; // S/m
    double frequencyHz = 0.0;  // where the conductivity acts, above 0
};

struct NecGroundModel
{
    NecModel wire;       // the whole dipole (a monopole: the dipole it is half of)
    double height = 0.0; // the centre's height, wavelengths; 0 for a monopole
    GroundOrientation orientation = GroundOrientation::Horizontal;
    bool monopole = false;
    std::optional<NecSoil> soil; // none: a perfect ground
};

// A dipole of length M and radius A at height h over the ground (none: a
// perfect one), with NecSegmentCount's segments. Throws std::domain_error
// where MakeNecModel or CheckHeight does, or the soil's figures are outside
// the ranges above.
NecGroundModel MakeNecGroundModel(double M, double radius, double h, GroundOrientation orientation,
                                  const std::optional<NecSoil> &soil);

// The monopole of height M/2 with radius A on the ground: half the dipole's
// segments (at least 11), fed on the first, at the ground.
NecGroundModel MakeNecMonopoleModel(double M, double radius, const std::optional<NecSoil> &soil);

// The deck's text, cards one a line.
std::string NecGroundDeck(const NecGroundModel &model);

// One elevation cut: the power gain in dBi every kNecElevationStepDeg from
// the horizon (index 0) to the zenith, with -999.99 where nec2c finds no
// field, and the readouts of the field it gives.
struct NecElevationCut
{
    std::vector<double> gainDbi;
    double maxGainDbi = 0.0;
    std::optional<ElevationReadouts> readouts;
};

struct NecGroundSolution
{
    int segments = 0;
    Impedance input;
    // As in GroundReadouts: across a horizontal wire, or the vertical
    // wire's and the monopole's only cut; along a horizontal wire.
    std::optional<NecElevationCut> cut;
    std::optional<NecElevationCut> alongCut;
    double maxGainDbi = 0.0; // the larger of the cuts' maxima
};

// The solution in output, a report of model's deck. Throws NecReportError.
NecGroundSolution ParseNecGroundOutput(std::string_view output, const NecGroundModel &model);
