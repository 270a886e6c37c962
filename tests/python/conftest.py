"""Shared pieces of the tests of the Python module: the golden case folders, read into
quilex values, and the layout the program gives their numbers in risu-MN.txt and
domplot.txt."""
import math
import os
import struct
import subprocess
from pathlib import Path

import pytest

import quilex

CASES = Path(os.environ.get("QUILEX_CASES_DIR", Path(__file__).resolve().parents[1] / "cases"))


def _lines(path):
    """The records of a free-form input file, each as its list of values."""
    return [line.replace(",", " ").split() for line in path.read_text().splitlines()]


class _Groups:
    """Reads groups of values as the program does: each group starts on a new record, may
    run over several, and leaves the rest of its last record unread."""

    def __init__(self, path):
        self.lines = _lines(path)
        self.next = 0

    def read(self, count):
        values = []
        while len(values) < count:
            values += self.lines[self.next]
            self.next += 1
        return values[:count]


class Case:
    """One folder of tests/cases: its section, materials and actions as quilex values, and
    the files the program wrote."""

    def __init__(self, name):
        self.name = name
        folder = CASES / name
        sezi = _Groups(folder / "sezi.txt")
        self.type = sezi.read(1)[0][0]
        if self.type == "R":
            B, H, c, Asw, nb, st = sezi.read(6)
            As_top, As_bottom = map(float, sezi.read(2))
            self.section = quilex.Rectangle(
                B=float(B), H=float(H), c=float(c), As_top=As_top, As_bottom=As_bottom,
                stirrups=self._stirrups(Asw, nb, st))
        elif self.type == "T":
            BiNf, HiNf, BsUp, HsUp, c, Asw, nb, st = sezi.read(8)
            As_top, As_bottom = map(float, sezi.read(2))
            self.section = quilex.TSection(
                BiNf=float(BiNf), HiNf=float(HiNf), BsUp=float(BsUp), HsUp=float(HsUp),
                c=float(c), As_top=As_top, As_bottom=As_bottom,
                stirrups=self._stirrups(Asw, nb, st))
        elif self.type == "C":
            D, c, nF, Df, Asw, nb, st = sezi.read(7)
            self.section = quilex.Circle(D=float(D), c=float(c), nF=int(nF), Df=float(Df),
                                         stirrups=self._stirrups(Asw, nb, st))
        elif self.type == "D":
            B, H, Asw, nbx, nby, st = sezi.read(6)
            (nbar,) = sezi.read(1)
            bars = [tuple(map(float, sezi.read(3))) for _ in range(int(nbar))]
            self.section = quilex.RectangleWithBars(
                B=float(B), H=float(H), bars=bars,
                stirrups=quilex.BiaxialStirrups(Asw=float(Asw), nbx=int(nbx), nby=int(nby),
                                                st=float(st)))
        elif self.type == "P":
            nout, nhole, nbar, nshear, nref = map(int, sezi.read(5))
            rings = [[tuple(map(float, sezi.read(2))) for _ in range(int(sezi.read(1)[0]))]
                     for _ in range(nout + nhole)]
            bars = [tuple(map(float, sezi.read(3))) for _ in range(nbar)]
            shear = {}
            if nshear:
                Asw, nbx, nby, st, bx, by, dx, dy = sezi.read(8)
                shear = dict(stirrups=quilex.BiaxialStirrups(Asw=float(Asw), nbx=int(nbx),
                                                             nby=int(nby), st=float(st)),
                             shear_width=(float(bx), float(by)),
                             effective_depth=(float(dx), float(dy)))
            reference = tuple(map(float, sezi.read(2))) if nref else None
            self.section = quilex.PolygonSection(outlines=rings[:nout], holes=rings[nout:],
                                                 bars=bars, reference=reference, **shear)
        names = [line.strip().strip("'\"").strip() for line in
                 (folder / "mate.txt").read_text().splitlines()[:3]]
        self.materials = quilex.materials(*names)
        action_names = (("Ned", "Mx", "My", "Vx", "Vy") if self.type in "DP"
                        else ("Ned", "Med", "Ved"))
        values = _Groups(folder / "slu-max.txt").read(len(action_names))
        self.actions = dict(zip(action_names, map(float, values)))
        self.results = (folder / "expected-risu-MN.txt").read_bytes().decode()
        self.points = (folder / "expected-domplot.txt").read_bytes().decode()

    @staticmethod
    def _stirrups(Asw, nb, st):
        return quilex.Stirrups(Asw=float(Asw), nb=int(nb), st=float(st))

    def verify(self, **settings):
        return quilex.verify(self.section, self.materials, **self.actions, **settings)

    def table_row(self):
        return tuple(self.actions.values())


