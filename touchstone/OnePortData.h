#pragma once
// A one-port's reflection coefficient S11 against frequency, with the
// reference resistance it is given against: what a network analyser
// measures at an antenna's feed, and what the models predict there.
#include <complex>
#include <vector>

struct OnePortPoint
{
    double frequency = 0.0; // hertz
    std::complex<double> reflection;
};

struct OnePortData
{
    double referenceResistance = 50.0; // ohms
    std::vector<OnePortPoint> points;  // frequencies increasing
};
