"""An independent check of the results block of a polygon section (tests/cases/p-*).

It shares no code or method with the library: the concrete is integrated along the depth,
the width of the polygon at each depth taken from the crossings of its edges and the
pieces between the corners and the kinks of the law integrated by Gauss-Legendre, where the
library integrates each piece of the law over the clipped polygon by Green's theorem; the
searches are plain bisections.

    /usr/bin/python3 tests/support/polygon_oracle.py tests/cases/p-i-girder

prints the values of the block (Mrd, Mrdx, Mrdy, rho_M, MRx, MRy, Vrdx, Vrdy, rho_V,
epsilon, alpha, campo, rho_rad) for the materials IT, B450C, C25/30, reading sezi.txt and
slu-max.txt; with --contour, the 73 lines of domplot.txt instead.
"""
import math
import sys

FYD, ES, EPS_UD = 391.3043559386286, 200000.0, 0.06750000268220901
FCD, EPS_C2, EPS_CU, NU = 21.250000596046448 / 1.5, 0.0020000000949949026, 0.0035000001080334187, 0.5


def read_case(folder):
    with open(folder + "/sezi.txt") as f:
        lines = f.read().split("\n")[1:]
    number = lambda v: v.lstrip("-").replace(".", "", 1).replace("e", "", 1).isdigit()
    it = iter([[float(v) for v in line.split() if number(v)] for line in lines if line.strip()])
    nout, nhole, nbar, nshear, nref = (int(v) for v in next(it)[:5])
    rings = [[tuple(next(it)[:2]) for _ in range(int(next(it)[0]))] for _ in range(nout + nhole)]
    bars = [tuple(next(it)[:3]) for _ in range(nbar)]
    shear = next(it)[:8] if nshear else None
    reference = tuple(next(it)[:2]) if nref else None
    with open(folder + "/slu-max.txt") as f:
        actions = [float(v) for v in f.read().split()[:5]]
    return rings[:nout], rings[nout:], bars, shear, reference, actions


def signed_area(ring):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(ring, ring[1:] + ring[:1])) / 2


def centroid(outlines, holes):
    a = sx = sy = 0.0
    for ring, sign in [(r, 1) for r in outlines] + [(r, -1) for r in holes]:
        ring = ring if sign * signed_area(ring) > 0 else ring[::-1]  # holes turn the other way
        for (x0, y0), (x1, y1) in zip(ring, ring[1:] + ring[:1]):
            c = x0 * y1 - x1 * y0
            a += c / 2
            sx += (x0 + x1) * c / 6
            sy += (y0 + y1) * c / 6
    return sx / a, sy / a


def concrete(e):  # compression positive strain -e, stress negative
    c = -e
    if c <= 0:
        return 0.0
    if c < EPS_C2:
        return -FCD * (1 - (1 - c / EPS_C2) ** 2)
    return -FCD


def steel(e):
    return max(-FYD, min(FYD, ES * e))


# Gauss-Legendre, 4 points on [0, 1]: exact for the cubics the strips give (a parabola of the
# depth times a width linear in it).
GAUSS = [(0.5 - 0.4305681557970263, 0.17392742256872692), (0.5 - 0.1699905217924281, 0.3260725774312731),
         (0.5 + 0.1699905217924281, 0.3260725774312731), (0.5 + 0.4305681557970263, 0.17392742256872692)]


