#pragma once
// The ground's options of dipole-render: --ground perfect|real --height H
// [--orientation horizontal|vertical] (real with --permittivity and
// --conductivity), and --monopole. The kind and the
// orientation are read as the option table meets them; the height, which
// may be in metres at --frequency, once the LENGTH is known, so that a
// height that puts the wire into the ground is refused naming both.
#include "RenderOptionValues.h"

#include <QString>

#include <optional>
#include <vector>

void SetGround(RenderOptions &options, const QString &text);
void SetOrientation(RenderOptions &options, const QString &text);

// --ground real's soil: --permittivity from 1 to 100, --conductivity from 0
// to 100 S/m, acting at frequencyHz. Throws RenderUsageError naming the
// option.
NecSoil ReadSoil(const QString &permittivity, const QString &conductivity, double frequencyHz);

// The height of text in wavelengths: a number above 0, or with --frequency
// a length in metres (5m). Throws RenderUsageError naming option.
double ReadGroundHeight(const QString &text, std::optional<double> frequency, const char *option = "--height");

// --height-sweep FROM:TO in steps of step (0.01 by default): the heights,
// each rounded as SteppedLengths rounds lengths; refuses a range that is not
// two heights above 0 in ascending order, or more than kMaxHeightRows.
inline constexpr long kMaxHeightRows = 10000;
std::vector<double> ReadHeightRange(const QString &range, std::optional<double> step);

// --height-sweep's request for the wire (its length, radius and
// orientation), each height above the lowest allowed and at most the highest.
HeightSweepRequest ReadHeightSweep(const QString &range, std::optional<double> step, const HeightSweepRequest &wire);

// Refuses a LENGTH the ground does not take: 0 or below, or beyond the
// closed form's.
void CheckGroundLength(double M);

// Refuses what CheckGroundLength does, and a height h (given as text) at or below the lowest that
// keeps the wire of LENGTH M and that radius off the ground, or above the
// highest taken.
void CheckGroundHeight(double M, double radius, double h, GroundOrientation orientation, const QString &text,
                       const char *option = "--height");
