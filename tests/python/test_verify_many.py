"""verify_many(): a table of combinations equals a loop of verify(), bit for bit, whatever
the threads and the form of the table."""
import subprocess
import sys
import threading

import numpy as np
import pytest

import quilex
from conftest import Case, bits

UNIAXIAL_COLUMNS = ["Mrd", "rho_M", "Vrd", "rho_V", "epsilon", "campo", "verified", "bending",
                    "shear"]
BIAXIAL_COLUMNS = ["Mrd", "Mrdx", "Mrdy", "rho_M", "MRx", "MRy", "Vrdx", "Vrdy", "rho_V",
                   "epsilon", "alpha", "campo", "verified", "bending", "shear_x", "shear_y",
                   "last_trial_angle"]


def uniaxial_table(case):
    """Axial forces from beyond the compressive to beyond the tensile capacity (zero and the
    case's own among them), moments of both signs and zero, shear with and without."""
    domain = quilex.domain(case.section, case.materials)
    Nc, Ns = domain[0, 0], domain[50, 0]
    forces = list(np.linspace(1.05 * Nc, 1.05 * Ns, 9)) + [0.0, Nc, Ns, case.actions["Ned"]]
    moments = [-250e6, -1e6, 0.0, 80e6, 400e6, case.actions["Med"]]
    return [(N, M, V) for N in forces for M in moments for V in (0.0, case.actions["Ved"])]


def loop_of_verify(case, table, **settings):
    return [quilex.verify(case.section, case.materials, **dict(zip(case.actions, row)),
                          **settings) for row in table]


def assert_rows_are(result, results, columns):
    assert list(result) == columns
    assert all(len(array) == len(results) for array in result.values())
    for i, v in enumerate(results):
        for column in columns:
            value = getattr(v, column)
            got = result[column][i]
            if column in ("campo", "bending", "shear", "shear_x", "shear_y"):
                assert got == int(value), (i, column)
            elif column == "verified":
                assert got == value, (i, column)
            elif value is None:
                assert np.isnan(got), (i, column)
            else:
                assert bits(float(got)) == bits(value), (i, column)


@pytest.mark.parametrize("name", ["ref-R", "ref-T-inverted", "ref-C", "rtc-C-even-negative"])
def test_table_equals_a_loop_of_verify(name):
    case = Case(name)
    table = uniaxial_table(case)
    results = loop_of_verify(case, table)
    outcomes = {v.bending for v in results}
    assert {quilex.BendingOutcome.Resisted,
            quilex.BendingOutcome.AxialForceOutsideDomain} <= outcomes
    for threads in (None, 1, 3):
        many = quilex.verify_many(case.section, case.materials, np.array(table), threads=threads)
        assert_rows_are(many, results, UNIAXIAL_COLUMNS)


def test_bar_section_table_equals_a_loop_of_verify():
    case = Case("ref-D")
    table = [case.table_row(), (0, 0, 0, 0, 0), (-5e6, 1e8, 0, 0, 1e4), (8e4, -2e7, -2e7, 1e4, 2e4),
             (-1e6, -5e7, 3e7, 0, 0)]
    results = loop_of_verify(case, table)
    for threads in (None, 1):
        many = quilex.verify_many(case.section, case.materials, table, threads=threads)
        assert_rows_are(many, results, BIAXIAL_COLUMNS)


def test_settings_reach_every_row(reference_rectangle, italy):
    coarse = quilex.Settings(strips=10, tolerance=1.0, strut_angle=30)
    table = [(-500e3, 150e6, 100e3), (0, -80e6, 20e3)]
    case = Case("ref-R")
    results = loop_of_verify(case, table, settings=coarse)
    assert_rows_are(quilex.verify_many(reference_rectangle, italy, table, settings=coarse),
                    results, UNIAXIAL_COLUMNS)
    default = quilex.verify_many(reference_rectangle, italy, table)
    assert not np.array_equal(default["Mrd"], quilex.verify_many(
        reference_rectangle, italy, table, settings=coarse)["Mrd"])


class ArrayLike:
    """A table that is no sequence but converts to an array, as a pandas DataFrame does."""

    def __init__(self, rows):
        self.rows = rows

    def __array__(self, dtype=None):
        return np.array(self.rows, dtype=dtype)


def test_every_form_of_table_gives_the_same(reference_rectangle, italy):
    rows = [(-500e3, 150e6, 100e3), (0, 300e6, 50e3), (-200e3, -120e6, 0)]
    expected = quilex.verify_many(reference_rectangle, italy, np.array(rows))
    forms = [rows, [list(row) for row in rows], tuple(rows), (row for row in rows),
             ArrayLike(rows), np.array(rows, dtype=np.float32).astype(np.float64),
             np.asfortranarray(np.array(rows)), np.array(rows)[::1],
             [(int(a), int(b), int(c)) for a, b, c in rows]]
    for table in forms:
        result = quilex.verify_many(reference_rectangle, italy, table)
        for column in expected:
            assert np.array_equal(result[column], expected[column], equal_nan=True), column


