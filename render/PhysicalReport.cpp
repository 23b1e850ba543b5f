#include "PhysicalReport.h"

#include "ReportText.h"
#include "physics/FrequencySweep.h"
#include "physics/PhysicalUnits.h"

#include <QString>

#include <cmath>

namespace {

QString Metres(double value)
{
    return ExactText(value) + QStringLiteral(" m");
}

QString Megahertz(double hertz)
{
    return FixedText(hertz / 1e6, 6) + QStringLiteral(" MHz");
}

QByteArray Line(const char *name, const QString &value)
{
    return (ReportLine(name, value) + QLatin1Char('\n')).toUtf8();
}

// The frequency at which this wire resonates: its length and radius both
// scale with the frequency, so not quite the resonant length's ratio.
std::optional<double> ResonantFrequency(double hertz, double M, const WireReadouts &wire)
{
    if (!wire.resonantLength)
        return std::nullopt;
    const WireInMetres metres{std::fabs(InMetres(M, hertz)), InMetres(wire.radius, hertz), 50.0};
    return ResonantFrequencyNear(metres, *wire.resonantLength / std::fabs(M) * hertz);
}

} // namespace

QByteArray PhysicalReportTable(double hertz, double M, const std::optional<WireReadouts> &wire)
{
    const double metres = std::fabs(InMetres(M, hertz));
    QByteArray text =
        Line("Frequency", Megahertz(hertz) + QStringLiteral(" (wavelength %1)").arg(Metres(InMetres(1.0, hertz))));
    text += Line("Length in metres", Metres(metres));
    if (wire) {
        text += Line("Wire radius in metres",
                     Metres(InMetres(wire->radius, hertz))
                         + QStringLiteral(" (diameter %1 mm)").arg(ExactText(2e3 * InMetres(wire->radius, hertz))));
        if (wire->resonantLength) {
            const std::optional<double> frequency = ResonantFrequency(hertz, M, *wire);
            text += Line("First resonance", QStringLiteral("%1 long at this frequency, %2 for this length")
                                                .arg(Metres(InMetres(*wire->resonantLength, hertz)),
                                                     frequency ? Megahertz(*frequency) : QStringLiteral("none near")));
        }
    }
    return text;
}

std::vector<JsonField> PhysicalJsonFields(double hertz, double M, const std::optional<WireReadouts> &wire)
{
    std::vector<JsonField> fields = {
        {"frequency_hz", ExactText(hertz)},
        {"wavelength_m", ExactText(InMetres(1.0, hertz))},
        {"length_m", ExactText(std::fabs(InMetres(M, hertz)))},
    };
    if (wire) {
        fields.emplace_back("radius_m", ExactText(InMetres(wire->radius, hertz)));
        if (wire->resonantLength) {
            fields.emplace_back("resonant_length_m", ExactText(InMetres(*wire->resonantLength, hertz)));
            fields.emplace_back("resonant_frequency_hz", JsonNumber(ResonantFrequency(hertz, M, *wire)));
        }
    }
    return fields;
}
