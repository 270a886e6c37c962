"""The module as Python code meets it: values that behave as values, results that cannot
change, enums, arrays, stubs and docstrings."""
import ast
import enum
import re
from pathlib import Path

import numpy as np
import pytest

import quilex
from conftest import Case, bits


def test_documented_material_values_are_the_libraries_doubles():
    # The values of quilex/materials.hpp: single-precision constants widened to double.
    m = quilex.materials("IT", "B450C", "C25/30")
    assert (m.fyd, m.fcd, m.eps_ud, m.eps_cu, m.eps_c2, m.nu) == (
        391.3043559386286, 14.166667064030966, 0.06750000268220901, 0.0035000001080334187,
        0.0020000000949949026, 0.5)
    assert quilex.materials("IT  ", "B450C ", "C25/30 ") == m  # blank padding ignored
    with pytest.raises(AttributeError):
        m.fyd = 400


def test_sections_are_values(reference_rectangle):
    for section in (reference_rectangle, Case("ref-T").section, Case("ref-C").section,
                    Case("ref-D").section, quilex.Settings(strips=20)):
        copy = eval(repr(section), vars(quilex))
        assert copy == section and copy is not section
        assert copy != 1
        with pytest.raises(TypeError):
            hash(copy)


def test_a_changed_section_is_verified_as_changed(reference_rectangle, italy):
    section = eval(repr(reference_rectangle), vars(quilex))
    section.As_bottom = 1500
    section.stirrups.nb = 4  # the stirrups are the section's own
    assert section.stirrups.nb == 4 and reference_rectangle.stirrups.nb == 2
    fresh = quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=1500,
                             stirrups=quilex.Stirrups(Asw=50.27, nb=4, st=150))
    actions = dict(Ned=-500e3, Med=150e6, Ved=100e3)
    changed, expected = quilex.verify(section, italy, **actions), quilex.verify(fresh, italy,
                                                                               **actions)
    assert (bits(changed.Mrd), bits(changed.Vrd)) == (bits(expected.Mrd), bits(expected.Vrd))
    assert changed.Mrd != quilex.verify(reference_rectangle, italy, **actions).Mrd


def test_bars_read_back_as_a_read_only_array():
    case = Case("ref-D")
    bars = case.section.bars
    assert bars.shape == (4, 3) and bars.dtype == np.float64
    assert bars.tolist() == [[-110, -210, 314.16], [110, -210, 314.16], [-110, 210, 314.16],
                             [110, 210, 314.16]]
    with pytest.raises(ValueError):
        bars[0, 0] = 0
    section = eval(repr(case.section), vars(quilex))
    section.bars = np.array([[0, -200, 1000.0]])
    assert section.bars.tolist() == [[0, -200, 1000.0]]


def test_default_settings_are_the_programs(reference_rectangle, italy):
    actions = dict(Ned=-500e3, Med=150e6, Ved=100e3)
    default = quilex.verify(reference_rectangle, italy, **actions)
    explicit = quilex.verify(reference_rectangle, italy, **actions, settings=quilex.Settings())
    assert bits(default.Mrd) == bits(explicit.Mrd)
    assert quilex.Settings() == quilex.Settings(strips=100, tolerance=0.001,
                                                max_iterations=1000, strut_angle=45.0,
                                                parabola_exponent=quilex.ParabolaExponent.Two)
    # EN 1992-1-1's exponent reaches both ways of verifying: a C70/85 near pure
    # compression resists less with it.
    high = quilex.materials("IT", "B450C", "C70/85")
    en1992 = quilex.Settings(parabola_exponent=quilex.ParabolaExponent.EN1992)
    assert en1992.parabola_exponent is quilex.ParabolaExponent.EN1992
    squeezed = dict(Ned=-2000e3, Med=100e6, Ved=0)
    two = quilex.verify(reference_rectangle, high, **squeezed).Mrd
    lower = quilex.verify(reference_rectangle, high, **squeezed, settings=en1992).Mrd
    assert lower < 0.97 * two
    many = quilex.verify_many(reference_rectangle, high, [(-2000e3, 100e6, 0)], settings=en1992)
    assert bits(many["Mrd"][0]) == bits(lower)


def test_results_cannot_be_changed_and_read_well(reference_rectangle, italy):
    v = quilex.verify(reference_rectangle, italy, Ned=-500e3, Med=150e6, Ved=100e3)
    with pytest.raises(AttributeError):
        v.Mrd = 0
    assert repr(v) == ("Verification(verified=True, Mrd=237890310.1 N·mm, rho_M=0.6305, "
                       "Vrd=108583.2 N, rho_V=0.9210, epsilon=0.3936, campo=3, "
                       "bending=Resisted, shear=Resisted)")
    assert isinstance(v.state, quilex.UltimateState) and v.state.iterations > 0
    d = Case("ref-D").verify()
    assert repr(d).startswith("BiaxialVerification(verified=True, Mrd=144")
    assert "MRx=198" in repr(d) and "shear_y=Resisted" in repr(d)
    with pytest.raises(ValueError):
        d.contour[0, 0] = 0


