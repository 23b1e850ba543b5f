#pragma once
// Number texts: writing an extended value as text (the general form with a
// number of significant digits, and the number patterns of the numeric
// field), and reading a text back. Every function uses the locale number
// settings in force at the moment of the call.
//
// The number patterns (display form, editing form, fixed decimals) go through
// the value's 18 significant decimal digits and round those half away from
// zero, so a value like 1.005 written with two decimals gives 1,01 as a user
// expects, although its binary form lies a hair below. The general text
// rounds the value itself once, to the nearest and half away from zero: its
// 15 digits are what the calculator reads back as its operand, and a second
// rounding would get about 4 in 10,000 last digits wrong.
#include <QString>

// The general number text with `precision` significant digits: fixed
// notation for a decimal exponent from -3 to `precision`, else scientific
// ("1E15", "1E-5"); zero is "0".
QString GeneralNumberText(long double value, int precision = 15);

// A number pattern: "0" a digit always written, "#" a digit written only
// when significant, "." the decimal separator, "," before the point turns on
// grouping of the integer digits by three. Characters before the first and
// after the last pattern character are copied as they stand.
QString FormatNumberPattern(long double value, const QString &pattern);

// The pattern of the field's editing form: "0", or "0." and `decimalPlaces`
// times "#".
QString EditingPattern(unsigned decimalPlaces);

// The editing form itself, without building the pattern text (the number of
// decimals may be large).
QString FormatEditingText(long double value, unsigned decimalPlaces);

// The value with exactly `decimals` decimals, no grouping (the "%.*f" form).
QString FixedNumberText(long double value, unsigned decimals);

// Trims blanks, drops thousands separators and turns "." and "," into the
// decimal separator where neither is a locale separator; "" reads as "0" and
// "-" as "-0".
QString NormalizeNumberText(const QString &text);

// Reads a whole text: optional sign, digits, optionally the decimal
// separator and digits, optionally "E"/"e" with an optional sign and digits
// (possibly none); at least one digit or the separator before the exponent.
// A value beyond the extended range is not a number. The result is correctly
// rounded. Returns false, leaving *value alone, when the text is no number.
bool ConvertNumberText(const QString &text, long double *value);

// As ConvertNumberText, but rounds the text straight to the nearest double:
// rounding it to an extended value first can land exactly between two
// doubles and then round the wrong way. A text within the extended range but
// beyond the double range gives an infinity.
bool ConvertNumberTextToDouble(const QString &text, double *value);

// As ConvertNumberText, but raises ConversionError quoting the text.
long double StrToFloat(const QString &text);

// Whether the text is a number as ConvertNumberText reads it; gives the value.
bool IsNumberText(const QString &text, long double *value = nullptr);
