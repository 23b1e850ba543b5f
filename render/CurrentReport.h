#pragma once
// What dipole-render's report says about the current along the wire: how
// many half-waves the sinusoidal current holds and how many of them flow in
// phase with the feed's current and against it (physics/CurrentHalfWaves.h),
// as a line of the report's table and as a JSON field.
#include "WireReport.h"

#include <QByteArray>

// "Current half-waves      3: 1 in phase with the feed, 2 opposite; …",
// ending in a line break.
QByteArray CurrentReportLine(double M);

// current_half_waves: null for M = 0, else an object with count, in_phase,
// opposite, feed_at_node and half_waves, a list of {from, to, in_phase,
// partial} from one end of the wire to the other.
JsonField CurrentJsonField(double M);
