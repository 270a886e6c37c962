// verify(), domain() and contour(): the library's entry points, called with the GIL
// released in the default floating-point environment.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>

#include "Bindings.hpp"
#include "FloatingPointEnvironment.hpp"

namespace quilex::python {
namespace {

using namespace pybind11::literals;

// Calls compute(section, materials, settings) on copies, without the GIL and in the default
// floating-point environment: once the GIL is released, another Python thread may change
// the objects the arguments refer to.
template <class Section, class Compute>
auto Unlocked(const Section& section, const MaterialSet& materials,
              const std::optional<Settings>& settings, Compute compute) {
  const Section copy = section;
  const MaterialSet m = materials;
  const Settings chosen = settings.value_or(Settings{});
  const py::gil_scoped_release unlocked;
  const DefaultFloatingPointEnvironment environment;
  return compute(copy, m, chosen);
}

template <class Section, class Actions>
auto Verified(const Section& section, const MaterialSet& materials, const Actions& actions,
              const std::optional<Settings>& settings) {
  return Unlocked(section, materials, settings,
                  [&](const Section& s, const MaterialSet& m, const Settings& chosen) {
                    return Verify(s, m, actions, chosen);
                  });
}

template <class Section>
py::array_t<double> DomainArray(const Section& section, const MaterialSet& materials,
                                const std::optional<Settings>& settings) {
  const std::vector<DomainPoint> points =
      Unlocked(section, materials, settings,
               [](const Section& s, const MaterialSet& m, const Settings& chosen) {
                 return InteractionDomain(s, m, chosen);
               });
  return PairsArray<DomainPoint, &DomainPoint::N, &DomainPoint::M>(points);
}

py::array_t<double> ContourArray(const RectangleWithBars& section, const MaterialSet& materials,
                                 double Ned, const std::optional<Settings>& settings) {
  const std::vector<MomentPoint> points =
      Unlocked(section, materials, settings,
               [Ned](const RectangleWithBars& s, const MaterialSet& m, const Settings& chosen) {
                 return MomentContour(s, m, Ned, chosen);
               });
  return PairsArray<MomentPoint, &MomentPoint::Mx, &MomentPoint::My>(points);
}

constexpr const char* kPolygonDiagramsDoc =
    R"(The diagrams of a PolygonSection.

domain(section, materials, *, angle=0.0, settings=None) -> numpy.ndarray (101, 2)
  the M-N domain for moments in the direction `angle` degrees from x (0: Mx, 90: My), rows
  (N, M) as for a Rectangle; M is the resisting moment along that direction, negative on the
  opposite branch, 0 where none was found
contour(section, materials, Ned, *, directions=72, settings=None) -> numpy.ndarray (n+1, 2)
  the resisting moments (Mx, My) at Ned of `directions` neutral axes evenly turned, and the
  first again; empty (0, 2) beyond the axial capacities
surface(section, materials, *, levels=50, directions=72, settings=None) -> dict
  the resistance surface as a mesh: "N" (levels,), "Mx" and "My" (levels, directions),
  "N_compression", "at_compression" (Mx, My), "N_tension", "at_tension", "complete"
)";

constexpr const char* kVerifyDoc =
    R"(verify(section, materials, *, Ned, Med, Ved, settings=None) -> Verification
verify(section, materials, *, Ned, Mx, My, Vx, Vy, settings=None) -> BiaxialVerification

Verify a cross section at the ultimate limit state: its resisting moment under the acting
axial force, its shear resistance and the two utilisation ratios.

Arguments (units as in the input files: N, mm, N·mm):
  section    a Rectangle, TSection or Circle (actions Ned, Med, Ved), or a
             RectangleWithBars or PolygonSection (actions Ned, Mx, My, Vx, Vy; Vx and Vy
             may be left out for a PolygonSection)
  materials  a MaterialSet, e.g. quilex.materials("IT", "B450C", "C25/30")
  Ned        axial force, N, tension positive
  Med        bending moment, N·mm, positive when it compresses the top face (the face of
             As_top, the flange of a TSection)
  Ved        shear force, N; only its magnitude matters
  Mx, My     moments, N·mm: Mx positive when it compresses the side y > 0, My the side x > 0
  Vx, Vy     shear forces along x and along y, N
  settings   a quilex.Settings, or None for the defaults of the program quilex

Returns a Verification (Rectangle, TSection, Circle), a BiaxialVerification
(RectangleWithBars) or a PolygonVerification (PolygonSection, with rho_radial too): the results block of risu-MN.txt as values, in N and N·mm, with
None for the ratios risu-MN.txt prints as 999.99. The numbers are the program's to the
last bit.

An axial force outside the section's M-N domain, a search that does not converge and a
missing shear resistance are outcomes in the result (bending, shear, verified), not
errors. A value the computation cannot use raises InvalidInputError, a ValueError that
names each such field; an argument of the wrong type raises TypeError.

>>> beam = quilex.Rectangle(B=300, H=500, c=40, As_top=628.32, As_bottom=942.48,
...                         stirrups=quilex.Stirrups(Asw=50.27, nb=2, st=150))
>>> v = quilex.verify(beam, quilex.materials("IT", "B450C", "C25/30"),
...                   Ned=-500e3, Med=150e6, Ved=100e3)
>>> v.verified, round(v.Mrd / 1e6, 2), round(v.rho_M, 2), round(v.Vrd / 1e3, 2)
(True, 237.89, 0.63, 108.58)
)";

