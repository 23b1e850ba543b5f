# Reference values for tests/physics/readouts_test.cpp, found by brute force in plain
# double precision and sharing nothing with the program: F sampled at 2 000 001
# points of [0, pi], Simpson's rule for the integral, grid peaks refined by a
# parabola, half-power crossings by linear interpolation between grid points.
# Usage: python3 tests/physics/readouts_reference.py LENGTH...
#
# Short dipoles (0 < |M| < 1, one lobe with its maximum at 90 degrees) lose
# every digit to cancellation in double precision; for them
#     python3 tests/physics/readouts_reference.py --short LENGTH...
# evaluates the same F with mpmath at enough digits to outrun the
# cancellation, integrates with mpmath's quad and finds the half-power
# direction with its findroot.
import math, sys
Z0 = 376.730313668
def F(M, t):
    s = math.sin(t)
    return 0.0 if s == 0 else abs((math.cos(math.pi*M*math.cos(t)) - math.cos(math.pi*M))/s)
def ref(M, N=2_000_000):
    h = math.pi / N
    vals = [F(M, i*h) for i in range(N+1)]
    # Simpson over [0, pi] of F^2 sin
    g = [v*v*math.sin(i*h) for i, v in enumerate(vals)]
    I = h/3*(g[0] + g[-1] + 4*sum(g[1:-1:2]) + 2*sum(g[2:-1:2]))
    # maxima: grid local maxima refined by a parabola through 3 points
    peaks = []
    for i in range(1, N):
        if vals[i] > vals[i-1] and vals[i] >= vals[i+1]:
            a, b, c = vals[i-1], vals[i], vals[i+1]
            d = 0.5*(a - c)/(a - 2*b + c)
            peaks.append((b - 0.25*(a - c)*d, (i + d)*h))
    fmax = max(p[0] for p in peaks)
    dirs = [round(math.degrees(t), 2) for v, t in peaks if v > fmax*(1-1e-9)]
    side = [v for v, t in peaks if v <= fmax*(1-1e-9) and v >= 1e-6*fmax]
    # main lobe: max direction nearest 90, crossings by linear interpolation
    tmain = min((t for v, t in peaks if v > fmax*(1-1e-9)), key=lambda t: abs(t - math.pi/2))
    lvl = fmax/math.sqrt(2)
    i = int(tmain/h)
    while vals[i] >= lvl: i -= 1
    lo = (i + (lvl - vals[i])/(vals[i+1] - vals[i]))*h
    i = int(tmain/h) + 1
    while vals[i] >= lvl: i += 1
    hi = (i - 1 + (vals[i-1] - lvl)/(vals[i-1] - vals[i]))*h
    D = 2*fmax*fmax/I
    sinsq = math.sin(math.pi*M)**2
    print(f"M={M}: I={I!r} fmax={fmax!r} D={D!r} dBi={10*math.log10(D)!r} Rr={Z0/(2*math.pi)*I!r} "
          f"Rin={(Z0/(2*math.pi)*I/sinsq) if sinsq >= 1e-9 else None!r}")
    print(f"   dirs={dirs} hpbw={math.degrees(hi-lo)!r} lo={math.degrees(lo)!r} hi={math.degrees(hi)!r} "
          f"sll={20*math.log10(max(side)/fmax) if side else None!r}")
def short_ref(text):
    from mpmath import mp, mpf, cos, sin, pi, quad, findroot, sqrt, degrees, log10, nstr
    M = abs(mpf(text))
    mp.dps = 40 + 2*max(0, int(-log10(M)))
    G = lambda t: abs((cos(pi*M*cos(t)) - cos(pi*M))/sin(t))
    fmax = G(pi/2)
    I = quad(lambda t: G(t)**2*sin(t), [0, pi/2, pi])
    lo = findroot(lambda t: G(t) - fmax/sqrt(2), pi/4)
    Rr = Z0/(2*pi)*I
    print(f"M={text}: fmax={nstr(fmax, 17)} D={nstr(2*fmax**2/I, 17)} Rr={nstr(Rr, 17)} "
          f"Rin={nstr(Rr/sin(pi*M)**2, 17)} hpbw={nstr(degrees(pi - 2*lo), 17)}")
if sys.argv[1:2] == ["--short"]:
    for a in sys.argv[2:]:
        short_ref(a)
else:
    for a in sys.argv[1:]:
        ref(float(a))
