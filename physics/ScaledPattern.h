#pragma once
// The pattern function F written as a product,
//     F = 2·sin(πM·cos²(θ/2))·sin(πM·sin²(θ/2)) / sin θ,
// which loses nothing to cancellation at any length (the plots' difference
// of two cosines keeps only a few digits for a short dipole), times a power
// of two that brings a short dipole's F (about (πM)²/2) near 1, so that
// searches and integrals over it meet no underflow. M and −M give the same
// F, so the pattern is that of |M|.
#include "PatternFunction.h"

#include <cmath>

class ScaledPattern
{
public:
    explicit ScaledPattern(double m) : m_phase(kExtendedPi * static_cast<long double>(m))
    {
        // For πM below 1, F is about (πM)²/2 at its maximum; from there on
        // it is of order 1 and needs no scaling. A zero length has F = 0
        // everywhere and nothing to scale.
        if (m_phase > 0.0L && m_phase < 1.0L)
            m_exponent = -std::ilogb(m_phase * m_phase);
    }

    double operator()(double theta) const
    {
        const long double half = static_cast<long double>(theta) / 2;
        const long double s = std::sin(half);
        const long double c = std::cos(half);
        if (s == 0.0L || c == 0.0L)
            return 0.0;
        const long double product = std::sin(m_phase * c * c) * std::sin(m_phase * s * s);
        return static_cast<double>(std::ldexp(std::fabs(product / (s * c)), m_exponent));
    }

    // A scaled quantity that goes with F^power, unscaled.
    long double unscaled(long double value, int power) const { return std::ldexp(value, -power * m_exponent); }

    // sin(πM), scaled like F.
    long double scaledFeedSine() const { return std::ldexp(std::sin(m_phase), m_exponent); }

private:
    long double m_phase; // π|M|
    int m_exponent = 0;
};
