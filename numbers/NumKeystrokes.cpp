#include "NumKeystrokes.h"

#include "ControlKeys.h"
#include "LocaleNumberSettings.h"
#include "NumberText.h"

#include <algorithm>

bool AcceptsTypedChar(const QString &text, int selStart, int selLength, QChar c, unsigned decimalPlaces,
                      const ValueRange &range)
{
    return AcceptsTypedText(text, selStart, selLength, QString(c), decimalPlaces, range);
}

bool AcceptsTypedText(const QString &text, int selStart, int selLength, const QString &typed, unsigned decimalPlaces,
                      const ValueRange &range)
{
    const int start = std::clamp(selStart, 0, static_cast<int>(text.size()));
    const int length = std::clamp(selLength, 0, static_cast<int>(text.size()) - start);
    QString candidate = text;
    candidate.remove(start, length);
    candidate.insert(start, typed);
    candidate = NormalizeNumberText(candidate);

    const int point = candidate.indexOf(CurrentLocaleNumberSettings().decimalSeparator);
    if (point >= 0) {
        int exponent = candidate.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive);
        const long long decimals = exponent > point ? exponent - point - 1 : candidate.size() - point - 1;
        if (decimals > static_cast<long long>(decimalPlaces))
            return false;
    }
    long double value = 0;
    if (!IsNumberText(candidate, &value))
        return false;
    if (range.min >= 0 && range.max > 0 && value < 0)
        return false;
    return true;
}

QChar ReplaceTypedSeparator(QChar c)
{
    const LocaleNumberSettings &locale = CurrentLocaleNumberSettings();
    if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && c != locale.thousandSeparator)
        return locale.decimalSeparator;
    return c;
}

QString InsertThousandSeparators(const QString &text, bool grouping)
{
    const LocaleNumberSettings &locale = CurrentLocaleNumberSettings();
    QString sign;
    QString s = text;
    if (!s.isEmpty() && (s.at(0) == QLatin1Char('+') || s.at(0) == QLatin1Char('-'))) {
        sign = s.left(1);
        s.remove(0, 1);
    }
    int end = s.size();
    const int point = s.indexOf(locale.decimalSeparator);
    if (point >= 0)
        end = point;
    const int exponent = s.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive);
    if (exponent >= 0 && exponent < end)
        end = exponent;

    QString integer;
    for (int i = 0; i < end; ++i) {
        const int fromRight = end - i;
        if (grouping && i > 0 && fromRight % 3 == 0)
            integer.append(locale.thousandSeparator);
        integer.append(s.at(i));
    }
    return sign + integer + s.mid(end);
}

bool IsCalculatorKey(QChar c)
{
    const LocaleNumberSettings &locale = CurrentLocaleNumberSettings();
    QChar key = c;
    if (key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        key = QChar(key.unicode() - 'a' + 'A');
    if (key == locale.thousandSeparator)
        return false;
    if (key == locale.decimalSeparator)
        return true;
    if (key >= QLatin1Char('0') && key <= QLatin1Char('9'))
        return true;
    if (key == QChar(ControlKeys::kBackspace) || key == QChar(ControlKeys::kEnter))
        return true;
    static const QString keys = QStringLiteral("%*+,-./=CQR_");
    return keys.contains(key);
}
