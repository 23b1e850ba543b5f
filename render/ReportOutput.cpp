#include "ReportOutput.h"

#include "ArgumentBytes.h"
#include "CommandOutput.h"
#include "base/AppError.h"
#include "plot/PatternFunction.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cmath>

namespace {

// The shortest text that reads back as the same double.
QByteArray exact(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString degrees(double value)
{
    return fixed(value, 2) + QStringLiteral("°");
}

// Angles joined by commas, eight to a line, the later lines indented to the
// value column.
QString angleList(const std::vector<double> &angles, int indent)
{
    if (angles.empty())
        return QStringLiteral("none");
    QString text;
    for (size_t i = 0; i < angles.size(); ++i) {
        if (i > 0)
            text += i % 8 == 0 ? QStringLiteral(",\n") + QString(indent, QLatin1Char(' ')) : QStringLiteral(", ");
        text += degrees(angles[i]);
    }
    return text;
}

QByteArray jsonList(const std::vector<double> &values)
{
    QByteArray text = "[";
    for (size_t i = 0; i < values.size(); ++i)
        text += (i > 0 ? ", " : "") + exact(values[i]);
    return text + "]";
}

QByteArray csvValue(const std::optional<double> &value)
{
    return value ? exact(*value) : QByteArray();
}

QByteArray jsonValue(const std::optional<double> &value)
{
    return value ? exact(*value) : QByteArray("null");
}

// The bracket is the rectangular picture's mark, found on its half-degree
// samples by the plot's own rule, not the width at 0.7 itself.
QString plotBracket()
{
    return QStringLiteral(" (the rectangular picture's mark at 0.7)");
}

QString noFeedCurrent()
{
    return QStringLiteral("none (current null at the feed)");
}

} // namespace

QByteArray ReadoutsCsvHeader()
{
    return "hpbw_deg,bracket_deg,directivity,directivity_dbi,radiation_resistance_ohm,input_resistance_ohm,"
           "side_lobe_level_db";
}

QByteArray ReadoutsCsvFields(const PatternReadouts &r)
{
    return csvValue(r.halfPowerWidthDeg) + ',' + exact(r.bracketDeg) + ',' + csvValue(r.directivity) + ','
           + csvValue(r.directivityDbi) + ',' + exact(r.radiationResistance) + ',' + csvValue(r.inputResistance) + ','
           + csvValue(r.sideLobeLevelDb);
}

QByteArray ReportTable(const PatternReadouts &r)
{
    constexpr int kValueColumn = 24;
    QStringList lines;
    const auto line = [&](const char *name, const QString &value) {
        lines << QString::fromUtf8(name).leftJustified(kValueColumn) + value;
    };
    line("Length M, wavelengths", QString::fromLatin1(exact(r.length)));
    if (r.zeroPattern) {
        line("Pattern", QStringLiteral("zero at every angle: no maximum, beam width or directivity"));
        line("Bracket of the plot", degrees(r.bracketDeg) + plotBracket());
        line("Radiation resistance", fixed(r.radiationResistance, 2) + QStringLiteral(" Ω"));
        line("Input resistance", noFeedCurrent());
        return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    }
    line("Maximum f_max", QString::number(r.fMax, 'g', 10));
    line("Directions of maximum", angleList(r.maxDirectionsDeg, kValueColumn));
    const QString crossings =
        QStringLiteral(" (from %1 to %2)").arg(degrees(*r.halfPowerLowerDeg), degrees(*r.halfPowerUpperDeg));
    line("Half-power beam width", degrees(*r.halfPowerWidthDeg) + crossings);
    line("Width at 0.7", degrees(*r.width07Deg));
    line("Bracket of the plot", degrees(r.bracketDeg) + plotBracket());
    line("Directivity", fixed(*r.directivity, 4) + QStringLiteral(" (%1 dBi)").arg(fixed(*r.directivityDbi, 2)));
    line("Radiation resistance", fixed(r.radiationResistance, 2) + QStringLiteral(" Ω"));
    const QString none = QStringLiteral("none");
    line("Input resistance", r.inputResistance ? fixed(*r.inputResistance, 2) + QStringLiteral(" Ω") : noFeedCurrent());
    line("Side-lobe level", r.sideLobeLevelDb ? fixed(*r.sideLobeLevelDb, 2) + QStringLiteral(" dB") : none);
    line("Rival lobe", r.rivalLobeDeg ? QStringLiteral("%1 at %2 dB: within 1 dB of the maximum")
                                            .arg(degrees(*r.rivalLobeDeg), fixed(*r.rivalLobeLevelDb, 2))
                                      : none);
    line("Nulls", angleList(r.nullsDeg, kValueColumn));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QByteArray ReportJson(const PatternReadouts &r, const std::vector<JsonField> &more)
{
    const std::pair<const char *, QByteArray> fields[] = {
        {"length", exact(r.length)},
        {"f_max", exact(r.fMax)},
        {"max_directions_deg", jsonList(r.maxDirectionsDeg)},
        {"hpbw_deg", jsonValue(r.halfPowerWidthDeg)},
        {"bracket_deg", exact(r.bracketDeg)},
        {"width_07_deg", jsonValue(r.width07Deg)},
        {"directivity", jsonValue(r.directivity)},
        {"directivity_dbi", jsonValue(r.directivityDbi)},
        {"radiation_resistance_ohm", exact(r.radiationResistance)},
        {"input_resistance_ohm", jsonValue(r.inputResistance)},
        {"side_lobe_level_db", jsonValue(r.sideLobeLevelDb)},
        {"rival_lobe_deg", jsonValue(r.rivalLobeDeg)},
        {"rival_lobe_level_db", jsonValue(r.rivalLobeLevelDb)},
        {"nulls_deg", jsonList(r.nullsDeg)},
    };
    QByteArray text = "{";
    for (const auto &[key, value] : fields)
        text += (text.size() > 1 ? ", \"" : "\"") + QByteArray(key) + "\": " + value;
    for (const auto &[key, value] : more)
        text += ", \"" + key + "\": " + value;
    return text + "}\n";
}

QByteArray PatternCsv(double M, double fMax, long double stepDegrees)
{
    // The last row is 360° itself when the step divides it up to rounding
    // (0.1 does, in decimal), else the last multiple below it.
    const long double quotient = 360.0L / stepDegrees;
    const long double rows = std::floor(quotient * (1.0L + 1e-12L));
    const bool reaches360 = std::fabs(rows * stepDegrees - 360.0L) <= 1e-9L;
    const long last = static_cast<long>(rows);

    QByteArray text = "theta_deg,F,F_norm,dB\n";
    text.reserve(int(40 * (last + 2)));
    for (long i = 0; i <= last; ++i) {
        const long double angle = i == last && reaches360 ? 360.0L : static_cast<long double>(i) * stepDegrees;
        const double F = PatternValue(M, DegreeAngle(angle));
        // f_max is the maximum: a sample can exceed it only by rounding.
        const double norm = fMax > 0.0 ? std::min(F / fMax, 1.0) : 0.0;
        const double dB = norm > 0.0 ? std::max(20.0 * std::log10(norm), -100.0) : -100.0;
        text += exact(static_cast<double>(angle)) + ',' + exact(F) + ',' + exact(norm) + ',' + exact(dB) + '\n';
    }
    return text;
}

namespace {

// The report and the lobes as standard output shows them: the report's
// table with the wire's lines and the lobes after it, or one JSON object
// holding them all; the lobes alone without --report.
QByteArray readoutsText(const ReadoutsRequest &request, const PatternReadouts &readouts)
{
    const double M = static_cast<double>(request.length);
    std::optional<WireReadouts> wire;
    if (request.radius)
        wire = ComputeWireReadouts(M, *request.radius, request.nec);
    const std::vector<Lobe> lobes = request.lobes ? FindLobes(M) : std::vector<Lobe>();
    if (request.json) {
        std::vector<JsonField> more = wire ? WireJsonFields(*wire) : std::vector<JsonField>();
        if (request.lobes)
            more.emplace_back("lobes", LobesJson(lobes));
        return request.report ? ReportJson(readouts, more)
                              : "{\"length\": " + exact(readouts.length) + ", \"lobes\": " + LobesJson(lobes) + "}\n";
    }
    QByteArray text = request.report ? ReportTable(readouts) : QByteArray();
    if (request.report && wire)
        text += WireReportTable(*wire, readouts);
    if (request.lobes)
        text += LobesTable(lobes);
    return text;
}

} // namespace

int WriteReadouts(const ReadoutsRequest &request, const CommandStreams &streams)
{
    const double M = static_cast<double>(request.length);
    const PatternReadouts readouts = ComputePatternReadouts(M);
    // A reader that leaves early (| head) has had what it wanted: no error.
    const auto toStandardOutput = [&streams](const QByteArray &text) { return WriteOutput(streams, text); };
    try {
        if (request.report || request.lobes) {
            const OutputResult result = toStandardOutput(readoutsText(request, readouts));
            if (result != OutputResult::Written)
                return result == OutputResult::Failed ? 1 : 0;
        }
        if (request.csvFile.isEmpty())
            return 0;
        const QByteArray table = PatternCsv(M, readouts.fMax, request.csvStep);
        if (request.csvFile == QLatin1String("-"))
            return toStandardOutput(table) == OutputResult::Failed ? 1 : 0;
        SaveFileContents(ArgumentBytes(request.csvFile), table);
    } catch (const AppError &e) {
        WriteError(streams, SaveFailureLine(e));
        return 1;
    }
    return 0;
}
