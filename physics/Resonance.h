#pragma once
// Where the induced-EMF input reactance of a wire of given radius is zero.
// Rising through zero, from capacitive to inductive, it marks a series
// resonance: the first lies just short of half a wave for a thin wire (M =
// 0.4775 for a radius of 0.001). Falling through zero it marks the other
// kind: beyond each current node at M = 1, 2, …, and once where the wire is
// only a few radii long and the closed form no longer describes it. At a
// current node the input reactance is infinite, of the same sign either side.
#include <optional>
#include <vector>

struct ReactanceZero
{
    double length = 0.0; // to 1e-12
    bool rising = true;  // a series resonance
};

// The first resonant length for a wire radius (IsWireRadius): the
// smallest M above twice the radius where the input reactance rises through
// zero; none if it does so nowhere below the plots' length limit. Throws
// std::domain_error for any other radius.
std::optional<double> FirstResonantLength(double radius);

// Every zero of the input reactance with from ≤ M ≤ to, in ascending order,
// for lengths that fit the radius (from above twice the radius, to within
// the length limit); std::domain_error otherwise. Two zeros closer than a
// thousandth of a wave may be missed.
std::vector<ReactanceZero> ReactanceZeros(double radius, double from, double to);
