#pragma once
// dipole-render --impedance FROM:TO with a wire in metres: one wire over a
// band of frequencies. The table (or with --report a summary: the
// resonances and the band within the SWR limit, of the closed form and of a
// measurement beside it) on standard output; with a directory the pictures
// impedance.EXT, swr.EXT and smith.EXT there; with a Touchstone file name
// the closed form's S11 written there (and NEC-2's beside it, its name's
// extension preceded by "-nec"); with NEC-2 its solution at every frequency
// beside the closed form's; with a measured Touchstone file its points
// beside the models'.
#include "CommandOutput.h"
#include "formats/PictureFormat.h"
#include "physics/FrequencySweep.h"

#include <QString>

#include <optional>
#include <vector>

struct FrequencySweepRequest
{
    std::vector<double> frequencies; // hertz, ascending
    double lengthMetres = 0.0;
    double radiusMetres = 0.0;
    double referenceResistance = 50.0;
    double swrLimit = 2.0;
    bool report = false;
    bool nec = false;                    // NEC-2 beside the closed form at every frequency
    std::optional<QString> outDirectory; // the pictures' ("" for the current directory)
    PictureFormat format = PictureFormat::Bmp;
    QString touchstoneFile; // not empty: write S11 there
    QString measuredFile;   // not empty: read a measured S11 from there
};

// The request's measurement as a sweep's points (none when no file is
// named); a file that cannot be read or is no one-port Touchstone file is
// refused with one line naming it, its line and the reason: status 2, to be
// given before anything is written.
struct MeasuredInput
{
    std::vector<FrequencyPoint> points;
    int status = 0;
};
MeasuredInput ReadMeasuredInput(const FrequencySweepRequest &request, const CommandStreams &streams);

// Writes what the request asks for, with the measurement's points beside the
// model's when the request names a file; returns the exit status. The
// frequencies must give lengths and radii the closed form takes.
int WriteFrequencySweep(const FrequencySweepRequest &request, const std::vector<FrequencyPoint> &measured,
                        const CommandStreams &streams);