class Direction:
    """The section seen from the compressed side towards (cos t, sin t): depths u below the
    most compressed vertex, positions a along the neutral axis."""

    def __init__(self, rings, bars, theta):
        self.k, self.s = math.cos(theta), math.sin(theta)
        poly = [p for ring in rings for p in ring]
        depth = lambda x, y: -(x * self.k + y * self.s)
        along = lambda x, y: -x * self.s + y * self.k
        self.top = min(depth(x, y) for x, y in poly)
        self.h = max(depth(x, y) for x, y in poly) - self.top
        self.edges = [(depth(*p) - self.top, along(*p), depth(*q) - self.top, along(*q))
                      for ring in rings for p, q in zip(ring, ring[1:] + ring[:1])]
        self.corners = sorted({e[0] for e in self.edges})
        self.bars = [(depth(x, y) - self.top, x, y, area) for x, y, area in bars]
        self.dmax = max(0.0, max(b[0] for b in self.bars))

    def chord(self, u):
        """The width of the section at depth u and the first moment of its chords about a = 0,
        from the edges it crosses: signed by the edge's way, outlines turning one way and
        holes the other, the sum counts what lies inside."""
        w = m = 0.0
        for u0, a0, u1, a1 in self.edges:
            if (u0 <= u) != (u1 <= u):
                a = a0 + (a1 - a0) * (u - u0) / (u1 - u0)
                sign = 1 if u1 > u0 else -1
                w += sign * a
                m += sign * a * a / 2
        return w, m

    def point(self, u, a):  # back to x, y
        d = self.top + u
        return -d * self.k - a * self.s, -d * self.s + a * self.k

    def resultants(self, x):
        kappa = EPS_CU / x if x > 0 else 1e30
        if self.dmax > x:
            kappa = min(kappa, EPS_UD / (self.dmax - x))
        if x > self.h:
            kappa = min(kappa, EPS_C2 / (x - (1 - EPS_C2 / EPS_CU) * self.h))
        # Pieces between the corners' depths and the law's: the neutral axis and eps_c2.
        cuts = set(self.corners) | {x, x - EPS_C2 / kappa}
        cuts = sorted(c for c in cuts if 0 <= c <= self.h)
        N = Mx = My = 0.0
        for u0, u1 in zip(cuts, cuts[1:]):
            for g, weight in GAUSS:
                u = u0 + g * (u1 - u0)
                f = concrete((u - x) * kappa) * weight * (u1 - u0)
                if f == 0:
                    continue
                w, m = self.chord(u)
                cx, cy = self.point(u, 0)
                # x = cx - a s, y = cy + a k over the chord: m is its first moment in a.
                N += f * w
                Mx -= f * (cy * w + self.k * m)
                My -= f * (cx * w - self.s * m)
        for u, bx, by, area in self.bars:
            e = (u - x) * kappa
            f = (steel(e) - concrete(e)) * area  # the bar displaces its concrete
            N += f
            Mx -= by * f
            My -= bx * f
        return N, Mx, My, kappa

    def at(self, Ned):
        lo, hi = -1 + 1e-12, 1 - 1e-12
        for _ in range(70):
            t = (lo + hi) / 2
            x = self.h / 2 * (math.tan(math.pi / 2 * t) + 1)
            N, Mx, My, kappa = self.resultants(x)
            if N > Ned:
                lo = t
            else:
                hi = t
        return x, Mx, My, kappa


def wrap(a):
    return math.remainder(a, 2 * math.pi)


def resisting(rings, bars, Ned, phi):
    samples = [k * 2 * math.pi / 72 for k in range(73)]
    g = [wrap(math.atan2(s[2], s[1]) - phi) for s in (Direction(rings, bars, t).at(Ned) for t in samples)]
    for i in range(72):
        if g[i] * g[i + 1] <= 0 and abs(g[i + 1] - g[i]) < math.pi:
            lo, hi, s0 = samples[i], samples[i + 1], g[i]
            break
    else:
        return None  # no moment in that direction: Ned beyond the capacities
    for _ in range(45):
        mid = (lo + hi) / 2
        d = Direction(rings, bars, mid)
        x, Mx, My, kappa = d.at(Ned)
        if wrap(math.atan2(My, Mx) - phi) * s0 > 0:
            lo = mid
        else:
            hi = mid
    return mid, d, x, Mx, My, kappa


