"""Errors: every value the computation cannot use names its field, unknown materials are
KeyErrors, and wrong types are TypeErrors."""
import pickle

import numpy as np
import pytest

import quilex

NAN = float("nan")
STIRRUPS = dict(Asw=50.27, nb=2, st=150)
RECTANGLE = dict(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48)
TSECTION = dict(BiNf=300, HiNf=450, BsUp=800, HsUp=150, c=50, As_top=603, As_bottom=1257)
CIRCLE = dict(D=400, c=40, nF=8, Df=16)
BARS = [(-110, -210, 314.16), (110, -210, 314.16), (-110, 210, 314.16), (110, 210, 314.16)]
BIAXIAL_STIRRUPS = dict(Asw=50.27, nbx=2, nby=2, st=200)


def rectangle(stirrups=None, **changes):
    return quilex.Rectangle(**{**RECTANGLE, **changes},
                            stirrups=quilex.Stirrups(**{**STIRRUPS, **(stirrups or {})}))


def tsection(stirrups=None, **changes):
    return quilex.TSection(**{**TSECTION, **changes},
                           stirrups=quilex.Stirrups(**{**STIRRUPS, **(stirrups or {})}))


def circle(stirrups=None, **changes):
    return quilex.Circle(**{**CIRCLE, **changes},
                         stirrups=quilex.Stirrups(**{**STIRRUPS, **(stirrups or {})}))


def bar_section(stirrups=None, **changes):
    values = {"B": 300, "H": 500, "bars": BARS, **changes}
    return quilex.RectangleWithBars(
        **values, stirrups=quilex.BiaxialStirrups(**{**BIAXIAL_STIRRUPS, **(stirrups or {})}))


UNIAXIAL_ACTIONS = dict(Ned=-500e3, Med=150e6, Ved=100e3)
BIAXIAL_ACTIONS = dict(Ned=-500e3, Mx=100e6, My=50e6, Vx=30e3, Vy=40e3)


@pytest.mark.parametrize("section, field", [
    (lambda: rectangle(B=0), "B"),
    (lambda: rectangle(H=NAN), "H"),
    (lambda: rectangle(c=250), "c"),
    (lambda: rectangle(c=-1), "c"),
    (lambda: rectangle(As_top=-1), "As_top"),
    (lambda: rectangle(As_bottom=float("inf")), "As_bottom"),
    (lambda: rectangle(stirrups=dict(Asw=-1)), "stirrups.Asw"),
    (lambda: rectangle(stirrups=dict(nb=-2)), "stirrups.nb"),
    (lambda: rectangle(stirrups=dict(st=0)), "stirrups.st"),
    (lambda: tsection(BiNf=0), "BiNf"),
    (lambda: tsection(HiNf=-1), "HiNf"),
    (lambda: tsection(BsUp=0), "BsUp"),
    (lambda: tsection(HsUp=0), "HsUp"),
    (lambda: tsection(c=300), "c"),
    (lambda: circle(D=0), "D"),
    (lambda: circle(c=200), "c"),
    (lambda: circle(nF=201), "nF"),
    (lambda: circle(Df=-16), "Df"),
])
def test_a_bad_section_value_names_its_field(section, field, italy):
    with pytest.raises(quilex.InvalidInputError) as error:
        quilex.verify(section(), italy, **UNIAXIAL_ACTIONS)
    assert isinstance(error.value, ValueError)
    # The first problem is the bad value's (a bad depth also makes the cover wrong).
    assert error.value.problems[0][0] == field
    assert str(error.value).startswith(field + ": ")
    # The domain checks the same.
    with pytest.raises(quilex.InvalidInputError, match=field):
        quilex.domain(section(), italy)


@pytest.mark.parametrize("section, field", [
    (lambda: bar_section(B=-300), "B"),
    (lambda: bar_section(H=0), "H"),
    (lambda: bar_section(bars=[]), "bars"),
    (lambda: bar_section(bars=[(0, 0, 100)] * 201), "bars"),
    (lambda: bar_section(bars=[(0, 0, 100), (151, 0, 100)]), "bars[1]"),
    (lambda: bar_section(bars=[(0, NAN, 100)]), "bars[0].y"),
    (lambda: bar_section(bars=[(0, 0, -1)]), "bars[0].area"),
    (lambda: bar_section(stirrups=dict(nbx=-1)), "stirrups.nbx"),
    (lambda: bar_section(stirrups=dict(nby=-1)), "stirrups.nby"),
    (lambda: bar_section(stirrups=dict(st=-5)), "stirrups.st"),
])
def test_a_bad_bar_section_value_names_its_field(section, field, italy):
    with pytest.raises(quilex.InvalidInputError) as error:
        quilex.verify(section(), italy, **BIAXIAL_ACTIONS)
    assert error.value.problems[0][0] == field
    with pytest.raises(quilex.InvalidInputError, match=field.replace("[", r"\[")):
        quilex.contour(section(), italy, -500e3)


