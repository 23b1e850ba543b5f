#include "SolidColours.h"

#include <array>
#include <cmath>

SolidColour LevelColour(double level)
{
    static constexpr std::array<SolidColour, 5> stops{{
        {0, 0, 255},   // blue
        {0, 255, 255}, // cyan
        {0, 255, 0},   // green
        {255, 255, 0}, // yellow
        {255, 0, 0},   // red
    }};
    const double t = level > 0.0 ? (level < 1.0 ? level : 1.0) : 0.0;
    const double position = t * double(stops.size() - 1);
    const int i = position >= double(stops.size() - 1) ? int(stops.size()) - 2 : int(position);
    const double f = position - i;
    auto blend = [f](std::uint8_t from, std::uint8_t to) {
        return std::uint8_t(std::lround(from + (double(to) - double(from)) * f));
    };
    const SolidColour &p = stops[std::size_t(i)];
    const SolidColour &q = stops[std::size_t(i) + 1];
    return {blend(p.red, q.red), blend(p.green, q.green), blend(p.blue, q.blue)};
}
