#pragma once
// An impedance curve as comma-separated values for a spreadsheet or a
// plotting tool: a header line "length,r_in_ohm,x_in_ohm" (and ",swr" when
// the curve was computed against a reference resistance), then one row per
// length, numbers at full precision with a dot, and empty fields where the
// feed sits at a current node.
#include "physics/ImpedanceCurve.h"

#include <QByteArray>

QByteArray ImpedanceCsv(const std::vector<ImpedancePoint> &points, bool withSwr);