def test_materials_actions_and_settings_name_their_fields(reference_rectangle, italy):
    weak = quilex.MaterialSet(fyd=0, Es=200e3, eps_ud=0.0675, fcd=14.17, Ecm=31e3,
                              eps_c2=0.002, eps_cu=0.0035, nu=0.5)
    with pytest.raises(quilex.InvalidInputError, match="^fyd: "):
        quilex.verify(reference_rectangle, weak, **UNIAXIAL_ACTIONS)
    with pytest.raises(quilex.InvalidInputError, match="^Ved: "):
        quilex.verify(reference_rectangle, italy, Ned=0, Med=0, Ved=NAN)
    with pytest.raises(quilex.InvalidInputError, match="^Vy: "):
        quilex.verify(bar_section(), italy, **{**BIAXIAL_ACTIONS, "Vy": NAN})
    for settings, field in [(quilex.Settings(strips=0), "settings.strips"),
                            (quilex.Settings(tolerance=-1), "settings.tolerance"),
                            (quilex.Settings(max_iterations=0), "settings.max_iterations"),
                            (quilex.Settings(strut_angle=NAN), "settings.strut_angle")]:
        with pytest.raises(quilex.InvalidInputError, match="^" + field + ": "):
            quilex.verify(reference_rectangle, italy, **UNIAXIAL_ACTIONS, settings=settings)


def test_every_problem_is_listed_in_order(italy):
    with pytest.raises(quilex.InvalidInputError) as error:
        quilex.verify(rectangle(B=0, c=-1, As_bottom=-1), italy, Ned=NAN, Med=0, Ved=0)
    assert error.value.problems == [
        ("B", "B must be greater than 0"),
        ("c", "c must be at least 0 and less than half the depth"),
        ("As_bottom", "As[2] must not be negative"),
        ("Ned", "Ned must be a finite number"),
    ]
    assert str(error.value).splitlines() == [f"{f}: {m}" for f, m in error.value.problems]
    copy = pickle.loads(pickle.dumps(error.value))
    assert (type(copy), copy.problems, str(copy)) == (quilex.InvalidInputError,
                                                      error.value.problems, str(error.value))


@pytest.mark.parametrize("names, item, name", [
    (("XX", "B450C", "C25/30"), "design_code", "XX"),
    (("it", "B450C", "C25/30"), "design_code", "it"),
    (("IT", "S500B", "C25/30"), "steel_grade", "S500B"),  # not an IT grade
    (("DE", "S500B", "C25/35"), "concrete_class", "C25/35"),
    (("XX", "YY", "ZZ"), "design_code", "XX"),  # the first unknown, in that order
])
def test_an_unknown_material_is_a_key_error(names, item, name):
    with pytest.raises(quilex.UnknownMaterialError) as error:
        quilex.materials(*names)
    assert isinstance(error.value, KeyError)
    assert (error.value.item, error.value.name) == (item, name)
    assert str(error.value) == f"{item.replace('_', ' ')} '{name}' is not in the material database"
    copy = pickle.loads(pickle.dumps(error.value))
    assert (copy.item, copy.name, str(copy)) == (item, name, str(error.value))


def test_wrong_types_are_type_errors(reference_rectangle, italy):
    wrong = [
        lambda: quilex.Rectangle(**{**RECTANGLE, "B": "300"}, stirrups=quilex.Stirrups(**STIRRUPS)),
        lambda: quilex.Rectangle(**RECTANGLE, stirrups=None),
        lambda: quilex.Rectangle(**RECTANGLE, stirrups=dict(STIRRUPS)),
        lambda: quilex.Rectangle(300, 500, 40, 628.32, 942.48, quilex.Stirrups(**STIRRUPS)),
        lambda: quilex.Stirrups(Asw=50.27, nb=2.5, st=150),
        lambda: quilex.Circle(**{**CIRCLE, "nF": "8"}, stirrups=quilex.Stirrups(**STIRRUPS)),
        lambda: quilex.Settings(strips=1.5),
        lambda: quilex.materials("IT", "B450C", 25),
        lambda: quilex.verify(reference_rectangle, "IT", **UNIAXIAL_ACTIONS),
        lambda: quilex.verify(reference_rectangle, italy, Ned="0", Med=0, Ved=0),
        lambda: quilex.verify(reference_rectangle, italy, -500e3, 150e6, 100e3),
        lambda: quilex.verify(reference_rectangle, italy, **BIAXIAL_ACTIONS),
        lambda: quilex.verify(bar_section(), italy, **UNIAXIAL_ACTIONS),
        lambda: quilex.verify(reference_rectangle, italy, **UNIAXIAL_ACTIONS, settings=1),
        lambda: quilex.verify("R", italy, **UNIAXIAL_ACTIONS),
        lambda: quilex.domain(reference_rectangle, None),
        lambda: quilex.contour(reference_rectangle, italy, 0),
        lambda: quilex.Verification(),
    ]
    for i, call in enumerate(wrong):
        with pytest.raises(TypeError):
            call()
            pytest.fail(f"call {i} raised nothing")


def test_domain_of_a_bar_section_points_to_contour(italy):
    with pytest.raises(TypeError, match=r"contour\(section, materials, Ned\)"):
        quilex.domain(bar_section(), italy)


@pytest.mark.parametrize("bars, error, text", [
    ([(1, "a", 2)], TypeError, r"bars\[0\]\.y must be a number, not str"),
    ([(1, 2, 3), 4], TypeError, r"bars\[1\] must be a row of 3 numbers"),
    ("1 2 3", TypeError, "bars must be"),
    (None, TypeError, "bars must be"),
    ([(1, 2)], ValueError, r"bars\[0\] must hold 3 numbers \(x, y, area\), not 2"),
    (np.zeros((4, 2)), ValueError, r"shape \(n, 3\) of x, y, area, not of shape \(4, 2\)"),
    (np.array([[1, 2, "3"]]), TypeError, "bars must hold numbers"),
])
def test_bars_that_are_not_rows_of_three_numbers(bars, error, text):
    with pytest.raises(error, match=text):
        quilex.RectangleWithBars(B=300, H=500, bars=bars,
                                 stirrups=quilex.BiaxialStirrups(**BIAXIAL_STIRRUPS))
