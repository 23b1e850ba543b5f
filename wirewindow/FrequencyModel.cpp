#include "FrequencyModel.h"

#include "FrequencyText.h"
#include "numbers/NumberText.h"
#include "physics/DipoleRules.h"
#include "physics/ImpedanceCurve.h"
#include "physics/PhysicalUnits.h"
#include "physics/Resonance.h"
#include "touchstone/MeasuredSweep.h"

#include <cmath>
#include <stdexcept>

namespace {

QString wavelengths(double value)
{
    return GeneralNumberText(value, 4) + QStringLiteral(" λ");
}

// The field's name in a refusal, "Частота".
QString fieldName(FrequencyField field)
{
    switch (field) {
    case FrequencyField::Frequency: return FrequencyModel::tr("Частота");
    case FrequencyField::Length: return FrequencyModel::tr("Длина провода");
    case FrequencyField::Diameter: return FrequencyModel::tr("Диаметр провода");
    case FrequencyField::SweepFrom: return FrequencyModel::tr("Начало диапазона");
    case FrequencyField::SweepTo: return FrequencyModel::tr("Конец диапазона");
    }
    return {};
}

double &valueOf(FrequencyWire &wire, FrequencyField field)
{
    switch (field) {
    case FrequencyField::Frequency: return wire.frequency;
    case FrequencyField::Length: return wire.length;
    case FrequencyField::Diameter: return wire.diameter;
    case FrequencyField::SweepFrom: return wire.sweepFrom;
    case FrequencyField::SweepTo: break;
    }
    return wire.sweepTo;
}

// Why the wire is not one the closed form takes at the frequency f (its
// length and radius in wavelengths), in the words of `where`.
QString faultAt(const FrequencyWire &wire, double f, const QString &where)
{
    const double M = InWavelengths(wire.length, f);
    if (!IsMeasurableLength(M))
        return FrequencyModel::tr("%1 провод длиной %2 — это %3; модель считает длины меньше 30 λ.")
            .arg(where, MetresText(wire.length), wavelengths(M));
    const double A = InWavelengths(wire.diameter / 2.0, f);
    if (A > kMaxWireRadius)
        return FrequencyModel::tr("%1 провод слишком толстый для модели: его радиус %2, а модель берёт не больше %3.")
            .arg(where, wavelengths(A), wavelengths(kMaxWireRadius));
    if (A < kMinWireRadius)
        return FrequencyModel::tr("%1 провод слишком тонкий для модели: его радиус %2, а модель берёт не меньше %3.")
            .arg(where, wavelengths(A), wavelengths(kMinWireRadius));
    return {};
}

std::vector<double> sweepFrequencies(const FrequencyWire &wire)
{
    return SteppedLengths(wire.sweepFrom, wire.sweepTo, (wire.sweepTo - wire.sweepFrom) / kFrequencySweepSteps);
}

} // namespace

const std::vector<FieldUnit> &LengthUnits()
{
    static const std::vector<FieldUnit> units = {{QT_TRANSLATE_NOOP("FrequencyModel", "м"), 1.0},
                                                 {QT_TRANSLATE_NOOP("FrequencyModel", "см"), 1e-2},
                                                 {QT_TRANSLATE_NOOP("FrequencyModel", "мм"), 1e-3}};
    return units;
}

const std::vector<FieldUnit> &FrequencyUnits()
{
    static const std::vector<FieldUnit> units = {{QT_TRANSLATE_NOOP("FrequencyModel", "кГц"), 1e3},
                                                 {QT_TRANSLATE_NOOP("FrequencyModel", "МГц"), 1e6},
                                                 {QT_TRANSLATE_NOOP("FrequencyModel", "ГГц"), 1e9}};
    return units;
}

QString FrequencyWireFault(const FrequencyWire &wire)
{
    if (!(wire.diameter < wire.length))
        return FrequencyModel::tr("Диаметр провода должен быть меньше его длины.");
    if (!(wire.sweepFrom < wire.sweepTo))
        return FrequencyModel::tr("Начало диапазона частот должно быть ниже его конца.");
    QString fault =
        faultAt(wire, wire.frequency, FrequencyModel::tr("На частоте %1").arg(FrequencyText(wire.frequency)));
    if (fault.isEmpty())
        fault = faultAt(
            wire, wire.sweepTo,
            FrequencyModel::tr("Диапазон слишком широк для этого провода: на %1").arg(FrequencyText(wire.sweepTo)));
    if (fault.isEmpty())
        fault = faultAt(
            wire, wire.sweepFrom,
            FrequencyModel::tr("Диапазон слишком широк для этого провода: на %1").arg(FrequencyText(wire.sweepFrom)));
    return fault;
}

