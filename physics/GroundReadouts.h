#pragma once
// The numbers of a dipole's pattern over a perfect ground (GroundImage.h)
// and of the monopole:
//   - in an elevation cut, the elevation of the maximum and the half-power
//     range, the elevations on either side of it where the field falls to
//     1/√2 of that maximum (the horizon or the zenith where it does not fall
//     that far before them);
//   - the directivity over the ground, D = 4π·P_max / ∫ P dΩ with P the
//     field pattern squared, its maximum and its integral taken over the
//     upper half space only: the ground radiates nothing below itself.
// A monopole of height M/2 fed at its base on the ground radiates the upper
// half of the dipole M's field into half the space with the same maximum, so
// its directivity is exactly twice the dipole's in free space.
#include "GroundImage.h"

#include <functional>
#include <optional>

struct ElevationReadouts
{
    // To 1e-6° where the maximum is a plain peak; within 0.01° of a flat
    // one (a horizontal wire's sin(kh·sin el) at the zenith is flat to the
    // fourth order in the angle, level in double precision over 0.006°).
    double maxElevationDeg = 0.0;
    double halfPowerLowerDeg = 0.0; // to 1e-6°; 0 at the horizon
    double halfPowerUpperDeg = 0.0; // 90 at the zenith
    // The highest other lobe within kRivalLobeDb (Lobes.h) of the maximum,
    // parted from the maximum's lobe by a dip below its half-power level:
    // its elevation and its level against the maximum (dB, at most 0). Two
    // equal lobes, as a horizontal wire one wavelength high has, are each
    // the other's rival.
    std::optional<double> rivalElevationDeg;
    std::optional<double> rivalLevelDb;
};

struct GroundReadouts
{
    // The cut across a horizontal wire, or any vertical plane of a vertical
    // wire or a monopole; none where the field is 0 in the whole cut (a
    // horizontal wire of a whole even number of wavelengths, across it).
    std::optional<ElevationReadouts> cut;
    // The cut along a horizontal wire; none for a vertical one.
    std::optional<ElevationReadouts> alongCut;
    double directivity = 0.0;
    double directivityDbi = 0.0; // 10·log10 D
};

// The readouts of a field pattern given against the elevation in radians on
// [0, π/2]; none where it is 0 throughout. The pattern is sampled every
// 0.01° before the maximum and the crossings are refined, which resolves the
// array factor's lobes (1/(2h) apart in sin el) for heights up to about
// 100 wavelengths.
std::optional<ElevationReadouts> ComputeElevationReadouts(const std::function<double(double)> &pattern);

// The readouts of the dipole over the ground; throws std::domain_error
// where CheckHeight does.
GroundReadouts ComputeGroundReadouts(double M, double h, double radius, GroundOrientation orientation);

// The readouts of the monopole of height M/2, the upper half of dipole M;
// throws std::domain_error for a length the free-space readouts refuse
// or M = 0.
GroundReadouts ComputeMonopoleReadouts(double M);