def test_tables_with_column_names_are_read_by_name(reference_rectangle, italy):
    pd = pytest.importorskip("pandas")
    rows = {"Ned": [-500e3, 584e3], "Med": [150e6, 0], "Ved": [100e3, 50e3]}
    expected = quilex.verify_many(reference_rectangle, italy, np.array(list(zip(*rows.values()))))
    frame = pd.DataFrame({"member": ["B1", "B1"], **rows, "name": ["ULS 1", "ULS 2"]})
    structured = np.array(list(zip(rows["Med"], rows["Ved"], rows["Ned"])),
                          dtype=[("MED", float), ("ved", float), ("Ned", float)])
    for table in (frame, frame[["Ved", "name", "Med", "Ned"]], rows, structured,
                  frame.astype({"Ned": "Int64", "Med": "Float64"})):
        result = quilex.verify_many(reference_rectangle, italy, table)
        assert np.array_equal(result["rho_M"], expected["rho_M"], equal_nan=True)
        assert np.array_equal(result["verified"], [True, False])  # ULS 2: outside the domain
    assert quilex.verify_many(reference_rectangle, italy, frame)["name"] == ["ULS 1", "ULS 2"]
    with pytest.raises(ValueError, match="no column Ved"):
        quilex.verify_many(reference_rectangle, italy, frame[["Ned", "Med"]])
    missing = frame.astype({"Ned": "Int64"})
    missing.loc[1, "Ned"] = pd.NA
    with pytest.raises(ValueError, match="table.Ned holds missing values"):
        quilex.verify_many(reference_rectangle, italy, missing)
    masked = np.ma.masked_array([[-500e3, 150e6, 100e3]], mask=[[0, 1, 0]])
    with pytest.raises(ValueError, match="masked values"):
        quilex.verify_many(reference_rectangle, italy, masked)


def test_optional_fields_default_to_none(italy):
    # No bars in a layer, no stirrups: shear is not resisted, and said so.
    bare = quilex.Rectangle(B=300, H=500, c=40)
    assert bare.stirrups == quilex.Stirrups() and bare.As_top == bare.As_bottom == 0
    v = quilex.verify(bare, italy, Ned=-500e3, Med=10e6, Ved=1e3)
    assert v.shear == quilex.ShearOutcome.NoStirrups and not v.verified


def test_an_integer_table_is_read_as_its_numbers(reference_rectangle, italy):
    table = [(-500000, 150000000, 100000), (0, -90000000, 0)]
    as_integers = quilex.verify_many(reference_rectangle, italy, np.array(table, dtype=np.int64))
    as_floats = quilex.verify_many(reference_rectangle, italy, np.array(table, dtype=np.float64))
    for column in as_floats:
        assert np.array_equal(as_integers[column], as_floats[column], equal_nan=True), column


def test_empty_table(reference_rectangle, italy):
    for table in ([], np.empty((0, 3))):
        result = quilex.verify_many(reference_rectangle, italy, table)
        assert list(result) == UNIAXIAL_COLUMNS
        assert all(array.shape == (0,) for array in result.values())


def test_result_dtypes(reference_rectangle, italy):
    result = quilex.verify_many(reference_rectangle, italy, [(-500e3, 150e6, 100e3)])
    assert result["Mrd"].dtype == np.float64
    assert result["campo"].dtype == np.int32
    assert result["verified"].dtype == np.bool_
    assert result["bending"].dtype == np.int8
    assert quilex.BendingOutcome(result["bending"][0]) is quilex.BendingOutcome.Resisted


def test_a_bad_row_names_itself_and_nothing_is_computed(reference_rectangle, italy):
    table = [(-500e3, 150e6, 100e3), (0, float("nan"), 1e3), (float("inf"), 0, 0)]
    with pytest.raises(quilex.InvalidInputError) as error:
        quilex.verify_many(reference_rectangle, italy, table)
    assert [field for field, _ in error.value.problems] == ["table[1].Med", "table[2].Ned"]
    assert "table[1].Med: Med must be a finite number" in str(error.value)


def test_many_bad_rows_name_the_first_few_and_count_the_rest(reference_rectangle, italy):
    table = np.full((100000, 3), np.nan)
    table[:, 2] = 0.0
    with pytest.raises(quilex.InvalidInputError) as error:
        quilex.verify_many(reference_rectangle, italy, table)
    assert [field for field, _ in error.value.problems] == [
        "table[0].Ned", "table[0].Med", "table[1].Ned", "table[1].Med", "table[2].Ned",
        "table[2].Med", "table[...].Ned", "table[...].Med"]
    assert "table[...].Med: 100000 rows in all have a Med that cannot be used" in str(error.value)