constexpr const char* kDomainDoc =
    R"(domain(section, materials, settings=None) -> numpy.ndarray, shape (101, 2)

The boundary of the M-N interaction domain of a Rectangle, TSection or Circle: the pairs
(N, M) it resists, N in N (tension positive) and M in N·mm.

The 101 rows: the uniform compression state, 49 points on the branch of positive moments,
the uniform tension state, 49 points on the branch of negative moments, and the first
point again. The axial forces of each branch divide the range from the compressive to the
tensile capacity into 50 equal steps. M is 0 where a search did not converge.

domplot.txt holds the same points as -N/1000 (kN) and M/1e6 (kN·m), so that compression
plots to the right:

>>> d = quilex.domain(beam, quilex.materials("IT", "B450C", "C25/30"))
>>> plt.plot(-d[:, 0] / 1e3, d[:, 1] / 1e6)

For a RectangleWithBars, contour() gives the resisting moments at an axial force. Raises
InvalidInputError (a ValueError) for values the computation cannot use.
)";

constexpr const char* kContourDoc =
    R"(The contour of resisting moments of a RectangleWithBars under an axial force.

Ned is the axial force in N, tension positive. Returns an array of shape (73, 2): the
resisting moments (Mx, My) in N·mm for 72 directions of the neutral axis 5 degrees apart,
and the first again. The array is empty, of shape (0, 2), when Ned lies at or beyond the
axial capacities or the depth search of a direction does not converge. domplot.txt holds
the same points as Mx/1e6 and My/1e6 (kN·m).

Raises InvalidInputError (a ValueError) for values the computation cannot use.
)";

// verify() for an R, T or C section: the actions Ned, Med, Ved by keyword.
template <class Section>
void DefineFlexuralVerify(py::module_& m, const char* doc) {
  m.def(
      "verify",
      [](const Section& section, const MaterialSet& materials, double Ned, double Med, double Ved,
         const std::optional<Settings>& settings) {
        return Verified(section, materials, Actions{Ned, Med, Ved}, settings);
      },
      "section"_a, "materials"_a, py::kw_only(), "Ned"_a, "Med"_a, "Ved"_a,
      "settings"_a = py::none(), doc);
}

// domain() for an R, T or C section.
template <class Section>
void DefineDomain(py::module_& m, const char* doc) {
  m.def(
      "domain",
      [](const Section& section, const MaterialSet& materials,
         const std::optional<Settings>& settings) {
        return DomainArray(section, materials, settings);
      },
      "section"_a, "materials"_a, "settings"_a = py::none(), doc);
}

}  // namespace

