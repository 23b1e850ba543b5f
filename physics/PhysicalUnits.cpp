#include "PhysicalUnits.h"

#include <array>
#include <cctype>

namespace {

constexpr std::array<PhysicalUnit, 7> kUnits = {{
    {"m", UnitDimension::Length, 1.0},
    {"cm", UnitDimension::Length, 1e-2},
    {"mm", UnitDimension::Length, 1e-3},
    {"Hz", UnitDimension::Frequency, 1.0},
    {"kHz", UnitDimension::Frequency, 1e3},
    {"MHz", UnitDimension::Frequency, 1e6},
    {"GHz", UnitDimension::Frequency, 1e9},
}};

bool sameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

UnitSplit SplitUnit(std::string_view text)
{
    std::size_t start = text.size();
    while (start > 0 && isLetter(text[start - 1]))
        --start;
    UnitSplit split;
    const std::string_view letters = text.substr(start);
    split.number = text.substr(0, start);
    if (letters.empty())
        return split;
    if (!split.number.empty() && split.number.back() == ' ')
        split.number.remove_suffix(1);
    for (const PhysicalUnit &unit : kUnits)
        if (sameLetters(letters, unit.name))
            split.unit = unit;
    if (!split.unit)
        split.unknown = letters;
    return split;
}

double InWavelengths(double metres, double hertz)
{
    return metres * hertz / kSpeedOfLight;
}

double InMetres(double wavelengths, double hertz)
{
    return wavelengths * kSpeedOfLight / hertz;
}
