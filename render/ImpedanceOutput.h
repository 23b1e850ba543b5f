#pragma once
// dipole-render --impedance: the input impedance of one wire radius over a
// range of lengths, as a table on standard output, and with a directory as
// the picture impedance.EXT there; with NEC-2's samples of the same lengths,
// their columns in the table and their curves dashed in the picture.
#include "CommandOutput.h"
#include "formats/PictureFormat.h"
#include "physics/DipoleRules.h"
#include "physics/GroundImage.h"
#include "physics/SampledImpedance.h"

#include <QSize>
#include <QString>

#include <optional>
#include <vector>

struct ImpedanceRequest
{
    std::vector<double> lengths;
    double radius = kDefaultWireRadius;
    std::optional<double> referenceResistance; // adds the standing-wave ratio
    std::optional<QString> outDirectory;       // the picture's ("" for the current directory)
    PictureFormat format = PictureFormat::Bmp;
    // NEC-2's solution at every length (SolveNecImpedance), when asked for.
    std::optional<std::vector<SampledImpedance>> nec;
    // Over a perfect ground: the centre's height and the wire's orientation.
    std::optional<double> groundHeight;
    GroundOrientation groundOrientation = GroundOrientation::Horizontal;
    QSize pictureBox; // the picture fits in it, in its own proportion; empty: the usual size
    std::optional<std::pair<double, double>> ohmsAxis; // the picture's R and X axis; none: fitted
};

// Prints the table (length,r_in_ohm,x_in_ohm[,swr][,nec_…]) on the standard output
// of streams and writes the picture when asked (its text needs a running
// QGuiApplication); returns the exit status (1 when the output or the file
// cannot be written, with a message on the error stream). The lengths must fit the radius.
int WriteImpedance(const ImpedanceRequest &request, const CommandStreams &streams = {});
