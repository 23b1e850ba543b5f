# Reference figures for tests/physics/ground_test.cpp, a dipole over a
# perfectly conducting plane and the monopole, computed with mpmath and
# sharing nothing with the program:
#   python3 tests/physics/ground_reference.py
# The plane is replaced by the image wire explicitly: the far field is the
# sum of the two wires' radiation vectors, each the integral of its current
# times e^{jk u·r'} (the image's current reversed for a horizontal wire, the
# same for a vertical one), and the field is the part of that sum across the
# direction u. The pattern's samples integrate the currents with quad; the
# directivity integrates |E|² over the upper half space with a 2D quad, with
# each wire's integral in its closed form 2/k·(cos(kH cos ψ) − cos kH)/sin²ψ
# (checked against quad at the samples below). The mutual impedance is the
# induced-EMF integral of one wire's field along the other, written out from
# the geometry, and for the side-by-side half waves also the textbook's Si/Ci
# form.
from mpmath import mp, mpf, pi, sin, cos, exp, sqrt, quad, mpc, findroot, log10, si, ci, asin, matrix, fabs
mp.dps = 20
k = 2*pi
Z0 = mpf('376.730313668')

def direction(el, az):
    return (cos(el)*cos(az), cos(el)*sin(az), sin(el))

def wire_vector(M, axis, centre, u, sign, by_quad):
    H = M/2
    ua = sum(a*b for a, b in zip(axis, u))
    uc = sum(a*b for a, b in zip(centre, u))
    if by_quad:
        s = quad(lambda t: sin(k*(H - fabs(t)))*exp(1j*k*t*ua), [-H, 0, H])
    else:
        s = 2/k*(cos(k*H*ua) - cos(k*H))/(1 - ua**2) if fabs(1 - ua**2) > mpf(10)**-30 else mpf(0)
    return [sign*s*exp(1j*k*uc)*a for a in axis]

def field(M, h, vertical, el, az, by_quad=False):
    u = direction(el, az)
    axis = (0, 0, 1) if vertical else (1, 0, 0)
    N = [a + b for a, b in zip(wire_vector(M, axis, (0, 0, h), u, 1, by_quad),
                               wire_vector(M, axis, (0, 0, -h), u, 1 if vertical else -1, by_quad))]
    ndotu = sum(n*c for n, c in zip(N, u))
    transverse = [n - ndotu*c for n, c in zip(N, u)]
    return k/2*sqrt(sum(abs(t)**2 for t in transverse))  # F·|AF| in the program's units

def cut(M, h, vertical, az):
    return lambda el: field(M, h, vertical, el, az)

def cut_readouts(f):
    grid = [mpf(i)/10*pi/180 for i in range(0, 901)]
    best = max(grid, key=f)
    peak = best if best in (mpf(0), pi/2) else findroot(lambda e: mp.diff(f, e), best) if 0 < best < pi/2 else best
    fmax = f(peak)
    level = fmax/sqrt(2)
    def crossing(step):
        e = peak
        while 0 < e + step < pi/2 and f(e + step) >= level:
            e += step
        if not 0 < e + step < pi/2:
            return mpf(0) if step < 0 else pi/2
        return findroot(lambda x: f(x) - level, (e, e + step), solver='anderson')
    return [mp.nstr(x*180/pi, 12) for x in (peak, crossing(-pi/1800), crossing(pi/1800))]

def directivity(M, h, vertical, peak):
    p = lambda el, az: field(M, h, vertical, el, az)**2*cos(el)
    if vertical:
        total = 2*pi*quad(lambda el: p(el, 0), [0, pi/4, pi/2])
    else:
        total = 4*quad(p, [0, pi/4, pi/2], [0, pi/4, pi/2])
    return 4*pi*peak**2/total

def mutual(M, rho, offset):
    # The second wire (centre at height offset, axis distance rho) in the
    # field of the first (centre at 0): Z = j·Z0/(4π)·∫ I₂·[...] dz, cut
    # at tenfold multiples of a collinear pair's gap from the near end.
    H = M/2
    gap = offset - M
    cuts = [offset - H + gap*10**i for i in range(12) if rho == 0 and gap*10**i < H]
    def integrand(z):
        r1, r2, r0 = sqrt(rho**2 + (z - H)**2), sqrt(rho**2 + (z + H)**2), sqrt(rho**2 + z**2)
        bracket = exp(-1j*k*r1)/r1 + exp(-1j*k*r2)/r2 - 2*cos(k*H)*exp(-1j*k*r0)/r0
        return sin(k*(H - fabs(z - offset)))*bracket
    return 1j*Z0/(4*pi)*quad(integrand, sorted([offset - H, offset, offset + H] + cuts))

