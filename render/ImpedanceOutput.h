#pragma once
// dipole-render --impedance: the input impedance of one wire radius over a
// range of lengths, as a table on standard output.
#include <optional>
#include <vector>

struct ImpedanceRequest
{
    std::vector<double> lengths;
    double radius = 0.001;
    std::optional<double> referenceResistance; // adds the standing-wave ratio
};

// Prints the table (length,r_in_ohm,x_in_ohm[,swr]); returns the exit status
// (1 when standard output cannot be written, with a message on standard
// error). The lengths must fit the radius.
int WriteImpedance(const ImpedanceRequest &request);
