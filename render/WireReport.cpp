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
    return FixedText(value, 2) + QStringLiteral(" Ω");
}

// "77.91 + j44.49 Ω", "13.43 - j446.68 Ω".
QString complexOhms(const Impedance &z)
{
    const QString sign = z.reactance < 0.0 ? QStringLiteral(" - j") : QStringLiteral(" + j");
    return FixedText(z.resistance, 2) + sign + ohms(std::fabs(z.reactance));
}

QByteArray necLines(const NecSolution &nec, const WireReadouts &wire, const PatternReadouts &pattern)
{
    const QString theoryZ = wire.impedance.atFeed ? complexOhms(*wire.impedance.atFeed)
                                                  : QStringLiteral("none, a current null at the feed");
    QByteArray text =
        line("NEC-2 input impedance", complexOhms(nec.input) + QStringLiteral(" (theory %1)").arg(theoryZ));
    const QString theoryD = pattern.directivityDbi ? FixedText(*pattern.directivityDbi, 2) : QStringLiteral("none");
    text += line("NEC-2 directivity",
                 FixedText(nec.directivity, 2)
                     + QStringLiteral(" (%1 dBi; theory %2 dBi)").arg(FixedText(nec.directivityDbi, 2), theoryD));
    const QString theoryFeed = wire.feedToMaximum ? FixedText(*wire.feedToMaximum, 4) : QStringLiteral("none");
    text += line("NEC-2 feed current",
                 FixedText(nec.feedToMaximum, 4) + QStringLiteral(" of the maximum (theory %1)").arg(theoryFeed));
    text += line("NEC-2 segments", QString::number(nec.segments));
    if (nec.settling)
        text += line("NEC-2 impedance settled", QStringLiteral("to %1 % (%2 vs %3 segments)")
                                                    .arg(FixedText(nec.settling->change * 100.0, 1))
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
    QByteArray text = line("Wire radius", QString::fromLatin1(ExactText(wire.radius)) + QStringLiteral(" wavelengths"));
    text += line("Input reactance", feed ? ohms(feed->reactance) : NoFeedCurrentText());
    text += line("Reactance at I maximum", ohms(wire.impedance.atCurrentMaximum.reactance));
    text += line("First resonant length", wire.resonantLength
                                              ? FixedText(*wire.resonantLength, 5) + QStringLiteral(" wavelengths")
                                              : QStringLiteral("none below 30"));
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
    QByteArray text = columns(QStringLiteral("Lobes from 0° to 90°"), QStringLiteral("direction"),
                              QStringLiteral("level"), QStringLiteral("half-power width"))
                          .toUtf8()
                      + '\n';
    if (lobes.empty())
        return text + line("", QStringLiteral("none: the pattern is zero at every angle"));
    for (const Lobe &lobe : lobes) {
        QString row = columns(QString(), FixedText(lobe.directionDeg, 2) + QStringLiteral("°"),
                              FixedText(lobe.levelDb, 2) + QStringLiteral(" dB"),
                              FixedText(lobe.halfPowerWidthDeg, 2) + QStringLiteral("°"));
        if (lobe.maximum)
            row += QStringLiteral("   maximum");
        else if (lobe.rival)
            row += QStringLiteral("   rival: within 1 dB of the maximum");
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
