#include "ReportOutput.h"

#include "ArgumentBytes.h"
#include "CommandOutput.h"
#include "CurrentReport.h"
#include "MeasuredReport.h"
#include "ModelLimitsReport.h"
#include "PhysicalReport.h"
#include "ReportText.h"
#include "base/AppError.h"
#include "physics/PatternFunction.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"

#include <QString>
#include <QStringList>

#include <cmath>

namespace {

QString degrees(double value)
{
    return ReportFixed(value, 2) + QStringLiteral("°");
}

// Angles joined by the list separator, eight to a line, the later lines indented to the
// value column.
QString angleList(const std::vector<double> &angles, int indent)
{
    if (angles.empty())
        return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none"));
    const QString separator = ReportListSeparator();
    QString text;
    for (size_t i = 0; i < angles.size(); ++i) {
        if (i > 0)
            text +=
                i % 8 == 0 ? separator.trimmed() + QLatin1Char('\n') + QString(indent, QLatin1Char(' ')) : separator;
        text += degrees(angles[i]);
    }
    return text;
}

QByteArray jsonList(const std::vector<double> &values)
{
    QByteArray text = "[";
    for (size_t i = 0; i < values.size(); ++i)
        text += (i > 0 ? ", " : "") + ExactText(values[i]);
    return text + "]";
}

QByteArray csvValue(const std::optional<double> &value)
{
    return value ? ExactText(*value) : QByteArray();
}

// Ohms with two decimals.
QString ohms(double value)
{
    return ReportFixed(value, 2) + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " Ω"));
}

// The bracket is the rectangular picture's mark, found on its half-degree
// samples by the plot's own rule, not the width at 0.7 itself.
QString plotBracket()
{
    return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (the rectangular picture's mark at 0.7)"));
}

} // namespace

QByteArray ReadoutsCsvHeader()
{
    return "hpbw_deg,bracket_deg,directivity,directivity_dbi,radiation_resistance_ohm,input_resistance_ohm,"
           "side_lobe_level_db";
}

QByteArray ReadoutsCsvFields(const PatternReadouts &r)
{
    return csvValue(r.halfPowerWidthDeg) + ',' + ExactText(r.bracketDeg) + ',' + csvValue(r.directivity) + ','
           + csvValue(r.directivityDbi) + ',' + ExactText(r.radiationResistance) + ',' + csvValue(r.inputResistance)
           + ',' + csvValue(r.sideLobeLevelDb);
}

