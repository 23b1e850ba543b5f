#include "NecOutput.h"

#include "AntennaErrors.h"
#include "readouts/PatternReadouts.h"

#include <QByteArrayList>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <optional>

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

using Row = std::vector<double>;

// The numbers of a line, or none when a field is not a number. Words in
// allowedWords are skipped (the polarisation sense in the pattern's rows).
std::optional<Row> numbersOf(const QByteArray &line, const QByteArrayList &allowedWords = {})
{
    Row row;
    for (const QByteArray &field : line.simplified().split(' ')) {
        if (field.isEmpty() || allowedWords.contains(field))
            continue;
        bool ok = false;
        const double value = field.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        row.push_back(value);
    }
    return row;
}

// The rows of width numbers that follow the first line holding title: the
// column heads and blank lines before them are passed over, the first other
// line after them ends the table.
std::vector<Row> tableAfter(const QByteArrayList &lines, const char *title, size_t width,
                            const QByteArrayList &allowedWords = {})
{
    int i = 0;
    while (i < lines.size() && !lines[i].contains(title))
        ++i;
    if (i == lines.size())
        throw NecOutputError(QStringLiteral("the section \"%1\" is missing").arg(QLatin1String(title)));
    std::vector<Row> rows;
    const int headEnd = i + 1 + kHeadLines;
    for (++i; i < lines.size(); ++i) {
        const std::optional<Row> row = numbersOf(lines[i], allowedWords);
        if (row && row->size() == width)
            rows.push_back(*row);
        else if (!rows.empty() || i >= headEnd)
            break;
    }
    if (rows.empty())
        throw NecOutputError(QStringLiteral("the section \"%1\" has no rows").arg(QLatin1String(title)));
    return rows;
}

double radiatedPower(const QByteArray &output)
{
    static const QRegularExpression pattern(QStringLiteral("RADIATED POWER *= *(\\S+) *Watts"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(output));
    bool ok = false;
    const double power = match.hasMatch() ? match.captured(1).toDouble(&ok) : 0.0;
    if (!ok || !(power > 0.0) || !std::isfinite(power))
        throw NecOutputError(QStringLiteral("no radiated power above 0"));
    return power;
}

Impedance inputImpedance(const QByteArrayList &lines, const NecModel &model)
{
    // TAG SEG, voltage, current, impedance, admittance (real and imaginary
    // each), power.
    const Row row = tableAfter(lines, "ANTENNA INPUT PARAMETERS", 11).front();
    if (row[0] != 1 || row[1] != model.segments / 2 + 1)
        throw NecOutputError(QStringLiteral("the source is not on the centre segment"));
    if (!(row[6] > 0.0))
        throw NecOutputError(QStringLiteral("an input resistance of %1 Ω").arg(row[6]));
    return {row[6], row[7]};
}

void readCurrents(const QByteArrayList &lines, const NecModel &model, NecSolution &solution)
{
    // SEG TAG, the centre's X Y Z, the length, the current's real and
    // imaginary parts, magnitude and phase.
    const std::vector<Row> rows = tableAfter(lines, "CURRENTS AND LOCATION", 10);
    if (rows.size() != static_cast<size_t>(model.segments))
        throw NecOutputError(
            QStringLiteral("%1 segment currents for %2 segments").arg(rows.size()).arg(model.segments));
    double largest = 0.0;
    for (const Row &row : rows)
        largest = std::max(largest, row[8]);
    if (!(largest > 0.0))
        throw NecOutputError(QStringLiteral("no current on the wire"));
    const double step = model.length / model.segments;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double z = -model.length / 2.0 + (static_cast<double>(i) + 0.5) * step;
        if (rows[i][0] != static_cast<double>(i + 1) || std::fabs(rows[i][4] - z) > kPositionAgreement)
            throw NecOutputError(QStringLiteral("segment %1 is not where the deck put it").arg(i + 1));
        solution.currents.push_back({z, rows[i][8] / largest});
    }
    solution.feedToMaximum = solution.currents[static_cast<size_t>(model.segments / 2)].magnitude;
}

void readPattern(const QByteArrayList &lines, double power, NecSolution &solution)
{
    // θ φ, the vertical, horizontal and total gains, axial ratio, tilt,
    // (sense,) E(θ) magnitude and phase, E(φ) magnitude and phase.
    const QByteArrayList senses = {"LINEAR", "RIGHT", "LEFT"};
    const std::vector<Row> rows = tableAfter(lines, "RADIATION PATTERNS", 11, senses);
    if (rows.size() != static_cast<size_t>(kNecPatternDirections))
        throw NecOutputError(
            QStringLiteral("%1 directions in the pattern for %2").arg(rows.size()).arg(kNecPatternDirections));
    std::vector<double> fieldSquared;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        if (std::fabs(row[0] - static_cast<double>(i) * kNecPatternStepDeg) > 1e-6 || row[1] != 0.0)
            throw NecOutputError(QStringLiteral("direction %1 of the pattern is not the one asked for").arg(i + 1));
        const double squared = row[7] * row[7] + row[9] * row[9];
        const double gain = 2.0 * kPi * squared / (kFreeSpaceImpedance * power);
        if (row[4] > kComparedGainDb && std::fabs(10.0 * std::log10(gain) - row[4]) > kGainAgreementDb)
            throw NecOutputError(QStringLiteral("the gain at %1° disagrees with the field strength").arg(row[0]));
        fieldSquared.push_back(squared);
    }
    const double largest = *std::max_element(fieldSquared.begin(), fieldSquared.end());
    if (!(largest > 0.0))
        throw NecOutputError(QStringLiteral("no field in any direction"));
    solution.directivity = 2.0 * kPi * largest / (kFreeSpaceImpedance * power);
    solution.directivityDbi = 10.0 * std::log10(solution.directivity);
    for (size_t i = 0; i < rows.size(); ++i)
        solution.pattern.push_back({rows[i][0], std::sqrt(fieldSquared[i] / largest)});
}

} // namespace

NecSolution ParseNecOutput(const QByteArray &output, const NecModel &model)
{
    const QByteArrayList lines = output.split('\n');
    NecSolution solution;
    solution.segments = model.segments;
    solution.input = inputImpedance(lines, model);
    readCurrents(lines, model, solution);
    readPattern(lines, radiatedPower(output), solution);
    return solution;
}
