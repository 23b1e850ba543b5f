#pragma once
// The command line of dipole-render:
//     dipole-render [--format F] [--no-fill] [--colour COLOUR] [--out DIR] LENGTH
//     dipole-render [--format F] [--no-fill] [--out DIR] --family LENGTH:COLOUR[,LENGTH:COLOUR...]
//     dipole-render [--format F] [--no-fill] [--colour COLOUR] [--out DIR] --sweep FROM:TO:STEP
//     dipole-render [--report [--json]] [--csv FILE|- [--step DEGREES]] [picture options --out DIR] LENGTH
//     dipole-render --report [--json] [--lobes] [--radius A [--nec]] LENGTH
//     dipole-render --impedance FROM:TO [--step S] [--radius A] [--z0 Z] [--nec]
//     dipole-render --impedance FROM:TO --length L (--diameter D | --radius R) [--step S] [--z0 Z]
//                   [--swr-limit SWR] [--report] [--touchstone FILE] [--measured FILE] [--out DIR]
//     dipole-render --current [--out DIR] LENGTH
//     dipole-render --report [--json] [--radius A] --ground perfect --height H
//                   [--orientation horizontal|vertical] LENGTH
//     dipole-render --report [--json] [--radius A] --monopole LENGTH
//     dipole-render --ground perfect --height-sweep FROM:TO [--step S] --radius A
//                   [--orientation O] [--out DIR [--format F]] LENGTH
//     dipole-render --impedance FROM:TO --ground perfect --height H [--orientation O] ...
// and with --report or --style labelled of one LENGTH
// --measured-pattern FILE [--measured-scale db|linear].
// and in each picture form --style labelled [--scale linear|db [--range DB]]
// [--size WxH] [--fill] [--readouts] for the labelled pictures.
// COLOUR is one of the sixteen colour names of the colour list (any letter
// case) or six hex digits RRGGBB; LENGTH uses a dot as decimal separator and
// may be negative, so "-0.5" is a length, not an option.
// The options are read by a table of one row per option, then checked
// together by a list of rules on their combinations (RenderOptions.cpp).
#include "FrequencySweepOutput.h"
#include "HeightSweepOutput.h"
#include "ImpedanceOutput.h"
#include "RenderArguments.h"
#include "ReportOutput.h"
#include "Sweep.h"
#include "colors/Colors.h"
#include "formats/PictureFormat.h"
#include "labelled/LabelledPatterns.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct RenderOptions
{
    bool help = false;
    bool fill = true;
    TColor colour = clNavy;
    QString outDirectory; // empty: the current directory
    long double length = 0.0L;
    std::vector<RenderFamilyRow> family; // not empty: draw this family instead of one length
    PictureFormat format = PictureFormat::Bmp;
    std::vector<SweepFrame> sweep; // not empty: draw these lengths instead of one

    // The labelled pictures instead of the plain ones, and their options.
    enum class Style { Plain, Labelled };
    Style style = Style::Plain;
    LabelledScale scale = LabelledScale::Linear;
    double rangeDb = 40.0;
    QSize size;                // empty: each picture's own default size
    bool fillFamily = false;   // a labelled family's curves filled too
    bool readoutsLine = false; // the readouts under a labelled picture's title

    // The numbers instead of the pictures, or beside them with --out.
    bool report = false;        // print the readouts
    bool json = false;          // ... as one JSON object
    QString csvFile;            // not empty: write the pattern table there ("-": standard output)
    long double csvStep = 0.5L; // degrees between the table's rows

    // The wire beside its pattern.
    bool lobes = false;           // print every lobe
    std::optional<double> radius; // the wire's radius, wavelengths
    bool nec = false;             // the NEC-2 cross-check in the report
    bool current = false;         // draw the current along the wire instead of the pattern pair
    // --impedance: not empty: print the input impedance at these lengths
    // instead of anything else, against --z0 when given.
    std::vector<double> impedanceLengths;
    std::optional<double> z0;
    // --frequency: the hertz at which a LENGTH and radius in metres were
    // turned into wavelengths, for the report to show both.
    std::optional<double> frequency;
    // --measured-pattern: a turntable's table beside the one LENGTH's theory
    // (read by the command before anything is written).
    QString measuredPatternFile;
    std::optional<MeasuredScale> measuredScale;
    std::optional<MeasuredPattern> measuredPattern;
    // --impedance FROM:TO in frequencies: one wire in metres over a band.
    std::optional<FrequencySweepRequest> frequencySweep;
    // --ground perfect --height H [--orientation], or --monopole: the wire
    // over a perfect ground (the height read once LENGTH is known).
    std::optional<GroundRequest> ground;
    GroundOrientation groundOrientation = GroundOrientation::Horizontal; // --orientation
    // --height-sweep FROM:TO: the ground's impedance table over heights.
    std::optional<HeightSweepRequest> heightSweep;

    bool wantsReadouts() const { return report || !csvFile.isEmpty() || lobes; }
    bool wantsPictures() const { return !wantsReadouts() || !outDirectory.isEmpty(); }
    ImpedanceRequest impedanceRequest() const
    {
        const std::optional<QString> pictureDirectory =
            outDirectory.isEmpty() ? std::optional<QString>() : std::optional<QString>(outDirectory);
        const std::optional<double> groundHeight = ground ? std::optional<double>(ground->height) : std::nullopt;
        return {impedanceLengths,
                radius.value_or(kDefaultWireRadius),
                z0,
                pictureDirectory,
                format,
                std::nullopt,
                groundHeight,
                groundOrientation};
    }
    ReadoutsRequest readoutsRequest() const
    {
        return {length, report, json, csvFile, csvStep, radius, nec, lobes, measuredPattern, frequency, ground};
    }
};

// Parses the arguments after the program name; throws RenderUsageError for
// a command line that cannot be run. With --help nothing else is checked.
RenderOptions ParseRenderOptions(const QStringList &arguments);

QString RenderUsage();
