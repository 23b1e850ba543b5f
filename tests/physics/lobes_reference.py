# Reference values for the lobe tests in tests/physics/lobes_test.cpp, computed
# with mpmath at 30 digits and sharing nothing with the program:
#   python3 tests/physics/lobes_reference.py LENGTH...
# (Debian: python3-mpmath). F is sampled on a grid of [0, 90°] to find its
# humps; each peak is then solved from F'(θ) = 0, each crossing of a level
# from F(θ) = level, both by mpmath's root finder inside the grid cell that
# brackets it. Prints each lobe's direction, level against the maximum and
# half-power width, and the main lobe's width at 0.7 of the maximum.
import sys
from mpmath import mp, mpf, cos, sin, pi, findroot, diff, log10, sqrt, degrees
mp.dps = 30

def lobes(M, N=20000):
    M = mpf(M)
    F = lambda t: abs((cos(pi*M*cos(t)) - cos(pi*M))/sin(t)) if sin(t) != 0 else mpf(0)
    h = (pi/2)/N
    v = [F(i*h) for i in range(N + 1)]
    peaks = []
    for i in range(1, N + 1):
        right = v[i + 1] if i < N else v[N - 1]  # F is symmetric about 90 degrees
        if v[i] > v[i - 1] and v[i] >= right:
            t = pi/2 if i == N else findroot(lambda x: diff(F, x), ((i - 1)*h, (i + 1)*h), solver='anderson')
            peaks.append((t, F(t), i))
    fmax = max(p[1] for p in peaks)
    def cross(level, i, step):
        while v[i] >= level:
            i += step
        a, b = sorted(((i - step)*h, i*h))
        return findroot(lambda x: F(x) - level, (a, b), solver='anderson')
    out = []
    for t, value, i in peaks:
        level = value/sqrt(2)
        lower = cross(level, i, -1)
        # past 90 degrees the lobe mirrors itself
        upper = pi - lower if min(v[i:]) >= level else cross(level, i, +1)
        out.append((t, value, lower, upper))
    # the main lobe: of those at the maximum, the one nearest 90 degrees
    k = max(j for j, p in enumerate(peaks) if p[1] >= fmax*(1 - mpf('1e-9')))
    t, value, i = peaks[k]
    level = fmax*mpf('0.7')
    lower = cross(level, i, -1)
    upper = pi - lower if min(v[i:]) >= level else cross(level, i, +1)
    return fmax, out, degrees(upper - lower)

for a in sys.argv[1:]:
    fmax, out, width07 = lobes(a)
    print(f'M={a}:')
    for t, value, lower, upper in out:
        print(f'  direction {mp.nstr(degrees(t), 12)}  level {mp.nstr(20*log10(value/fmax), 15)} dB'
              f'  hpbw {mp.nstr(degrees(upper - lower), 15)}')
    print(f'  main lobe width at 0.7: {mp.nstr(width07, 15)}')
