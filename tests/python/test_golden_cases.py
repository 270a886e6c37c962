"""The sections of the golden cases verified from Python: the numbers of the files the
program wrote, and the very doubles of the C++ library."""
import pytest

import quilex
from conftest import (CASES, Case, bits, plotted_points, reference_doubles,
                      results_block, verified_case_names)

CASE_NAMES = verified_case_names()
UNIAXIAL = [name for name in CASE_NAMES if Case(name).type not in "DP"]
# The program writes domplot.txt for a type-D or P section only when it resisted the actions.
BIAXIAL_PLOTTED = [name for name in CASE_NAMES if Case(name).type in "DP"
                   and not (CASES / name / "before-domplot.txt").exists()
                   and Case(name).points]


def test_the_reference_cases_are_among_them():
    for name in ("ref-R", "ref-T", "ref-C", "ref-D", "ref-R-negative", "ref-C-odd",
                 "ref-D-corner", "ref-R-outside", "ref-T-inverted"):
        assert name in CASE_NAMES


@pytest.mark.parametrize("name", CASE_NAMES)
def test_results_block_is_the_golden_one(name):
    case = Case(name)
    # The ATTENTION lines of a section not verified follow the block.
    assert case.results.startswith(results_block(case.verify()))


@pytest.mark.parametrize("name", UNIAXIAL)
def test_domain_is_the_golden_domplot(name):
    case = Case(name)
    points = quilex.domain(case.section, case.materials)
    assert points.shape == (101, 2)
    assert plotted_points(points, (-0.001, 1e-6)) == case.points


@pytest.mark.parametrize("name", BIAXIAL_PLOTTED)
def test_contour_is_the_golden_domplot(name):
    case = Case(name)
    v = case.verify()
    assert v.bending in (quilex.BendingOutcome.Resisted, quilex.BendingOutcome.OutsideDomain)
    if case.type == "D":  # a polygon section's contour is drawn apart
        assert plotted_points(v.contour, (1e-6, 1e-6)) == case.points
    contour = quilex.contour(case.section, case.materials, case.actions["Ned"])
    assert contour.shape == (73, 2)
    assert plotted_points(contour, (1e-6, 1e-6)) == case.points


def _same(reference, value):
    """A value of the helper's output against the module's."""
    if reference == "None":
        return value is None
    if value is None:
        return False
    if isinstance(value, int):
        return int(reference) == value
    return bits(float.fromhex(reference)) == bits(value)


@pytest.mark.parametrize("name", CASE_NAMES)
def test_same_doubles_as_the_cpp_library(name):
    case = Case(name)
    reference = reference_doubles(name)
    v = case.verify()
    fields = [name for name in reference if "[" not in name and not name.startswith("state.")]
    for field in fields:
        value = getattr(v, field)
        if isinstance(value, (quilex.BendingOutcome, quilex.ShearOutcome)):
            value = int(value)
        assert _same(reference[field], value), field
    if case.type in "DP":
        point_lists = {"moment_contour": quilex.contour(case.section, case.materials,
                                                        case.actions["Ned"])}
        if case.type == "D":
            point_lists["contour"] = v.contour
    else:
        assert (v.state is None) == ("state.t" not in reference)
        for field in [name for name in reference if name.startswith("state.")]:
            assert _same(reference[field], getattr(v.state, field[len("state."):])), field
        point_lists = {"domain": quilex.domain(case.section, case.materials)}
    for list_name, points in point_lists.items():
        expected = [reference[key] for key in reference if key.startswith(list_name + "[")]
        assert len(points) == len(expected), list_name
        for (x, y), (ref_x, ref_y) in zip(points.tolist(), expected):
            assert bits(x) == bits(float.fromhex(ref_x)), list_name
            assert bits(y) == bits(float.fromhex(ref_y)), list_name


def test_outcomes_of_the_golden_cases():
    outside = Case("ref-R-outside").verify()
    assert outside.bending == quilex.BendingOutcome.AxialForceOutsideDomain
    assert outside.shear == quilex.ShearOutcome.CompressionOutOfRange
    assert (outside.rho_M, outside.rho_V, outside.epsilon, outside.state) == (None,) * 4
    assert outside.campo == 0 and not outside.verified

    assert Case("ref-R").verify().verified
    assert not Case("ref-T").verify().verified  # rho_V = 1.16
    assert Case("ref-D").verify().verified

    no_bracket = Case("d-no-bracket").verify()
    assert no_bracket.bending == quilex.BendingOutcome.DirectionNotFound
    assert no_bracket.alpha is None and not no_bracket.verified
    # Outside the domain although rho_M is at most 1: between zero and the near end.
    for name, near, far in (("rtc-R-outside-near-tension", 18.28e6, 33.35e6),
                            ("d-outside-contour", 61.87e6, 83.87e6)):
        beyond = Case(name).verify()
        assert beyond.bending == quilex.BendingOutcome.OutsideDomain and not beyond.verified
        assert beyond.moments_at_Ned == pytest.approx((near, far), abs=0.005e6)
    unconverged = Case("d-sweep-unconverged").verify()
    assert unconverged.bending == quilex.BendingOutcome.SampleNotConverged


def test_outcomes_of_settings_and_stirrups(reference_rectangle, italy):
    short = quilex.verify(reference_rectangle, italy, Ned=-500e3, Med=150e6, Ved=100e3,
                          settings=quilex.Settings(max_iterations=5))
    assert short.bending == quilex.BendingOutcome.NotConverged
    assert short.Mrd == 0 and short.state is None

    flat = quilex.verify(reference_rectangle, italy, Ned=0, Med=100e6, Ved=50e3,
                         settings=quilex.Settings(strut_angle=20))  # cot 2.75
    assert flat.shear == quilex.ShearOutcome.StrutAngleOutOfRange
    assert flat.rho_V is None and not flat.verified

    no_legs = quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48,
                               stirrups=quilex.Stirrups(Asw=50.27, nb=0, st=150))
    none = quilex.verify(no_legs, italy, Ned=0, Med=100e6, Ved=50e3)
    assert none.shear == quilex.ShearOutcome.NoStirrups
    assert none.Vrd == 0 and none.rho_V is None
