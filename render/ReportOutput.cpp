#include "ReportOutput.h"

#include "base/AppError.h"
#include "plot/PatternFunction.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <unistd.h>

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

QString noFeedCurrent()
{
    return QStringLiteral("none (current null at the feed)");
}

void printError(const QString &text)
{
    std::fprintf(stderr, "dipole-render: %s\n", text.toLocal8Bit().constData());
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
        line("Bracket width (0.7)", degrees(r.bracketDeg));
        line("Radiation resistance", fixed(r.radiationResistance, 2) + QStringLiteral(" Ω"));
        line("Input resistance", noFeedCurrent());
        return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    }
    line("Maximum f_max", QString::number(r.fMax, 'g', 10));
    line("Directions of maximum", angleList(r.maxDirectionsDeg, kValueColumn));
    const QString crossings =
        QStringLiteral(" (from %1 to %2)").arg(degrees(*r.halfPowerLowerDeg), degrees(*r.halfPowerUpperDeg));
    line("Half-power beam width", degrees(*r.halfPowerWidthDeg) + crossings);
    line("Bracket width (0.7)", degrees(r.bracketDeg));
    line("Directivity", fixed(*r.directivity, 4) + QStringLiteral(" (%1 dBi)").arg(fixed(*r.directivityDbi, 2)));
    line("Radiation resistance", fixed(r.radiationResistance, 2) + QStringLiteral(" Ω"));
    const QString none = QStringLiteral("none");
    line("Input resistance", r.inputResistance ? fixed(*r.inputResistance, 2) + QStringLiteral(" Ω") : noFeedCurrent());
    line("Side-lobe level", r.sideLobeLevelDb ? fixed(*r.sideLobeLevelDb, 2) + QStringLiteral(" dB") : none);
    line("Nulls", angleList(r.nullsDeg, kValueColumn));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QByteArray ReportJson(const PatternReadouts &r)
{
    const std::pair<const char *, QByteArray> fields[] = {
        {"length", exact(r.length)},
        {"f_max", exact(r.fMax)},
        {"max_directions_deg", jsonList(r.maxDirectionsDeg)},
        {"hpbw_deg", jsonValue(r.halfPowerWidthDeg)},
        {"bracket_deg", exact(r.bracketDeg)},
        {"directivity", jsonValue(r.directivity)},
        {"directivity_dbi", jsonValue(r.directivityDbi)},
        {"radiation_resistance_ohm", exact(r.radiationResistance)},
        {"input_resistance_ohm", jsonValue(r.inputResistance)},
        {"side_lobe_level_db", jsonValue(r.sideLobeLevelDb)},
        {"nulls_deg", jsonList(r.nullsDeg)},
    };
    QByteArray text = "{";
    for (const auto &[key, value] : fields)
        text += (text.size() > 1 ? ", \"" : "\"") + QByteArray(key) + "\": " + value;
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

int WriteReadouts(const ReadoutsRequest &request)
{
    const double M = static_cast<double>(request.length);
    const PatternReadouts readouts = ComputePatternReadouts(M);
    try {
        if (request.report)
            WriteToDescriptor(STDOUT_FILENO, request.json ? ReportJson(readouts) : ReportTable(readouts));
        if (!request.csvFile.isEmpty()) {
            const QByteArray table = PatternCsv(M, readouts.fMax, request.csvStep);
            if (request.csvFile == QLatin1String("-"))
                WriteToDescriptor(STDOUT_FILENO, table);
            else
                SaveFileContents(request.csvFile, table);
        }
    } catch (const AppError &e) {
        printError(e.message());
        return 1;
    }
    return 0;
}