def textbook_side_by_side_half_wave(d):
    u0, u1, u2 = k*d, k*(sqrt(d**2 + mpf(1)/4) + mpf(1)/2), k*(sqrt(d**2 + mpf(1)/4) - mpf(1)/2)
    return Z0/(4*pi)*(2*ci(u0) - ci(u1) - ci(u2)), -Z0/(4*pi)*(2*si(u0) - si(u1) - si(u2))

print('pattern samples F·|AF| (quad of currents; closed-form wires): M, h, vertical, el°, az°')
for M, h, v, el, az in [('0.5', '0.25', 0, 30, 90), ('0.5', '0.5', 0, 30, 90), ('0.5', '0.5', 0, 40, 0),
                        ('0.5', '0.3', 1, 20, 0), ('1.5', '0.7', 0, 25, 37), ('1.25', '0.9', 1, 10, 0)]:
    M, h = mpf(M), mpf(h)
    e, a = mpf(el)*pi/180, mpf(az)*pi/180
    print(f'  {M} {h} {v} {el} {az}: {mp.nstr(field(M, h, v, e, a, True), 15)}  {mp.nstr(field(M, h, v, e, a), 15)}')

print('readouts: M, h, vertical: [max el, half-power lower, upper] across (or any) plane; along; D; dBi')
for M, h, v in [('0.5', '0.25', 0), ('0.5', '0.5', 0), ('0.5', '0.3', 1), ('1', '0.4', 0), ('1.25', '0.9', 1)]:
    M, h = mpf(M), mpf(h)
    across = cut_readouts(cut(M, h, v, pi/2))
    along = cut_readouts(cut(M, h, v, 0)) if not v else None
    # The largest field over the upper half space, from a 1° grid refined.
    grid = [(mpf(i)*pi/180, mpf(j)*pi/180) for i in range(0, 91, 1) for j in range(0, 91, 3 if v else 1)]
    e0, a0 = max(grid, key=lambda g: field(M, h, v, g[0], g[1]))
    f = lambda e, a: field(M, h, v, max(min(e, pi/2), mpf(0)), max(min(a, pi/2), mpf(0)))
    best = f(e0, a0)
    step = pi/180
    while step > mpf(10)**-12:
        moved = True
        while moved:
            moved = False
            for de, da in [(step, 0), (-step, 0), (0, step), (0, -step)]:
                if f(e0 + de, a0 + da) > best:
                    e0, a0, best, moved = e0 + de, a0 + da, f(e0 + de, a0 + da), True
        step /= 2
    D = directivity(M, h, v, best)
    print(f'  {M} {h} {v}: {across} {along} D={mp.nstr(D, 12)} {mp.nstr(10*log10(D), 10)} dBi')

print('monopole of height M/2: D = 4π F_max² / (2π ∫₀^{π/2} F² sin θ dθ)')
for M in ['0.5', '0.25', '1.25']:
    M = mpf(M)
    F = lambda t: (cos(pi*M*cos(t)) - cos(pi*M))/sin(t)
    peak = max(fabs(F(mpf(i)*pi/1800)) for i in range(1, 901))  # the grid's best ...
    peak = max(peak, fabs(F(pi/2)))  # ... or broadside, where it lies for these lengths
    total = 2*pi*quad(lambda t: F(t)**2*sin(t), [0, pi/4, pi/2])
    D = 4*pi*peak**2/total
    print(f'  {M}: D={mp.nstr(D, 12)} {mp.nstr(10*log10(D), 10)} dBi')

print('mutual impedance referred to the current maxima: M, distance')
for M, d in [('0.5', '0.5'), ('0.5', '0.1'), ('0.5', '1.3'), ('1.5', '0.6'), ('0.3', '0.02')]:
    M, d = mpf(M), mpf(d)
    print(f'  side by side {M} {d}: {mp.nstr(mutual(M, d, 0), 15)}' +
          (f'  textbook {[mp.nstr(x, 15) for x in textbook_side_by_side_half_wave(d)]}' if M == mpf('0.5') else ''))
for M, s in [('0.5', '0.6'), ('0.5', '1'), ('1.25', '2'), ('0.3', '0.31'), ('0.5', '0.500000002')]:
    M, s = mpf(M), mpf(s)
    print(f'  collinear {M} {s}: {mp.nstr(mutual(M, 0, s), 15)}')
