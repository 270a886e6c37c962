// The results of a verification, read-only, and the two kinds of outcome as Python enums.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Bindings.hpp"

namespace quilex::python {
namespace {

const Members<BendingOutcome> kBendingOutcomes = {
    {"Resisted", BendingOutcome::Resisted},
    {"AxialForceOutsideDomain", BendingOutcome::AxialForceOutsideDomain},
    {"NotConverged", BendingOutcome::NotConverged},
    {"SampleNotConverged", BendingOutcome::SampleNotConverged},
    {"DirectionNotFound", BendingOutcome::DirectionNotFound},
    {"OutsideDomain", BendingOutcome::OutsideDomain},
};

const Members<ShearOutcome> kShearOutcomes = {
    {"Resisted", ShearOutcome::Resisted},
    {"NoStirrups", ShearOutcome::NoStirrups},
    {"CompressionOutOfRange", ShearOutcome::CompressionOutOfRange},
    {"StrutAngleOutOfRange", ShearOutcome::StrutAngleOutOfRange},
    {"NoLeverArm", ShearOutcome::NoLeverArm},
    {"NotChecked", ShearOutcome::NotChecked},
};

constexpr const char* kBendingOutcomeDoc = R"(How the search of the resisting moment ended.

  Resisted                 the search converged: Mrd is the resisting moment
  AxialForceOutsideDomain  Ned at or beyond the compressive or the tensile capacity
  NotConverged             a search used max_iterations without reaching the tolerance
  SampleNotConverged       (RectangleWithBars) a depth search of the sweep of directions did
                           not converge
  DirectionNotFound        (RectangleWithBars) no sampled pair of directions brackets the
                           acting moment's
  OutsideDomain            the searches converged, but the design point lies outside the
                           domain although rho_M is at most 1: at Ned the section resists
                           only the moments of moments_at_Ned

An IntEnum: verify_many() gives these values as integer codes.
)";

constexpr const char* kShearOutcomeDoc = R"(How the shear check ended.

  Resisted               Vrd > 0
  NoStirrups             the stirrups resist nothing (no legs or no area): Vrd = 0
  CompressionOutOfRange  mean compression at or beyond fcd: the struts fail, Vrd = 0
  StrutAngleOutOfRange   Settings.strut_angle gives cot outside 1 to 2.5: nothing computed
  NoLeverArm             (RectangleWithBars) the bars lie on a face: no lever arm, Vrd = 0
  NotChecked             (PolygonSection) the section has no shear data: Vrd = 0

An IntEnum: verify_many() gives these values as integer codes.
)";

constexpr const char* kPolygonVerificationDoc =
    R"(The verification of a PolygonSection: the fields of a BiaxialVerification (contour left
empty: quilex.contour() draws it) and

  rho_radial           the factor by which (Ned, Mx, My), scaled together, reach the boundary
  neutral_axis_depth   mm below the most compressed fibre
  compression_angle    rad from x towards the compressed side of the resisting plane
  verdict_ratio        the ratio verified compares with 1 (Settings.verdict_ratio)
  gross_concrete_area  outlines less holes, mm²
  net_concrete_area    less the bars too, mm²: bars displace the concrete they occupy
  shear_checked        False when the section has no shear data
)";

constexpr const char* kUltimateStateDoc =
    R"(The ultimate strain state in which a Rectangle, TSection or Circle resists Ned.

  t                       configuration parameter of the strain plane, 0 to 10
  neutral_axis_depth      mm below the compressed face (may lie outside the section)
  tension_steel_strain    of the layer on the tension side, tension positive
  tension_steel_stress    N/mm²
  compressed_face_strain  concrete strain at the compressed face (negative)
  compressed_face_stress  N/mm², negative
  curvature               (strain at the bottom - strain at the top) / depth, 1/mm
  iterations              bisection steps taken
)";

constexpr const char* kVerificationDoc =
    R"(The verification of a Rectangle, TSection or Circle: the results block of risu-MN.txt.

