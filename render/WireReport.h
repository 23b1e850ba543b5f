#pragma once
// What dipole-render's report says about the wire beside its pattern: with
// --radius the induced-EMF reactance at the feed and at the current maximum
// and the first resonant length for that radius; with --nec the NEC-2
// solution of the same wire beside the theory's figures; with --lobes every
// lobe of the pattern. Each as aligned table lines in English (the report's
// value column) and as JSON fields, numbers with a dot at full precision.
#include "physics/InducedEmf.h"
#include "physics/Lobes.h"
#include "physics/NecOutput.h"
#include "physics/PatternReadouts.h"

#include <QByteArray>

#include <optional>
#include <utility>
#include <vector>

struct WireReadouts
{
    double length = 0.0;
    double radius = 0.0;
    DipoleImpedance impedance;
    std::optional<double> resonantLength;
    std::optional<double> feedToMaximum; // the sinusoidal current's
    std::optional<NecSolution> nec;
};

// The wire's readouts; with nec, nec2c is run, with half the segments too
// (its errors propagate as
// AppError). The radius must fit the length (and NEC-2's model with nec).
WireReadouts ComputeWireReadouts(double M, double radius, bool nec);

using JsonField = std::pair<QByteArray, QByteArray>;

// The report's lines for the wire, each ending in a line break; the
// pattern's readouts give the theory's directivity to set beside NEC-2's.
QByteArray WireReportTable(const WireReadouts &wire, const PatternReadouts &pattern);

// radius, input_reactance_ohm (null where the input resistance is),
// reactance_at_current_maximum_ohm, resonant_length, and with NEC-2 a "nec"
// object: input_impedance_ohm [R, X], directivity, directivity_dbi,
// segments, feed_current_to_maximum, half_segments and
// impedance_change_half_segments (|Z − Z_half| / |Z|).
std::vector<JsonField> WireJsonFields(const WireReadouts &wire);

// The lobes as a table: a heading, then one lobe a line with its direction,
// level against the maximum and half-power width, the maximum's lobes and
// any rival within 1 dB of it marked.
QByteArray LobesTable(const std::vector<Lobe> &lobes);

// The lobes as a JSON array of objects: direction_deg, level_db, hpbw_deg,
// from_deg, to_deg, maximum, rival.
QByteArray LobesJson(const std::vector<Lobe> &lobes);
