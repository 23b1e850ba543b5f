#pragma once
// What a dipole-render command line asks for, as the option table and its
// rules read it (RenderOptions.h): the pictures, the numbers, the wire,
// the ground. The option setters fill it in one option at a time.
#include "FrequencySweepOutput.h"
#include "HeightSweepOutput.h"
#include "ImpedanceOutput.h"
#include "RenderArguments.h"
#include "ReportOutput.h"
#include "SolidOutput.h"
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
    std::optional<std::pair<double, double>> ohmsAxis; // --ohms LOW:HIGH
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
    // --3d FILE and --3d-view FILE.png: the pattern's solid of one LENGTH.
    SolidRequest solid;

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
                groundOrientation,
                size,
                ohmsAxis};
    }
    ReadoutsRequest readoutsRequest() const
    {
        return {length, report, json, csvFile, csvStep, radius, nec, lobes, measuredPattern, frequency, ground};
    }
};
