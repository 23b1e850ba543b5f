#include "TouchstoneWriter.h"

#include "physics/ShortestText.h"

#include <cmath>
#include <stdexcept>

namespace {

void appendNumber(std::string &text, double value)
{
    char buffer[kShortestTextSize];
    text.append(buffer, std::size_t(ShortestText(value, buffer)));
}

} // namespace

std::string WriteTouchstone(const OnePortData &data, const std::vector<std::string> &comments)
{
    if (!(data.referenceResistance > 0.0) || !std::isfinite(data.referenceResistance))
        throw std::domain_error("a Touchstone file's reference resistance must be above 0");
    std::string text;
    for (const std::string &comment : comments) {
        std::size_t start = 0;
        do {
            const std::size_t end = comment.find('\n', start);
            text += "! " + comment.substr(start, end - start) + '\n';
            start = end == std::string::npos ? end : end + 1;
        } while (start != std::string::npos);
    }
    text += "# Hz S RI R ";
    appendNumber(text, data.referenceResistance);
    text += '\n';
    for (const OnePortPoint &point : data.points) {
        if (!std::isfinite(point.frequency) || !std::isfinite(point.reflection.real())
            || !std::isfinite(point.reflection.imag()))
            throw std::domain_error("a Touchstone file holds finite numbers only");
        appendNumber(text, point.frequency);
        text += ' ';
        appendNumber(text, point.reflection.real());
        text += ' ';
        appendNumber(text, point.reflection.imag());
        text += '\n';
    }
    return text;
}
