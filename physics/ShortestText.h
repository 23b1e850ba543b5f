#pragma once
// The shortest text of a double that reads back as the same double, with a
// dot whatever the locale: the decimal form (1.5, 250000, 0.00015) or the
// exponent form (1e-05, 2e+05, 1.2345678e-05), whichever is shorter, the
// decimal form where both are as long. Negative zero is "0"; NaN and the
// infinities are "nan", "inf" and "-inf". Files that are read back by
// programs (tables, JSON, NEC-2 decks) take their numbers in this form.
#include <string>

std::string ShortestText(double value);