def web_shear(b, d, nb, Asw, st, Ned, area):
    cot = 1 / math.tan(45.0 * math.pi / 180)
    z = 0.9 * d
    sigma = Ned / area
    assert sigma > -0.25 * FCD, "the oracle's cases: tension or a small compression"
    alpha = 1.0 if sigma >= 0 else 1 + abs(sigma) / FCD
    return min(nb * z * Asw / st * FYD * cot, z * b * alpha * (NU * FCD) * cot / (cot * cot + 1))


def radial_ratio(rings, bars, Ned, Mx, My):
    """The factor that takes (Ned, Mx, My) to the boundary, by bisection on the scale."""
    M, phi = math.hypot(Mx, My), math.atan2(My, Mx)
    def inside(scale):
        found = resisting(rings, bars, scale * Ned, phi)
        return found is not None and scale * M <= math.hypot(*found[3:5])

    lo, hi = 0.0, 1.0
    while inside(hi):
        lo, hi = hi, 2 * hi
    for _ in range(30):
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if inside(mid) else (lo, mid)
    return 1 / lo


def main(folder, contour):
    outlines, holes, bars, shear, reference, (Ned, Mx, My, Vx, Vy) = read_case(folder)
    cx, cy = reference or centroid(outlines, holes)
    turned = lambda ring, sign: ring if sign * signed_area(ring) > 0 else ring[::-1]
    rings = [[(x - cx, y - cy) for x, y in turned(r, 1)] for r in outlines]
    rings += [[(x - cx, y - cy) for x, y in turned(r, -1)] for r in holes]
    bars = [(x - cx, y - cy, a) for x, y, a in bars]
    if contour:
        for k in range(73):
            _, Mkx, Mky, _ = Direction(rings, bars, k % 72 * 2 * math.pi / 72).at(Ned)
            print(f"{Mkx * 1e-6:8.2f} {Mky * 1e-6:8.2f}")
        return
    M = math.hypot(Mx, My)
    theta, d, x, Mrdx, Mrdy, kappa = resisting(rings, bars, Ned, math.atan2(My, Mx) if M > 0 else 0)
    Mrd = math.hypot(Mrdx, Mrdy)
    MRx = resisting(rings, bars, Ned, 0)[3]
    MRy = resisting(rings, bars, Ned, math.pi / 2)[4]
    alpha = math.degrees(theta) - 90
    alpha -= 180 * round(alpha / 180)
    if alpha <= -90:
        alpha += 180
    eps_c, eps_s = -x * kappa, (d.dmax - x) * kappa
    assert abs(-eps_c - EPS_CU) < 1e-9 and x <= d.dmax, "the oracle's cases: campo 3 or 4"
    campo = 3 if eps_s >= FYD / ES else 4
    rows = [("Mrd", Mrd * 1e-6), ("Mrdx", Mrdx * 1e-6), ("Mrdy", Mrdy * 1e-6), ("rho_M", M / Mrd),
            ("MRx", MRx * 1e-6), ("MRy", MRy * 1e-6)]
    if shear:
        area = sum(abs(signed_area(r)) for r in outlines) - sum(abs(signed_area(r)) for r in holes)
        Asw, nbx, nby, st, bx, by, dx, dy = shear
        Vrdx = web_shear(bx, dx, nbx, Asw, st, Ned, area)
        Vrdy = web_shear(by, dy, nby, Asw, st, Ned, area)
        rows += [("Vrdx", Vrdx * 1e-3), ("Vrdy", Vrdy * 1e-3), ("rho_V", math.hypot(Vx / Vrdx, Vy / Vrdy))]
    else:
        rows += [("Vrdx", 0), ("Vrdy", 0), ("rho_V", 999.99)]
    rows += [("epsilon", x / d.dmax), ("alpha", alpha), ("campo", campo),
             ("rho_rad", radial_ratio(rings, bars, Ned, Mx, My) if M > 0 else 0)]
    for name, value in rows:
        print(f"{name:8s}{value:14.6f}")


if __name__ == "__main__":
    main(sys.argv[-1], "--contour" in sys.argv)
