#include "RuntimeInteger.h"

namespace {

// What stands before the digits.
struct IntegerPrefix
{
    bool negative = false;
    bool hex = false;
    int digitsAt = 0;
};

IntegerPrefix readPrefix(const QString &text)
{
    IntegerPrefix prefix;
    int i = 0;
    const int n = int(text.size());
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        prefix.negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i < n && (text.at(i) == QLatin1Char('$') || text.at(i).toLower() == QLatin1Char('x'))) {
        prefix.hex = true;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0') && text.at(i + 1).toLower() == QLatin1Char('x')) {
        prefix.hex = true;
        i += 2;
    }
    prefix.digitsAt = i;
    return prefix;
}

// The value of one digit, or -1.
int digitValue(QChar character, bool hex)
{
    const QChar c = character.toLower();
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (hex && c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    return -1;
}

} // namespace

bool ParseRuntimeInteger(const QString &text, qint32 &value)
{
    const IntegerPrefix prefix = readPrefix(text);
    if (prefix.digitsAt >= text.size())
        return false;
    quint64 magnitude = 0;
    for (int i = prefix.digitsAt; i < text.size(); ++i) {
        const int d = digitValue(text.at(i), prefix.hex);
        if (d < 0)
            return false;
        magnitude = magnitude * (prefix.hex ? 16 : 10) + quint64(d);
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    if (prefix.hex) {
        const qint32 bits = qint32(quint32(magnitude));
        value = prefix.negative ? qint32(0u - quint32(bits)) : bits;
        return true;
    }
    if (prefix.negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull)
        return false;
    value = prefix.negative ? qint32(-qint64(magnitude)) : qint32(magnitude);
    return true;
}
