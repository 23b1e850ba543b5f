#pragma once
// The companion window's note, in Russian, on where the sinusoidal-current
// model behind its figures stops describing the wire (physics/
// ClosedFormLimits.h): near a full wave its input impedance and the
// standing-wave ratio that follows are the model's, not the wire's; on a
// wire shorter than twenty radii its reactance is. Worded as a property of
// the model, with the user's decimal separator.
#include "WireModel.h"

#include <QString>

// The note for the model's length and radius; empty where the figures hold
// or there is no wire to speak of (WireState other than Impedance and
// CurrentNode).
QString ModelLimitNote(const WireModel &model);
