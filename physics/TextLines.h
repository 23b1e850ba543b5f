#pragma once
// The lines of a text file that people and instruments write (Touchstone
// files, measured tables): each handed on without its line end, after the
// checks every such reader makes. A fault is reported with its line.
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

class LineError : public std::runtime_error
{
public:
    LineError(int line, const std::string &reason) : std::runtime_error(reason), m_line(line) {}
    // The line the fault is on, counted from 1; 0 for the file as a whole.
    int line() const { return m_line; }

private:
    int m_line;
};

// Calls read(number, line) for every line of text (a final line end makes
// no empty line), the line without its "\n" or "\r\n". Throws LineError for
// an empty text, a line longer than longestLine bytes, and binary data (a
// control character other than a tab, or DEL), before read sees the line.
void ForEachLine(std::string_view text, std::size_t longestLine,
                 const std::function<void(int number, std::string_view line)> &read);

// A word as it may be quoted in a message: at most 40 characters, bytes
// that are not printable ASCII as \xNN, in double quotes.
std::string QuotedWord(std::string_view word);

// The whole of text as one number, a leading '+' allowed; none for anything
// else, an infinity and NaN included.
std::optional<double> NumberOf(std::string_view text);
