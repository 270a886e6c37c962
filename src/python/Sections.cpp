// The values a verification starts from: stirrups, the four sections, the design
// materials and the settings.
#include <pybind11/numpy.h>
#include <pybind11/operators.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Bindings.hpp"
#include "FloatingPointEnvironment.hpp"

namespace quilex::python {
namespace {

using namespace pybind11::literals;

const std::vector<std::string> kBarColumns = {"x", "y", "area"};

std::vector<Bar> BarsOf(py::handle bars) {
  const Rows rows = RowsOf(bars, kBarColumns, "bars");
  std::vector<Bar> list(rows.count);
  for (std::size_t i = 0; i < rows.count; ++i)
    list[i] = {rows.values[3 * i], rows.values[3 * i + 1], rows.values[3 * i + 2]};
  return list;
}

py::array BarsArray(const std::vector<Bar>& bars) {
  py::array_t<double> array({static_cast<py::ssize_t>(bars.size()), py::ssize_t{3}});
  auto out = array.mutable_unchecked<2>();
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const auto row = static_cast<py::ssize_t>(i);
    out(row, 0) = bars[i].x;
    out(row, 1) = bars[i].y;
    out(row, 2) = bars[i].area;
  }
  return ReadOnly(array);
}

constexpr const char* kStirrupsDoc = R"(Vertical stirrups of a Rectangle, TSection or Circle.

Stirrups(*, Asw, nb, st)

Asw: area of one leg, mm²; nb: number of legs; st: spacing, mm. With no legs or no
area (nb=0 or Asw=0) and st > 0 the section resists no shear (ShearOutcome.NoStirrups);
st = 0 there gives the resistance of the struts alone, as the program quilex does.

>>> quilex.Stirrups(Asw=50.27, nb=2, st=150)
Stirrups(Asw=50.27, nb=2, st=150.0)
)";

constexpr const char* kRectangleDoc = R"(A B x H rectangle with a top and a bottom layer of bars.

Rectangle(*, B, H, c, As_top, As_bottom, stirrups)

Lengths in mm, areas in mm² (the values of sezi.txt for section type R):
  B, H       width and depth
  c          from each face to the axis of its layer (0 <= c < H/2)
  As_top     area of the layer at depth c (As[1]); a positive moment compresses this face
  As_bottom  area of the layer at depth H - c (As[2])
  stirrups   quilex.Stirrups

Nothing is checked here: verify() and domain() raise InvalidInputError (a ValueError) naming
each value they cannot use.

>>> beam = quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48,
...                         stirrups=quilex.Stirrups(Asw=50.27, nb=2, st=150))
)";

constexpr const char* kTSectionDoc =
    R"(A flange block standing on a web block, with a top and a bottom layer of bars.

TSection(*, BiNf, HiNf, BsUp, HsUp, c, As_top, As_bottom, stirrups)

Lengths in mm, areas in mm² (the values of sezi.txt for section type T):
  BiNf, HiNf  width and height of the web (the lower block); the shear check uses BiNf
  BsUp, HsUp  width and height of the flange (the upper block, the top face)
  c           from each face to the axis of its layer (0 <= c < (HiNf + HsUp)/2)
  As_top      area of the layer at depth c (As[1])
  As_bottom   area of the layer at depth HiNf + HsUp - c (As[2])
  stirrups    quilex.Stirrups

Either block may be the wider: a T with its flange at the bottom is a narrow flange on a
wide web.
)";

constexpr const char* kCircleDoc = R"(A circle with equal bars evenly spaced on a concentric circle.

Circle(*, D, c, nF, Df, stirrups)

Lengths in mm (the values of sezi.txt for section type C):
  D         diameter
  c         from the surface to the bar axes (0 <= c < D/2)
  nF        number of bars, 0 to 200; the first lies at the lowest point
  Df        bar diameter
  stirrups  quilex.Stirrups
)";

constexpr const char* kBiaxialStirrupsDoc = R"(Stirrups of a RectangleWithBars.

BiaxialStirrups(*, Asw, nbx, nby, st)

Asw: area of one leg, mm²; nbx, nby: legs resisting the shear along x and along y;
st: spacing, mm (see Stirrups for sections without legs).
)";

