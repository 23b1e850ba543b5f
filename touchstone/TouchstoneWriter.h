#pragma once
// Writes a one-port's points as a version 1 Touchstone file, the form every
// circuit simulator and RF tool reads: comment lines, the option line
// "# Hz S RI R 50" with the data's reference resistance, then one line per
// point, frequency in hertz and S11's real and imaginary parts, each number
// the shortest text that reads back as the same double.
#include "OnePortData.h"

#include <string>
#include <vector>

// The file's text. comments become lines beginning "! " (a line break in a
// comment starts another comment line). Throws std::domain_error for a
// point that is not finite or a reference resistance not above 0: a file
// that readers would refuse is not written.
std::string WriteTouchstone(const OnePortData &data, const std::vector<std::string> &comments);
