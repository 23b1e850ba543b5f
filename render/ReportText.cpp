#include "ReportText.h"

#include "physics/ShortestText.h"

#include <algorithm>

QByteArray ExactText(double value)
{
    char text[kShortestTextSize];
    return QByteArray(text, ShortestText(value, text));
}

QByteArray JsonNumber(const std::optional<double> &value)
{
    return value ? ExactText(*value) : QByteArray("null");
}

QString FixedText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    // What rounds to zero is zero, whatever side it came from: never "-0.00".
    if (text.startsWith(QLatin1Char('-'))
        && std::all_of(text.cbegin() + 1, text.cend(), [](QChar c) { return c == u'0' || c == u'.'; }))
        text.remove(0, 1);
    return text;
}

QString ReportLine(const char *name, const QString &value)
{
    return QString::fromUtf8(name).leftJustified(kReportValueColumn) + value;
}

QString NoFeedCurrentText()
{
    return QStringLiteral("none (current null at the feed)");
}