constexpr const char* kRectangleWithBarsDoc =
    R"(A B x H rectangle with 1 to 200 individually placed bars, under biaxial bending.

RectangleWithBars(*, B, H, bars, stirrups)

Lengths in mm, areas in mm² (the values of sezi.txt for section type D):
  B, H      width (along x) and depth (along y)
  bars      the bars: a sequence of (x, y, area) rows, or an array of shape (n, 3);
            x and y from the centre of the rectangle, area in mm²
  stirrups  quilex.BiaxialStirrups

The attribute bars reads back as a read-only NumPy array of shape (n, 3); assign a new
table to change them.

>>> column = quilex.RectangleWithBars(
...     B=300, H=500,
...     bars=[(-110, -210, 314.16), (110, -210, 314.16), (-110, 210, 314.16), (110, 210, 314.16)],
...     stirrups=quilex.BiaxialStirrups(Asw=50.27, nbx=2, nby=2, st=200))
)";

constexpr const char* kMaterialSetDoc =
    R"(Design values of a steel grade and a concrete class under a design code.

Strengths and moduli in N/mm² (MPa), strains as pure numbers, all positive:
  fyd     design yield strength of the steel
  Es      elastic modulus of the steel
  eps_ud  design ultimate strain of the steel
  fcd     design compressive strength of the concrete
  Ecm     secant modulus of the concrete (for reference; the laws do not use it)
  eps_c2  concrete strain at the peak of the parabola-rectangle law
  eps_cu  ultimate compressive strain of the concrete
  nu      strength reduction factor of concrete cracked in shear
  fck     characteristic cylinder strength of the concrete class (0: not known)

Get one from the database with quilex.materials("IT", "B450C", "C25/30"), or give every
value: MaterialSet(*, fyd, Es, eps_ud, fcd, Ecm, eps_c2, eps_cu, nu, fck=0). The attributes are
read-only.
)";

constexpr const char* kSettingsDoc = R"(How a verification computes.

Settings(*, strips=100, tolerance=0.001, max_iterations=1000, strut_angle=45.0,
         parabola_exponent=ParabolaExponent.Two,
         verdict_ratio=UtilisationRatio.AtConstantNed)

  strips             concrete strips of the R, T and C integration
  tolerance          on the axial-force residual of every search, N
  max_iterations     steps of a search
  strut_angle        inclination of the shear struts, degrees (cot between 1 and 2.5)
  parabola_exponent  quilex.ParabolaExponent: the concrete parabola's exponent
  verdict_ratio      quilex.UtilisationRatio: the ratio a PolygonSection's verified
                     compares with 1

The defaults are the program quilex's; other values give other (finer or coarser) results.
)";

constexpr const char* kParabolaExponentDoc =
    R"(The exponent n of the concrete parabola, fcd * [1 - (1 - eps/eps_c2)^n].

  Two     2 for every class: the program quilex's law (fuller than EN 1992-1-1's above
          C50/60, so resistances near pure compression come out higher)
  EN1992  EN 1992-1-1, Table 3.1, from the materials' fck: 2 up to 50 N/mm² (the same
          numbers as Two), 1.4 + 23.4 ((90 - fck)/100)^4 above; needs fck > 0
)";

constexpr const char* kUtilisationRatioDoc =
    R"(The ratio a PolygonSection's verification compares with 1 (both are at most 1 exactly
when the actions lie inside the resistance domain).

  AtConstantNed  rho_M: the acting moment over the resisting moment in its direction at Ned
  Radial         rho_radial: the factor by which Ned, Mx and My, scaled together, reach the
                 boundary of the domain
)";

const Members<UtilisationRatio> kUtilisationRatios = {
    {"AtConstantNed", UtilisationRatio::AtConstantNed},
    {"Radial", UtilisationRatio::Radial},
};

constexpr const char* kPolygonSectionDoc = R"(A cross section of any shape.

PolygonSection(*, outlines, holes=[], bars=[], stirrups=None, shear_width=None,
               effective_depth=None, reference=None)