FrequencyModel::FrequencyModel()
{
    recompute();
}

double FrequencyModel::value(FrequencyField field) const
{
    FrequencyWire wire = m_wire;
    return valueOf(wire, field);
}

QString FrequencyModel::take(FrequencyField field, double number, double unitScale)
{
    return take({{field, number, unitScale}});
}

QString FrequencyModel::take(const std::vector<FieldValue> &values)
{
    FrequencyWire wire = m_wire;
    for (const FieldValue &value : values) {
        const double taken = value.number * value.unitScale;
        if (!std::isfinite(taken) || !(taken > 0.0))
            return tr("%1: нужно число больше нуля.").arg(fieldName(value.field));
        valueOf(wire, value.field) = taken;
    }
    if (const QString fault = FrequencyWireFault(wire); !fault.isEmpty())
        return fault;
    const FrequencyWire previous = m_wire;
    m_wire = wire;
    try {
        recompute();
    } catch (const std::exception &) {
        m_wire = previous;
        recompute();
        return tr("Для этого провода модель не удалось вычислить.");
    }
    return {};
}

void FrequencyModel::setReferenceResistance(double resistance)
{
    m_reference = resistance;
    recompute();
}

double FrequencyModel::lengthInWavelengths() const
{
    return InWavelengths(m_wire.length, m_wire.frequency);
}

double FrequencyModel::radiusInWavelengths() const
{
    return InWavelengths(m_wire.diameter / 2.0, m_wire.frequency);
}

WireInMetres FrequencyModel::wireInMetres() const
{
    return {m_wire.length, m_wire.diameter / 2.0, m_reference};
}

void FrequencyModel::recompute()
{
    m_sweep = ComputeFrequencySweep(m_wire.length, m_wire.diameter / 2.0, sweepFrequencies(m_wire), m_reference);
    m_measuredPoints = m_measuredData ? MeasuredPoints(*m_measuredData, m_reference) : std::vector<FrequencyPoint>();
}

std::vector<double> FrequencyModel::resonances() const
{
    return ResonantFrequencies(wireInMetres(), m_sweep);
}

std::optional<SwrBand> FrequencyModel::band() const
{
    return BandWithinSwr(wireInMetres(), m_sweep, kFrequencySwrLimit);
}

std::optional<double> FrequencyModel::resonantFrequency() const
{
    // The resonant length in wavelengths changes slowly with the radius in
    // wavelengths: the one at the frequency puts the resonance well within
    // a tenth of where it is sought.
    const std::optional<double> M = FirstResonantLength(radiusInWavelengths());
    if (!M)
        return std::nullopt;
    return ResonantFrequencyNear(wireInMetres(), *M * kSpeedOfLight / m_wire.length);
}

std::optional<double> FrequencyModel::resonantLength() const
{
    const std::optional<double> M = FirstResonantLength(radiusInWavelengths());
    if (!M)
        return std::nullopt;
    return InMetres(*M, m_wire.frequency);
}

void FrequencyModel::setMeasuredSweep(const OnePortData &data, const QString &fileName)
{
    m_measuredData = data;
    m_measuredSweepFile = fileName;
    m_measuredPoints = MeasuredPoints(data, m_reference);
}

void FrequencyModel::setMeasuredPattern(const MeasuredPattern &pattern, const QString &fileName)
{
    m_measuredPattern = pattern;
    m_measuredPatternFile = fileName;
}

void FrequencyModel::clearMeasurements()
{
    m_measuredData.reset();
    m_measuredPoints.clear();
    m_measuredSweepFile.clear();
    m_measuredPattern.reset();
    m_measuredPatternFile.clear();
}

std::vector<double> FrequencyModel::measuredResonances() const
{
    return ResonantFrequencies(m_measuredPoints);
}

std::optional<SwrBand> FrequencyModel::measuredBand() const
{
    if (m_measuredPoints.empty())
        return std::nullopt;
    return BandWithinSwr(m_measuredPoints, kFrequencySwrLimit);
}
