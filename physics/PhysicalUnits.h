#pragma once
// Lengths and frequencies with their units, for a wire cut to a length in
// metres and driven at a frequency in hertz: a text such as "10.3m", "2 mm"
// or "14.2MHz" is its number and its unit, and the length in wavelengths is
// M = L·f/c.
#include <optional>
#include <string_view>

// The speed of light in vacuum, m/s (exact by the definition of the metre).
inline constexpr double kSpeedOfLight = 299792458.0;

enum class UnitDimension { Length, Frequency };

struct PhysicalUnit
{
    std::string_view name; // as it is printed: "m", "MHz"
    UnitDimension dimension;
    double scale; // metres or hertz per unit
};

// A text split into its number and the letters after it (one space between
// them allowed). unit is the unit those letters name (m, cm, mm; Hz, kHz,
// MHz, GHz, without regard to case), or none; letters that name no unit are
// in unknown, for the message that refuses them. A text without letters is
// all number.
struct UnitSplit
{
    std::string_view number;
    std::optional<PhysicalUnit> unit;
    std::string_view unknown;
};

UnitSplit SplitUnit(std::string_view text);

// The length L metres in wavelengths at frequency f hertz: L·f/c.
double InWavelengths(double metres, double hertz);
// The length M wavelengths in metres at frequency f: M·c/f.
double InMetres(double wavelengths, double hertz);