def verified_case_names():
    """The cases whose run verified a section: a known type, a clean end, and a results
    block written by the run itself (not left from an earlier one)."""
    names = []
    for folder in sorted(CASES.iterdir()):
        if (folder / "expected-status").read_text().strip() != "0":
            continue
        sezi = folder / "sezi.txt"
        if not sezi.is_file() or sezi.read_text()[:1] not in "RTCDP":
            continue
        if (folder / "before-risu-MN.txt").exists():
            continue
        if not (folder / "expected-risu-MN.txt").read_text().startswith("Mrd"):
            continue
        names.append(folder.name)
    return names


@pytest.fixture(scope="session")
def reference_rectangle():
    """The bundled rectangle of examples/rectangle, as in the README."""
    return quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48,
                            stirrups=quilex.Stirrups(Asw=50.27, nb=2, st=150))


@pytest.fixture(scope="session")
def italy():
    return quilex.materials("IT", "B450C", "C25/30")


def f82(value):
    """A value as the F8.2 item of the program's formats writes it: printf's rounding,
    asterisks for a number too wide for the field, and a non-finite value as the longest
    word that fits."""
    if math.isnan(value):
        return f"{'NaN':>8}"
    if math.isinf(value):
        return f"{'Infinity' if value > 0 else '-Inf':>8}"
    text = f"{value:8.2f}"
    return text if len(text) <= 8 else "*" * 8


def results_block(v):
    """The results block of risu-MN.txt for a result, scaled, defaulted and formatted as the
    program writes it (1e-6 for moments, 0.001 for forces; 999.99 for a missing ratio)."""
    if isinstance(v, quilex.Verification):
        rows = [("Mrd", v.Mrd * 1e-6),
                ("rho_M", 999.99 if v.rho_M is None else v.rho_M),
                ("Vrd", v.Vrd * 0.001),
                ("rho_V", 999.99 if v.rho_V is None else v.rho_V),
                ("epsilon", 0.0 if v.epsilon is None else v.epsilon)]
    else:
        rows = [("Mrd", v.Mrd * 1e-6), ("Mrdx", v.Mrdx * 1e-6), ("Mrdy", v.Mrdy * 1e-6),
                ("rho_M", 999.99 if v.rho_M is None else v.rho_M),
                ("MRx", (v.MRx or 0.0) * 1e-6), ("MRy", (v.MRy or 0.0) * 1e-6),
                ("Vrdx", v.Vrdx * 0.001), ("Vrdy", v.Vrdy * 0.001),
                ("rho_V", 999.99 if v.rho_V is None else v.rho_V),
                ("epsilon", 0.0 if v.epsilon is None else v.epsilon),
                ("alpha", v.last_trial_angle if v.alpha is None else v.alpha)]
    lines = [f"{name:<8}= {f82(value)}" for name, value in rows]
    lines.append(f"{'campo':<8}= {v.campo:2d}")
    if isinstance(v, quilex.PolygonVerification):
        lines.append(f"{'rho_rad':<8}= {f82(999.99 if v.rho_radial is None else v.rho_radial)}")
    return "\r\n".join(lines) + "\r\n"


def plotted_points(points, scales):
    """Rows of an (n, 2) array as domplot.txt writes them, each column times its scale."""
    return "".join(f"{f82(a * scales[0])} {f82(b * scales[1])}\r\n" for a, b in points)


def bits(value):
    """The 64 bits of a double, so that equality means the same double (0.0 is not -0.0)."""
    return struct.pack("<d", value)


def reference_doubles(case_name):
    """The C++ library's results for a case folder, from the helper program: name -> text
    (a hexadecimal double, an integer, or None); point lists as name[i] -> (x, y)."""
    helper = os.environ.get("QUILEX_REFERENCE_DOUBLES")
    if not helper:
        pytest.skip("QUILEX_REFERENCE_DOUBLES is not set (ctest sets it)")
    output = subprocess.run([helper, str(CASES / case_name)], check=True, capture_output=True,
                            text=True).stdout
    values = {}
    for line in output.splitlines():
        name, *rest = line.split()
        values[name] = rest[0] if len(rest) == 1 else tuple(rest)
    return values
