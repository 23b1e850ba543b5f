#pragma once
// The values that dipole-render's arguments carry, each read on its own: a
// length, a colour, a family list. The usage error they raise is the one
// every part of the command line raises, so it lives here, below the option
// table, the sweep and the report that all refuse arguments.
#include "colors/Colors.h"

#include <QString>

#include <stdexcept>
#include <vector>

// A command line that cannot be run; the message is one line for stderr.
class RenderUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One row of the family: its length and colour.
struct RenderFamilyRow
{
    long double length = 0.0L;
    TColor colour = clBlack;
};

// The family command has seven rows.
constexpr int kMaxFamilyRows = 7;

// An argument as a message echoes it: one longer than 60 characters is cut
// there and ends in "...", so that a pasted file cannot flood the terminal.
QString ShownArgument(const QString &argument);

// The length limit as the messages and the help name it: "30".
QString LengthLimitText();

// True for text that reads as a decimal number ("-0.5", ".5", "1e1"): such an
// argument is a LENGTH even when it starts with a minus sign.
bool LooksLikeNumber(const QString &text);

// Colour name or RRGGBB; false when text is neither.
bool ParseRenderColour(const QString &text, TColor &colour);

// A decimal number with a dot; false for anything else, infinities and NaN.
bool ParseRenderLength(const QString &text, long double &length);

// LENGTH:COLOUR[,LENGTH:COLOUR...] with at most seven rows; throws
// RenderUsageError naming the entry that is wrong.
std::vector<RenderFamilyRow> ParseRenderFamily(const QString &text);
