# Reference values for tests/physics/antenna_test.cpp and the figures of
# tests/app/impedance_window_test.cpp, computed with mpmath at 40 digits and
# sharing nothing with the program:
#   python3 tests/physics/antenna_reference.py
# (Debian: python3-mpmath). The impedance is the textbook closed form of the
# induced-EMF method with mpmath's own Si and Ci; beside it, as a check of
# the formula itself, the same impedance found by integrating the field of
# the sinusoidal current on the wire's surface numerically: the closed form
# approximates that integral, and the two agree in R to about 1e-3 and in X
# to a few per cent for a thin wire, where a wrong term would show at once.
from mpmath import mp, mpf, si, ci, euler, pi, sin, cos, log, sqrt, exp, quad, findroot, fabs, mpc
mp.dps = 40
Z0 = mpf('376.730313668')

def closed_form(M, A):
    x = 2*pi*M
    R = Z0/(2*pi)*(euler + log(x) - ci(x) + sin(x)/2*(si(2*x) - 2*si(x))
                   + cos(x)/2*(euler + log(x/2) + ci(2*x) - 2*ci(x)))
    X = Z0/(4*pi)*(2*si(x) + cos(x)*(2*si(x) - si(2*x))
                   - sin(x)*(2*ci(x) - ci(2*x) - ci(4*pi*A**2/M)))
    return R, X

def by_integration(M, A):
    k, h = 2*pi, M/2
    def integrand(z):
        R1, R2, r = sqrt(A**2 + (z - h)**2), sqrt(A**2 + (z + h)**2), sqrt(A**2 + z**2)
        field = exp(-1j*k*R1)/R1 + exp(-1j*k*R2)/R2 - 2*cos(k*h)*exp(-1j*k*r)/r
        return sin(k*(h - fabs(z)))*field
    return 1j*Z0/(4*pi)*2*quad(integrand, [0, h/2, h])

def at_feed(M, A):
    R, X = closed_form(M, A)
    s = sin(pi*M)**2
    return R/s, X/s

def swr(R, X, R0):
    g = abs(mpc(R - R0, X)/mpc(R + R0, X))
    return (1 + g)/(1 - g)

print('impedance: M, A, R_in, X_in, X_m; direct integral of Z_m')
for M, A in [('0.5', '0.001'), ('0.5', '0.05'), ('0.25', '0.001'), ('0.1', '0.0001'), ('0.01', '1e-5'),
             ('0.75', '0.01'), ('1.5', '0.001'), ('2.3', '0.05'), ('29.7', '0.001'), ('1', '0.001')]:
    M, A = mpf(M), mpf(A)
    R, X = closed_form(M, A)
    s = sin(pi*M)**2
    feed = (mp.nstr(R/s, 17), mp.nstr(X/s, 17)) if s > 1e-9 else None
    print(f'  {M} {A}: {feed} X_m={mp.nstr(X, 17)}  direct Z_m={mp.nstr(by_integration(M, A), 10)}')

print('first resonance (input reactance rising through zero)')
for A, guess in [('1e-5', 0.488), ('0.001', 0.4775), ('0.01', 0.457), ('0.04', 0.39), ('0.05', 1.41)]:
    A = mpf(A)
    print(f'  {A}: {mp.nstr(findroot(lambda m: at_feed(m, A)[1], guess), 17)}')

print('zeros of the input reactance for A = 0.001, bracketed')
for lo, hi in [(0.004, 0.007), (0.47, 0.48), (1.05, 1.07), (1.47, 1.49), (2.05, 2.07), (2.47, 2.49)]:
    zero = findroot(lambda m: at_feed(m, mpf('0.001'))[1], (mpf(lo), mpf(hi)), solver='anderson')
    print(f'  {mp.nstr(zero, 17)}')

print('swr: M, A, R0')
for M, A, R0 in [('0.5', '0.001', 50), ('0.5', '0.001', 75), ('0.5', '0.001', 300), ('0.25', '0.001', 50),
                 ('0.47750719938965527', '0.001', 75)]:
    print(f'  {M} {A} {R0}: {mp.nstr(swr(*at_feed(mpf(M), mpf(A)), R0), 17)}')

print('the window: M, A, R0: R_in + jX_in and the SWR as it writes them, to two decimals')
for M, A, R0 in [('1.5', '0.001', 50), ('0.75', '0.001', 50), ('0.25', '0.01', 50), ('0.25', '0.002', 75),
                 ('0.08', '0.001', 50)]:
    R, X = at_feed(mpf(M), mpf(A))
    print(f'  {M} {A} {R0}: {float(R):.2f} {"-" if X < 0 else "+"} j{float(fabs(X)):.2f}  swr {float(swr(R, X, R0)):.2f}')
print('the window: the zeros of the input reactance from 0.1 to 3, A = 0.001 and 0.01')
for A, brackets in [('0.001', [(0.47, 0.48), (1.05, 1.07), (1.47, 1.49), (2.05, 2.07), (2.47, 2.49)]),
                    ('0.01', [(0.44, 0.47), (1.09, 1.12), (1.45, 1.47), (2.09, 2.12), (2.45, 2.48)])]:
    zeros = [findroot(lambda m: at_feed(m, mpf(A))[1], (mpf(lo), mpf(hi)), solver='anderson') for lo, hi in brackets]
    print(f'  {A}: {", ".join(mp.nstr(z, 4) for z in zeros)}')

print('a wire 10.3 m long, 1 mm in radius, from 13 to 15 MHz on 50 ohms: Z at 14 MHz, the resonance, SWR <= 2')
c = mpf(299792458)
L, r = mpf('10.3'), mpf('0.001')
def wire_at(f):
    return at_feed(L*f/c, r*f/c)
R, X = wire_at(mpf('14e6'))
print(f'  14 MHz: {mp.nstr(R, 17)} {mp.nstr(X, 17)}')
print(f'  resonance: {mp.nstr(findroot(lambda f: wire_at(f)[1], (mpf("13.5e6"), mpf("14.5e6")), solver="anderson"), 12)}')
for lo, hi in [(13.0e6, 14.0e6), (14.0e6, 15.0e6)]:
    edge = findroot(lambda f: swr(*wire_at(f), 50) - 2, (mpf(lo), mpf(hi)), solver='anderson')
    print(f'  swr 2 at {mp.nstr(edge, 12)}')
