#include "PhysicalReport.h"

#include "ReportText.h"
#include "physics/FrequencySweep.h"
#include "physics/PhysicalUnits.h"

#include <QString>

#include <cmath>

namespace {

QString metresText(double value)
{
    return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 m")).arg(ReportNumber(QString::fromLatin1(ExactText(value))));
}

QString megahertzText(double hertz)
{
    return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 MHz")).arg(ReportFixed(hertz / 1e6, 6));
}

QByteArray reportLine(const char *name, const QString &value)
{
    return (ReportLine(name, value) + QLatin1Char('\n')).toUtf8();
}

// The frequency at which this wire resonates: its length and radius both
// scale with the frequency, so not quite the resonant length's ratio.
std::optional<double> resonantFrequency(double hertz, double M, const WireReadouts &wire)
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
    QByteArray text = reportLine(
        QT_TRANSLATE_NOOP("Labelled", "Frequency"),
        megahertzText(hertz)
            + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (wavelength %1)")).arg(metresText(InMetres(1.0, hertz))));
    text += reportLine(QT_TRANSLATE_NOOP("Labelled", "Length in metres"), metresText(metres));
    if (wire) {
        const QString diameter = ReportNumber(QString::fromLatin1(ExactText(2e3 * InMetres(wire->radius, hertz))));
        text += reportLine(QT_TRANSLATE_NOOP("Labelled", "Wire radius in metres"),
                           metresText(InMetres(wire->radius, hertz))
                               + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (diameter %1 mm)")).arg(diameter));
        if (wire->resonantLength) {
            const std::optional<double> frequency = resonantFrequency(hertz, M, *wire);
            text +=
                reportLine(QT_TRANSLATE_NOOP("Labelled", "First resonance"),
                           ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 long at this frequency, %2 for this length"))
                               .arg(metresText(InMetres(*wire->resonantLength, hertz)),
                                    frequency ? megahertzText(*frequency)
                                              : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none near"))));
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
            fields.emplace_back("resonant_frequency_hz", JsonNumber(resonantFrequency(hertz, M, *wire)));
        }
    }
    return fields;
}
