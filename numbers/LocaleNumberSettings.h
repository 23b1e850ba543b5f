#pragma once
// The separators and currency string with which numbers are read and written.
// They come from the user's locale once, at first use; tests replace them
// with ScopedLocaleNumberSettings so that every rule can be run under several
// locales. Every reader asks for the current settings at the moment of use.
#include <QChar>
#include <QString>

struct LocaleNumberSettings
{
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandSeparator = QLatin1Char(',');
    QString currencyString;

    static LocaleNumberSettings fromSystemLocale();

    // Fixed sets for tests and for callers that need a known locale.
    static LocaleNumberSettings russian();      // ',' and the no-break space
    static LocaleNumberSettings russianBlank(); // ',' and the plain blank
    static LocaleNumberSettings english();      // '.' and ','
    static LocaleNumberSettings german();       // ',' and '.'

    bool operator==(const LocaleNumberSettings &other) const;
    bool operator!=(const LocaleNumberSettings &other) const { return !(*this == other); }
};

// The settings in force.
const LocaleNumberSettings &CurrentLocaleNumberSettings();

// Replaces the settings in force.
void SetLocaleNumberSettings(const LocaleNumberSettings &settings);

// Installs settings for the lifetime of the guard and restores the previous ones.
class ScopedLocaleNumberSettings
{
public:
    explicit ScopedLocaleNumberSettings(const LocaleNumberSettings &settings);
    ~ScopedLocaleNumberSettings();
    ScopedLocaleNumberSettings(const ScopedLocaleNumberSettings &) = delete;
    ScopedLocaleNumberSettings &operator=(const ScopedLocaleNumberSettings &) = delete;

private:
    LocaleNumberSettings m_previous;
};
