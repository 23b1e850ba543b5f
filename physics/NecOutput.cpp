#include "NecOutput.h"

#include "PatternReadouts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <cstdio>
#include <optional>
#include <regex>
#include <string_view>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Lines between a section's title and its first row (the column heads).
constexpr int kHeadLines = 8;
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

// What a dipole's solution can be, with a margin of a thousand or more: the
// input resistance of a short dipole falls as 20π²M² (and from M = 0.5 on
// stays above that of M = 0.5), its reactance grows as 1/M, and both peak
// near the current nodes at some ten thousand ohms for the thinnest wire.
// The feed's current is never a millionth of the largest. Numbers beyond
// these are no dipole's, however well they parse.
constexpr double kLeastResistanceFactor = 1e-3;
constexpr double kLargestImpedanceOhms = 1e7;
constexpr double kLeastFeedToMaximum = 1e-6;

double leastResistance(double M)
{
    const double m = std::min(M, 0.5);
    return kLeastResistanceFactor * 20.0 * kPi * kPi * m * m;
}

double largestImpedance(double M)
{
    return kLargestImpedanceOhms / std::min(M, 1.0);
}

using Row = std::vector<double>;
using Lines = std::vector<std::string_view>;
using Words = std::vector<std::string_view>;

constexpr std::string_view kBlanks = " \t\n\v\f\r";

// A number written as the report writes it (1.2345E+01, -5.0000E-01, 90.00),
// the whole field; none for anything else.
std::optional<double> numberIn(std::string_view field)
{
    if (field.size() > 1 && field[0] == '+' && field[1] != '-' && field[1] != '+')
        field.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

// The numbers of a line, or none when a field is not a number. Words in
// allowedWords are skipped (the polarisation sense in the pattern's rows).
// A field that reads as an infinity or NaN is refused outright: no column of
// the report may hold one, and a table cut short by it would be reported
// as a missing row.
std::optional<Row> numbersOf(std::string_view line, const Words &allowedWords = {})
{
    Row row;
    std::size_t start = line.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        const std::string_view field = line.substr(start, end - start);
        start = line.find_first_not_of(kBlanks, end);
        if (std::find(allowedWords.begin(), allowedWords.end(), field) != allowedWords.end())
            continue;
        const std::optional<double> value = numberIn(field);
        if (!value)
            return std::nullopt;
        if (!std::isfinite(*value))
            throw NecReportError("it holds \"" + std::string(field) + "\", which is not a finite number");
        row.push_back(*value);
    }
    return row;
}

// printf's %g, as the reasons show the report's numbers.
std::string shown(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

Lines linesOf(std::string_view output)
{
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end = output.find('\n'); end != std::string_view::npos; end = output.find('\n', start)) {
        lines.push_back(output.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(output.substr(start));
    return lines;
}

// The rows of width numbers that follow the first line holding title: the
// column heads and blank lines before them are passed over, the first other
// line after them ends the table.
std::vector<Row> tableAfter(const Lines &lines, const char *title, size_t width, const Words &allowedWords = {})
{
    std::size_t i = 0;
    while (i < lines.size() && lines[i].find(title) == std::string_view::npos)
        ++i;
    if (i == lines.size())
        throw NecReportError("the section \"" + std::string(title) + "\" is missing");
    std::vector<Row> rows;
    const std::size_t headEnd = i + 1 + kHeadLines;
    for (++i; i < lines.size(); ++i) {
        const std::optional<Row> row = numbersOf(lines[i], allowedWords);
        if (row && row->size() == width)
            rows.push_back(*row);
        else if (!rows.empty() || i >= headEnd)
            break;
    }
    if (rows.empty())
        throw NecReportError("the section \"" + std::string(title) + "\" has no rows");
    return rows;
}

// The power of the first line that states it; the statement stays on one line.
double radiatedPower(const Lines &lines)
{
    static const std::regex pattern("RADIATED POWER *= *(\\S+) *Watts");
    std::optional<double> power;
    for (const std::string_view line : lines) {
        std::match_results<std::string_view::const_iterator> match;
        if (line.find("RADIATED POWER") != std::string_view::npos
            && std::regex_search(line.begin(), line.end(), match, pattern)) {
            power = numberIn(std::string_view(&*match[1].first, static_cast<std::size_t>(match[1].length())));
            break;
        }
    }
    if (!power || !(*power > 0.0) || !std::isfinite(*power))
        throw NecReportError("no radiated power above 0");
    return *power;
}

Impedance inputImpedance(const Lines &lines, const NecModel &model)
{
    // TAG SEG, voltage, current, impedance, admittance (real and imaginary
    // each), power.
    const Row row = tableAfter(lines, "ANTENNA INPUT PARAMETERS", 11).front();
    if (row[0] != 1 || row[1] != model.segments / 2 + 1)
        throw NecReportError("the source is not on the centre segment");
    if (!(row[6] > 0.0))
        throw NecReportError("an input resistance of " + shown(row[6]) + " Ω");
    const double largest = largestImpedance(model.length);
    if (row[6] < leastResistance(model.length) || row[6] > largest || std::fabs(row[7]) > largest)
        throw NecReportError("an input impedance of " + shown(row[6]) + " + j" + shown(row[7])
                             + " Ω, which no dipole of this length has");
    return {row[6], row[7]};
}

// |I| of the source, from the same row.
double sourceCurrent(const Lines &lines)
{
    const Row row = tableAfter(lines, "ANTENNA INPUT PARAMETERS", 11).front();
    return std::hypot(row[4], row[5]);
}

void readCurrents(const Lines &lines, const NecModel &model, NecSolution &solution)
{
    // SEG TAG, the centre's X Y Z, the length, the current's real and
    // imaginary parts, magnitude and phase.
    const std::vector<Row> rows = tableAfter(lines, "CURRENTS AND LOCATION", 10);
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
        throw NecReportError("the feed segment's current " + shown(feed) + " A is not the source's");
    solution.feedToMaximum = feed / largest;
    if (solution.feedToMaximum < kLeastFeedToMaximum)
        throw NecReportError("a current of " + shown(largest) + " A beside " + shown(feed)
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
    const std::vector<Row> rows = tableAfter(lines, "RADIATION PATTERNS", 11, senses);
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
            throw NecReportError("the gain at " + shown(row[0]) + "° disagrees with the field strength");
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

NecReportError::NecReportError(const std::string &reason) : std::runtime_error(reason) {}

double SampledDirectivity(const std::vector<double> &fieldSquared)
{
    return 2.0 * peakOf(fieldSquared) / fieldIntegral(fieldSquared);
}

Impedance ParseNecInputImpedance(std::string_view output, const NecModel &model)
{
    return inputImpedance(linesOf(output), model);
}

NecSettling CompareWithHalf(const Impedance &input, int halfSegments, const Impedance &halfInput)
{
    const double change = std::hypot(input.resistance - halfInput.resistance, input.reactance - halfInput.reactance)
                          / std::hypot(input.resistance, input.reactance);
    return {halfSegments, halfInput, change};
}

NecSolution ParseNecOutput(std::string_view output, const NecModel &model)
{
    const Lines lines = linesOf(output);
    NecSolution solution;
    solution.segments = model.segments;
    solution.input = inputImpedance(lines, model);
    readCurrents(lines, model, solution);
    readPattern(lines, radiatedPower(lines), solution);
    return solution;
}
