#pragma once
// A measured pattern beside the theory in the report: how many points, the
// RMS of their difference in dB from the theory of the length asked for,
// and the length whose theory they fit best.
#include "physics/MeasuredPattern.h"

#include <QByteArray>

#include <optional>

struct MeasuredFit
{
    std::size_t points = 0;
    double deviationDb = 0.0; // against the length asked for
    double bestLength = 0.0;
    double bestDeviationDb = 0.0;
};

// The fit of the pattern against length M (above 0), the best length
// sought from 0.05 up to three times M (at least 3 and below 30).
MeasuredFit FitMeasuredPattern(const MeasuredPattern &pattern, double M);

// The report's lines, and the JSON object of the key "measured_pattern";
// with a frequency (hertz) the best length in metres too.
QByteArray MeasuredReportTable(const MeasuredFit &fit, std::optional<double> frequency = std::nullopt);
QByteArray MeasuredJson(const MeasuredFit &fit, std::optional<double> frequency = std::nullopt);
