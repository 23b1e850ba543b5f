#include "MeasuredReport.h"

#include "ReportText.h"
#include "physics/DipoleRules.h"

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

QByteArray MeasuredReportTable(const MeasuredFit &fit)
{
    const QString deviation =
        QStringLiteral("%1 points, RMS %2 dB from the theory").arg(fit.points).arg(FixedText(fit.deviationDb, 2));
    const QString best = QStringLiteral("%1 wavelengths (RMS %2 dB)")
                             .arg(FixedText(fit.bestLength, 4), FixedText(fit.bestDeviationDb, 2));
    return (ReportLine("Measured pattern", deviation) + QLatin1Char('\n') + ReportLine("Best-fitting length", best)
            + QLatin1Char('\n'))
        .toUtf8();
}

QByteArray MeasuredJson(const MeasuredFit &fit)
{
    return "{\"points\": " + QByteArray::number(qulonglong(fit.points)) + ", \"rms_deviation_db\": "
           + ExactText(fit.deviationDb) + ", \"best_fitting_length\": " + ExactText(fit.bestLength)
           + ", \"best_fitting_rms_db\": " + ExactText(fit.bestDeviationDb) + "}";
}
