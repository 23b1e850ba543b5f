#include "ShortestText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// The shortest significant digits of |value| and the power of ten of the
// first of them, as the library's exponent form gives them.
struct Digits
{
    std::string digits;
    int exponent = 0;
};

Digits shortestDigits(double magnitude)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    Digits d;
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.exponent = std::atoi(text.c_str() + e + 1);
    return d;
}

std::string exponentForm(const Digits &d)
{
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1)
        text += '.' + d.digits.substr(1);
    const int power = std::abs(d.exponent);
    text += d.exponent < 0 ? "e-" : "e+";
    if (power < 10)
        text += '0';
    return text + std::to_string(power);
}

// Unlike the library's decimal form, whole numbers past the digits are
// padded with zeros, not written out exactly (1e17 + 16 as
// 100000000000000020, not 100000000000000016).
std::string decimalForm(const Digits &d)
{
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    if (d.exponent + 1 >= count)
        return d.digits + std::string(static_cast<std::size_t>(d.exponent + 1 - count), '0');
    return d.digits.substr(0, static_cast<std::size_t>(d.exponent + 1)) + '.'
           + d.digits.substr(static_cast<std::size_t>(d.exponent + 1));
}

} // namespace

std::string ShortestText(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (value == 0.0)
        return "0";
    const Digits d = shortestDigits(std::fabs(value));
    const std::string decimal = decimalForm(d);
    const std::string exponent = exponentForm(d);
    return (value < 0 ? "-" : "") + (decimal.size() <= exponent.size() ? decimal : exponent);
}
