#pragma once
// What dipole-render writes about one length besides its pictures: the
// readouts as an aligned table in English or as one JSON object (--report
// [--json]), and the pattern as comma-separated values (--csv). Numbers are
// written with a dot as decimal separator whatever the user's locale, as
// scripts, spreadsheets and plotting tools read them.
#include "CommandOutput.h"
#include "GroundReport.h"
#include "WireReport.h"
#include "physics/PatternReadouts.h"

#include "physics/MeasuredPattern.h"
#include <QByteArray>

#include <QString>

// The readouts as a table, one quantity a line, values aligned, with units.
QByteArray ReportTable(const PatternReadouts &readouts);

// The readouts as one JSON object on one line, numbers at full precision,
// null for a quantity that does not exist; more fields (the wire's, the
// lobes) follow the pattern's.
QByteArray ReportJson(const PatternReadouts &readouts, const std::vector<JsonField> &more = {});

// The readouts as columns of a comma-separated table (a sweep's index): the
// header names and one row's fields, full precision, empty where a quantity
// does not exist. Neither has a line break or a leading comma.
QByteArray ReadoutsCsvHeader();
QByteArray ReadoutsCsvFields(const PatternReadouts &readouts);

// The pattern of M from 0° to 360° inclusive at stepDegrees: a header line
// "theta_deg,F,F_norm,dB", then one row per angle: F as the plots compute it,
// F_norm = F / fMax and dB = 20·log10 F_norm, floored at -100. A zero pattern
// (fMax 0) gives F_norm 0 and dB -100 throughout.
QByteArray PatternCsv(double M, double fMax, long double stepDegrees);

// What the --report and --csv parts of a command line ask for.
struct ReadoutsRequest
{
    long double length = 0.0L;
    bool report = false;                     // print the readouts
    bool json = false;                       // ... as one JSON object
    QString csvFile;                         // not empty: write the pattern table there ("-": standard output)
    long double csvStep = 0.5L;              // degrees between the table's rows
    std::optional<double> radius;            // the wire's, for its reactance and resonance in the report
    bool nec = false;                        // the NEC-2 cross-check in the report (with a radius)
    bool lobes = false;                      // every lobe: in the report, or alone
    std::optional<MeasuredPattern> measured; // set beside the theory in the report
    std::optional<double> frequency;         // hertz: the report shows metres beside wavelengths
    // Over a perfect ground: the report gains the ground's lines; a
    // monopole's report is its own.
    std::optional<GroundRequest> ground;
};

// Runs a request whose length lies below 30 in either sign (and whose radius
// fits it): prints the report and the lobes on the standard output of
// streams and writes the table to its file or to that output. Everything is computed before
// anything is written, so a failing NEC-2 run prints nothing but its error.
// Returns the exit status (1 when a write or nec2c fails, with a message on
// standard error).
int WriteReadouts(const ReadoutsRequest &request, const CommandStreams &streams = {});
