#include "MutualImpedance.h"

#include "PatternReadouts.h"
#include "Quadrature.h"
#include "SineCosineIntegrals.h"

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

// ∫₀ᴴ e^{−jk(R + s·(z − c))}/R dz with R = √(d² + (z − c)²) and s = ±1, in
// closed form: w = R + s·(z − c) > 0 has dz/R = s·dw/w, and
// ∫ e^{−jkw}/w dw = Ci(kw) − j·Si(kw). Where s·(z − c) < 0, w is formed as
// d²/(R − s·(z − c)) so that it keeps its digits when it is small.
std::complex<double> sideIntegral(double d, double c, double s, double H)
{
    const auto w = [&](double z) {
        const double t = s * (z - c);
        const double r = std::hypot(d, t);
        return t >= 0.0 ? r + t : d * d / (r - t);
    };
    const auto antiderivative = [](double w) {
        return std::complex<double>(CosineIntegral(kK * w), -SineIntegral(kK * w));
    };
    return s * (antiderivative(w(H)) - antiderivative(w(0.0)));
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
    // The current and the field are even in z: twice the integral over
    // [0, H], where sin k(H − z) = (e^{jk(H−z)} − e^{−jk(H−z)})/(2j) turns
    // each term into a phase times one of the integrals of sideIntegral.
    const std::complex<double> j(0.0, 1.0);
    const std::complex<double> sum = sideIntegral(d, H, 1.0, H) - sideIntegral(d, H, -1.0, H)
                                     + std::exp(2.0 * j * kK * H) * sideIntegral(d, -H, 1.0, H)
                                     - std::exp(-2.0 * j * kK * H) * sideIntegral(d, -H, -1.0, H)
                                     - 2.0 * std::cos(kK * H)
                                           * (std::exp(j * kK * H) * sideIntegral(d, 0.0, 1.0, H)
                                              - std::exp(-j * kK * H) * sideIntegral(d, 0.0, -1.0, H));
    return {kFreeSpaceImpedance / (4.0 * kPi) * sum.real(), kFreeSpaceImpedance / (4.0 * kPi) * sum.imag()};
}

Impedance CollinearMutualImpedance(double M, double s)
{
    checkLength(M);
    if (!(std::isfinite(s) && s > M))
        throw std::domain_error("collinear dipoles must not overlap or touch");
    const double H = M / 2.0;
    const auto integrand = [&](double z) { return std::sin(kK * (H - std::fabs(z - s))) * fieldBracket(H, 0.0, z); };
    // Across a narrow gap g the first wire's end is close to the second's,
    // and the integrand changes on the scale of g there: pieces growing
    // tenfold from the near end keep each one smooth on its own scale.
    std::complex<double> sum = integrateComplex(integrand, s, s + H);
    double from = s - H;
    for (double piece = s - M; from + piece < s; piece *= 10.0) {
        sum += integrateComplex(integrand, from, from + piece);
        from += piece;
    }
    return fromIntegral(sum + integrateComplex(integrand, from, s));
}