def test_outcomes_are_int_enums():
    assert issubclass(quilex.BendingOutcome, enum.IntEnum)
    assert [m.name for m in quilex.BendingOutcome] == [
        "Resisted", "AxialForceOutsideDomain", "NotConverged", "SampleNotConverged",
        "DirectionNotFound", "OutsideDomain"]
    assert [m.name for m in quilex.ShearOutcome] == [
        "Resisted", "NoStirrups", "CompressionOutOfRange", "StrutAngleOutOfRange",
        "NoLeverArm", "NotChecked"]
    assert quilex.BendingOutcome.__module__ == "quilex"


def test_domain_and_contour_arrays(reference_rectangle, italy):
    points = quilex.domain(reference_rectangle, italy)
    assert points.shape == (101, 2) and points.dtype == np.float64
    assert points[100].tolist() == points[0].tolist()  # closed
    assert points[0, 0] < 0 < points[50, 0]  # compression first, tension in the middle
    points[:, 0] /= 1e3  # the caller's own array
    case = Case("ref-D")
    beyond = quilex.contour(case.section, case.materials, -1e9)
    assert beyond.shape == (0, 2) and beyond.dtype == np.float64


def stub_tree():
    stub = Path(quilex.__file__).parent / "__init__.pyi"
    return ast.parse(stub.read_text())


def public(names):
    return {name for name in names if not name.startswith("_")}


def test_stubs_and_marker_lie_beside_the_module():
    folder = Path(quilex.__file__).parent
    assert (folder / "py.typed").exists()
    assert Path(quilex.__file__).name.startswith("__init__.")


def test_stubs_name_what_the_module_holds():
    tree = stub_tree()
    top = {}
    for node in tree.body:
        if isinstance(node, (ast.ClassDef, ast.FunctionDef)):
            top[node.name] = node
        elif isinstance(node, ast.AnnAssign):
            top[node.target.id] = node
    assert public(top) == public(vars(quilex))
    for name, node in top.items():
        if not isinstance(node, ast.ClassDef):
            continue
        cls = getattr(quilex, name)
        stub_members = set()
        # A stub class lists its own members; those of its stub bases come with them.
        bodies = [node] + [top[b.id] for b in node.bases if isinstance(b, ast.Name) and b.id in top]
        for item in (item for n in bodies for item in n.body):
            if isinstance(item, ast.FunctionDef):
                stub_members.add(item.name)
            elif isinstance(item, (ast.AnnAssign, ast.Assign)):
                target = item.target if isinstance(item, ast.AnnAssign) else item.targets[0]
                stub_members.add(target.id)
        own = public(n for k in cls.__mro__ if k.__module__ == "quilex" for n in vars(k))
        assert public(stub_members) == own, name
        if "__init__" in stub_members and cls.__init__.__doc__:
            init = next(i for i in node.body if isinstance(i, ast.FunctionDef)
                        and i.name == "__init__")
            stub_names = [a.arg for a in init.args.kwonlyargs]
            runtime = re.findall(r"(\w+): ", cls.__init__.__doc__.split("*,", 1)[1])
            assert stub_names == runtime, name


def test_everything_public_has_a_docstring():
    for name in public(vars(quilex)):
        item = getattr(quilex, name)
        if isinstance(item, str):
            continue
        assert (item.__doc__ or "").strip(), name
        if isinstance(item, type) and not issubclass(item, (enum.Enum, Exception)):
            for member, value in vars(item).items():
                if not member.startswith("_"):
                    assert (value.__doc__ or "").strip(), f"{name}.{member}"
    for function in (quilex.verify, quilex.domain, quilex.contour, quilex.verify_many):
        assert "N·mm" in function.__doc__ or "N, tension" in function.__doc__


def test_polygon_sections_from_python(italy):
    # The I girder of docs/method.md in pure bending: the stress block by hand.
    girder = [(-200, 0), (200, 0), (200, 150), (100, 150), (100, 850), (300, 850),
              (300, 1000), (-300, 1000), (-300, 850), (-100, 850), (-100, 150), (-200, 150)]
    bars = np.array([(x, 50, 314.16) for x in (-150, -90, -30, 30, 90, 150)])
    section = quilex.PolygonSection(outlines=[girder], bars=bars)
    As_fyd = 6 * 314.16 * italy.fyd
    x = As_fyd / (17 / 21 * italy.fcd * 600)
    v = quilex.verify(section, italy, Ned=0, Mx=500e6)
    assert isinstance(v, quilex.PolygonVerification) and v.verified
    assert v.Mrd == pytest.approx(As_fyd * (950 - 99 / 238 * x), rel=1e-9)
    assert v.shear_x == quilex.ShearOutcome.NotChecked and not v.shear_checked
    assert quilex.verify(section, italy, Ned=0, Mx=500e6, Vy=1e3).reasons == [
        "shear not checked: the section has no shear data"]
    rows = quilex.verify_many(section, italy, [(0, 500e6, 0, 0, 0), (-2e6, 300e6, 50e6, 0, 0)])
    assert bits(rows["Mrd"][0]) == bits(v.Mrd) and bits(rows["rho_radial"][0]) == bits(v.rho_radial)
    with pytest.raises(ValueError, match="go together"):
        quilex.PolygonSection(outlines=[girder], stirrups=quilex.BiaxialStirrups(Asw=50, nbx=2))
    assert quilex.domain(section, italy, angle=90).shape == (101, 2)
    assert quilex.contour(section, italy, -1e6, directions=12).shape == (13, 2)
    mesh = quilex.surface(section, italy, levels=3, directions=8)
    assert mesh["Mx"].shape == (3, 8) and mesh["complete"]
