#include "WireReport.h"

#include "ReportText.h"

#include "nec/NecCrossCheck.h"
#include "physics/CurrentDistribution.h"
#include "physics/Resonance.h"

#include <QString>

namespace {

QByteArray line(const char *name, const QString &value)
{
    return (ReportLine(name, value) + QLatin1Char('\n')).toUtf8();
}

QString ohms(double value)
{
    return ReportFixed(value, 2) + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " Ω"));
}

// "77.91 + j44.49 Ω", "13.43 - j446.68 Ω".
QString complexOhms(const Impedance &z)
{
    const QString sign = z.reactance < 0.0 ? QStringLiteral(" - j") : QStringLiteral(" + j");
    return ReportFixed(z.resistance, 2) + sign + ohms(std::fabs(z.reactance));
}

QByteArray necLines(const NecSolution &nec, const WireReadouts &wire, const PatternReadouts &pattern)
{
    const QString theoryZ = wire.impedance.atFeed
                                ? complexOhms(*wire.impedance.atFeed)
                                : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none, a current null at the feed"));
    QByteArray text =
        line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 input impedance"),
             complexOhms(nec.input) + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (theory %1)")).arg(theoryZ));
    const QString theoryD = pattern.directivityDbi ? ReportFixed(*pattern.directivityDbi, 2)
                                                   : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none"));
    text += line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 directivity"),
                 ReportFixed(nec.directivity, 2)
                     + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (%1 dBi; theory %2 dBi)"))
                           .arg(ReportFixed(nec.directivityDbi, 2), theoryD));
    const QString theoryFeed =
        wire.feedToMaximum ? ReportFixed(*wire.feedToMaximum, 4) : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none"));
    text += line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 feed current"),
                 ReportFixed(nec.feedToMaximum, 4)
                     + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " of the maximum (theory %1)")).arg(theoryFeed));
    text += line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 segments"), QString::number(nec.segments));
    if (nec.settling)
        text += line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 impedance settled"),
                     ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "to %1 % (%2 vs %3 segments)"))
                         .arg(ReportFixed(nec.settling->change * 100.0, 1))
                         .arg(nec.segments)
                         .arg(nec.settling->halfSegments));
    return text;
}

// The settling's fields of the "nec" object, each after a comma.
QByteArray settlingJson(const NecSolution &nec)
{
    if (!nec.settling)
        return {};
    return ", \"half_segments\": " + QByteArray::number(nec.settling->halfSegments)
           + ", \"impedance_change_half_segments\": " + ExactText(nec.settling->change);
}

} // namespace

WireReadouts ComputeWireReadouts(double M, double radius, bool nec)
{
    WireReadouts wire;
    wire.length = M;
    wire.radius = radius;
    wire.impedance = InducedEmfImpedance(M, radius);
    wire.resonantLength = FirstResonantLength(radius);
    wire.feedToMaximum = FeedToMaximumCurrent(M);
    if (nec)
        wire.nec = RunSettledNecCrossCheck(M, radius);
    return wire;
}

QByteArray WireReportTable(const WireReadouts &wire, const PatternReadouts &pattern)
{
    const std::optional<Impedance> &feed = wire.impedance.atFeed;
    const QString wavelengths = ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " wavelengths"));
    QByteArray text = line(QT_TRANSLATE_NOOP("Labelled", "Wire radius"),
                           ReportNumber(QString::fromLatin1(ExactText(wire.radius))) + wavelengths);
    text += line(QT_TRANSLATE_NOOP("Labelled", "Input reactance"), feed ? ohms(feed->reactance) : NoFeedCurrentText());
    text +=
        line(QT_TRANSLATE_NOOP("Labelled", "Reactance at I maximum"), ohms(wire.impedance.atCurrentMaximum.reactance));
    text += line(QT_TRANSLATE_NOOP("Labelled", "First resonant length"),
                 wire.resonantLength ? ReportFixed(*wire.resonantLength, 5) + wavelengths
                                     : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none below 30")));
    if (wire.nec)
        text += necLines(*wire.nec, wire, pattern);
    return text;
}

std::vector<JsonField> WireJsonFields(const WireReadouts &wire)
{
    const std::optional<Impedance> &feed = wire.impedance.atFeed;
    std::vector<JsonField> fields = {
        {"radius", ExactText(wire.radius)},
        {"input_reactance_ohm", feed ? ExactText(feed->reactance) : QByteArray("null")},
        {"reactance_at_current_maximum_ohm", ExactText(wire.impedance.atCurrentMaximum.reactance)},
        {"resonant_length", JsonNumber(wire.resonantLength)},
    };
    if (wire.nec) {
        const NecSolution &nec = *wire.nec;
        fields.emplace_back(
            "nec", "{\"input_impedance_ohm\": [" + ExactText(nec.input.resistance) + ", "
                       + ExactText(nec.input.reactance) + "], \"directivity\": " + ExactText(nec.directivity)
                       + ", \"directivity_dbi\": " + ExactText(nec.directivityDbi)
                       + ", \"segments\": " + QByteArray::number(nec.segments)
                       + ", \"feed_current_to_maximum\": " + ExactText(nec.feedToMaximum) + settlingJson(nec) + "}");
    }
    return fields;
}

QByteArray LobesTable(const std::vector<Lobe> &lobes)
{
    const auto columns = [](const QString &head, const QString &direction, const QString &level, const QString &width) {
        return head.leftJustified(kReportValueColumn) + direction.rightJustified(9) + level.rightJustified(11)
               + width.rightJustified(18);
    };
    QByteArray text = columns(ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "Lobes from 0° to 90°")),
                              ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "direction")),
                              ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "level")),
                              ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "half-power width")))
                          .toUtf8()
                      + '\n';
    if (lobes.empty())
        return text + line("", ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none: the pattern is zero at every angle")));
    for (const Lobe &lobe : lobes) {
        QString row = columns(QString(), ReportFixed(lobe.directionDeg, 2) + QStringLiteral("°"),
                              ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 dB")).arg(ReportFixed(lobe.levelDb, 2)),
                              ReportFixed(lobe.halfPowerWidthDeg, 2) + QStringLiteral("°"));
        if (lobe.maximum)
            row += QStringLiteral("   ") + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "maximum"));
        else if (lobe.rival)
            row += QStringLiteral("   ")
                   + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "rival: within 1 dB of the maximum"));
        text += row.toUtf8() + '\n';
    }
    return text;
}

QByteArray LobesJson(const std::vector<Lobe> &lobes)
{
    QByteArray text = "[";
    for (const Lobe &lobe : lobes) {
        text += text.size() > 1 ? ", " : "";
        text += "{\"direction_deg\": " + ExactText(lobe.directionDeg) + ", \"level_db\": " + ExactText(lobe.levelDb)
                + ", \"hpbw_deg\": " + ExactText(lobe.halfPowerWidthDeg) + ", \"from_deg\": " + ExactText(lobe.fromDeg)
                + ", \"to_deg\": " + ExactText(lobe.toDeg) + ", \"maximum\": " + (lobe.maximum ? "true" : "false")
                + ", \"rival\": " + (lobe.rival ? "true" : "false") + "}";
    }
    return text + "]";
}
