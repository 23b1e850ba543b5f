#pragma once
// The option line of a Touchstone file, "# MHz S RI R 50": the frequency
// unit, the kind of parameter, the number format and the reference
// resistance, each optional and in any order, without regard to case.
// What is left out keeps its default: GHz, S, MA, 50 Ω.
#include <complex>
#include <optional>
#include <string>
#include <string_view>

enum class TouchstoneFormat { RealImaginary, MagnitudeAngle, DecibelAngle };

struct TouchstoneOptions
{
    double frequencyScale = 1e9; // hertz per unit
    TouchstoneFormat format = TouchstoneFormat::MagnitudeAngle;
    double referenceResistance = 50.0;
};

// The options of line, the text after '#'; on a fault, the reason in
// failure and none.
std::optional<TouchstoneOptions> ReadTouchstoneOptions(std::string_view line, std::string &failure);

// The complex value of a pair of numbers in format (angles in degrees).
std::complex<double> TouchstoneValue(TouchstoneFormat format, double first, double second);
