#include "NecDeck.h"

#include "InducedEmf.h"
#include "plot/PlotCommands.h"

#include <QLocale>

#include <algorithm>

#include <cmath>
#include <stdexcept>

namespace {

constexpr double kSegmentsPerWavelength = 100.0;

// Numbers in the deck at full precision with a dot, whatever the locale.
QByteArray number(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

int NecSegmentCount(double M)
{
    const int rounded = static_cast<int>(std::lround(std::fabs(M) * kSegmentsPerWavelength));
    const int count = std::max(rounded, kMinNecSegments);
    return count % 2 == 0 ? count + 1 : count;
}

double MaxNecRadius(double M)
{
    return std::fabs(M) / NecSegmentCount(M) / kMinSegmentToRadius;
}

NecModel MakeNecModel(double M, double radius)
{
    const double m = std::fabs(M);
    if (!(m > 0.0 && m <= static_cast<double>(kLengthLimit)) || !WireRadiusFits(m, radius) || radius > MaxNecRadius(m))
        throw std::domain_error("length or wire radius out of range for the NEC-2 model");
    return {m, radius, NecSegmentCount(m)};
}

QByteArray NecDeck(const NecModel &model)
{
    const QByteArray half = number(model.length / 2.0);
    const QByteArray segments = QByteArray::number(model.segments);
    const QByteArray centre = QByteArray::number(model.segments / 2 + 1);
    const QByteArray directions = QByteArray::number(kNecPatternDirections);
    return "CM centre-fed dipole, length " + number(model.length) + " wavelengths, radius " + number(model.radius)
           + "\nCE\n"
           // Tag 1, its segments, the two ends, the radius.
           + "GW 1 " + segments + " 0 0 -" + half + " 0 0 " + half + ' ' + number(model.radius) + "\n"
           + "GE 0\n"
           // A voltage source of 1 V on the centre segment of tag 1.
           + "EX 0 1 " + centre
           + " 0 1 0\n"
           // One frequency: a wavelength of 1 m.
           + "FR 0 1 0 0 299.792458 0\n"
           // Power gain, θ from 0° in steps of 0.5°, φ = 0.
           + "RP 0 " + directions + " 1 1000 0 0 " + number(kNecPatternStepDeg) + " 0\n" + "EN\n";
}
