#pragma once
// dipole-render --ground perfect --height-sweep FROM:TO: one wire's input
// impedance and the elevation of its maximum over a range of heights, as a
// table on standard output, and with a directory the picture heights.EXT of
// R and X against the height there.
#include "CommandOutput.h"
#include "formats/PictureFormat.h"
#include "physics/GroundImage.h"

#include <QString>

#include <optional>
#include <vector>

struct HeightSweepRequest
{
    double length = 0.5;
    double radius = 0.001;
    GroundOrientation orientation = GroundOrientation::Horizontal;
    std::vector<double> heights;
    std::optional<QString> outDirectory; // the picture's ("" for the current directory)
    PictureFormat format = PictureFormat::Bmp;
};

// The name of the picture before its extension.
inline constexpr char kHeightSweepPictureName[] = "heights";

// Prints height,r_in_ohm,x_in_ohm,elevation_of_max_deg (empty fields where
// there is no input impedance or no maximum) and writes the picture when
// asked (its text needs a running QGuiApplication); returns the exit status
// (1 when the output or the file cannot be written, with a message on the
// error stream). The heights must pass CheckHeight.
int WriteHeightSweep(const HeightSweepRequest &request, const CommandStreams &streams = {});
