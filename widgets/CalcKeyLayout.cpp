#include "CalcKeyLayout.h"

namespace calckeys {

namespace {

constexpr QChar backspaceChar(8);
constexpr QChar enterChar(13);
constexpr QChar escapeChar(27);

QRect keyAt(int left, int top, int width = keySize)
{
    return QRect(left, top, width, keySize);
}

} // namespace

const std::array<KeyPlace, 19> &popupKeys()
{
    static const std::array<KeyPlace, 19> keys = {{
        {kindDigit0 + 7, keyAt(6, 6)},
        {kindDigit0 + 8, keyAt(29, 6)},
        {kindDigit0 + 9, keyAt(52, 6)},
        {kindDivide, keyAt(75, 6)},
        {kindDigit0 + 4, keyAt(6, 29)},
        {kindDigit0 + 5, keyAt(29, 29)},
        {kindDigit0 + 6, keyAt(52, 29)},
        {kindMultiply, keyAt(75, 29)},
        {kindDigit0 + 1, keyAt(6, 52)},
        {kindDigit0 + 2, keyAt(29, 52)},
        {kindDigit0 + 3, keyAt(52, 52)},
        {kindMinus, keyAt(75, 52)},
        {kindDigit0, keyAt(6, 75)},
        {kindDecimal, keyAt(29, 75)},
        {kindSign, keyAt(52, 75)},
        {kindPlus, keyAt(75, 75)},
        {kindClear, keyAt(6, 98)},
        {kindBackspace, keyAt(29, 98)},
        {kindEquals, keyAt(52, 98, 44)},
    }};
    return keys;
}

int tagOfKind(int kind)
{
    return kind >= 1 && kind <= kindClear ? kind - 1 : -1;
}

QString captionOfKind(int kind, QChar decimalSeparator)
{
    if (kind >= kindDigit0 && kind < kindDigit0 + 10)
        return QString(QChar('0' + kind - kindDigit0));
    switch (kind) {
    case kindSign: return QStringLiteral("\u00B1");
    case kindDecimal: return QString(decimalSeparator);
    case kindDivide: return QStringLiteral("/");
    case kindMultiply: return QStringLiteral("*");
    case kindMinus: return QStringLiteral("-");
    case kindPlus: return QStringLiteral("+");
    case kindSqrt: return QStringLiteral("sqrt");
    case kindPercent: return QStringLiteral("%");
    case kindReciprocal: return QStringLiteral("1/x");
    case kindEquals: return QStringLiteral("=");
    case kindBackspace: return QStringLiteral("<-");
    case kindClear: return QStringLiteral("C");
    case kindMemoryPlus: return QStringLiteral("MP");
    case kindMemoryStore: return QStringLiteral("MS");
    case kindMemoryRecall: return QStringLiteral("MR");
    case kindMemoryClear: return QStringLiteral("MC");
    default: return QString();
    }
}

TColor captionColorOfKind(int kind)
{
    if (kind >= kindDivide && kind <= kindPlus)
        return clPurple;
    switch (kind) {
    case kindEquals: return clPurple;
    case kindBackspace:
    case kindClear: return clMaroon;
    case kindSqrt:
    case kindPercent:
    case kindReciprocal:
    case kindMemoryPlus:
    case kindMemoryStore:
    case kindMemoryRecall:
    case kindMemoryClear: return clNavy;
    default: return clBtnText;
    }
}

int keySequencePosition(QChar key, QChar decimalSeparator)
{
    if (key == QLatin1Char('.') || key == QLatin1Char(',') || key == decimalSeparator)
        key = QLatin1Char('.');
    else if (key == enterChar)
        key = QLatin1Char('=');
    else if (key == escapeChar)
        key = QLatin1Char('C');
    if (key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        key = key.toUpper();
    static const QString sequence = QStringLiteral("0123456789_./*-+Q%R=") + backspaceChar
        + QLatin1Char('C');
    return int(sequence.indexOf(key));
}

bool isCalculatorKey(QChar key, QChar decimalSeparator, QChar thousandsSeparator)
{
    if (key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        key = key.toUpper();
    if (key == thousandsSeparator)
        return false;
    static const QString keys = QString(backspaceChar) + enterChar
        + QStringLiteral("%*+,-./0123456789=CQR_");
    return keys.contains(key) || key == decimalSeparator;
}

} // namespace calckeys
