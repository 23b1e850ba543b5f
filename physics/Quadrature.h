#pragma once
// A definite integral of a smooth function by GSL's adaptive Gauss–Kronrod
// rule (61 points a panel), to an absolute or a relative tolerance, whichever
// is met first, with GSL's own error estimate as the bound. Oscillating integrands are halved into up to 4000
// panels before the rule gives up.
#include <functional>

// ∫ₐᵇ f(x) dx; throws std::runtime_error when GSL reports that neither
// tolerance was reached. An absolute tolerance of 0 asks for the relative
// one alone.
double Integrate(const std::function<double(double)> &f, double a, double b, double absoluteTolerance,
                 double relativeTolerance);
