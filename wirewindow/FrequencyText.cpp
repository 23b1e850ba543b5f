#include "FrequencyText.h"

#include "numbers/NumberText.h"

#include <QCoreApplication>

#include <cmath>

namespace {

struct FrequencyUnit
{
    double scale;
    const char *name;
};

// The unit that suits a frequency: the largest of which it is at least one.
FrequencyUnit unitOf(double hertz)
{
    static const FrequencyUnit units[] = {{1e9, QT_TRANSLATE_NOOP("FrequencyModel", "ГГц")},
                                          {1e6, QT_TRANSLATE_NOOP("FrequencyModel", "МГц")},
                                          {1e3, QT_TRANSLATE_NOOP("FrequencyModel", "кГц")}};
    for (const FrequencyUnit &unit : units)
        if (std::fabs(hertz) >= unit.scale)
            return unit;
    return {1.0, QT_TRANSLATE_NOOP("FrequencyModel", "Гц")};
}

QString numberIn(double hertz, const FrequencyUnit &unit)
{
    return GeneralNumberText(hertz / unit.scale, 6);
}

QString unitName(const FrequencyUnit &unit)
{
    return QCoreApplication::translate("FrequencyModel", unit.name);
}

} // namespace

QString FrequencyText(double hertz)
{
    const FrequencyUnit unit = unitOf(hertz);
    return numberIn(hertz, unit) + QLatin1Char(' ') + unitName(unit);
}

QString FrequencyRangeText(double low, double high)
{
    const FrequencyUnit unit = unitOf(high);
    return numberIn(low, unit) + QStringLiteral("–") + numberIn(high, unit) + QLatin1Char(' ') + unitName(unit);
}

QString MetresText(double metres)
{
    return GeneralNumberText(metres, 5) + QLatin1Char(' ') + QCoreApplication::translate("FrequencyModel", "м");
}
