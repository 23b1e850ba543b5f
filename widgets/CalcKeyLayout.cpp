#include "CalcKeyLayout.h"

#include "numbers/ControlKeys.h"

namespace CalcKeys {

namespace {

QRect keyAt(int left, int top, int width = kKeySize)
{
    return QRect(left, top, width, kKeySize);
}

} // namespace

const std::array<KeyPlace, 19> &PopupKeys()
{
    static const std::array<KeyPlace, 19> keys = {{
        {cbDigit0 + 7, keyAt(6, 6)},   {cbDigit0 + 8, keyAt(29, 6)},  {cbDigit0 + 9, keyAt(52, 6)},
        {cbDivide, keyAt(75, 6)},      {cbDigit0 + 4, keyAt(6, 29)},  {cbDigit0 + 5, keyAt(29, 29)},
        {cbDigit0 + 6, keyAt(52, 29)}, {cbMultiply, keyAt(75, 29)},   {cbDigit0 + 1, keyAt(6, 52)},
        {cbDigit0 + 2, keyAt(29, 52)}, {cbDigit0 + 3, keyAt(52, 52)}, {cbSubtract, keyAt(75, 52)},
        {cbDigit0, keyAt(6, 75)},      {cbDecimal, keyAt(29, 75)},    {cbSign, keyAt(52, 75)},
        {cbAdd, keyAt(75, 75)},        {cbClear, keyAt(6, 98)},       {cbBackspace, keyAt(29, 98)},
        {cbEquals, keyAt(52, 98, 44)},
    }};
    return keys;
}

int TagOfKind(int kind)
{
    return kind >= 1 && kind <= cbClear ? kind - 1 : -1;
}

QString CaptionOfKind(int kind, QChar decimalSeparator)
{
    if (kind >= cbDigit0 && kind < cbDigit0 + 10)
        return QString(QChar('0' + kind - cbDigit0));
    switch (kind) {
    case cbSign: return QStringLiteral("\u00B1");
    case cbDecimal: return QString(decimalSeparator);
    case cbDivide: return QStringLiteral("/");
    case cbMultiply: return QStringLiteral("*");
    case cbSubtract: return QStringLiteral("-");
    case cbAdd: return QStringLiteral("+");
    case cbSqrt: return QStringLiteral("sqrt");
    case cbPercent: return QStringLiteral("%");
    case cbReciprocal: return QStringLiteral("1/x");
    case cbEquals: return QStringLiteral("=");
    case cbBackspace: return QStringLiteral("<-");
    case cbClear: return QStringLiteral("C");
    case cbMemoryPlus: return QStringLiteral("MP");
    case cbMemoryStore: return QStringLiteral("MS");
    case cbMemoryRecall: return QStringLiteral("MR");
    case cbMemoryClear: return QStringLiteral("MC");
    default: return QString();
    }
}

TColor CaptionColorOfKind(int kind)
{
    if (kind >= cbDivide && kind <= cbAdd)
        return clPurple;
    switch (kind) {
    case cbEquals: return clPurple;
    case cbBackspace:
    case cbClear: return clMaroon;
    case cbSqrt:
    case cbPercent:
    case cbReciprocal:
    case cbMemoryPlus:
    case cbMemoryStore:
    case cbMemoryRecall:
    case cbMemoryClear: return clNavy;
    default: return clBtnText;
    }
}

int KeySequencePosition(QChar key, QChar decimalSeparator)
{
    if (key == QLatin1Char('.') || key == QLatin1Char(',') || key == decimalSeparator)
        key = QLatin1Char('.');
    else if (key == QChar(ControlKeys::kEnter))
        key = QLatin1Char('=');
    else if (key == QChar(ControlKeys::kEscape))
        key = QLatin1Char('C');
    if (key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        key = key.toUpper();
    static const QString sequence =
        QStringLiteral("0123456789_./*-+Q%R=") + QChar(ControlKeys::kBackspace) + QLatin1Char('C');
    return int(sequence.indexOf(key));
}

} // namespace CalcKeys
