#include "TouchstoneOptions.h"

#include "physics/TextLines.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr double kPi = 3.141592653589793238462643383279502884;

std::string upperCase(std::string_view word)
{
    std::string upper(word);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : char(c); });
    return upper;
}

std::optional<double> scaleOfUnit(const std::string &word)
{
    if (word == "HZ")
        return 1.0;
    if (word == "KHZ")
        return 1e3;
    if (word == "MHZ")
        return 1e6;
    if (word == "GHZ")
        return 1e9;
    return std::nullopt;
}

std::optional<TouchstoneFormat> formatNamed(const std::string &word)
{
    if (word == "RI")
        return TouchstoneFormat::RealImaginary;
    if (word == "MA")
        return TouchstoneFormat::MagnitudeAngle;
    if (word == "DB")
        return TouchstoneFormat::DecibelAngle;
    return std::nullopt;
}

// Magnitude and angle in degrees; a negative magnitude is taken as it is
// written (std::polar leaves it undefined).
std::complex<double> fromMagnitudeAngle(double magnitude, double degrees)
{
    const double radians = degrees * kPi / 180.0;
    return {magnitude * std::cos(radians), magnitude * std::sin(radians)};
}

} // namespace

std::optional<TouchstoneOptions> ReadTouchstoneOptions(std::string_view line, std::string &failure)
{
    TouchstoneOptions options;
    bool resistanceFollows = false;
    std::size_t start = line.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        const std::string_view word = line.substr(start, end - start);
        start = line.find_first_not_of(kBlanks, end);
        const std::string upper = upperCase(word);
        if (resistanceFollows) {
            const std::optional<double> resistance = NumberOf(word);
            if (!resistance || !(*resistance > 0.0)) {
                failure = "the reference resistance " + QuotedWord(word) + " is not a number above 0";
                return std::nullopt;
            }
            options.referenceResistance = *resistance;
            resistanceFollows = false;
        } else if (const auto scale = scaleOfUnit(upper)) {
            options.frequencyScale = *scale;
        } else if (const auto format = formatNamed(upper)) {
            options.format = *format;
        } else if (upper == "R") {
            resistanceFollows = true;
        } else if (upper == "S") {
            // Scattering parameters: the reflection coefficient itself.
        } else if (upper == "Y" || upper == "Z" || upper == "H" || upper == "G") {
            failure = "the file holds " + upper + " parameters; a one-port file of S parameters is needed";
            return std::nullopt;
        } else {
            failure = "the option line's " + QuotedWord(word)
                      + " is none of a frequency unit (Hz, kHz, MHz, GHz), S, a format (RI, MA, DB) and R";
            return std::nullopt;
        }
    }
    if (resistanceFollows) {
        failure = "the option line's R is not followed by the reference resistance";
        return std::nullopt;
    }
    return options;
}

std::complex<double> TouchstoneValue(TouchstoneFormat format, double first, double second)
{
    switch (format) {
    case TouchstoneFormat::RealImaginary: return {first, second};
    case TouchstoneFormat::MagnitudeAngle: return fromMagnitudeAngle(first, second);
    case TouchstoneFormat::DecibelAngle: return fromMagnitudeAngle(std::pow(10.0, first / 20.0), second);
    }
    return {};
}
