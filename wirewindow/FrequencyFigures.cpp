#include "FrequencyFigures.h"

#include "FrequencyModel.h"
#include "FrequencyText.h"
#include "numbers/NumberText.h"
#include "physics/DipoleRules.h"

#include <cmath>

namespace {

QString signedPercent(double measured, double model)
{
    const double percent = (measured - model) / model * 100.0;
    return (percent > 0.0 ? QStringLiteral("+") : QString()) + FixedNumberText(percent, 2) + QStringLiteral(" %");
}

// The model's resonance that a measurement's is set against: its first in
// the band, or its first anywhere.
std::optional<double> modelResonance(const FrequencyModel &model)
{
    const std::vector<double> inBand = model.resonances();
    return inBand.empty() ? model.resonantFrequency() : std::optional<double>(inBand.front());
}

} // namespace

QString BandText(const std::optional<SwrBand> &band)
{
    if (!band)
        return FrequencyModel::tr("нет в диапазоне");
    const double width = band->high - band->low;
    QString text = FrequencyModel::tr("%1 (%2, %3 %)")
                       .arg(FrequencyRangeText(band->low, band->high), FrequencyText(width),
                            FixedNumberText(width / ((band->low + band->high) / 2.0) * 100.0, 2));
    if (band->openLow || band->openHigh)
        text += FrequencyModel::tr(", до края диапазона");
    return text;
}

QString ModelFiguresText(const FrequencyModel &model)
{
    const std::optional<double> frequency = model.resonantFrequency();
    const std::optional<double> length = model.resonantLength();
    const QString none = FrequencyModel::tr("нет");
    return FrequencyModel::tr("Первый резонанс: %1 для этой длины; на %2 — при длине %3. КСВ ≤ %4 в линии %5 Ом: %6.")
        .arg(frequency ? FrequencyText(*frequency) : none, FrequencyText(model.wire().frequency),
             length ? MetresText(*length) : none, GeneralNumberText(kFrequencySwrLimit, 3),
             GeneralNumberText(model.referenceResistance(), 6), BandText(model.band()));
}

QString MeasuredSweepText(const FrequencyModel &model)
{
    if (model.measuredSweepFile().isEmpty())
        return {};
    const std::vector<double> resonances = model.measuredResonances();
    QString resonance = resonances.empty() ? FrequencyModel::tr("нет в измерении") : FrequencyText(resonances.front());
    const std::optional<double> modelFrequency = modelResonance(model);
    if (!resonances.empty() && modelFrequency)
        resonance += FrequencyModel::tr(" (%1 от модели)").arg(signedPercent(resonances.front(), *modelFrequency));
    const std::optional<SwrBand> measured = model.measuredBand();
    const std::optional<SwrBand> theory = model.band();
    QString band = BandText(measured);
    if (measured && theory)
        band += FrequencyModel::tr(", ширина %1 от модели")
                    .arg(signedPercent(measured->high - measured->low, theory->high - theory->low));
    return FrequencyModel::tr("Измерение «%1»: резонанс %2; КСВ ≤ %3: %4.")
        .arg(model.measuredSweepFile(), resonance, GeneralNumberText(kFrequencySwrLimit, 3), band);
}

QString MeasuredPatternText(const FrequencyModel &model, double M)
{
    const std::optional<MeasuredPattern> &pattern = model.measuredPattern();
    if (!pattern)
        return {};
    const double m = std::fabs(M);
    const QString deviation =
        m > 0.0 && IsMeasurableLength(m)
            ? FrequencyModel::tr("СКО от теории %1 дБ").arg(FixedNumberText(PatternDeviationDb(*pattern, m), 2))
            : FrequencyModel::tr("с теорией этой длины не сравнивается");
    return FrequencyModel::tr("Измерение «%1», точек: %2, %3.")
        .arg(model.measuredPatternFile(), QString::number(pattern->samples.size()), deviation);
}
