#pragma once
// A wire's frequency sweep as comma-separated values: one row per frequency
// with the wire's length in wavelengths there, then for each model (the
// closed form, and NEC-2 when it was solved) the input resistance and
// reactance, the SWR, the return loss, and S11's magnitude and phase:
//     frequency_hz,length,r_in_ohm,x_in_ohm,swr,return_loss_db,s11_mag,s11_deg
// and with NEC-2 the same six columns again, prefixed nec_. Numbers read
// back exactly; a quantity that does not exist (the impedance at a current
// node) is an empty field.
#include "physics/FrequencySweep.h"

#include <QByteArray>

#include <vector>

// nec, when not empty, has a point for every point of theory.
QByteArray FrequencyCsv(const std::vector<FrequencyPoint> &theory, const std::vector<FrequencyPoint> &nec);
