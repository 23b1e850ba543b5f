#pragma once
// The pieces the command line's reports are written with: numbers that read
// back exactly for tables and JSON, fixed decimals for people, and the
// report's two columns (a name, then its value from column 24).
//
// The reports for people speak the labelled pictures' language: Russian
// words and the decimal comma under a Russian locale, English otherwise.
// Their names and phrases are English source texts marked with
// QT_TRANSLATE_NOOP("Labelled", ...) and translated through the labelled
// pictures' catalogue. What programs read (JSON, CSV) is never translated.
#include "labelled/LabelledText.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The shortest text that reads back as the same double, with a dot.
QByteArray ExactText(double value);
// ExactText, or "null" for a quantity that does not exist.
QByteArray JsonNumber(const std::optional<double> &value);
// value with decimals digits after the dot.
QString FixedText(double value, int decimals);

// The language of the reports, the system's (SystemLabelledLanguage) unless
// a ScopedReportLanguage says otherwise.
const LabelledText &ReportLanguage();

// Another report language for the guard's lifetime (tests).
class ScopedReportLanguage
{
public:
    explicit ScopedReportLanguage(LabelledLanguage language);
    ~ScopedReportLanguage();
    ScopedReportLanguage(const ScopedReportLanguage &) = delete;
    ScopedReportLanguage &operator=(const ScopedReportLanguage &) = delete;

private:
    LabelledLanguage m_previous;
};

// sourceText, marked with QT_TRANSLATE_NOOP("Labelled", ...), in the
// report's language.
QString ReportPhrase(const char *sourceText);
// A number written with a dot, with the report's decimal separator.
QString ReportNumber(const QString &text);
// FixedText with the report's decimal separator.
QString ReportFixed(double value, int decimals);
// What separates the items of a list: a comma, or a semicolon where the
// comma is the decimal separator.
QString ReportListSeparator();

// The column where a report line's value starts.
inline constexpr int kReportValueColumn = 24;
// name (a source text) in the report's language, padded to the value
// column (and at least one blank), then value; no line end.
QString ReportLine(const char *name, const QString &value);
// "none (current null at the feed)": a quantity of the feed at a current node.
QString NoFeedCurrentText();
