#include "NecGround.h"

#include "NecReportTable.h"
#include "PatternReadouts.h"
#include "ShortestText.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;
// The deck's frequency: a wavelength of 1 m as nec2c reckons it (NecDeck.h).
constexpr double kDeckFrequencyHz = 299.8e6;
// The fewest segments of a monopole: its current still drawn by many.
constexpr int kMinMonopoleSegments = 11;
// The printed gains have two decimals; the field strengths five digits.
constexpr double kGainAgreementDb = 0.02;
constexpr double kComparedGainDb = -60.0;
// nec2c's gain where it finds no field.
constexpr double kNoGainDb = -999.99;

void checkSoil(const std::optional<NecSoil> &soil)
{
    if (!soil)
        return;
    if (!(soil->permittivity >= kMinSoilPermittivity && soil->permittivity <= kMaxSoilPermittivity))
        throw std::domain_error("the soil's relative permittivity must lie from 1 to 100");
    if (!(soil->conductivity >= 0.0 && soil->conductivity <= kMaxSoilConductivity))
        throw std::domain_error("the soil's conductivity must lie from 0 to 100 S/m");
    if (!(soil->frequencyHz > 0.0) || !std::isfinite(soil->frequencyHz))
        throw std::domain_error("the soil's conductivity needs the frequency it acts at");
}

std::string groundCard(const std::optional<NecSoil> &soil)
{
    if (!soil)
        return "GN 1\n";
    // The same loss tangent σ/(ωε₀) at the deck's frequency as at the real one.
    const double conductivity = soil->conductivity * kDeckFrequencyHz / soil->frequencyHz;
    return "GN 2 0 0 0 " + ShortestText(soil->permittivity) + ' ' + ShortestText(conductivity) + "\n";
}

std::string wireCard(const NecGroundModel &model)
{
    const NecModel &wire = model.wire;
    const std::string segments = std::to_string(wire.segments);
    const std::string radius = ShortestText(wire.radius);
    if (model.monopole)
        return "GW 1 " + segments + " 0 0 0 0 0 " + ShortestText(wire.length / 2.0) + ' ' + radius + "\n";
    const std::string half = ShortestText(wire.length / 2.0);
    const std::string h = ShortestText(model.height);
    if (model.orientation == GroundOrientation::Horizontal)
        return "GW 1 " + segments + " -" + half + " 0 " + h + ' ' + half + " 0 " + h + ' ' + radius + "\n";
    return "GW 1 " + segments + " 0 0 " + ShortestText(model.height - wire.length / 2.0) + " 0 0 "
           + ShortestText(model.height + wire.length / 2.0) + ' ' + radius + "\n";
}

// value to six significant digits: the comment card's numbers only name
// the model, and nec2c fails on a card longer than about 133 characters,
// which three numbers at full precision can make the comment.
std::string named(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return ShortestText(value);
    const int k = 5 - static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const double scale = std::pow(10.0, std::abs(k));
    const double rounded = k >= 0 ? std::round(value * scale) / scale : std::round(value / scale) * scale;
    return ShortestText(rounded);
}

std::string description(const NecGroundModel &model)
{
    std::string text = model.monopole ? "monopole of height " + named(model.wire.length / 2.0)
                                      : "centre-fed dipole, length " + named(model.wire.length);
    text += " wavelengths, radius " + named(model.wire.radius);
    if (!model.monopole)
        text += std::string(model.orientation == GroundOrientation::Horizontal ? ", horizontal" : ", vertical")
                + ", centre " + named(model.height) + " above";
    return text + (model.soil ? " a real ground" : " a perfect ground");
}

int feedSegment(const NecGroundModel &model)
{
    return model.monopole ? 1 : model.wire.segments / 2 + 1;
}

int planes(const NecGroundModel &model)
{
    return !model.monopole && model.orientation == GroundOrientation::Horizontal ? 2 : 1;
}

