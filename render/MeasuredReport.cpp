#include "MeasuredReport.h"

#include "ReportText.h"
#include "physics/DipoleRules.h"
#include "physics/PhysicalUnits.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kShortestFit = 0.05;

} // namespace

MeasuredFit FitMeasuredPattern(const MeasuredPattern &pattern, double M)
{
    const double m = std::fabs(M);
    MeasuredFit fit;
    fit.points = pattern.samples.size();
    fit.deviationDb = PatternDeviationDb(pattern, m);
    const double longest = std::min(std::max(3.0, 3.0 * m), 29.9);
    fit.bestLength = BestFittingLength(pattern, kShortestFit, longest);
    fit.bestDeviationDb = PatternDeviationDb(pattern, fit.bestLength);
    return fit;
}

QByteArray MeasuredReportTable(const MeasuredFit &fit, std::optional<double> frequency)
{
    const QString deviation = ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 points, RMS %2 dB from the theory"))
                                  .arg(fit.points)
                                  .arg(ReportFixed(fit.deviationDb, 2));
    QString best = ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 wavelengths")).arg(ReportFixed(fit.bestLength, 4));
    if (frequency)
        best += ReportPhrase(QT_TRANSLATE_NOOP("Labelled", ", %1 m"))
                    .arg(ReportFixed(InMetres(fit.bestLength, *frequency), 4));
    best += ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (RMS %1 dB)")).arg(ReportFixed(fit.bestDeviationDb, 2));
    return (ReportLine(QT_TRANSLATE_NOOP("Labelled", "Measured pattern"), deviation) + QLatin1Char('\n')
            + ReportLine(QT_TRANSLATE_NOOP("Labelled", "Best-fitting length"), best) + QLatin1Char('\n'))
        .toUtf8();
}

QByteArray MeasuredJson(const MeasuredFit &fit, std::optional<double> frequency)
{
    return "{\"points\": " + QByteArray::number(qulonglong(fit.points)) + ", \"rms_deviation_db\": "
           + ExactText(fit.deviationDb) + ", \"best_fitting_length\": " + ExactText(fit.bestLength)
           + ", \"best_fitting_rms_db\": " + ExactText(fit.bestDeviationDb)
           + (frequency ? ", \"best_fitting_length_m\": " + ExactText(InMetres(fit.bestLength, *frequency))
                        : QByteArray())
           + "}";
}
