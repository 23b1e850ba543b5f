#pragma once
// An impedance curve as comma-separated values for a spreadsheet or a
// plotting tool: a header line "length,r_in_ohm,x_in_ohm" (and ",swr" when
// the curve was computed against a reference resistance), then one row per
// length, numbers at full precision with a dot, and empty fields where the
// feed sits at a current node. NEC-2's samples of the same lengths, when
// given, add the columns nec_r_in_ohm,nec_x_in_ohm (and nec_swr) after the
// theory's.
#include "physics/ImpedanceCurve.h"
#include "physics/SampledImpedance.h"

#include <QByteArray>

// nec, when given, holds one sample for each point, at the same lengths.
QByteArray ImpedanceCsv(const std::vector<ImpedancePoint> &points, bool withSwr,
                        const std::vector<SampledImpedance> *nec = nullptr);
