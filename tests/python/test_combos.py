"""verify_many() and the command quilex-combos give the same numbers for the same table: the
module's doubles, scaled and rounded as risu-MN.txt prints them, are the command's fields."""
import csv
import io
import os
import shutil
import subprocess

import numpy as np
import pytest

import quilex
from conftest import CASES, Case

COMBOS = os.environ.get("QUILEX_COMBOS_BINARY", "")

# Column of risu-combinations.csv: (result field, scale, printed value of an absent one).
UNIAXIAL = {"Mrd_kNm": ("Mrd", 1e-6, None), "rho_M": ("rho_M", None, "999.99"),
            "Vrd_kN": ("Vrd", 0.001, None), "rho_V": ("rho_V", None, "999.99"),
            "epsilon": ("epsilon", None, "0.00")}
BIAXIAL = {"Mrd_kNm": ("Mrd", 1e-6, None), "Mrdx_kNm": ("Mrdx", 1e-6, None),
           "Mrdy_kNm": ("Mrdy", 1e-6, None), "rho_M": ("rho_M", None, "999.99"),
           "MRx_kNm": ("MRx", 1e-6, "0.00"), "MRy_kNm": ("MRy", 1e-6, "0.00"),
           "Vrdx_kN": ("Vrdx", 0.001, None), "Vrdy_kN": ("Vrdy", 0.001, None),
           "rho_V": ("rho_V", None, "999.99"), "epsilon": ("epsilon", None, "0.00")}


def printed(value, scale, absent):
    """Two decimals, rounded from the binary value as the program's files round them."""
    if np.isnan(value):
        return absent
    if scale is not None:
        value = value * scale
    return f"{value:.2f}"


def run_combos(tmp_path, name, header, table):
    shutil.copy(CASES / name / "sezi.txt", tmp_path / "sezi.txt")
    shutil.copy(CASES / name / "mate.txt", tmp_path / "mate.txt")
    rows = [",".join(header)] + [",".join(repr(float(v)) for v in row) for row in table]
    (tmp_path / "combinations.csv").write_text("\n".join(rows) + "\n")
    subprocess.run([COMBOS, "--quiet", str(tmp_path)], check=False)
    text = (tmp_path / "risu-combinations.csv").read_bytes().decode()
    return list(csv.DictReader(io.StringIO(text, newline="")))


@pytest.mark.skipif(not COMBOS, reason="quilex-combos not built")
@pytest.mark.parametrize("name", ["ref-R", "ref-T-inverted", "ref-C-odd"])
def test_uniaxial_table_as_the_command_prints_it(tmp_path, name):
    case = Case(name)
    domain = quilex.domain(case.section, case.materials)
    forces = list(np.linspace(1.02 * domain[0, 0], 1.02 * domain[50, 0], 7))
    table = [(N, M, V) for N in forces for M in (-150e6, 0.0, 90e6) for V in (0.0, 1.2e5)]
    many = quilex.verify_many(case.section, case.materials, table)
    rows = run_combos(tmp_path, name, ["Ned", "Med", "Ved"], table)
    assert len(rows) == len(table)
    for i, row in enumerate(rows):
        for column, (field, scale, absent) in UNIAXIAL.items():
            assert row[column] == printed(many[field][i], scale, absent), (i, column)
        assert row["campo"] == str(int(many["campo"][i])), i
        assert row["verified"] == ("yes" if many["verified"][i] else "no"), i
        v = quilex.verify(case.section, case.materials, **dict(zip(case.actions, table[i])))
        assert "; ".join(v.reasons) == row["reason"], i


@pytest.mark.skipif(not COMBOS, reason="quilex-combos not built")
def test_bar_section_table_as_the_command_prints_it(tmp_path):
    case = Case("ref-D")
    table = [case.table_row(), (0, 0, 0, 0, 0), (-5e6, 1e8, 0, 0, 1e4), (8e4, -2e7, -2e7, 1e4, 2e4)]
    many = quilex.verify_many(case.section, case.materials, table)
    rows = run_combos(tmp_path, "ref-D", ["Ned", "Mx", "My", "Vx", "Vy"], table)
    assert len(rows) == len(table)
    for i, row in enumerate(rows):
        for column, (field, scale, absent) in BIAXIAL.items():
            assert row[column] == printed(many[field][i], scale, absent), (i, column)
        alpha = many["alpha"][i]
        expected_alpha = many["last_trial_angle"][i] if np.isnan(alpha) else alpha
        assert row["alpha"] == f"{expected_alpha:.2f}", i
        assert row["verified"] == ("yes" if many["verified"][i] else "no"), i
        v = quilex.verify(case.section, case.materials, **dict(zip(case.actions, table[i])))
        assert "; ".join(v.reasons) == row["reason"], i
