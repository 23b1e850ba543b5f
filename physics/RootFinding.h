#pragma once
// The zero of a function between two points where it changes sign, by
// Brent's method (GSL's), to an absolute and a relative tolerance in the
// argument (the bracket narrower than absolute + relative·|x|).
#include <functional>

// The x in [lo, hi] where f is zero, f(lo) and f(hi) being of opposite
// signs (or one of them zero); throws std::runtime_error when they are not.
double FindRoot(const std::function<double(double)> &f, double lo, double hi, double absoluteTolerance,
                double relativeTolerance);
