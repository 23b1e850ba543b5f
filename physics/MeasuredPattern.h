#pragma once
// A pattern measured on a turntable: a table of angles and levels, read and
// set beside the dipole's theory. The table has θ in degrees (anywhere from
// 0° to 360°, in any order) and the level in dB or as a linear field, one
// row a line, its numbers separated by commas, semicolons, tabs or spaces
// (a dot for the decimals), with an optional header line and comments after
// '#'. A header whose level column names dB (or "linear", "field") says the
// scale; otherwise the caller says it, or levels below 0 are taken as dB
// and others as a linear field. A pattern about the dipole's axis is the
// same at θ and 360° − θ, so an angle beyond 180° is the mirror of one
// within.
#include "TextLines.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

enum class MeasuredScale { Decibel, Linear };

struct MeasuredSample
{
    double thetaDeg = 0.0; // as measured, 0 to 360
    double level = 0.0;    // field against the largest measured, 0 to 1
};

struct MeasuredPattern
{
    std::vector<MeasuredSample> samples; // in the file's order
    MeasuredScale scale = MeasuredScale::Linear;
};

inline constexpr std::size_t kMeasuredLongestLine = 65536;
inline constexpr std::size_t kMeasuredMostSamples = 100000;
// The floor of the comparison in dB: deeper levels (a null) count as this.
inline constexpr double kMeasuredFloorDb = -40.0;

// A fault of the table, with its line (0 for the table as a whole).
using MeasuredPatternError = LineError;

// The samples of text, normalised to the largest level. Throws
// MeasuredPatternError for a table with fewer than three rows, a row that is
// not two numbers, an angle outside 0° to 360°, a negative linear level,
// levels that are all zero, binary data or a line too long.
MeasuredPattern ReadMeasuredPattern(std::string_view text, std::optional<MeasuredScale> scale);

// The RMS of the differences in dB between the samples and the theory of
// length M, each normalised to its maximum, levels below kMeasuredFloorDb
// counted as the floor. M must be above 0 and measurable.
double PatternDeviationDb(const MeasuredPattern &pattern, double M);

// The length from `from` to `to` whose pattern the samples fit best (the
// least PatternDeviationDb), to 1e-6 of a wavelength.
double BestFittingLength(const MeasuredPattern &pattern, double from, double to);
