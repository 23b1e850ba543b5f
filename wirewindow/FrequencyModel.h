#pragma once
// One wire cut to a length in metres, as the laboratory's frequency tab
// studies it: driven at one frequency, where its length and radius in
// wavelengths (M = L·f/c, A = r·f/c) and its first resonance are read, and
// swept over a band of frequencies against the feed line's resistance, with
// a measurement beside it (a one-port's S11 over frequency, or a pattern
// measured on a turntable). Each field is a number times its unit; a value
// is checked together with the others before it is taken, so a refused one
// leaves the model, and everything computed from it, as it was.
#include "physics/FrequencySweep.h"
#include "physics/MeasuredPattern.h"
#include "touchstone/OnePortData.h"

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <vector>

// A unit a field offers: its name as shown (to be translated in the
// context "FrequencyModel") and what one of it is in metres or hertz.
struct FieldUnit
{
    const char *name;
    double scale;
};

// м, см, мм; and кГц, МГц, ГГц.
const std::vector<FieldUnit> &LengthUnits();
const std::vector<FieldUnit> &FrequencyUnits();

enum class FrequencyField { Frequency, Length, Diameter, SweepFrom, SweepTo };

// The band's SWR limit, and the number of steps a sweep takes across it.
inline constexpr double kFrequencySwrLimit = 2.0;
inline constexpr int kFrequencySweepSteps = 200;

// The wire in metres and hertz. The start shows a 14 MHz half-wave dipole
// of 2 mm wire close to its resonance, over 13 to 15 MHz.
struct FrequencyWire
{
    double frequency = 14e6;
    double length = 10.4;
    double diameter = 2e-3;
    double sweepFrom = 13e6;
    double sweepTo = 15e6;
};

class FrequencyModel
{
    Q_DECLARE_TR_FUNCTIONS(FrequencyModel)

public:
    FrequencyModel();

    const FrequencyWire &wire() const { return m_wire; }
    // The field's value in metres or hertz.
    double value(FrequencyField field) const;
    double referenceResistance() const { return m_reference; }

    // Takes number × unitScale as the field's value; where that is no value
    // above 0, or leaves a wire the model does not take, returns the reason
    // in the user's words and changes nothing. An empty text: taken.
    QString take(FrequencyField field, double number, double unitScale);
    // Takes several values together (both ends of the band in a new unit).
    struct FieldValue
    {
        FrequencyField field;
        double number;
        double unitScale;
    };
    QString take(const std::vector<FieldValue> &values);
    // The feed line's resistance, one that WireModel takes.
    void setReferenceResistance(double resistance);

    // M and A at the frequency.
    double lengthInWavelengths() const;
    double radiusInWavelengths() const;
    WireInMetres wireInMetres() const;

    // The closed form's points over the band.
    const std::vector<FrequencyPoint> &sweep() const { return m_sweep; }
    // Its resonances within the band, and its band within the SWR limit.
    std::vector<double> resonances() const;
    std::optional<SwrBand> band() const;
    // The first resonance of this wire, wherever it lies: as a frequency
    // for its length, and as a length (metres) at the frequency.
    std::optional<double> resonantFrequency() const;
    std::optional<double> resonantLength() const;

    // A measured one-port, shown against the line's resistance; a measured
    // pattern. Each replaces the one of its kind.
    void setMeasuredSweep(const OnePortData &data, const QString &fileName);
    void setMeasuredPattern(const MeasuredPattern &pattern, const QString &fileName);
    void clearMeasurements();
    const std::vector<FrequencyPoint> &measuredSweep() const { return m_measuredPoints; }
    const QString &measuredSweepFile() const { return m_measuredSweepFile; }
    const std::optional<MeasuredPattern> &measuredPattern() const { return m_measuredPattern; }
    const QString &measuredPatternFile() const { return m_measuredPatternFile; }
    std::vector<double> measuredResonances() const;
    std::optional<SwrBand> measuredBand() const;

private:
    void recompute();

    FrequencyWire m_wire;
    double m_reference = 50.0;
    std::vector<FrequencyPoint> m_sweep;
    std::optional<OnePortData> m_measuredData;
    std::vector<FrequencyPoint> m_measuredPoints;
    QString m_measuredSweepFile;
    std::optional<MeasuredPattern> m_measuredPattern;
    QString m_measuredPatternFile;
};

// Why a wire is not one the model takes, in the user's words; empty for
// one it takes. Every value must be above 0.
QString FrequencyWireFault(const FrequencyWire &wire);
