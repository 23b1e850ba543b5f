#include "WireReport.h"

#include "antenna/CurrentDistribution.h"
#include "antenna/NecCrossCheck.h"
#include "antenna/Resonance.h"

#include <QLocale>
#include <QString>

namespace {

// The report's value column.
constexpr int kValueColumn = 24;

QByteArray exact(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray jsonValue(const std::optional<double> &value)
{
    return value ? exact(*value) : QByteArray("null");
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QByteArray line(const char *name, const QString &value)
{
    return (QString::fromUtf8(name).leftJustified(kValueColumn) + value + QLatin1Char('\n')).toUtf8();
}

QString ohms(double value)
{
    return fixed(value, 2) + QStringLiteral(" Ω");
}

// "77.90 + j44.44 Ω", "13.43 - j446.68 Ω".
QString complexOhms(const Impedance &z)
{
    const QString sign = z.reactance < 0.0 ? QStringLiteral(" - j") : QStringLiteral(" + j");
    return fixed(z.resistance, 2) + sign + ohms(std::fabs(z.reactance));
}

QString noFeedCurrent()
{
    return QStringLiteral("none (current null at the feed)");
}

QByteArray necLines(const NecSolution &nec, const WireReadouts &wire, const PatternReadouts &pattern)
{
    const QString theoryZ = wire.impedance.atFeed ? complexOhms(*wire.impedance.atFeed)
                                                  : QStringLiteral("none, a current null at the feed");
    QByteArray text =
        line("NEC-2 input impedance", complexOhms(nec.input) + QStringLiteral(" (theory %1)").arg(theoryZ));
    const QString theoryD = pattern.directivityDbi ? fixed(*pattern.directivityDbi, 2) : QStringLiteral("none");
    text += line("NEC-2 directivity",
                 fixed(nec.directivity, 4)
                     + QStringLiteral(" (%1 dBi; theory %2 dBi)").arg(fixed(nec.directivityDbi, 2), theoryD));
    const QString theoryFeed = wire.feedToMaximum ? fixed(*wire.feedToMaximum, 4) : QStringLiteral("none");
    text += line("NEC-2 feed current",
                 fixed(nec.feedToMaximum, 4) + QStringLiteral(" of the maximum (theory %1)").arg(theoryFeed));
    text += line("NEC-2 segments", QString::number(nec.segments));
    return text;
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
        wire.nec = RunNecCrossCheck(M, radius);
    return wire;
}

QByteArray WireReportTable(const WireReadouts &wire, const PatternReadouts &pattern)
{
    const std::optional<Impedance> &feed = wire.impedance.atFeed;
    QByteArray text = line("Wire radius", QString::fromLatin1(exact(wire.radius)) + QStringLiteral(" wavelengths"));
    text += line("Input reactance", feed ? ohms(feed->reactance) : noFeedCurrent());
    text += line("Reactance at I maximum", ohms(wire.impedance.atCurrentMaximum.reactance));
    text += line("First resonant length", wire.resonantLength
                                              ? fixed(*wire.resonantLength, 5) + QStringLiteral(" wavelengths")
                                              : QStringLiteral("none below 30"));
    if (wire.nec)
        text += necLines(*wire.nec, wire, pattern);
    return text;
}

std::vector<JsonField> WireJsonFields(const WireReadouts &wire)
{
    const std::optional<Impedance> &feed = wire.impedance.atFeed;
    std::vector<JsonField> fields = {
        {"radius", exact(wire.radius)},
        {"input_reactance_ohm", feed ? exact(feed->reactance) : QByteArray("null")},
        {"reactance_at_current_maximum_ohm", exact(wire.impedance.atCurrentMaximum.reactance)},
        {"resonant_length", jsonValue(wire.resonantLength)},
    };
    if (wire.nec) {
        const NecSolution &nec = *wire.nec;
        fields.emplace_back("nec", "{\"input_impedance_ohm\": [" + exact(nec.input.resistance) + ", "
                                       + exact(nec.input.reactance) + "], \"directivity\": " + exact(nec.directivity)
                                       + ", \"directivity_dbi\": " + exact(nec.directivityDbi)
                                       + ", \"segments\": " + QByteArray::number(nec.segments)
                                       + ", \"feed_current_to_maximum\": " + exact(nec.feedToMaximum) + "}");
    }
    return fields;
}

QByteArray LobesTable(const std::vector<Lobe> &lobes)
{
    const auto columns = [](const QString &head, const QString &direction, const QString &level, const QString &width) {
        return head.leftJustified(kValueColumn) + direction.rightJustified(9) + level.rightJustified(11)
               + width.rightJustified(18);
    };
    QByteArray text = columns(QStringLiteral("Lobes from 0° to 90°"), QStringLiteral("direction"),
                              QStringLiteral("level"), QStringLiteral("half-power width"))
                          .toUtf8()
                      + '\n';
    if (lobes.empty())
        return text + line("", QStringLiteral("none: the pattern is zero at every angle"));
    for (const Lobe &lobe : lobes) {
        QString row = columns(QString(), fixed(lobe.directionDeg, 2) + QStringLiteral("°"),
                              fixed(lobe.levelDb, 2) + QStringLiteral(" dB"),
                              fixed(lobe.halfPowerWidthDeg, 2) + QStringLiteral("°"));
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
        text += "{\"direction_deg\": " + exact(lobe.directionDeg) + ", \"level_db\": " + exact(lobe.levelDb)
                + ", \"hpbw_deg\": " + exact(lobe.halfPowerWidthDeg) + ", \"from_deg\": " + exact(lobe.fromDeg)
                + ", \"to_deg\": " + exact(lobe.toDeg) + ", \"maximum\": " + (lobe.maximum ? "true" : "false")
                + ", \"rival\": " + (lobe.rival ? "true" : "false") + "}";
    }
    return text + "]";
}
