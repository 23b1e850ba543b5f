#pragma once
// Keystroke rules of the numeric field that need no window: whether a typed
// character keeps the text a number, the typed "." / "," replacement, the
// grouping of the integer digits while typing, and which characters go to an
// open drop-down calculator.
#include "ValueRange.h"

#include <QChar>
#include <QString>

// Whether typing `typed` over the selection [selStart, selStart + selLength)
// of `text` leaves a number with at most `decimalPlaces` decimals. A field
// whose range is non-negative (min >= 0, max > 0) refuses a text below zero.
// `typed` is what one key or input method delivers: one character, which may
// take two UTF-16 units, or several.
bool AcceptsTypedText(const QString &text, int selStart, int selLength, const QString &typed, unsigned decimalPlaces,
                      const ValueRange &range);
bool AcceptsTypedChar(const QString &text, int selStart, int selLength, QChar c, unsigned decimalPlaces,
                      const ValueRange &range);

// A typed "." or "," becomes the locale's decimal separator unless that key
// is the locale's thousands separator; every other character is kept.
QChar ReplaceTypedSeparator(QChar c);

// Puts the locale's thousands separator between groups of three integer
// digits (when `grouping` is on); the sign, the decimals and the exponent are
// kept as they stand.
QString InsertThousandSeparators(const QString &text, bool grouping);

// Whether a character typed into the field goes to its open calculator.
bool IsCalculatorKey(QChar c);