QByteArray ReportTable(const PatternReadouts &r)
{
    QStringList lines;
    const auto line = [&](const char *name, const QString &value) { lines << ReportLine(name, value); };
    line(QT_TRANSLATE_NOOP("Labelled", "Length M, wavelengths"),
         ReportNumber(QString::fromLatin1(ExactText(r.length))));
    if (r.zeroPattern) {
        line(QT_TRANSLATE_NOOP("Labelled", "Pattern"),
             ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "zero at every angle: no maximum, beam width or directivity")));
        line(QT_TRANSLATE_NOOP("Labelled", "Bracket of the plot"), degrees(r.bracketDeg) + plotBracket());
        line(QT_TRANSLATE_NOOP("Labelled", "Radiation resistance"), ohms(r.radiationResistance));
        line(QT_TRANSLATE_NOOP("Labelled", "Input resistance"), NoFeedCurrentText());
        return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    }
    line(QT_TRANSLATE_NOOP("Labelled", "Maximum f_max"), ReportNumber(QString::number(r.fMax, 'g', 10)));
    line(QT_TRANSLATE_NOOP("Labelled", "Directions of maximum"), angleList(r.maxDirectionsDeg, kReportValueColumn));
    const QString crossings = ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (from %1 to %2)"))
                                  .arg(degrees(*r.halfPowerLowerDeg), degrees(*r.halfPowerUpperDeg));
    line(QT_TRANSLATE_NOOP("Labelled", "Half-power beam width"), degrees(*r.halfPowerWidthDeg) + crossings);
    line(QT_TRANSLATE_NOOP("Labelled", "Width at 0.7"), degrees(*r.width07Deg));
    line(QT_TRANSLATE_NOOP("Labelled", "Bracket of the plot"), degrees(r.bracketDeg) + plotBracket());
    line(QT_TRANSLATE_NOOP("Labelled", "Directivity"),
         ReportFixed(*r.directivity, 4)
             + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (%1 dBi)")).arg(ReportFixed(*r.directivityDbi, 2)));
    line(QT_TRANSLATE_NOOP("Labelled", "Radiation resistance"), ohms(r.radiationResistance));
    const QString none = ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none"));
    line(QT_TRANSLATE_NOOP("Labelled", "Input resistance"),
         r.inputResistance ? ohms(*r.inputResistance) : NoFeedCurrentText());
    line(QT_TRANSLATE_NOOP("Labelled", "Side-lobe level"),
         r.sideLobeLevelDb
             ? ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 dB")).arg(ReportFixed(*r.sideLobeLevelDb, 2))
             : none);
    line(QT_TRANSLATE_NOOP("Labelled", "Rival lobe"),
         r.rivalLobeDeg ? ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 at %2 dB: within 1 dB of the maximum"))
                              .arg(degrees(*r.rivalLobeDeg), ReportFixed(*r.rivalLobeLevelDb, 2))
                        : none);
    line(QT_TRANSLATE_NOOP("Labelled", "Nulls"), angleList(r.nullsDeg, kReportValueColumn));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QByteArray ReportJson(const PatternReadouts &r, const std::vector<JsonField> &more)
{
    const std::pair<const char *, QByteArray> fields[] = {
        {"length", ExactText(r.length)},
        {"f_max", ExactText(r.fMax)},
        {"max_directions_deg", jsonList(r.maxDirectionsDeg)},
        {"hpbw_deg", JsonNumber(r.halfPowerWidthDeg)},
        {"bracket_deg", ExactText(r.bracketDeg)},
        {"width_07_deg", JsonNumber(r.width07Deg)},
        {"directivity", JsonNumber(r.directivity)},
        {"directivity_dbi", JsonNumber(r.directivityDbi)},
        {"radiation_resistance_ohm", ExactText(r.radiationResistance)},
        {"input_resistance_ohm", JsonNumber(r.inputResistance)},
        {"side_lobe_level_db", JsonNumber(r.sideLobeLevelDb)},
        {"rival_lobe_deg", JsonNumber(r.rivalLobeDeg)},
        {"rival_lobe_level_db", JsonNumber(r.rivalLobeLevelDb)},
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
        text += ExactText(static_cast<double>(angle)) + ',' + ExactText(F) + ',' + ExactText(norm) + ',' + ExactText(dB)
                + '\n';
    }
    return text;
}

namespace {

// The report and the lobes as standard output shows them: the report's
// table with the wire's lines and the lobes after it, or one JSON object
// holding them all; the lobes alone without --report.
// What the report adds to the pattern's readouts, computed once for the
// table or the JSON.
struct ReportExtras
{
    std::optional<WireReadouts> wire;
    std::vector<Lobe> lobes;
    std::optional<MeasuredFit> fit;
    ModelLimits limits;
    std::optional<GroundFigures> ground;
};

ReportExtras reportExtras(const ReadoutsRequest &request)
{
    const double M = static_cast<double>(request.length);
    ReportExtras extras;
    if (request.radius)
        extras.wire = ComputeWireReadouts(M, *request.radius, request.nec && !request.ground);
    if (request.lobes)
        extras.lobes = FindLobes(M);
    if (request.measured && request.report)
        extras.fit = FitMeasuredPattern(*request.measured, M);
    extras.limits = FindModelLimits(M, extras.wire);
    if (request.ground && request.report)
        extras.ground = ComputeGroundFigures(*request.ground, M, request.radius);
    return extras;
}

QByteArray readoutsJson(const ReadoutsRequest &request, const PatternReadouts &readouts, const ReportExtras &extras)
{
    const double M = static_cast<double>(request.length);
    if (!request.report)
        return "{\"length\": " + ExactText(readouts.length) + ", \"lobes\": " + LobesJson(extras.lobes) + "}\n";
    std::vector<JsonField> more = extras.wire ? WireJsonFields(*extras.wire) : std::vector<JsonField>();
    for (JsonField &field : ModelLimitsJson(extras.limits))
        more.push_back(std::move(field));
    more.push_back(CurrentJsonField(M));
    if (request.lobes)
        more.emplace_back("lobes", LobesJson(extras.lobes));
    if (extras.fit)
        more.emplace_back("measured_pattern", MeasuredJson(*extras.fit, request.frequency));
    if (request.frequency) {
        for (JsonField &field : PhysicalJsonFields(*request.frequency, M, extras.wire))
            more.push_back(std::move(field));
    }
    if (extras.ground) {
        for (JsonField &field : GroundJsonFields(*extras.ground))
            more.push_back(std::move(field));
    }
    return ReportJson(readouts, more);
}

QByteArray readoutsText(const ReadoutsRequest &request, const PatternReadouts &readouts)
{
    const double M = static_cast<double>(request.length);
    // A monopole is not the dipole it is half of: its report is its own.
    if (request.ground && request.ground->monopole) {
        const GroundFigures monopole = ComputeGroundFigures(*request.ground, M, request.radius);
        return request.json ? MonopoleJson(monopole) : MonopoleReportTable(monopole);
    }
    const ReportExtras extras = reportExtras(request);
    if (request.json)
        return readoutsJson(request, readouts, extras);
    if (!request.report)
        return LobesTable(extras.lobes);
    QByteArray text = ReportTable(readouts) + CurrentReportLine(M);
    if (extras.wire)
        text += WireReportTable(*extras.wire, readouts);
    if (extras.ground)
        text += GroundReportTable(*extras.ground);
    if (request.frequency)
        text += PhysicalReportTable(*request.frequency, M, extras.wire);
    if (extras.fit)
        text += MeasuredReportTable(*extras.fit, request.frequency);
    text += ModelLimitsTable(extras.limits);
    if (request.lobes)
        text += LobesTable(extras.lobes);
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
