"""The module computes in the default floating-point environment and leaves the caller's
exactly as it was: rounding mode, raised flags and enabled traps."""
import ctypes
import ctypes.util
import platform
import subprocess
import sys

import numpy as np
import pytest

import quilex
from conftest import Case, bits

pytestmark = pytest.mark.skipif(platform.machine() != "x86_64" or sys.platform != "linux",
                                reason="<fenv.h> constants of glibc on x86-64")

FE_INVALID, FE_DIVBYZERO, FE_OVERFLOW, FE_UNDERFLOW, FE_INEXACT = 0x01, 0x04, 0x08, 0x10, 0x20
FE_ALL_EXCEPT = 0x3d
FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO = 0x000, 0x400, 0x800, 0xc00

libm = ctypes.CDLL(ctypes.util.find_library("m"))


def every_computation():
    """Each entry point once, on sections whose computation raises flags of its own: the
    type-D section of d-infinite-epsilon divides by zero."""
    rectangle, column = Case("ref-R"), Case("d-infinite-epsilon")
    return [
        lambda: quilex.materials("IT", "B450C", "C25/30").fyd,
        lambda: rectangle.verify().Mrd,
        lambda: column.verify().Mrd,
        lambda: quilex.domain(rectangle.section, rectangle.materials)[:, 1].tolist(),
        lambda: quilex.contour(column.section, column.materials, column.actions["Ned"]).tolist(),
        lambda: quilex.verify_many(rectangle.section, rectangle.materials,
                                   [rectangle.table_row()] * 4, threads=2)["Mrd"].tolist(),
        lambda: quilex.verify_many(column.section, column.materials, [column.table_row()],
                                   threads=1)["Mrd"].tolist(),
    ]


def test_the_computation_raises_no_flag_in_the_caller():
    for i, compute in enumerate(every_computation()):
        libm.feclearexcept(FE_ALL_EXCEPT)
        compute()
        assert libm.fetestexcept(FE_ALL_EXCEPT) == 0, i


def test_the_callers_flags_stay_raised():
    raised = FE_UNDERFLOW | FE_OVERFLOW | FE_INVALID
    for i, compute in enumerate(every_computation()):
        libm.feclearexcept(FE_ALL_EXCEPT)
        libm.feraiseexcept(raised)
        compute()
        assert libm.fetestexcept(FE_ALL_EXCEPT) == raised, i
    libm.feclearexcept(FE_ALL_EXCEPT)


@pytest.mark.parametrize("mode", [FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO])
def test_another_rounding_mode_neither_changes_the_numbers_nor_is_lost(mode):
    # Inputs are read in round-to-nearest, the one mode Python's own parsing supports.
    computations = every_computation()
    expected = [compute() for compute in computations]
    got = []
    assert libm.fesetround(mode) == 0
    try:
        for compute in computations:
            got.append(compute())
            assert libm.fegetround() == mode
    finally:
        libm.fesetround(FE_TONEAREST)
    flat = lambda values: [bits(x) for x in np.ravel(np.asarray(values, dtype=float))]
    for i, (a, b) in enumerate(zip(expected, got)):
        assert flat(a) == flat(b), i


def test_enabled_traps_stay_enabled_and_do_not_fire():
    # In a child process: a trap that fired would end it with SIGFPE.
    script = f"""
import ctypes, ctypes.util, sys
sys.path[:0] = {sys.path!r}
from conftest import Case
libm = ctypes.CDLL(ctypes.util.find_library("m"))
traps = {FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW}
column, rectangle = Case("d-infinite-epsilon"), Case("ref-R")
libm.feenableexcept(traps)
column.verify()
rectangle.verify()
enabled = libm.fegetexcept()
libm.fedisableexcept(traps)
print(enabled == traps)
"""
    run = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True)
    assert (run.returncode, run.stdout.strip()) == (0, "True"), run.stderr


def test_numpy_error_states_behave_as_before():
    before = np.geterr()
    for compute in every_computation():
        compute()
    assert np.geterr() == before
    with np.errstate(divide="raise"):
        with pytest.raises(FloatingPointError):
            np.divide(np.ones(1), np.zeros(1))
    with np.errstate(all="raise"):
        for compute in every_computation():
            compute()
        assert (np.ones(3) / 3).sum() == 1.0
