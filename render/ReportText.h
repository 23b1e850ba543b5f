#pragma once
// The pieces the command line's reports are written with: numbers that read
// back exactly for tables and JSON, fixed decimals for people, and the
// report's two columns (a name, then its value from column 24).
#include <QByteArray>
#include <QString>

#include <optional>

// The shortest text that reads back as the same double, with a dot.
QByteArray ExactText(double value);
// ExactText, or "null" for a quantity that does not exist.
QByteArray JsonNumber(const std::optional<double> &value);
// value with decimals digits after the dot.
QString FixedText(double value, int decimals);

// The column where a report line's value starts.
inline constexpr int kReportValueColumn = 24;
// name, padded to the value column, then value; no line end.
QString ReportLine(const char *name, const QString &value);
// "none (current null at the feed)": a quantity of the feed at a current node.
QString NoFeedCurrentText();
