#pragma once
// Reads a one-port Touchstone file as network analysers and simulators
// write it: version 1 (an option line, then the data) and version 2 (the
// [Version] 2.0 keyword and those that follow it), comments after '!'
// anywhere, a point's frequency and two values on one line or spread over
// several, any frequency unit, the RI, MA and DB formats and any reference
// resistance. A fault is refused with the line it is on and the reason.
#include "OnePortData.h"
#include "physics/TextLines.h"

#include <cstddef>
#include <string_view>

// The longest line taken, in bytes; a file with a longer one is refused
// rather than held in memory as one line.
inline constexpr std::size_t kTouchstoneLongestLine = 65536;

// A fault of a file, with its line (0 for the file as a whole).
using TouchstoneError = LineError;

// The points of text, the contents of the file fileName, whose extension
// tells a version 1 file's port count (.s1p, .s2p …). Throws
// TouchstoneError for anything but a well-formed one-port file with at least
// one point, frequencies from 0 up and increasing.
OnePortData ReadTouchstone(std::string_view text, std::string_view fileName);
