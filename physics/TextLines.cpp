#include "TextLines.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

void ForEachLine(std::string_view text, std::size_t longestLine,
                 const std::function<void(int number, std::string_view line)> &read)
{
    if (text.empty())
        throw LineError(0, "the file is empty");
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const void *newline = std::memchr(text.data() + start, '\n', text.size() - start);
        const std::size_t end = newline ? std::size_t(static_cast<const char *>(newline) - text.data()) : text.size();
        std::string_view line = text.substr(start, end - start);
        ++number;
        if (line.size() > longestLine)
            throw LineError(number, "the line is longer than " + std::to_string(longestLine) + " bytes");
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte < 0x20 && c != '\t' && c != '\r') || byte == 0x7f) {
                char shown[8];
                std::snprintf(shown, sizeof shown, "\\x%02x", byte);
                throw LineError(number, std::string("the line holds binary data (byte ") + shown + ")");
            }
        }
        read(number, line);
        start = end + 1;
    }
}

std::string QuotedWord(std::string_view word)
{
    constexpr std::size_t kLongest = 40;
    std::string quoted;
    for (const char c : word.substr(0, kLongest)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            quoted += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            quoted += escaped;
        }
    }
    return '"' + quoted + (word.size() > kLongest ? "…\"" : "\"");
}

std::optional<double> NumberOf(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
