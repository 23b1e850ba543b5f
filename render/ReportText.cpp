#include "ReportText.h"

#include "physics/ShortestText.h"

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
    return QString::number(value, 'f', decimals);
}

QString ReportLine(const char *name, const QString &value)
{
    return QString::fromUtf8(name).leftJustified(kReportValueColumn) + value;
}

QString NoFeedCurrentText()
{
    return QStringLiteral("none (current null at the feed)");
}
