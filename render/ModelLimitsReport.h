#pragma once
// What the report adds where the sinusoidal-current model stops describing
// the wire (physics/ClosedFormLimits.h): the band about a full wave where
// the input values are not physical (for the wire's radius, or the default
// radius when the report has none), a wire too thick for the closed form
// and a resonance that is the closed form's alone (with a radius), and for
// a wire shorter than half a wave which current the radiation resistance
// and the reactance at I maximum are referred to. Nothing where no limit
// applies, so that those reports read as before.
#include "WireReport.h"

#include "physics/ClosedFormLimits.h"

#include <QByteArray>

#include <optional>
#include <vector>

struct ModelLimits
{
    bool wire = false;   // a radius was given
    double radius = 0.0; // the one the band is reckoned for
    std::optional<LengthSpan> fullWaveBand;
    std::optional<double> thickLengthToRadius; // |M|/A, where the wire is too thick
    bool resonanceOutside = false;
    bool loopBeyondEnds = false; // 0 < |M| < 0.5
};

ModelLimits FindModelLimits(double M, const std::optional<WireReadouts> &wire);

// The report's lines, each ending in a line break; none without a limit.
QByteArray ModelLimitsTable(const ModelLimits &limits);

// outside_model_near_full_wave [from, to], outside_model_thick_wire (|M|/A),
// outside_model_resonant_length (true), reference_current (a text), each
// only where it applies.
std::vector<JsonField> ModelLimitsJson(const ModelLimits &limits);
