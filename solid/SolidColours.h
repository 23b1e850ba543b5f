#pragma once
// The colour of a level on the solid, from blue at 0 through cyan, green and
// yellow to red at 1, each stretch a straight blend of its two ends. The
// files and the shaded picture colour a vertex by the level it shows, so
// the colour and the radius tell the same story.
#include <cstdint>

struct SolidColour
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The colour of level (clamped to 0..1; NaN is 0).
SolidColour LevelColour(double level);
