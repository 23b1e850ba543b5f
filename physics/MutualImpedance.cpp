#include "MutualImpedance.h"

#include "PatternReadouts.h"
#include "Quadrature.h"

#include <cmath>
#include <complex>
#include <functional>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kK = 2.0 * kPi; // wavenumber per wavelength
// 1e-9 Ω in the units of the integral, which Z₀/(4π) multiplies.
constexpr double kAbsoluteTolerance = 1e-9 * 4.0 * kPi / kFreeSpaceImpedance;
constexpr double kRelativeTolerance = 1e-10;

// The bracket of E_z at distance rho from the first dipole's axis and z
// along it (centre at 0, half length H).
std::complex<double> fieldBracket(double H, double rho, double z)
{
    const auto wave = [](double distance) { return std::polar(1.0 / distance, -kK * distance); };
    const double r1 = std::hypot(rho, z - H);
    const double r2 = std::hypot(rho, z + H);
    const double r0 = std::hypot(rho, z);
    return wave(r1) + wave(r2) - 2.0 * std::cos(kK * H) * wave(r0);
}

// ∫ₐᵇ of a complex integrand, part by part.
std::complex<double> integrateComplex(const std::function<std::complex<double>(double)> &f, double a, double b)
{
    const double re = Integrate([&](double z) { return f(z).real(); }, a, b, kAbsoluteTolerance, kRelativeTolerance);
    const double im = Integrate([&](double z) { return f(z).imag(); }, a, b, kAbsoluteTolerance, kRelativeTolerance);
    return {re, im};
}

// Z₂₁ = j·Z₀/(4π)·∫ (I(z)/I_m)·bracket dz.
Impedance fromIntegral(std::complex<double> integral)
{
    const std::complex<double> z = std::complex<double>(0.0, kFreeSpaceImpedance / (4.0 * kPi)) * integral;
    return {z.real(), z.imag()};
}

void checkLength(double M)
{
    if (!(std::isfinite(M) && M > 0.0))
        throw std::domain_error("the dipoles need a length above 0");
}

} // namespace

Impedance SideBySideMutualImpedance(double M, double d)
{
    checkLength(M);
    if (!(std::isfinite(d) && d > 0.0))
        throw std::domain_error("side-by-side dipoles need a distance above 0");
    const double H = M / 2.0;
    // The second dipole's current and the field are even in z: twice the
    // upper half, which also keeps the current's kink at z = 0 at an end.
    const auto integrand = [&](double z) { return std::sin(kK * (H - z)) * fieldBracket(H, d, z); };
    return fromIntegral(2.0 * integrateComplex(integrand, 0.0, H));
}

Impedance CollinearMutualImpedance(double M, double s)
{
    checkLength(M);
    if (!(std::isfinite(s) && s > M))
        throw std::domain_error("collinear dipoles must not overlap or touch");
    const double H = M / 2.0;
    const auto integrand = [&](double z) { return std::sin(kK * (H - std::fabs(z - s))) * fieldBracket(H, 0.0, z); };
    return fromIntegral(integrateComplex(integrand, s - H, s) + integrateComplex(integrand, s, s + H));
}