Forces in N, moments in N·mm (risu-MN.txt prints them in kN and kN·m):
  Mrd        resisting moment under Ned, on the side Med compresses (negative for Med < 0);
             0 unless bending is BendingOutcome.Resisted
  rho_M      Med / Mrd; None when Mrd is 0
  Vrd        shear resistance; 0 unless shear is ShearOutcome.Resisted
  rho_V      |Ved / Vrd|; None when Vrd is 0
  epsilon    neutral-axis depth / effective depth; None when Mrd is 0
  campo      strain field 1 to 6 at resistance; 0 when bending is not Resisted
  bending    quilex.BendingOutcome
  shear      quilex.ShearOutcome
  state      quilex.UltimateState at resistance, or None
  moments_at_Ned  (lower, upper): the moments resisted at Ned, when the search on the
             other face was needed to tell (always when bending is OutsideDomain), or None
  verified   True when the section resists both: bending Resisted (Med inside the M-N
             domain at Ned) with rho_M at most 1, and rho_V at most 1
  reasons    why not, in the words of quilex-combos' reason column: a list of the failed
             conditions, bending first ("bending ratio above 1", "no shear resistance",
             ...); empty when verified

Where risu-MN.txt prints 999.99 for a ratio, or 0.00 for epsilon, the value here is None.
)";

constexpr const char* kBiaxialVerificationDoc =
    R"(The verification of a RectangleWithBars: the results block of risu-MN.txt for type D.

Forces in N, moments in N·mm, angles in degrees:
  Mrd               resisting moment in the direction of (Mx, My): the far crossing of the
                    contour; 0 unless Resisted or OutsideDomain
  Mrdx, Mrdy        its components; when the final search failed, those of its last trial
  rho_M             |(Mx, My)| / Mrd; None when Mrd is 0
  MRx, MRy          resistance to Mx alone and to My alone; None when not found
  Vrdx, Vrdy        shear resistances along x and along y
  rho_V             sqrt((Vx/Vrdx)² + (Vy/Vrdy)²); None when either resistance is 0
  epsilon           neutral-axis depth / depth of the deepest bar, or None
  alpha             inclination of the neutral axis to x, degrees, (-90, 90], or None
  campo             strain field 1 to 6; 0 unless Resisted
  last_trial_angle  the last direction (rad) a search of direction tried, 0 when none did;
                    risu-MN.txt prints it as alpha when alpha is None
  contour           the resisting moments (Mx, My) of 72 planes 5 degrees apart and the
                    first again: a read-only array of shape (73, 2), or (0, 2) when not
                    every plane was found
  bending           quilex.BendingOutcome
  shear_x, shear_y  quilex.ShearOutcome of each direction
  moments_at_Ned    (near, far): where the direction of the moment meets the contour twice
                    (the origin lies outside it), or None
  verified          True when bending is Resisted with Mrd > 0 and rho_M <= 1, and
                    rho_V <= 1
  reasons           why not: the failed conditions, bending first; empty when verified
)";

py::object RangeOrNone(const std::optional<MomentRange>& range) {
  if (!range) return py::none();
  return py::make_tuple(range->lower, range->upper);
}

py::object EnumMember(const char* type, int value) {
  return py::module_::import("quilex").attr(type)(value);
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Fixed(const std::optional<double>& value, int decimals) {
  return value ? Fixed(*value, decimals) : "None";
}

// A force or moment with its unit, to 0.1 N or N·mm.
std::string Quantity(double value, const char* unit) {
  return Fixed(value, 1) + " " + unit;
}

std::string Quantity(const std::optional<double>& value, const char* unit) {
  return value ? Quantity(*value, unit) : "None";
}

std::string NameOf(py::object member) {
  return member.attr("name").cast<std::string>();
}

}  // namespace

py::object ToPython(BendingOutcome outcome) {
  return EnumMember("BendingOutcome", static_cast<int>(outcome));
}

