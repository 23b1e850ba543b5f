#pragma once
// A dipole given in metres at a frequency: the report's lines and JSON keys
// that show it in metres beside the wavelengths the rest of the report
// speaks in, and its first resonance both as a length at that frequency and
// as a frequency for that length.
#include "WireReport.h"

#include <QByteArray>

#include <optional>
#include <vector>

// For length M (and the wire, when there is one) at frequency hertz.
QByteArray PhysicalReportTable(double hertz, double M, const std::optional<WireReadouts> &wire);
std::vector<JsonField> PhysicalJsonFields(double hertz, double M, const std::optional<WireReadouts> &wire);
