#include "LocaleNumberSettings.h"

#include <QLocale>

namespace {

// A separator that the locale gives as several characters (or none) cannot
// be typed as one key; fall back to what the C locale would use.
QChar firstCharOr(const QString &text, QChar fallback)
{
    return text.size() == 1 ? text.at(0) : fallback;
}

LocaleNumberSettings &current()
{
    static LocaleNumberSettings settings = LocaleNumberSettings::fromSystemLocale();
    return settings;
}

} // namespace

LocaleNumberSettings LocaleNumberSettings::fromSystemLocale()
{
    const QLocale locale = QLocale::system();
    LocaleNumberSettings s;
    s.decimalSeparator = firstCharOr(locale.decimalPoint(), QLatin1Char('.'));
    s.thousandSeparator = firstCharOr(locale.groupSeparator(), QLatin1Char(','));
    s.currencyString = locale.currencySymbol();
    return s;
}

LocaleNumberSettings LocaleNumberSettings::russian()
{
    return {QLatin1Char(','), QChar(0x00A0), QStringLiteral("\u20BD")};
}

LocaleNumberSettings LocaleNumberSettings::russianBlank()
{
    return {QLatin1Char(','), QLatin1Char(' '), QStringLiteral("\u0440.")};
}

LocaleNumberSettings LocaleNumberSettings::english()
{
    return {QLatin1Char('.'), QLatin1Char(','), QStringLiteral("$")};
}

LocaleNumberSettings LocaleNumberSettings::german()
{
    return {QLatin1Char(','), QLatin1Char('.'), QStringLiteral("\u20AC")};
}

bool LocaleNumberSettings::operator==(const LocaleNumberSettings &other) const
{
    return decimalSeparator == other.decimalSeparator && thousandSeparator == other.thousandSeparator
           && currencyString == other.currencyString;
}

const LocaleNumberSettings &CurrentLocaleNumberSettings()
{
    return current();
}

void SetLocaleNumberSettings(const LocaleNumberSettings &settings)
{
    current() = settings;
}

ScopedLocaleNumberSettings::ScopedLocaleNumberSettings(const LocaleNumberSettings &settings) : m_previous(current())
{
    current() = settings;
}

ScopedLocaleNumberSettings::~ScopedLocaleNumberSettings()
{
    current() = m_previous;
}
