#include "NumberText.h"

#include "LocaleNumberSettings.h"
#include "NumberErrors.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

// Beyond this many decimals every extended value (the smallest subnormal
// has 4951 leading zeros, then 18 digits) is written the same way; the cap
// keeps a huge decimal count from building a huge text.
constexpr unsigned kMaxDecimals = 4970;

// A finite value as sign, significant digits d1d2… and exponent e, so that
// the value is 0.d1d2… × 10^e. No digits means zero.
struct Decimal
{
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(long double value)
{
    Decimal d;
    d.negative = std::signbit(value);
    char buffer[64];
    // 18 significant digits: what an extended value carries.
    std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(value));
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    d.exponent = exponent + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
    return d;
}

// The value rounded once to `precision` significant digits, to the nearest
// and half away from zero. The digits are printed with a guard of 25 more,
// which settles every case but a value within a hair of a halfway point;
// those are printed exactly (an extended value has at most about 11,500
// significant decimal digits) to tell a true tie from a near one.
Decimal toRoundedDecimal(long double value, int precision)
{
    Decimal d;
    d.negative = std::signbit(value);
    const long double magnitude = std::fabs(value);
    auto print = [&](int digits) {
        std::string text(static_cast<size_t>(digits) + 32, '\0');
        const int n = std::snprintf(text.data(), text.size(), "%.*Le", digits - 1, magnitude);
        text.resize(static_cast<size_t>(std::max(n, 0)));
        std::string mantissa;
        size_t i = 0;
        for (; i < text.size() && text[i] != 'e'; ++i) {
            if (text[i] >= '0' && text[i] <= '9')
                mantissa.push_back(text[i]);
        }
        d.exponent = (i < text.size() ? std::atoi(text.c_str() + i + 1) : 0) + 1;
        return mantissa;
    };
    constexpr int guard = 25;
    std::string digits = print(precision + guard);
    auto tieOrAbove = [&](const std::string &all) { return all[static_cast<size_t>(precision)] >= '5'; };
    auto nearTie = [&](const std::string &all) {
        return all[static_cast<size_t>(precision)] == '5'
               && all.find_first_not_of('0', static_cast<size_t>(precision) + 1) == std::string::npos;
    };
    if (nearTie(digits))
        digits = print(12000);
    const bool up = tieOrAbove(digits);
    digits.resize(static_cast<size_t>(precision));
    d.digits = digits;
    if (up) {
        int i = precision - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9')
            d.digits[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the next.
void roundDigits(Decimal &d, long long keep)
{
    if (keep >= static_cast<long long>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        long long i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
            d.digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[static_cast<size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

QString nonFiniteText(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

struct Pattern
{
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    unsigned minDecimals = 0;
    unsigned maxDecimals = 0;
    bool grouping = false;
};

bool isPatternChar(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.') || c == QLatin1Char(',');
}

Pattern parsePattern(const QString &text)
{
    Pattern p;
    int first = 0;
    while (first < text.size() && !isPatternChar(text.at(first)))
        ++first;
    int last = text.size() - 1;
    while (last >= first && !isPatternChar(text.at(last)))
        --last;
    p.prefix = text.left(first);
    p.suffix = text.mid(last + 1);
    bool afterPoint = false;
    unsigned decimals = 0;
    for (int i = first; i <= last; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (!afterPoint) {
            if (c == QLatin1Char(','))
                p.grouping = true;
            else if (c == QLatin1Char('0'))
                ++p.minIntegerDigits;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            ++decimals;
            if (c == QLatin1Char('0'))
                p.minDecimals = decimals;
        }
    }
    p.maxDecimals = std::min(decimals, kMaxDecimals);
    p.minDecimals = std::min(p.minDecimals, kMaxDecimals);
    return p;
}

QString groupDigits(const QString &integer)
{
    const QChar separator = CurrentLocaleNumberSettings().thousandSeparator;
    QString out;
    out.reserve(integer.size() + integer.size() / 3);
    for (int i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out.append(separator);
        out.append(integer.at(i));
    }
    return out;
}

QString formatWith(long double value, const Pattern &p)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal d = toDecimal(value);
    roundDigits(d, static_cast<long long>(d.exponent) + p.maxDecimals);

    QString integer;
    QString fraction;
    const int count = static_cast<int>(d.digits.size());
    if (!d.digits.empty()) {
        if (d.exponent > 0) {
            for (int i = 0; i < d.exponent; ++i)
                integer.append(QLatin1Char(i < count ? d.digits[static_cast<size_t>(i)] : '0'));
            for (int i = d.exponent; i < count; ++i)
                fraction.append(QLatin1Char(d.digits[static_cast<size_t>(i)]));
        } else {
            fraction.fill(QLatin1Char('0'), -d.exponent);
            fraction.append(QString::fromLatin1(d.digits.data(), count));
        }
    }
    if (integer.size() < p.minIntegerDigits)
        integer.prepend(QString(p.minIntegerDigits - integer.size(), QLatin1Char('0')));
    if (static_cast<unsigned>(fraction.size()) < p.minDecimals)
        fraction.append(QString(static_cast<int>(p.minDecimals) - fraction.size(), QLatin1Char('0')));

    QString out = p.prefix;
    if (d.negative && !d.digits.empty())
        out.append(QLatin1Char('-'));
    out.append(p.grouping ? groupDigits(integer) : integer);
    if (!fraction.isEmpty()) {
        out.append(CurrentLocaleNumberSettings().decimalSeparator);
        out.append(fraction);
    }
    out.append(p.suffix);
    return out;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Reads a number text from left to right, spelling what it reads in ASCII.
struct NumberSpeller
{
    const QString &text;
    std::string &ascii;
    int i = 0;

    bool atEnd() const { return i >= text.size(); }
    bool at(char c) const { return !atEnd() && text.at(i) == QLatin1Char(c); }
    bool atDigit() const { return !atEnd() && isAsciiDigit(text.at(i)); }
    void copy(std::string &to) { to.push_back(static_cast<char>(text.at(i++).unicode())); }

    // Copies a run of digits; whether there was one.
    bool digits(std::string &to)
    {
        const int start = i;
        while (atDigit())
            copy(to);
        return i > start;
    }

    // An exponent, "E" or "e", a sign and digits; "1E" and "1E+" read as 1:
    // an exponent without digits counts as none.
    std::string exponent()
    {
        if (!at('E') && !at('e'))
            return {};
        ++i;
        std::string spelled = "e";
        if (at('+') || at('-'))
            copy(spelled);
        return digits(spelled) ? spelled : std::string();
    }
};

// Checks the text against the number syntax and spells it for the C
// conversion: sign, digits, "." and an exponent with digits. A text with a
// separator but no digit (",", "-,") reads as a zero of its sign, which the C
// conversion cannot spell: `ascii` is left empty and `negative` gives the sign.
bool spellNumberText(const QString &text, std::string *ascii, bool *negative)
{
    ascii->clear();
    ascii->reserve(static_cast<size_t>(text.size()) + 1);
    NumberSpeller speller{text, *ascii};
    *negative = speller.at('-');
    if (speller.at('+') || speller.at('-'))
        speller.copy(*ascii);
    bool mantissaDigits = speller.digits(*ascii);
    const bool separator = !speller.atEnd() && text.at(speller.i) == CurrentLocaleNumberSettings().decimalSeparator;
    if (separator) {
        ++speller.i;
        ascii->push_back('.');
        mantissaDigits = speller.digits(*ascii) || mantissaDigits;
    }
    if (!mantissaDigits && !separator)
        return false;
    const std::string exponent = speller.exponent();
    if (!speller.atEnd())
        return false;
    if (!mantissaDigits)
        ascii->clear();
    else
        *ascii += exponent;
    return true;
}

} // namespace

QString GeneralNumberText(long double value, int precision)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    precision = std::clamp(precision, 1, 1000);
    const Decimal d = toRoundedDecimal(value, precision);
    if (d.digits.empty())
        return QStringLiteral("0");

    const QChar separator = CurrentLocaleNumberSettings().decimalSeparator;
    const QString digits = QString::fromLatin1(d.digits.data(), static_cast<int>(d.digits.size()));
    QString out;
    if (d.negative)
        out.append(QLatin1Char('-'));
    const int e = d.exponent;
    if (e >= -3 && e <= precision) {
        if (e <= 0) {
            out.append(QLatin1Char('0')).append(separator).append(QString(-e, QLatin1Char('0'))).append(digits);
        } else {
            out.append(digits.left(e));
            if (digits.size() < e)
                out.append(QString(e - digits.size(), QLatin1Char('0')));
            else if (digits.size() > e)
                out.append(separator).append(digits.mid(e));
        }
    } else {
        out.append(digits.at(0));
        if (digits.size() > 1)
            out.append(separator).append(digits.mid(1));
        out.append(QLatin1Char('E')).append(QString::number(e - 1));
    }
    return out;
}

QString FormatNumberPattern(long double value, const QString &pattern)
{
    return formatWith(value, parsePattern(pattern));
}

QString EditingPattern(unsigned decimalPlaces)
{
    if (decimalPlaces == 0)
        return QStringLiteral("0");
    return QStringLiteral("0.") + QString(static_cast<int>(std::min(decimalPlaces, kMaxDecimals)), QLatin1Char('#'));
}

QString FormatEditingText(long double value, unsigned decimalPlaces)
{
    Pattern p;
    p.minIntegerDigits = 1;
    p.maxDecimals = std::min(decimalPlaces, kMaxDecimals);
    return formatWith(value, p);
}

QString FixedNumberText(long double value, unsigned decimals)
{
    Pattern p;
    p.minIntegerDigits = 1;
    p.maxDecimals = p.minDecimals = std::min(decimals, kMaxDecimals);
    return formatWith(value, p);
}

QString NormalizeNumberText(const QString &text)
{
    const LocaleNumberSettings &locale = CurrentLocaleNumberSettings();
    const QChar blank = QLatin1Char(' ');
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin) == blank)
        ++begin;
    while (end > begin && text.at(end - 1) == blank)
        --end;
    QString s = text.mid(begin, end - begin);

    const QChar decimal = locale.decimalSeparator;
    const QChar thousand = locale.thousandSeparator;
    if (decimal != thousand)
        s.remove(thousand);
    if (decimal != QLatin1Char('.') && thousand != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), decimal);
    if (decimal != QLatin1Char(',') && thousand != QLatin1Char(','))
        s.replace(QLatin1Char(','), decimal);

    if (s.isEmpty())
        return QStringLiteral("0");
    if (s == QLatin1String("-"))
        return QStringLiteral("-0");
    return s;
}

bool ConvertNumberText(const QString &text, long double *value)
{
    std::string ascii;
    bool negative = false;
    if (!spellNumberText(text, &ascii, &negative))
        return false;
    long double result = negative ? -0.0L : 0.0L;
    if (!ascii.empty()) {
        char *end = nullptr;
        result = strtold_l(ascii.c_str(), &end, cLocale());
        if (end != ascii.c_str() + ascii.size() || std::isinf(result))
            return false;
    }
    if (value)
        *value = result;
    return true;
}

bool ConvertNumberTextToDouble(const QString &text, double *value)
{
    std::string ascii;
    bool negative = false;
    if (!spellNumberText(text, &ascii, &negative))
        return false;
    double result = negative ? -0.0 : 0.0;
    if (!ascii.empty()) {
        char *end = nullptr;
        if (!std::isfinite(strtold_l(ascii.c_str(), &end, cLocale())))
            return false;
        result = strtod_l(ascii.c_str(), &end, cLocale());
    }
    if (value)
        *value = result;
    return true;
}

long double StrToFloat(const QString &text)
{
    long double value = 0;
    if (!ConvertNumberText(text, &value))
        throw ConversionError(text);
    return value;
}

bool IsNumberText(const QString &text, long double *value)
{
    return ConvertNumberText(text, value);
}