Coordinates in mm (x to the right, y up, any origin), areas in mm²:
  outlines         one or more simple polygons, each a sequence of (x, y) in either
                   orientation; they may share edges but not overlap
  holes            polygons inside the outlines
  bars             (x, y, area) rows: a sequence of tuples or an (n, 3) array; each bar
                   displaces the concrete it occupies (the net section)
  stirrups         quilex.BiaxialStirrups (legs per direction), or None
  shear_width      (bx, by): the web widths resisting the shear along x and along y
  effective_depth  (dx, dy): the effective depths for the shear along x and along y
  reference        (x, y): the point the moments are taken about; None: the centroid of
                   the gross concrete

Without the stirrups, shear_width and effective_depth together, shear is not checked (the
result's shear_x is ShearOutcome.NotChecked) and a shear force fails the verification.
Nothing is checked here: verify() and the diagrams raise InvalidInputError naming each
value they cannot use ("outlines[0] crosses itself: edges 0 and 2 touch").

>>> wall = quilex.PolygonSection(
...     outlines=[[(0, 0), (1200, 0), (1200, 250), (250, 250), (250, 1500), (0, 1500)]],
...     bars=[(50, 1450, 314.16), (200, 1450, 314.16), (50, 50, 490.87), (1150, 50, 490.87)])
)";

using Ring = std::vector<Vertex>;

std::vector<Ring> RingsOf(const std::vector<std::vector<std::pair<double, double>>>& rings) {
  std::vector<Ring> out;
  for (const auto& ring : rings) {
    Ring r;
    for (const auto& [x, y] : ring)
      r.push_back({x, y});
    out.push_back(std::move(r));
  }
  return out;
}

py::list RingsList(const std::vector<Ring>& rings) {
  py::list out;
  for (const Ring& ring : rings) {
    py::list r;
    for (const Vertex& v : ring)
      r.append(py::make_tuple(v.x, v.y));
    out.append(r);
  }
  return out;
}

using Pair = std::optional<std::pair<double, double>>;

// The shear data, all three given or none.
std::optional<PolygonShear> ShearOf(const std::optional<BiaxialStirrups>& stirrups,
                                    const Pair& width, const Pair& depth) {
  if (!stirrups && !width && !depth) return std::nullopt;
  if (!stirrups || !width || !depth) {
    throw py::value_error(
        "stirrups, shear_width and effective_depth go together: give all three, or none to "
        "leave shear unchecked");
  }
  return PolygonShear{*stirrups, width->first, width->second, depth->first, depth->second};
}

const Members<ParabolaExponent> kParabolaExponents = {
    {"Two", ParabolaExponent::Two},
    {"EN1992", ParabolaExponent::EN1992},
};

constexpr const char* kMaterialsDoc =
    R"(The design materials of a design code, steel grade and concrete class.

The three names of mate.txt, case-sensitive:
  design_code     "IT", "DE", "FR", "NE", "UK" or "DK"
  steel_grade     under IT "FeB22k", "FeB32k", "FeB38k", "FeB44k", "B450C"; under the other
                  codes "SB450A", "S450B", "S450C", "S500A", "S500B", "S500C", "S550B",
                  "S600B"
  concrete_class  "C12/15" to "C90/105"

Returns a MaterialSet (strengths in N/mm²). Raises UnknownMaterialError (a KeyError) naming
the first of the three, in that order, that the database does not hold.

>>> m = quilex.materials("IT", "B450C", "C25/30")
>>> m.fyd, m.fcd
(391.3043559386286, 14.166667064030966)
)";

}  // namespace