def test_section_problems_come_before_the_rows(italy):
    bad = quilex.Rectangle(B=0, H=500, c=40, As_top=0, As_bottom=0,
                           stirrups=quilex.Stirrups(Asw=0, nb=0, st=0))
    with pytest.raises(quilex.InvalidInputError) as error:
        quilex.verify_many(bad, italy, [(0, float("nan"), 0)], settings=quilex.Settings(strips=0))
    assert [field for field, _ in error.value.problems] == ["B", "table[0].Med",
                                                              "settings.strips"]


@pytest.mark.parametrize("table", [np.zeros((4, 5)), np.zeros(3), np.zeros((2, 3, 1)),
                                   [(1.0, 2.0)], [(1.0, 2.0, 3.0, 4.0)]])
def test_a_table_of_another_shape_is_a_value_error(reference_rectangle, italy, table):
    with pytest.raises(ValueError, match="table"):
        quilex.verify_many(reference_rectangle, italy, table)


@pytest.mark.parametrize("table", ["1 2 3", [("1", 2, 3)], [(1, None, 3)], [1, 2, 3],
                                   np.array([["a", "b", "c"]]), np.ones((2, 3), dtype=bool), 42])
def test_a_table_of_something_else_is_a_type_error(reference_rectangle, italy, table):
    with pytest.raises(TypeError, match="table"):
        quilex.verify_many(reference_rectangle, italy, table)


def test_threads_must_be_positive(reference_rectangle, italy):
    with pytest.raises(ValueError, match="threads"):
        quilex.verify_many(reference_rectangle, italy, [(0, 0, 0)], threads=0)


def test_threads_the_system_refuses_are_done_without(tmp_path):
    """Under an address-space limit that leaves room for a few thread stacks only, the rows
    are computed by the threads that could start, with a warning, and the same numbers."""
    script = tmp_path / "limited.py"
    script.write_text("""
import resource, warnings
import numpy as np
import quilex
section = quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48,
                           stirrups=quilex.Stirrups(Asw=50.27, nb=2, st=150))
materials = quilex.materials("IT", "B450C", "C25/30")
table = np.tile([(-500e3, 150e6, 100e3)], (2000, 1))
alone = quilex.verify_many(section, materials, table, threads=1)
with open("/proc/self/status") as status:
    size = next(int(line.split()[1]) for line in status if line.startswith("VmSize"))
limit = (size + 64 * 1024) * 1024  # about eight stacks of 8 MiB more
hard = resource.getrlimit(resource.RLIMIT_AS)[1]
resource.setrlimit(resource.RLIMIT_AS, (limit, hard))
with warnings.catch_warnings(record=True) as caught:
    warnings.simplefilter("always")
    many = quilex.verify_many(section, materials, table, threads=64)
resource.setrlimit(resource.RLIMIT_AS, (hard, hard))
assert all(np.array_equal(many[c], alone[c]) for c in alone)
assert len(caught) == 1 and issubclass(caught[0].category, RuntimeWarning), caught
print(caught[0].message)
""")
    run = subprocess.run([sys.executable, str(script)], capture_output=True, text=True,
                         timeout=120)
    assert run.returncode == 0, run.stderr
    assert run.stdout.startswith("verify_many: 64 threads wanted, ")


def test_other_python_threads_run_meanwhile(reference_rectangle, italy):
    """The computation holds no GIL: the main thread keeps running Python code while
    another thread is inside verify_many()."""
    table = np.tile([(-500e3, 150e6, 100e3)], (20000, 1))
    done = threading.Event()
    worker = threading.Thread(target=lambda: (
        quilex.verify_many(reference_rectangle, italy, table, threads=1), done.set()))
    steps_while_computing = 0
    worker.start()
    while not done.is_set():
        steps_while_computing += 1
    worker.join()
    # Holding the GIL, the computation would have left the loop a handful of steps at most.
    assert steps_while_computing > 1000


def test_ctrl_c_stops_a_long_table():
    # In a child process, a long table of the type-D section (about a minute of work) and a
    # SIGINT after a moment: KeyboardInterrupt must end it long before the table would be done.
    script = f"""
import os, signal, sys, threading
sys.path[:0] = {sys.path!r}
import quilex
from conftest import Case
case = Case("ref-D")
threading.Timer(0.5, os.kill, (os.getpid(), signal.SIGINT)).start()
try:
    quilex.verify_many(case.section, case.materials, [case.table_row()] * 2000)
except KeyboardInterrupt:
    print("interrupted")
"""
    run = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True,
                         timeout=30)
    assert run.stdout.strip() == "interrupted", run.stderr
