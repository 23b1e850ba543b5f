#pragma once
// The pieces of nec2c's printed report that every reader of it shares: the
// report's lines, a section's table of numbers, the power it states, and
// the input impedance at a feed segment, refused where no dipole could have
// it. A missing section, a malformed number or an impossible value is
// refused with NecReportError, never guessed.
#include "InducedEmf.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The report lacks what is read, or holds it in a form that does not parse;
// what() names what is missing or wrong.
class NecReportError : public std::runtime_error
{
public:
    explicit NecReportError(const std::string &reason);
};

using NecRow = std::vector<double>;
using NecLines = std::vector<std::string_view>;
using NecWords = std::vector<std::string_view>;

// The report's lines, without their line ends.
NecLines SplitNecReport(std::string_view output);

// The rows of width numbers that follow the first line holding title: the
// column heads and blank lines before them are passed over, the first other
// line after them ends the table. Words in allowedWords are skipped.
// Throws where the section is missing or has no rows, or a field reads as
// an infinity or NaN.
std::vector<NecRow> NecTableAfter(const NecLines &lines, const char *title, size_t width,
                                  const NecWords &allowedWords = {});

// The radiated power the report states, above 0.
double NecRadiatedPower(const NecLines &lines);

// printf's %g, as the reasons show the report's numbers.
std::string ShownNecNumber(double value);

// The input impedance of the source on feedSegment of tag 1, for a dipole
// of M wavelengths (a monopole: the dipole it is half of).
Impedance NecInputImpedance(const NecLines &lines, double M, int feedSegment);
