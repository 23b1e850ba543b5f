#pragma once
// The sine and cosine integrals Si(x) = ∫₀ˣ sin t/t dt and
// Ci(x) = −∫ₓ^∞ cos t/t dt (x > 0), by GSL, for the closed forms of the
// induced-EMF method.

// Throws std::domain_error where GSL cannot give it.
double SineIntegral(double x);
double CosineIntegral(double x);
