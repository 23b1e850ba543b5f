#pragma once
// The shortest text of a double that reads back as the same double, with a
// dot whatever the locale: the decimal form (1.5, 250000, 0.00015) or the
// exponent form (1e-05, 2e+05, 1.2345678e-05), whichever is shorter, the
// decimal form where both are as long. Negative zero is "0"; NaN and the
// infinities are "nan", "inf" and "-inf". Files that are read back by
// programs (tables, JSON, NEC-2 decks) take their numbers in this form.
#include <string>

// Room for the longest such text: the exponent form has at most a sign, 17
// digits, a dot and "e-324" (24 characters), and the decimal form is chosen
// only when it is no longer.
inline constexpr int kShortestTextSize = 32;

std::string ShortestText(double value);
// The same written into buffer (kShortestTextSize characters, no terminating
// zero), without allocating; returns its length. Long tables use this form.
int ShortestText(double value, char *buffer);
