#include "NecReportTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <regex>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Lines between a section's title and its first row (the column heads).
constexpr int kHeadLines = 8;

// What a dipole's solution can be, with a margin of a thousand or more: the
// input resistance of a short dipole falls as 20π²M² (and from M = 0.5 on
// stays above that of M = 0.5), its reactance grows as 1/M, and both peak
// near the current nodes at some ten thousand ohms for the thinnest wire.
// Numbers beyond these are no dipole's, however well they parse.
constexpr double kLeastResistanceFactor = 1e-3;
constexpr double kLargestImpedanceOhms = 1e7;

double leastResistance(double M)
{
    const double m = std::min(M, 0.5);
    return kLeastResistanceFactor * 20.0 * kPi * kPi * m * m;
}

double largestImpedance(double M)
{
    return kLargestImpedanceOhms / std::min(M, 1.0);
}

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
std::optional<NecRow> numbersOf(std::string_view line, const NecWords &allowedWords)
{
    NecRow row;
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

} // namespace

NecReportError::NecReportError(const std::string &reason) : std::runtime_error(reason) {}

// printf's %g, as the reasons show the report's numbers.
std::string ShownNecNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

NecLines SplitNecReport(std::string_view output)
{
    NecLines lines;
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
std::vector<NecRow> NecTableAfter(const NecLines &lines, const char *title, size_t width, const NecWords &allowedWords)
{
    std::size_t i = 0;
    while (i < lines.size() && lines[i].find(title) == std::string_view::npos)
        ++i;
    if (i == lines.size())
        throw NecReportError("the section \"" + std::string(title) + "\" is missing");
    std::vector<NecRow> rows;
    const std::size_t headEnd = i + 1 + kHeadLines;
    for (++i; i < lines.size(); ++i) {
        const std::optional<NecRow> row = numbersOf(lines[i], allowedWords);
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
double NecRadiatedPower(const NecLines &lines)
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

Impedance NecInputImpedance(const NecLines &lines, double M, int feedSegment)
{
    // TAG SEG, voltage, current, impedance, admittance (real and imaginary
    // each), power.
    const NecRow row = NecTableAfter(lines, "ANTENNA INPUT PARAMETERS", 11).front();
    if (row[0] != 1 || row[1] != feedSegment)
        throw NecReportError(feedSegment == 1 ? "the source is not on the first segment"
                                              : "the source is not on the centre segment");
    if (!(row[6] > 0.0))
        throw NecReportError("an input resistance of " + ShownNecNumber(row[6]) + " Ω");
    const double largest = largestImpedance(M);
    if (row[6] < leastResistance(M) || row[6] > largest || std::fabs(row[7]) > largest)
        throw NecReportError("an input impedance of " + ShownNecNumber(row[6]) + " + j" + ShownNecNumber(row[7])
                             + " Ω, which no dipole of this length has");
    return {row[6], row[7]};
}
