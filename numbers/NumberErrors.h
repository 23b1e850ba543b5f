#pragma once
// Errors raised by number texts, the numeric field and the calculator. Each
// carries the exact message the error box shows.
#include "base/AppError.h"

// A text that does not read as a number; the message quotes the text.
class ConversionError : public AppError
{
public:
    explicit ConversionError(const QString &text);
    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

// A value outside the field's range, raised only when leaving a field that
// checks its range; the message shows both bounds.
class RangeError : public AppError
{
public:
    explicit RangeError(const QString &message);
};

// A calculator result that does not fit a double.
class FloatOverflowError : public AppError
{
public:
    FloatOverflowError();
};
