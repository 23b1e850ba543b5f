#include "PhysicalArguments.h"

#include "RenderArguments.h"

#include <cmath>

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw RenderUsageError(message.toStdString());
}

const char *unitsOf(UnitDimension dimension)
{
    return dimension == UnitDimension::Length ? "m, cm or mm" : "Hz, kHz, MHz or GHz";
}

} // namespace

bool CarriesUnit(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const UnitSplit split = SplitUnit(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    return !split.number.empty() && (split.unit || !split.unknown.empty());
}

double ReadQuantity(const QString &text, UnitDimension dimension, const QString &what)
{
    const QByteArray bytes = text.toUtf8();
    const UnitSplit split = SplitUnit(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    const QString shown = ShownArgument(text);
    if (!split.unknown.empty())
        refuse(QStringLiteral("%1 \"%2\": the unit \"%3\" is not understood (use %4)")
                   .arg(what, shown, ShownArgument(QString::fromUtf8(split.unknown.data(), int(split.unknown.size()))),
                        QLatin1String(unitsOf(dimension))));
    if (!split.unit)
        refuse(QStringLiteral("%1 \"%2\" needs a unit: %3").arg(what, shown, QLatin1String(unitsOf(dimension))));
    if (split.unit->dimension != dimension)
        refuse(QStringLiteral("%1 \"%2\" is a %3, not a %4")
                   .arg(what, shown,
                        QLatin1String(split.unit->dimension == UnitDimension::Length ? "length" : "frequency"),
                        QLatin1String(dimension == UnitDimension::Length ? "length" : "frequency")));
    long double number = 0.0L;
    if (!ParseRenderLength(QString::fromUtf8(split.number.data(), int(split.number.size())), number)
        || !(number > 0.0L))
        refuse(QStringLiteral("%1 \"%2\" is not a number above 0 with its unit").arg(what, shown));
    const double value = static_cast<double>(number) * split.unit->scale;
    if (!std::isfinite(value) || !(value > 0.0))
        refuse(QStringLiteral("%1 \"%2\" is beyond any %3")
                   .arg(what, shown, QLatin1String(dimension == UnitDimension::Length ? "length" : "frequency")));
    return value;
}
