#pragma once
// A measured one-port as the points of a frequency sweep, so that it is
// drawn and read beside a model's: each reflection turned into the load's
// impedance against the file's reference resistance, then into the SWR and
// the reflection against the reference the models use.
#include "OnePortData.h"
#include "physics/FrequencySweep.h"

#include <vector>

// The points of data against referenceResistance (length and radius 0: a
// measurement knows no model's wire). A reflection of 1, an open circuit,
// has no impedance and stays a reflection of 1.
std::vector<FrequencyPoint> MeasuredPoints(const OnePortData &data, double referenceResistance);