void BindComputations(py::module_& m) {
  {
    // One docstring for the four overloads, with the signatures written out in it.
    py::options options;
    options.disable_function_signatures();
    DefineFlexuralVerify<RectangularSection>(m, kVerifyDoc);
    DefineFlexuralVerify<TSection>(m, "");
    DefineFlexuralVerify<CircularSection>(m, "");
    m.def(
        "verify",
        [](const RectangleWithBars& section, const MaterialSet& materials, double Ned, double Mx,
           double My, double Vx, double Vy, const std::optional<Settings>& settings) {
          return Verified(section, materials, BiaxialActions{Ned, Mx, My, Vx, Vy}, settings);
        },
        "section"_a, "materials"_a, py::kw_only(), "Ned"_a, "Mx"_a, "My"_a, "Vx"_a, "Vy"_a,
        "settings"_a = py::none(), "");
    m.def(
        "verify",
        [](const PolygonSection& section, const MaterialSet& materials, double Ned, double Mx,
           double My, double Vx, double Vy, const std::optional<Settings>& settings) {
          return Verified(section, materials, BiaxialActions{Ned, Mx, My, Vx, Vy}, settings);
        },
        "section"_a, "materials"_a, py::kw_only(), "Ned"_a, "Mx"_a = 0.0, "My"_a = 0.0,
        "Vx"_a = 0.0, "Vy"_a = 0.0, "settings"_a = py::none(), "");

    DefineDomain<RectangularSection>(m, kDomainDoc);
    DefineDomain<TSection>(m, "");
    DefineDomain<CircularSection>(m, "");
    m.def(
        "domain",
        [](const RectangleWithBars&, py::handle, py::handle) -> py::array_t<double> {
          throw py::type_error(
              "domain() traces the M-N domain of a Rectangle, TSection or Circle; for a "
              "RectangleWithBars, contour(section, materials, Ned) gives the resisting moments "
              "at an axial force");
        },
        "section"_a, "materials"_a, "settings"_a = py::none(), "");
    m.def(
        "domain",
        [](const PolygonSection& section, const MaterialSet& materials, double angle,
           const std::optional<Settings>& settings) {
          const std::vector<DomainPoint> points = Unlocked(
              section, materials, settings,
              [angle](const PolygonSection& s, const MaterialSet& m, const Settings& chosen) {
                return InteractionDomain(s, m, angle, chosen);
              });
          return PairsArray<DomainPoint, &DomainPoint::N, &DomainPoint::M>(points);
        },
        "section"_a, "materials"_a, py::kw_only(), "angle"_a = 0.0, "settings"_a = py::none(), "");
  }
  m.def(
      "surface",
      [](const PolygonSection& section, const MaterialSet& materials, int levels, int directions,
         const std::optional<Settings>& settings) {
        const SurfaceMesh mesh =
            Unlocked(section, materials, settings,
                     [=](const PolygonSection& s, const MaterialSet& m, const Settings& chosen) {
                       return ResistanceSurface(s, m, levels, directions, chosen);
                     });
        const auto rows = static_cast<py::ssize_t>(mesh.N.size());
        const auto columns = static_cast<py::ssize_t>(mesh.directions);
        py::array_t<double> Mx({rows, columns}), My({rows, columns});
        auto x = Mx.mutable_unchecked<2>();
        auto y = My.mutable_unchecked<2>();
        for (py::ssize_t i = 0; i < rows; ++i) {
          for (py::ssize_t k = 0; k < columns; ++k) {
            const MomentPoint& p = mesh.moments[static_cast<std::size_t>(i * columns + k)];
            x(i, k) = p.Mx;
            y(i, k) = p.My;
          }
        }
        py::dict d;
        d["N"] = py::array_t<double>(rows, mesh.N.data());
        d["Mx"] = Mx;
        d["My"] = My;
        d["N_compression"] = mesh.N_compression;
        d["at_compression"] = py::make_tuple(mesh.at_compression.Mx, mesh.at_compression.My);
        d["N_tension"] = mesh.N_tension;
        d["at_tension"] = py::make_tuple(mesh.at_tension.Mx, mesh.at_tension.My);
        d["complete"] = mesh.complete;
        return d;
      },
      "section"_a, "materials"_a, py::kw_only(), "levels"_a = 50, "directions"_a = 72,
      "settings"_a = py::none(), kPolygonDiagramsDoc);
  m.def(
      "contour",
      [](const PolygonSection& section, const MaterialSet& materials, double Ned, int directions,
         const std::optional<Settings>& settings) {
        const std::vector<MomentPoint> points =
            Unlocked(section, materials, settings,
                     [=](const PolygonSection& s, const MaterialSet& m, const Settings& chosen) {
                       return MomentContour(s, m, Ned, directions, chosen);
                     });
        return PairsArray<MomentPoint, &MomentPoint::Mx, &MomentPoint::My>(points);
      },
      "section"_a, "materials"_a, "Ned"_a, py::kw_only(), "directions"_a = 72,
      "settings"_a = py::none(), kPolygonDiagramsDoc);

  m.def(
      "contour",
      [](const RectangleWithBars& section, const MaterialSet& materials, double Ned,
         const std::optional<Settings>& settings) {
        return ContourArray(section, materials, Ned, settings);
      },
      "section"_a, "materials"_a, "Ned"_a, "settings"_a = py::none(), kContourDoc);
}

}  // namespace quilex::python