void BindSections(py::module_& m) {
  py::class_<Stirrups>(m, "Stirrups", kStirrupsDoc)
      .def(py::init([](double Asw, int nb, double st) {
             return Stirrups{Asw, nb, st};
           }),
           py::kw_only(), "Asw"_a = 0.0, "nb"_a = 0, "st"_a = 0.0)
      .def_readwrite("Asw", &Stirrups::Asw, "Area of one leg, mm².")
      .def_readwrite("nb", &Stirrups::nb, "Number of legs.")
      .def_readwrite("st", &Stirrups::st, "Spacing, mm.")
      .def(
          "__eq__", [](const Stirrups& a, const Stirrups& b) { return a == b; }, py::is_operator())
      .def("__repr__", [](const Stirrups& s) {
        return py::str("Stirrups(Asw={!r}, nb={!r}, st={!r})").format(s.Asw, s.nb, s.st);
      });

  py::class_<RectangularSection>(m, "Rectangle", kRectangleDoc)
      .def(py::init([](double B, double H, double c, double As_top, double As_bottom,
                       const Stirrups& stirrups) {
             return RectangularSection{B, H, c, As_top, As_bottom, stirrups};
           }),
           py::kw_only(), "B"_a, "H"_a, "c"_a, "As_top"_a = 0.0, "As_bottom"_a = 0.0,
           py::arg_v("stirrups", Stirrups{}, "Stirrups()"))
      .def_readwrite("B", &RectangularSection::B, "Width, mm.")
      .def_readwrite("H", &RectangularSection::H, "Depth, mm.")
      .def_readwrite("c", &RectangularSection::c, "From each face to the axis of its layer, mm.")
      .def_readwrite("As_top", &RectangularSection::As_top,
                     "Area of the layer at depth c (As[1]), mm².")
      .def_readwrite("As_bottom", &RectangularSection::As_bottom,
                     "Area of the layer at depth H - c (As[2]), mm².")
      .def_readwrite("stirrups", &RectangularSection::stirrups, "The stirrups (quilex.Stirrups).")
      .def(
          "__eq__", [](const RectangularSection& a, const RectangularSection& b) { return a == b; },
          py::is_operator())
      .def("__repr__", [](const RectangularSection& s) {
        return py::str(
                   "Rectangle(B={!r}, H={!r}, c={!r}, As_top={!r}, As_bottom={!r}, "
                   "stirrups={!r})")
            .format(s.B, s.H, s.c, s.As_top, s.As_bottom, s.stirrups);
      });

  py::class_<TSection>(m, "TSection", kTSectionDoc)
      .def(py::init([](double BiNf, double HiNf, double BsUp, double HsUp, double c, double As_top,
                       double As_bottom, const Stirrups& stirrups) {
             return TSection{BiNf, HiNf, BsUp, HsUp, c, As_top, As_bottom, stirrups};
           }),
           py::kw_only(), "BiNf"_a, "HiNf"_a, "BsUp"_a, "HsUp"_a, "c"_a, "As_top"_a = 0.0,
           "As_bottom"_a = 0.0, py::arg_v("stirrups", Stirrups{}, "Stirrups()"))
      .def_readwrite("BiNf", &TSection::BiNf, "Web (lower block) width, mm.")
      .def_readwrite("HiNf", &TSection::HiNf, "Web height, mm.")
      .def_readwrite("BsUp", &TSection::BsUp, "Flange (upper block) width, mm.")
      .def_readwrite("HsUp", &TSection::HsUp, "Flange height, mm.")
      .def_readwrite("c", &TSection::c, "From each face to the axis of its layer, mm.")
      .def_readwrite("As_top", &TSection::As_top, "Area of the layer at depth c (As[1]), mm².")
      .def_readwrite("As_bottom", &TSection::As_bottom,
                     "Area of the layer at depth HiNf + HsUp - c (As[2]), mm².")
      .def_readwrite("stirrups", &TSection::stirrups, "The stirrups (quilex.Stirrups).")
      .def(
          "__eq__", [](const TSection& a, const TSection& b) { return a == b; }, py::is_operator())
      .def("__repr__", [](const TSection& s) {
        return py::str(
                   "TSection(BiNf={!r}, HiNf={!r}, BsUp={!r}, HsUp={!r}, c={!r}, "
                   "As_top={!r}, As_bottom={!r}, stirrups={!r})")
            .format(s.BiNf, s.HiNf, s.BsUp, s.HsUp, s.c, s.As_top, s.As_bottom, s.stirrups);
      });

  py::class_<CircularSection>(m, "Circle", kCircleDoc)
      .def(py::init([](double D, double c, int nF, double Df, const Stirrups& stirrups) {
             return CircularSection{D, c, nF, Df, stirrups};
           }),
           py::kw_only(), "D"_a, "c"_a, "nF"_a = 0, "Df"_a = 0.0,
           py::arg_v("stirrups", Stirrups{}, "Stirrups()"))
      .def_readwrite("D", &CircularSection::D, "Diameter, mm.")
      .def_readwrite("c", &CircularSection::c, "From the surface to the bar axes, mm.")
      .def_readwrite("nF", &CircularSection::nF, "Number of bars, 0 to 200.")
      .def_readwrite("Df", &CircularSection::Df, "Bar diameter, mm.")
      .def_readwrite("stirrups", &CircularSection::stirrups, "The stirrups (quilex.Stirrups).")
      .def(
          "__eq__", [](const CircularSection& a, const CircularSection& b) { return a == b; },
          py::is_operator())
      .def("__repr__", [](const CircularSection& s) {
        return py::str("Circle(D={!r}, c={!r}, nF={!r}, Df={!r}, stirrups={!r})")
            .format(s.D, s.c, s.nF, s.Df, s.stirrups);
      });

  py::class_<BiaxialStirrups>(m, "BiaxialStirrups", kBiaxialStirrupsDoc)
      .def(py::init([](double Asw, int nbx, int nby, double st) {
             return BiaxialStirrups{Asw, nbx, nby, st};
           }),
           py::kw_only(), "Asw"_a = 0.0, "nbx"_a = 0, "nby"_a = 0, "st"_a = 0.0)
      .def_readwrite("Asw", &BiaxialStirrups::Asw, "Area of one leg, mm².")
      .def_readwrite("nbx", &BiaxialStirrups::nbx, "Legs resisting the shear along x.")
      .def_readwrite("nby", &BiaxialStirrups::nby, "Legs resisting the shear along y.")
      .def_readwrite("st", &BiaxialStirrups::st, "Spacing, mm.")
      .def(
          "__eq__", [](const BiaxialStirrups& a, const BiaxialStirrups& b) { return a == b; },
          py::is_operator())
      .def("__repr__", [](const BiaxialStirrups& s) {
        return py::str("BiaxialStirrups(Asw={!r}, nbx={!r}, nby={!r}, st={!r})")
            .format(s.Asw, s.nbx, s.nby, s.st);
      });

  py::class_<RectangleWithBars>(m, "RectangleWithBars", kRectangleWithBarsDoc)
      .def(py::init([](double B, double H, py::handle bars, const BiaxialStirrups& stirrups) {
             return RectangleWithBars{B, H, stirrups, BarsOf(bars)};
           }),
           py::kw_only(), "B"_a, "H"_a, "bars"_a,
           py::arg_v("stirrups", BiaxialStirrups{}, "BiaxialStirrups()"))
      .def_readwrite("B", &RectangleWithBars::B, "Width (along x), mm.")
      .def_readwrite("H", &RectangleWithBars::H, "Depth (along y), mm.")
      .def_property(
          "bars", [](const RectangleWithBars& s) { return BarsArray(s.bars); },
          [](RectangleWithBars& s, py::handle bars) { s.bars = BarsOf(bars); },
          "The bars: a read-only array of shape (n, 3) of x, y (mm, from the centre) and area "
          "(mm²).")
      .def_readwrite("stirrups", &RectangleWithBars::stirrups,
                     "The stirrups (quilex.BiaxialStirrups).")
      .def(
          "__eq__", [](const RectangleWithBars& a, const RectangleWithBars& b) { return a == b; },
          py::is_operator())
      .def("__repr__", [](const RectangleWithBars& s) {
        py::list bars;
        for (const Bar& bar : s.bars)
          bars.append(py::make_tuple(bar.x, bar.y, bar.area));
        return py::str("RectangleWithBars(B={!r}, H={!r}, bars={!r}, stirrups={!r})")
            .format(s.B, s.H, bars, s.stirrups);
      });

  py::class_<PolygonSection>(m, "PolygonSection", kPolygonSectionDoc)
      .def(
          py::init([](const std::vector<std::vector<std::pair<double, double>>>& outlines,
                      const std::vector<std::vector<std::pair<double, double>>>& holes,
                      py::handle bars, const std::optional<BiaxialStirrups>& stirrups,
                      const Pair& shear_width, const Pair& effective_depth, const Pair& reference) {
            PolygonSection s;
            s.outlines = RingsOf(outlines);
            s.holes = RingsOf(holes);
            if (!bars.is_none()) s.bars = BarsOf(bars);
            s.shear = ShearOf(stirrups, shear_width, effective_depth);
            if (reference) s.reference = Vertex{reference->first, reference->second};
            return s;
          }),
          py::kw_only(), "outlines"_a,
          "holes"_a = std::vector<std::vector<std::pair<double, double>>>{}, "bars"_a = py::none(),
          "stirrups"_a = py::none(), "shear_width"_a = py::none(), "effective_depth"_a = py::none(),
          "reference"_a = py::none())
      .def_property_readonly(
          "outlines", [](const PolygonSection& s) { return RingsList(s.outlines); },
          "The outlines: lists of (x, y), mm.")
      .def_property_readonly(
          "holes", [](const PolygonSection& s) { return RingsList(s.holes); },
          "The holes: lists of (x, y), mm.")
      .def_property_readonly(
          "bars", [](const PolygonSection& s) { return BarsArray(s.bars); },
          "The bars: a read-only array of shape (n, 3) of x, y (mm) and area (mm²).")
      .def_property_readonly(
          "stirrups",
          [](const PolygonSection& s) -> std::optional<BiaxialStirrups> {
            if (!s.shear) return std::nullopt;
            return s.shear->stirrups;
          },
          "The stirrups (quilex.BiaxialStirrups), or None when shear is not checked.")
      .def_property_readonly(
          "shear_width",
          [](const PolygonSection& s) -> Pair {
            if (!s.shear) return std::nullopt;
            return std::pair{s.shear->bx, s.shear->by};
          },
          "(bx, by), mm, or None.")
      .def_property_readonly(
          "effective_depth",
          [](const PolygonSection& s) -> Pair {
            if (!s.shear) return std::nullopt;
            return std::pair{s.shear->dx, s.shear->dy};
          },
          "(dx, dy), mm, or None.")
      .def_property_readonly(
          "reference",
          [](const PolygonSection& s) -> Pair {
            if (!s.reference) return std::nullopt;
            return std::pair{s.reference->x, s.reference->y};
          },
          "The point the moments are taken about, (x, y) mm, or None for the centroid.")
      .def(
          "__eq__", [](const PolygonSection& a, const PolygonSection& b) { return a == b; },
          py::is_operator())
      .def("__repr__", [](const PolygonSection& s) {
        return py::str("PolygonSection({} outlines, {} holes, {} bars{})")
            .format(s.outlines.size(), s.holes.size(), s.bars.size(),
                    s.shear ? "" : ", shear not checked");
      });

  py::class_<MaterialSet>(m, "MaterialSet", kMaterialSetDoc)
      .def(py::init([](double fyd, double Es, double eps_ud, double fcd, double Ecm, double eps_c2,
                       double eps_cu, double nu, double fck) {
             return MaterialSet{fyd, Es, eps_ud, fcd, Ecm, eps_c2, eps_cu, nu, fck};
           }),
           py::kw_only(), "fyd"_a, "Es"_a, "eps_ud"_a, "fcd"_a, "Ecm"_a, "eps_c2"_a, "eps_cu"_a,
           "nu"_a, "fck"_a = 0.0)
      .def_readonly("fyd", &MaterialSet::fyd, "Design yield strength of the steel, N/mm².")
      .def_readonly("Es", &MaterialSet::Es, "Elastic modulus of the steel, N/mm².")
      .def_readonly("eps_ud", &MaterialSet::eps_ud, "Design ultimate strain of the steel.")
      .def_readonly("fcd", &MaterialSet::fcd,
                    "Design compressive strength of the concrete (positive), N/mm².")
      .def_readonly("Ecm", &MaterialSet::Ecm, "Secant modulus of the concrete, N/mm².")
      .def_readonly("eps_c2", &MaterialSet::eps_c2,
                    "Concrete strain at the peak of the parabola-rectangle law.")
      .def_readonly("eps_cu", &MaterialSet::eps_cu, "Ultimate compressive strain of the concrete.")
      .def_readonly("nu", &MaterialSet::nu,
                    "Strength reduction factor of concrete cracked in shear.")
      .def_readonly("fck", &MaterialSet::fck,
                    "Characteristic cylinder strength of the concrete class, N/mm² (0: not "
                    "known).")
      .def(py::self == py::self)
      .def("__repr__", [](const MaterialSet& s) {
        return py::str(
                   "MaterialSet(fyd={!r}, Es={!r}, eps_ud={!r}, fcd={!r}, Ecm={!r}, "
                   "eps_c2={!r}, eps_cu={!r}, nu={!r}, fck={!r})")
            .format(s.fyd, s.Es, s.eps_ud, s.fcd, s.Ecm, s.eps_c2, s.eps_cu, s.nu, s.fck);
      });

  const py::object exponent_type =
      MakeEnum(m, "ParabolaExponent", kParabolaExponents, kParabolaExponentDoc);
  // Only a member of the enum (or its value) is taken: int() of anything else raises.
  const auto exponent_of = [exponent_type](const py::object& value) {
    return static_cast<ParabolaExponent>(exponent_type(value).cast<int>());
  };
  const py::object ratio_type =
      MakeEnum(m, "UtilisationRatio", kUtilisationRatios, kUtilisationRatioDoc);
  const auto ratio_of = [ratio_type](const py::object& value) {
    return static_cast<UtilisationRatio>(ratio_type(value).cast<int>());
  };
  const Settings defaults;
  py::class_<Settings>(m, "Settings", kSettingsDoc)
      .def(py::init([exponent_of, ratio_of](int strips, double tolerance, int max_iterations,
                                            double strut_angle, const py::object& parabola_exponent,
                                            const py::object& verdict_ratio) {
             return Settings{strips,
                             tolerance,
                             max_iterations,
                             strut_angle,
                             exponent_of(parabola_exponent),
                             ratio_of(verdict_ratio)};
           }),
           py::kw_only(), "strips"_a = defaults.strips, "tolerance"_a = defaults.tolerance,
           "max_iterations"_a = defaults.max_iterations, "strut_angle"_a = defaults.strut_angle,
           py::arg_v("parabola_exponent",
                     exponent_type(static_cast<int>(defaults.parabola_exponent)),
                     "ParabolaExponent.Two"),
           py::arg_v("verdict_ratio", ratio_type(static_cast<int>(defaults.verdict_ratio)),
                     "UtilisationRatio.AtConstantNed"))
      .def_readwrite("strips", &Settings::strips, "Concrete strips of the R, T and C integration.")
      .def_readwrite("tolerance", &Settings::tolerance,
                     "Tolerance on the axial-force residual of every search, N.")
      .def_readwrite("max_iterations", &Settings::max_iterations, "Steps of a search.")
      .def_readwrite("strut_angle", &Settings::strut_angle,
                     "Inclination of the shear struts, degrees.")
      .def_property(
          "parabola_exponent",
          [exponent_type](const Settings& s) {
            return exponent_type(static_cast<int>(s.parabola_exponent));
          },
          [exponent_of](Settings& s, const py::object& value) {
            s.parabola_exponent = exponent_of(value);
          },
          "The concrete parabola's exponent, a quilex.ParabolaExponent.")
      .def_property(
          "verdict_ratio",
          [ratio_type](const Settings& s) { return ratio_type(static_cast<int>(s.verdict_ratio)); },
          [ratio_of](Settings& s, const py::object& value) { s.verdict_ratio = ratio_of(value); },
          "The ratio a PolygonSection's verified compares with 1, a quilex.UtilisationRatio.")
      .def(py::self == py::self)
      .def("__repr__", [exponent_type, ratio_type](const Settings& s) {
        return py::str(
                   "Settings(strips={!r}, tolerance={!r}, max_iterations={!r}, "
                   "strut_angle={!r}, parabola_exponent={!s}, verdict_ratio={!s})")
            .format(s.strips, s.tolerance, s.max_iterations, s.strut_angle,
                    exponent_type(static_cast<int>(s.parabola_exponent)),
                    ratio_type(static_cast<int>(s.verdict_ratio)));
      });

  m.def(
      "materials",
      [](const std::string& design_code, const std::string& steel_grade,
         const std::string& concrete_class) {
        const DefaultFloatingPointEnvironment environment;
        return LookupMaterials(design_code, steel_grade, concrete_class);
      },
      "design_code"_a, "steel_grade"_a, "concrete_class"_a, kMaterialsDoc);
}

}  // namespace quilex::python