py::object ToPython(ShearOutcome outcome) {
  return EnumMember("ShearOutcome", static_cast<int>(outcome));
}

void BindResults(py::module_& m) {
  MakeEnum(m, "BendingOutcome", kBendingOutcomes, kBendingOutcomeDoc);
  MakeEnum(m, "ShearOutcome", kShearOutcomes, kShearOutcomeDoc);

  py::class_<UltimateState>(m, "UltimateState", kUltimateStateDoc)
      .def_readonly("t", &UltimateState::t, "Configuration parameter of the strain plane, 0 to 10.")
      .def_readonly("neutral_axis_depth", &UltimateState::neutral_axis_depth,
                    "Depth of the neutral axis below the compressed face, mm.")
      .def_readonly("tension_steel_strain", &UltimateState::tension_steel_strain,
                    "Strain of the layer on the tension side, tension positive.")
      .def_readonly("tension_steel_stress", &UltimateState::tension_steel_stress,
                    "Stress of the layer on the tension side, N/mm².")
      .def_readonly("compressed_face_strain", &UltimateState::compressed_face_strain,
                    "Concrete strain at the compressed face (negative).")
      .def_readonly("compressed_face_stress", &UltimateState::compressed_face_stress,
                    "Concrete stress at the compressed face, N/mm² (negative).")
      .def_readonly("curvature", &UltimateState::curvature,
                    "(Strain at the bottom - strain at the top) / depth, 1/mm.")
      .def_readonly("iterations", &UltimateState::iterations, "Bisection steps taken.")
      .def("__repr__", [](const UltimateState& s) {
        return py::str(
                   "UltimateState(t={!r}, neutral_axis_depth={!r}, "
                   "tension_steel_strain={!r}, tension_steel_stress={!r}, "
                   "compressed_face_strain={!r}, compressed_face_stress={!r}, "
                   "curvature={!r}, iterations={!r})")
            .format(s.t, s.neutral_axis_depth, s.tension_steel_strain, s.tension_steel_stress,
                    s.compressed_face_strain, s.compressed_face_stress, s.curvature, s.iterations);
      });

  py::class_<Verification>(m, "Verification", kVerificationDoc)
      .def_property_readonly(
          "bending", [](const Verification& v) { return ToPython(v.bending); },
          "How the search of the resisting moment ended (quilex.BendingOutcome).")
      .def_readonly("Mrd", &Verification::Mrd,
                    "Resisting moment under Ned, N·mm, on the side Med compresses.")
      .def_readonly("rho_M", &Verification::rho_M, "Med / Mrd, or None when Mrd is 0.")
      .def_readonly("epsilon", &Verification::epsilon,
                    "Neutral-axis depth / effective depth, or None when Mrd is 0.")
      .def_readonly("campo", &Verification::campo,
                    "Strain field 1 to 6 at resistance; 0 when bending is not Resisted.")
      .def_readonly("state", &Verification::state,
                    "The ultimate strain state (quilex.UltimateState), or None.")
      .def_property_readonly(
          "moments_at_Ned", [](const Verification& v) { return RangeOrNone(v.moments_at_Ned); },
          "(lower, upper) moments resisted at Ned, N·mm, or None.")
      .def_property_readonly(
          "shear", [](const Verification& v) { return ToPython(v.shear); },
          "How the shear check ended (quilex.ShearOutcome).")
      .def_readonly("Vrd", &Verification::Vrd, "Shear resistance, N.")
      .def_readonly("rho_V", &Verification::rho_V, "|Ved / Vrd|, or None when Vrd is 0.")
      .def_property_readonly("verified", &Verification::verified,
                             "True when the section resists both the moment and the shear.")
      .def_property_readonly(
          "reasons", [](const Verification& v) { return VerdictOf(v).conditions(); },
          "The failed conditions, bending first, as quilex-combos words them; [] if verified.")
      .def("__repr__", [](const Verification& v) {
        return "Verification(verified=" + std::string(v.verified() ? "True" : "False") +
               ", Mrd=" + Quantity(v.Mrd, "N·mm") + ", rho_M=" + Fixed(v.rho_M, 4) +
               ", Vrd=" + Quantity(v.Vrd, "N") + ", rho_V=" + Fixed(v.rho_V, 4) +
               ", epsilon=" + Fixed(v.epsilon, 4) + ", campo=" + std::to_string(v.campo) +
               ", bending=" + NameOf(ToPython(v.bending)) + ", shear=" + NameOf(ToPython(v.shear)) +
               ")";
      });

  py::class_<BiaxialVerification>(m, "BiaxialVerification", kBiaxialVerificationDoc)
      .def_property_readonly(
          "bending", [](const BiaxialVerification& v) { return ToPython(v.bending); },
          "How the search of the resisting moment ended (quilex.BendingOutcome).")
      .def_readonly("Mrd", &BiaxialVerification::Mrd,
                    "Resisting moment in the direction of (Mx, My), N·mm.")
      .def_readonly("Mrdx", &BiaxialVerification::Mrdx, "x component of Mrd, N·mm.")
      .def_readonly("Mrdy", &BiaxialVerification::Mrdy, "y component of Mrd, N·mm.")
      .def_readonly("rho_M", &BiaxialVerification::rho_M,
                    "|(Mx, My)| / Mrd, or None when Mrd is 0.")
      .def_readonly("MRx", &BiaxialVerification::MRx,
                    "Resistance to Mx alone, N·mm, or None when not found.")
      .def_readonly("MRy", &BiaxialVerification::MRy,
                    "Resistance to My alone, N·mm, or None when not found.")
      .def_readonly("epsilon", &BiaxialVerification::epsilon,
                    "Neutral-axis depth / depth of the deepest bar, or None.")
      .def_readonly("alpha", &BiaxialVerification::alpha,
                    "Inclination of the neutral axis to x, degrees, (-90, 90], or None.")
      .def_readonly("campo", &BiaxialVerification::campo, "Strain field 1 to 6; 0 unless Resisted.")
      .def_property_readonly(
          "moments_at_Ned",
          [](const BiaxialVerification& v) { return RangeOrNone(v.moments_at_Ned); },
          "(near, far) crossings of the contour along the moment's direction, N·mm, or None.")
      .def_readonly("last_trial_angle", &BiaxialVerification::last_trial_angle,
                    "The last direction a search of direction tried, rad; 0 when none did.")
      .def_property_readonly(
          "contour",
          [](const BiaxialVerification& v) {
            return ReadOnly(PairsArray<MomentPoint, &MomentPoint::Mx, &MomentPoint::My>(v.contour));
          },
          "Resisting moments (Mx, My), N·mm: read-only array of shape (73, 2), or (0, 2).")
      .def_property_readonly(
          "shear_x", [](const BiaxialVerification& v) { return ToPython(v.shear_x); },
          "How the shear check along x ended (quilex.ShearOutcome).")
      .def_property_readonly(
          "shear_y", [](const BiaxialVerification& v) { return ToPython(v.shear_y); },
          "How the shear check along y ended (quilex.ShearOutcome).")
      .def_readonly("Vrdx", &BiaxialVerification::Vrdx, "Shear resistance along x, N.")
      .def_readonly("Vrdy", &BiaxialVerification::Vrdy, "Shear resistance along y, N.")
      .def_readonly("rho_V", &BiaxialVerification::rho_V,
                    "sqrt((Vx/Vrdx)² + (Vy/Vrdy)²), or None when either resistance is 0.")
      .def_property_readonly("verified", &BiaxialVerification::verified,
                             "True when the section resists both the moments and the shears.")
      .def_property_readonly(
          "reasons", [](const BiaxialVerification& v) { return VerdictOf(v).conditions(); },
          "The failed conditions, bending first, as quilex-combos words them; [] if verified.")
      .def("__repr__", [](const BiaxialVerification& v) {
        return "BiaxialVerification(verified=" + std::string(v.verified() ? "True" : "False") +
               ", Mrd=" + Quantity(v.Mrd, "N·mm") + ", Mrdx=" + Quantity(v.Mrdx, "N·mm") +
               ", Mrdy=" + Quantity(v.Mrdy, "N·mm") + ", rho_M=" + Fixed(v.rho_M, 4) +
               ", MRx=" + Quantity(v.MRx, "N·mm") + ", MRy=" + Quantity(v.MRy, "N·mm") +
               ", Vrdx=" + Quantity(v.Vrdx, "N") + ", Vrdy=" + Quantity(v.Vrdy, "N") +
               ", rho_V=" + Fixed(v.rho_V, 4) + ", epsilon=" + Fixed(v.epsilon, 4) +
               ", alpha=" + Fixed(v.alpha, 2) + ", campo=" + std::to_string(v.campo) +
               ", bending=" + NameOf(ToPython(v.bending)) +
               ", shear_x=" + NameOf(ToPython(v.shear_x)) +
               ", shear_y=" + NameOf(ToPython(v.shear_y)) + ")";
      });

  py::class_<PolygonVerification, BiaxialVerification>(m, "PolygonVerification",
                                                       kPolygonVerificationDoc)
      .def_readonly("rho_radial", &PolygonVerification::rho_radial,
                    "The factor by which (Ned, Mx, My), scaled together, reach the boundary of "
                    "the domain, or None.")
      .def_readonly("neutral_axis_depth", &PolygonVerification::neutral_axis_depth,
                    "Neutral-axis depth below the most compressed fibre, mm, or None.")
      .def_readonly("compression_angle", &PolygonVerification::compression_angle,
                    "Direction from the x axis towards the compressed side of the resisting "
                    "plane, rad, or None.")
      .def_property_readonly(
          "verdict_ratio",
          [](const PolygonVerification& v) {
            return py::module_::import("quilex").attr("UtilisationRatio")(
                static_cast<int>(v.verdict_ratio));
          },
          "The ratio verified compared with 1 (quilex.UtilisationRatio).")
      .def_readonly("gross_concrete_area", &PolygonVerification::gross_concrete_area,
                    "Outlines less holes, mm².")
      .def_readonly("net_concrete_area", &PolygonVerification::net_concrete_area,
                    "Less the bars too, mm²: the area the concrete law acts on.")
      .def_property_readonly("shear_checked", &PolygonVerification::shear_checked,
                             "Whether the section had the data to check shear.")
      .def_property_readonly("verified", &PolygonVerification::verified,
                             "True when the section resists the actions: inside the domain with "
                             "the chosen ratio at most 1, and shear passed (or not checked with "
                             "no shear force).")
      .def_property_readonly(
          "reasons", [](const PolygonVerification& v) { return VerdictOf(v).conditions(); },
          "The failed conditions, bending first; [] if verified.")
      .def("__repr__", [](const PolygonVerification& v) {
        return "PolygonVerification(verified=" + std::string(v.verified() ? "True" : "False") +
               ", Mrd=" + Quantity(v.Mrd, "N·mm") + ", rho_M=" + Fixed(v.rho_M, 4) +
               ", rho_radial=" + Fixed(v.rho_radial, 4) + ", MRx=" + Quantity(v.MRx, "N·mm") +
               ", MRy=" + Quantity(v.MRy, "N·mm") + ", alpha=" + Fixed(v.alpha, 2) +
               ", campo=" + std::to_string(v.campo) + ", bending=" + NameOf(ToPython(v.bending)) +
               ", shear_x=" + NameOf(ToPython(v.shear_x)) +
               ", shear_y=" + NameOf(ToPython(v.shear_y)) + ")";
      });
}

}  // namespace quilex::python
