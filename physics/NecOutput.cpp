#include "NecOutput.h"

#include "NecReportTable.h"
#include "PatternReadouts.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <optional>
#include <string_view>

namespace {

constexpr double kPi = 3.14159265358979323846;
// The printed gains have two decimals; the field strengths and the power
// five digits.
constexpr double kGainAgreementDb = 0.02;
// Gains below this are too small for their two decimals to be compared.
constexpr double kComparedGainDb = -60.0;
// Segment centres are printed with four decimals.
constexpr double kPositionAgreement = 2e-4;
// The feed segment's current and the source's, both printed with five
// digits, agree to this fraction.
constexpr double kFeedCurrentAgreement = 1e-3;

// The feed's current is never a millionth of the largest on a dipole.
constexpr double kLeastFeedToMaximum = 1e-6;

using Row = NecRow;
using Lines = NecLines;
using Words = NecWords;

Impedance inputImpedance(const Lines &lines, const NecModel &model)
{
    return NecInputImpedance(lines, model.length, model.segments / 2 + 1);
}

// |I| of the source, from the same row.
double sourceCurrent(const Lines &lines)
{
    const Row row = NecTableAfter(lines, "ANTENNA INPUT PARAMETERS", 11).front();
    return std::hypot(row[4], row[5]);
}

void readCurrents(const Lines &lines, const NecModel &model, NecSolution &solution)
{
    // SEG TAG, the centre's X Y Z, the length, the current's real and
    // imaginary parts, magnitude and phase.
    const std::vector<Row> rows = NecTableAfter(lines, "CURRENTS AND LOCATION", 10);
    if (rows.size() != static_cast<size_t>(model.segments))
        throw NecReportError(std::to_string(rows.size()) + " segment currents for " + std::to_string(model.segments)
                             + " segments");
    double largest = 0.0;
    for (const Row &row : rows)
        largest = std::max(largest, row[8]);
    if (!(largest > 0.0))
        throw NecReportError("no current on the wire");
    const double step = model.length / model.segments;
    const Row &feedRow = rows[static_cast<size_t>(model.segments / 2)];
    const std::complex<double> feedPhase = std::polar(1.0, -std::atan2(feedRow[7], feedRow[6])) / largest;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double z = -model.length / 2.0 + (static_cast<double>(i) + 0.5) * step;
        if (rows[i][0] != static_cast<double>(i + 1) || std::fabs(rows[i][4] - z) > kPositionAgreement)
            throw NecReportError("segment " + std::to_string(i + 1) + " is not where the deck put it");
        const std::complex<double> relative = std::complex<double>(rows[i][6], rows[i][7]) * feedPhase;
        solution.currents.push_back({z, rows[i][8] / largest, relative.real(), relative.imag()});
    }
    const double feed = feedRow[8];
    if (std::fabs(feed - sourceCurrent(lines)) > kFeedCurrentAgreement * feed)
        throw NecReportError("the feed segment's current " + ShownNecNumber(feed) + " A is not the source's");
    solution.feedToMaximum = feed / largest;
    if (solution.feedToMaximum < kLeastFeedToMaximum)
        throw NecReportError("a current of " + ShownNecNumber(largest) + " A beside " + ShownNecNumber(feed)
                             + " A at the feed, which no dipole carries");
}

// The largest of the samples, or where the parabola through it and its two
// neighbours peaks higher, the parabola's top: a lobe's top between two
// directions is not lost to the step.
double peakOf(const std::vector<double> &samples)
{
    const auto largest = std::max_element(samples.begin(), samples.end());
    const double top = *largest;
    if (largest == samples.begin() || largest + 1 == samples.end())
        return top;
    const double before = *(largest - 1);
    const double after = *(largest + 1);
    const double curvature = before - 2.0 * top + after;
    if (!(curvature < 0.0))
        return top;
    const double offset = 0.5 * (before - after) / curvature;
    return top - 0.25 * (before - after) * offset;
}

// ∫ |E|² sin θ dθ from 0 to π by Simpson's rule over the samples (an odd
// count, evenly spaced by kNecFineStepDeg).
double fieldIntegral(const std::vector<double> &squared)
{
    const double step = kNecFineStepDeg * kPi / 180.0;
    double sum = 0.0;
    const std::size_t last = squared.size() - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        const double weight = i == 0 || i == last ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
        sum += weight * squared[i] * std::sin(static_cast<double>(i) * step);
    }
    return sum * step / 3.0;
}

void readPattern(const Lines &lines, double power, NecSolution &solution)
{
    // θ φ, the vertical, horizontal and total gains, axial ratio, tilt,
    // (sense,) E(θ) magnitude and phase, E(φ) magnitude and phase.
    const Words senses = {"LINEAR", "RIGHT", "LEFT"};
    const std::vector<Row> rows = NecTableAfter(lines, "RADIATION PATTERNS", 11, senses);
    if (rows.size() != static_cast<size_t>(kNecDirections))
        throw NecReportError(std::to_string(rows.size()) + " directions in the pattern for "
                             + std::to_string(kNecDirections));
    std::vector<double> fieldSquared;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        if (std::fabs(row[0] - static_cast<double>(i) * kNecFineStepDeg) > 1e-6 || row[1] != 0.0)
            throw NecReportError("direction " + std::to_string(i + 1) + " of the pattern is not the one asked for");
        const double squared = row[7] * row[7] + row[9] * row[9];
        const double gain = 2.0 * kPi * squared / (kFreeSpaceImpedance * power);
        if (row[4] > kComparedGainDb && std::fabs(10.0 * std::log10(gain) - row[4]) > kGainAgreementDb)
            throw NecReportError("the gain at " + ShownNecNumber(row[0]) + "° disagrees with the field strength");
        fieldSquared.push_back(squared);
    }
    const double largest = *std::max_element(fieldSquared.begin(), fieldSquared.end());
    if (!(largest > 0.0))
        throw NecReportError("no field in any direction");
    // D = 4π·U_max / ∮U dΩ over the pattern itself, as the theory's
    // directivity is found: the input power nec2c states differs from the
    // power in its own far field by up to about two parts in a thousand
    // (0.9985 of it at M = 29, A = 0.001).
    solution.directivity = SampledDirectivity(fieldSquared);
    solution.directivityDbi = 10.0 * std::log10(solution.directivity);
    for (size_t i = 0; i < rows.size(); i += kNecPatternStride)
        solution.pattern.push_back({rows[i][0], std::sqrt(fieldSquared[i] / largest)});
}

} // namespace

double SampledDirectivity(const std::vector<double> &fieldSquared)
{
    return 2.0 * peakOf(fieldSquared) / fieldIntegral(fieldSquared);
}

Impedance ParseNecInputImpedance(std::string_view output, const NecModel &model)
{
    return inputImpedance(SplitNecReport(output), model);
}

NecSettling CompareWithHalf(const Impedance &input, int halfSegments, const Impedance &halfInput)
{
    const double change = std::hypot(input.resistance - halfInput.resistance, input.reactance - halfInput.reactance)
                          / std::hypot(input.resistance, input.reactance);
    return {halfSegments, halfInput, change};
}

NecSolution ParseNecOutput(std::string_view output, const NecModel &model)
{
    const Lines lines = SplitNecReport(output);
    NecSolution solution;
    solution.segments = model.segments;
    solution.input = inputImpedance(lines, model);
    readCurrents(lines, model, solution);
    readPattern(lines, NecRadiatedPower(lines), solution);
    return solution;
}
