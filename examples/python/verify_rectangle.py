#!/usr/bin/python3
"""Verifies the bundled rectangle (examples/rectangle) from Python, prints the result in
kN and kN·m as risu-MN.txt shows them, and, when matplotlib is installed, saves a plot of
its M-N interaction domain with the design point.

    PYTHONPATH=build/default/python /usr/bin/python3 examples/python/verify_rectangle.py [PLOT.png]

The plot goes to rectangle-domain.png in the current folder unless a path is given.
"""
import sys

import quilex

beam = quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48,
                        stirrups=quilex.Stirrups(Asw=50.27, nb=2, st=150))
materials = quilex.materials("IT", "B450C", "C25/30")
Ned, Med, Ved = -500e3, 150e6, 100e3  # N, N·mm, N (compression negative)

try:
    v = quilex.verify(beam, materials, Ned=Ned, Med=Med, Ved=Ved)
except quilex.InvalidInputError as error:
    sys.exit(f"quilex: {error}")

print(v)
print(f"Mrd     = {v.Mrd * 1e-6:8.2f} kNm")
if v.rho_M is not None:
    print(f"rho_M   = {v.rho_M:8.2f}")
print(f"Vrd     = {v.Vrd * 0.001:8.2f} kN")
if v.rho_V is not None:
    print(f"rho_V   = {v.rho_V:8.2f}")
if v.epsilon is not None:
    print(f"epsilon = {v.epsilon:8.2f}")
print(f"campo   = {v.campo:2d}")
print("verified" if v.verified else "not verified")

try:
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    print("(matplotlib is not installed: no plot)")
else:
    points = quilex.domain(beam, materials)  # (N in N, M in N·mm), 101 rows
    figure, axes = plt.subplots()
    # As domplot.txt: compression to the right, in kN and kN·m.
    axes.plot(-points[:, 0] * 1e-3, points[:, 1] * 1e-6, label="M-N domain")
    axes.plot([-Ned * 1e-3], [Med * 1e-6], "o", label="design point")
    axes.set_xlabel("-N [kN]")
    axes.set_ylabel("M [kN·m]")
    axes.grid(True)
    axes.legend()
    path = sys.argv[1] if len(sys.argv) > 1 else "rectangle-domain.png"
    figure.savefig(path, dpi=120)
    print(f"plot saved to {path}")

sys.exit(0 if v.verified else 1)
