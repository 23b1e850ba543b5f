#include "ShortestText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// The shortest significant digits of a positive finite value, and the power
// of ten of the first of them, as the library's exponent form gives them.
struct Digits
{
    char digits[24];
    int count = 0;
    int exponent = 0;
};

Digits shortestDigits(double magnitude)
{
    char text[32];
    const char *end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
    Digits d;
    const char *p = text;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            d.digits[d.count++] = *p;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, d.exponent);
    return d;
}

// Appends text to out; returns the new end.
char *put(char *out, const char *text, int count)
{
    std::memcpy(out, text, static_cast<std::size_t>(count));
    return out + count;
}

char *putZeros(char *out, int count)
{
    std::memset(out, '0', static_cast<std::size_t>(count));
    return out + count;
}

int exponentLength(const Digits &d)
{
    const int power = d.exponent < 0 ? -d.exponent : d.exponent;
    return d.count + (d.count > 1 ? 1 : 0) + 2 + (power < 100 ? 2 : 3);
}

int decimalLength(const Digits &d)
{
    if (d.exponent < 0)
        return 2 + (-d.exponent - 1) + d.count;
    return d.exponent + 1 >= d.count ? d.exponent + 1 : d.count + 1;
}

int exponentForm(const Digits &d, char *out)
{
    char *p = put(out, d.digits, 1);
    if (d.count > 1) {
        *p++ = '.';
        p = put(p, d.digits + 1, d.count - 1);
    }
    *p++ = 'e';
    *p++ = d.exponent < 0 ? '-' : '+';
    const int power = d.exponent < 0 ? -d.exponent : d.exponent;
    if (power < 10)
        *p++ = '0';
    p = std::to_chars(p, p + 4, power).ptr;
    return static_cast<int>(p - out);
}

// Unlike the library's decimal form, whole numbers past the digits are
// padded with zeros, not written out exactly (1e17 + 16 as
// 100000000000000020, not 100000000000000016).
int decimalForm(const Digits &d, char *out)
{
    char *p = out;
    if (d.exponent < 0) {
        p = put(p, "0.", 2);
        p = putZeros(p, -d.exponent - 1);
        p = put(p, d.digits, d.count);
    } else if (d.exponent + 1 >= d.count) {
        p = put(p, d.digits, d.count);
        p = putZeros(p, d.exponent + 1 - d.count);
    } else {
        p = put(p, d.digits, d.exponent + 1);
        *p++ = '.';
        p = put(p, d.digits + d.exponent + 1, d.count - d.exponent - 1);
    }
    return static_cast<int>(p - out);
}

} // namespace

int ShortestText(double value, char *buffer)
{
    if (std::isnan(value))
        return static_cast<int>(put(buffer, "nan", 3) - buffer);
    if (std::isinf(value))
        return value < 0 ? static_cast<int>(put(buffer, "-inf", 4) - buffer)
                         : static_cast<int>(put(buffer, "inf", 3) - buffer);
    if (value == 0.0)
        return static_cast<int>(put(buffer, "0", 1) - buffer);
    char *p = buffer;
    if (value < 0)
        *p++ = '-';
    const Digits d = shortestDigits(std::fabs(value));
    // The decimal form where it is no longer than the exponent form; only
    // then is it short enough for the buffer.
    const int length = decimalLength(d) <= exponentLength(d) ? decimalForm(d, p) : exponentForm(d, p);
    return static_cast<int>(p - buffer) + length;
}

std::string ShortestText(double value)
{
    char buffer[kShortestTextSize];
    return std::string(buffer, static_cast<std::size_t>(ShortestText(value, buffer)));
}