// The cut of plane p (0: φ = 0, 1: φ = 90°) from the pattern's rows, θ from
// the zenith down; stored from the horizon up.
std::optional<NecElevationCut> readCut(const std::vector<NecRow> &rows, int p, double power)
{
    std::vector<double> squared(kNecElevations);
    NecElevationCut cut;
    cut.gainDbi.resize(kNecElevations);
    for (int t = 0; t < kNecElevations; ++t) {
        const NecRow &row = rows[static_cast<size_t>(p * kNecElevations + t)];
        if (std::fabs(row[0] - t * kNecElevationStepDeg) > 1e-6 || std::fabs(row[1] - 90.0 * p) > 1e-6)
            throw NecReportError("direction " + std::to_string(p * kNecElevations + t + 1)
                                 + " of the pattern is not the one asked for");
        const double fieldSquared = row[7] * row[7] + row[9] * row[9];
        const double gain = 2.0 * kPi * fieldSquared / (kFreeSpaceImpedance * power);
        const int e = kNecElevations - 1 - t;
        cut.gainDbi[static_cast<size_t>(e)] = gain > 0.0 ? 10.0 * std::log10(gain) : kNoGainDb;
        if (row[4] > kComparedGainDb && std::fabs(cut.gainDbi[static_cast<size_t>(e)] - row[4]) > kGainAgreementDb)
            throw NecReportError("the gain at " + ShownNecNumber(row[0]) + "° disagrees with the field strength");
        squared[static_cast<size_t>(e)] = fieldSquared;
    }
    const double largest = *std::max_element(squared.begin(), squared.end());
    if (!(largest > 0.0))
        return std::nullopt;
    cut.maxGainDbi = *std::max_element(cut.gainDbi.begin(), cut.gainDbi.end());
    // The field between the samples, for the readouts' search and crossings.
    const double step = kNecElevationStepDeg * kPi / 180.0;
    cut.readouts = ComputeElevationReadouts([&](double elevation) {
        const double at = std::clamp(elevation / step, 0.0, static_cast<double>(kNecElevations - 1));
        const auto i = std::min(static_cast<size_t>(at), static_cast<size_t>(kNecElevations - 2));
        const double f = at - static_cast<double>(i);
        return std::sqrt(((1.0 - f) * squared[i] + f * squared[i + 1]) / largest);
    });
    return cut;
}

} // namespace

NecGroundModel MakeNecGroundModel(double M, double radius, double h, GroundOrientation orientation,
                                  const std::optional<NecSoil> &soil)
{
    checkSoil(soil);
    CheckHeight(M, radius, h, orientation);
    return {MakeNecModel(M, radius), h, orientation, false, soil};
}

NecGroundModel MakeNecMonopoleModel(double M, double radius, const std::optional<NecSoil> &soil)
{
    checkSoil(soil);
    NecModel wire = MakeNecModel(M, radius);
    wire.segments = std::max((wire.segments + 1) / 2, kMinMonopoleSegments);
    wire.extendedKernel = wire.length / 2.0 / wire.segments < kMinSegmentToRadius * radius;
    return {wire, 0.0, GroundOrientation::Vertical, true, soil};
}

std::string NecGroundDeck(const NecGroundModel &model)
{
    const std::string elevations = std::to_string(kNecElevations);
    return "CM " + description(model) + "\nCE\n"
           + wireCard(model)
           // A ground under the structure, then its kind.
           + "GE 1\n" + groundCard(model.soil)
           + (model.wire.extendedKernel ? "EK 0\n" : "")
           // A voltage source of 1 V on the feed segment.
           + "EX 0 1 " + std::to_string(feedSegment(model)) + " 0 1 0\n"
           + "FR 0 1 0 0 299.8 0\n"
           // Power gain, θ from the zenith to the horizon, along the wire
           // (φ = 0) and across it (φ = 90°).
           + "RP 0 " + elevations + ' ' + std::to_string(planes(model)) + " 1000 0 0 "
           + ShortestText(kNecElevationStepDeg) + " 90\n" + "EN\n";
}

NecGroundSolution ParseNecGroundOutput(std::string_view output, const NecGroundModel &model)
{
    const NecLines lines = SplitNecReport(output);
    NecGroundSolution solution;
    solution.segments = model.wire.segments;
    solution.input = NecInputImpedance(lines, model.wire.length, feedSegment(model));
    const NecWords senses = {"LINEAR", "RIGHT", "LEFT"};
    const std::vector<NecRow> rows = NecTableAfter(lines, "RADIATION PATTERNS", 11, senses);
    const int count = planes(model) * kNecElevations;
    if (rows.size() != static_cast<size_t>(count))
        throw NecReportError(std::to_string(rows.size()) + " directions in the pattern for " + std::to_string(count));
    const double power = NecRadiatedPower(lines);
    if (planes(model) == 2) {
        solution.alongCut = readCut(rows, 0, power);
        solution.cut = readCut(rows, 1, power);
    } else {
        solution.cut = readCut(rows, 0, power);
    }
    if (!solution.cut && !solution.alongCut)
        throw NecReportError("no field in any direction");
    solution.maxGainDbi = std::max(solution.cut ? solution.cut->maxGainDbi : kNoGainDb,
                                   solution.alongCut ? solution.alongCut->maxGainDbi : kNoGainDb);
    return solution;
}
