#include "ReportText.h"

#include "physics/ShortestText.h"

#include <QtGlobal>

#include <algorithm>

namespace {

LabelledText &reportLanguage()
{
    static LabelledText text(SystemLabelledLanguage());
    return text;
}

} // namespace

const LabelledText &ReportLanguage()
{
    return reportLanguage();
}

ScopedReportLanguage::ScopedReportLanguage(LabelledLanguage language) : m_previous(reportLanguage().language())
{
    reportLanguage() = LabelledText(language);
}

ScopedReportLanguage::~ScopedReportLanguage()
{
    reportLanguage() = LabelledText(m_previous);
}

QString ReportPhrase(const char *sourceText)
{
    return ReportLanguage().phrase(sourceText);
}

QString ReportNumber(const QString &text)
{
    QString localised = text;
    return localised.replace(QLatin1Char('.'), ReportLanguage().decimalSeparator());
}

QString ReportFixed(double value, int decimals)
{
    return ReportNumber(FixedText(value, decimals));
}

QString ReportListSeparator()
{
    return ReportLanguage().decimalSeparator() == QLatin1Char(',') ? QStringLiteral("; ") : QStringLiteral(", ");
}

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
    const QString text = *name ? ReportPhrase(name) : QString();
    return text.leftJustified(qMax(kReportValueColumn, int(text.size()) + 1)) + value;
}

QString NoFeedCurrentText()
{
    return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none (current null at the feed)"));
}
