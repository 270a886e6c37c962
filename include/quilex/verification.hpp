// Verification of a cross section at the ultimate limit state: its resisting moment under
// the acting axial force, its shear resistance, and the two utilisation ratios.
//
// Units: N, mm and N·mm in and out (kN and kN·m appear only in the files the programs
// write). Signs: an axial force is positive in tension; a positive moment Med (or Mx)
// compresses the top face (the face of As_top, the flange of a T), a positive My the face
// at +x of a RectangleWithBars; only the magnitude of a shear force matters.
//
// Example: the bundled rectangle (see quilex/sections.hpp) under Ned = -500 kN,
// Med = 150 kN·m, Ved = 100 kN:
//
//   const quilex::Verification v = quilex::Verify(
//       beam, quilex::LookupMaterials("IT", "B450C", "C25/30"),
//       {.Ned = -500e3, .Med = 150e6, .Ved = 100e3});
//   // v.Mrd ≈ 237.89e6 N·mm, *v.rho_M ≈ 0.63, v.Vrd ≈ 108.58e3 N, *v.rho_V ≈ 0.92,
//   // *v.epsilon ≈ 0.39, v.campo == 3, v.verified() == true
//
// The numbers are the program's numbers, to the last bit: quilex writes these values,
// scaled to kN and kN·m, in risu-MN.txt.
//
// What can go wrong: a value the computation cannot use (a negative depth, a cover not
// smaller than half the depth, a non-finite number, ...) throws InvalidInput listing every
// such value (see quilex/validation.hpp). Everything else is an outcome of the
// verification, reported in the result: an axial force outside the section's M-N domain, a
// search that does not converge, no shear resistance, a strut angle out of its range.
//
// The functions keep no state and may run on any number of threads at once.
#pragma once

#include <optional>
#include <vector>

#include "quilex/iteration_log.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex {

// Design actions on an R, T or C section (slu-max.txt).
struct Actions {
  double Ned = 0;  // axial force, N, tension positive
  double Med = 0;  // bending moment, N·mm, positive when it compresses the top face
  double Ved = 0;  // shear force, N

  bool operator==(const Actions&) const = default;
};

// Design actions on a RectangleWithBars.
struct BiaxialActions {
  double Ned = 0;  // axial force, N, tension positive
  double Mx = 0;   // moment about x, N·mm, positive when it compresses the side y > 0
  double My = 0;   // moment about y, N·mm, positive when it compresses the side x > 0
  double Vx = 0;   // shear force along x, N
  double Vy = 0;   // shear force along y, N

  bool operator==(const BiaxialActions&) const = default;
};

// The ratio a PolygonSection's verified() compares with 1. Both are at most 1 exactly when
// the actions lie inside the resistance domain; they differ in how far inside.
enum class UtilisationRatio {
  // rho_M: the acting moment over the resisting moment in its direction at the acting Ned
  // (the ratio of every other section type).
  AtConstantNed,
  // rho_radial: the factor by which Ned, Mx and My, scaled together, reach the boundary of
  // the resistance domain.
  Radial,
};

// The most strips Settings may ask for.
inline constexpr int kMaxStrips = 100000;

// The exponent n of the concrete's parabola, sigma = fcd * [1 - (1 - eps/eps_c2)^n].
enum class ParabolaExponent {
  // 2 for every class: the program's law. Above C50/60 its stress block is fuller than
  // EN 1992-1-1's, so resistances near pure compression come out higher (by up to 10 %
  // for C60/75 and 30 % for C70/85: see docs/method.md).
  Two,
  // EN 1992-1-1, Table 3.1, from the class's fck: 2 up to 50 N/mm² (the same numbers as
  // Two, bit for bit), 1.4 + 23.4 ((90 - fck)/100)^4 above (1.75 for C55/67, 1.59 for
  // C60/75, 1.44 for C70/85, 1.40 for C80/95 and C90/105; 1.4 from 90 N/mm² on, where the
  // table ends). Needs MaterialSet::fck: materials without it (fck = 0) are refused.
  EN1992,
};

// The exponent n that `choice` gives a concrete of characteristic strength fck (N/mm²).
double ParabolaExponentOf(ParabolaExponent choice, double fck);

// How a verification computes. The defaults are the program's; other values give other
// (finer or coarser) results.
struct Settings {
  int strips = 100;           // concrete strips of the R, T and C integration, 1 to kMaxStrips
  double tolerance = 0.001;   // on the axial-force residual of every search, N
  int max_iterations = 1000;  // steps of a search
  double strut_angle = 45.0;  // inclination of the shear struts, degrees: cot 1 to 2.5
  ParabolaExponent parabola_exponent = ParabolaExponent::Two;  // of the concrete law
  // PolygonSection only: the ratio verified() compares with 1.
  UtilisationRatio verdict_ratio = UtilisationRatio::AtConstantNed;
  bool operator==(const Settings&) const = default;
};

enum class BendingOutcome {
  Resisted,                 // the search converged: Mrd is the resisting moment
  AxialForceOutsideDomain,  // Ned at or beyond the compressive or the tensile capacity
  // A search used max_iterations without reaching the tolerance. When only the search on
  // the other face of an R, T or C section did so (the one that tells whether the point is
  // inside), Mrd, rho_M and the state are still those of the search on Med's side.
  NotConverged,
  // RectangleWithBars only:
  SampleNotConverged,  // a depth search of the sweep of directions did not converge
  DirectionNotFound,   // no sampled pair of directions brackets the acting moment's
  // The searches converged, but the design point lies outside the domain although rho_M is
  // at most 1: at Ned the section resists only the moments of moments_at_Ned, and Med (or
  // the acting moment along its direction) is not among them. Mrd, rho_M and the state at
  // resistance are those of the search on Med's side, as the results block shows them.
  OutsideDomain,
};

enum class ShearOutcome {
  Resisted,               // Vrd > 0
  NoStirrups,             // the stirrups resist nothing (no legs or no area): Vrd = 0
  CompressionOutOfRange,  // mean compression at or beyond fcd: the struts fail, Vrd = 0
  StrutAngleOutOfRange,   // Settings::strut_angle outside cot 1 to 2.5: nothing computed
  // RectangleWithBars only: the bars lie on the face the shear runs from, so the
  // effective depth and the lever arm are 0: Vrd = 0.
  NoLeverArm,
  // PolygonSection only: the section has no shear data, so shear is not checked: Vrd = 0.
  NotChecked,
};

// The terms of a shear check, as a calculation writes them out: the web the strut model
// works on and its two resistances, Vrd being the smaller (when Resisted). In N and mm.
struct ShearCheck {
  double b = 0;         // web width (for a circle the equivalent rectangle's area / d)
  double d = 0;         // effective depth
  double z = 0;         // lever arm, 0.9 d
  double area = 0;      // over which the mean axial stress is taken, mm²
  double sigma_cp = 0;  // mean axial stress Ned / area, N/mm², tension positive
  double alpha_cw = 0;  // the struts' factor for sigma_cp (0: crushed)
  double cot_theta = 0;
  double nu = 0;       // strength reduction of concrete cracked in shear
  double VRd_s = 0;    // of the stirrups
  double VRd_max = 0;  // of the struts
  bool operator==(const ShearCheck&) const = default;
};

// A pair of resisting moments of a RectangleWithBars, N·mm.
struct MomentPoint {
  double Mx = 0;
  double My = 0;
};

// The moments a section resists at one axial force, N·mm: from lower to upper. For an R, T
// or C section the ends of the two branches of the M-N domain at Ned (signed); for a
// RectangleWithBars the near and the far crossing of the contour at Ned along the direction
// of the acting moment (magnitudes), when the origin lies outside that contour.
struct MomentRange {
  double lower = 0;
  double upper = 0;
};

// The ultimate strain state in which an R, T or C section resists Ned.
struct UltimateState {
  double t = 0;  // configuration parameter of the strain plane, 0 to 10 (see docs/method.md)
  double neutral_axis_depth = 0;      // mm below the compressed face (may lie outside)
  double tension_steel_strain = 0;    // of the layer on the tension side, tension positive
  double tension_steel_stress = 0;    // N/mm²
  double compressed_face_strain = 0;  // concrete strain at the compressed face (negative)
  double compressed_face_stress = 0;  // N/mm², negative
  double curvature = 0;               // (strain at the bottom - strain at the top) / depth, 1/mm
  int iterations = 0;                 // bisection steps taken
};

// The verification of an R, T or C section: the results block of risu-MN.txt as values.
struct Verification {
  BendingOutcome bending = BendingOutcome::AxialForceOutsideDomain;
  // Resisting moment under Ned, N·mm, on the side Med compresses (negative for Med < 0);
  // 0 unless bending is Resisted or OutsideDomain (or NotConverged, see there).
  double Mrd = 0;
  std::optional<double> rho_M;         // Med / Mrd; none when Mrd is 0
  std::optional<double> epsilon;       // neutral-axis depth / effective depth; none when Mrd is 0
  int campo = 0;                       // strain field 1 to 6 at resistance; 0 when not Resisted
  std::optional<UltimateState> state;  // when Resisted or OutsideDomain
  // The moments resisted at Ned, when the search on the other side was needed to tell
  // whether Med lies between them (always when bending is OutsideDomain).
  std::optional<MomentRange> moments_at_Ned;

  ShearOutcome shear = ShearOutcome::Resisted;
  double Vrd = 0;                         // shear resistance, N; 0 unless shear is Resisted
  std::optional<ShearCheck> shear_check;  // its terms; none when the strut angle is refused
  std::optional<double> rho_V;            // |Ved / Vrd|; none when Vrd is 0

  // True when the section resists both: bending Resisted (so Med lies inside the M-N
  // domain at Ned) with rho_M at most 1, and rho_V at most 1.
  bool verified() const;
};

// The verification of a RectangleWithBars: the results block of risu-MN.txt for section
// type D as values, and the contour of resisting moments at Ned.
struct BiaxialVerification {
  BendingOutcome bending = BendingOutcome::AxialForceOutsideDomain;
  // Resisting moment in the direction of (Mx, My), N·mm: the far crossing of the contour,
  // which bounds the domain in that direction; 0 unless Resisted or OutsideDomain.
  double Mrd = 0;
  double Mrdx = 0;  // its components; when the final search failed, those of its last trial
  double Mrdy = 0;
  std::optional<double> rho_M;    // |(Mx, My)| / Mrd; none when Mrd is 0
  std::optional<double> MRx;      // resistance to Mx alone; none when not found
  std::optional<double> MRy;      // resistance to My alone; none when not found
  std::optional<double> epsilon;  // neutral-axis depth / depth of the deepest bar
  std::optional<double> alpha;    // inclination of the neutral axis to x, degrees, (-90, 90]
  int campo = 0;                  // strain field 1 to 6; 0 unless Resisted or OutsideDomain
  // When the origin lies outside the contour at Ned, the direction of the acting moment
  // meets it twice: the magnitudes of the near and the far crossing (Mrd).
  std::optional<MomentRange> moments_at_Ned;
  // The last angle (rad, direction of the compressed side) that any of the three searches
  // of direction tried, 0 when none did: risu-MN.txt shows it as alpha when the final
  // search did not converge.
  double last_trial_angle = 0;
  // The resisting moments (Mx, My) of 72 planes 5 degrees apart, the first repeated at the
  // end (73 points), when every one of them was found; empty otherwise.
  std::vector<MomentPoint> contour;

  ShearOutcome shear_x = ShearOutcome::Resisted;
  ShearOutcome shear_y = ShearOutcome::Resisted;
  double Vrdx = 0;                          // shear resistance along x, N
  double Vrdy = 0;                          // shear resistance along y, N
  std::optional<ShearCheck> shear_check_x;  // the terms of each; none for a refused angle
  std::optional<ShearCheck> shear_check_y;
  std::optional<double> rho_V;  // sqrt((Vx/Vrdx)² + (Vy/Vrdy)²); none when either is 0

  // True when bending is Resisted (the point lies inside the contour) with Mrd > 0 and
  // rho_M <= 1, and rho_V <= 1.
  bool verified() const;
};

// The verification of a PolygonSection: the fields of a RectangleWithBars' (contour left
// empty: MomentContour() draws it), and what only a polygon section reports.
struct PolygonVerification : BiaxialVerification {
  // The factor by which (Ned, Mx, My), scaled together, reach the boundary of the domain:
  // (Ned, Mx, My) over the boundary point on their ray. 0 for no actions; none when the ray
  // meets no boundary point that a search converged on.
  std::optional<double> rho_radial;
  std::optional<double> neutral_axis_depth;  // mm, below the most compressed fibre
  // rad from the x axis: the direction towards the compressed side of the resisting plane
  // (alpha gives the neutral axis' inclination, not the side); with neutral_axis_depth it
  // places the axis in the section.
  std::optional<double> compression_angle;
  UtilisationRatio verdict_ratio = UtilisationRatio::AtConstantNed;  // from the settings
  double gross_concrete_area = 0;                                    // mm², outlines less holes
  double net_concrete_area = 0;  // mm², less the bars too: the area the concrete law acts on
  bool shear_acting = false;     // whether Vx or Vy is not 0

  // True when bending is Resisted (the point lies inside the contour at Ned) with Mrd > 0,
  // the ratio of verdict_ratio is at most 1, and shear passes: rho_V <= 1, or shear not
  // checked with Vx and Vy both 0.
  bool verified() const;
  // Whether the section had the data to check shear.
  bool shear_checked() const { return shear_x != ShearOutcome::NotChecked; }
};

Verification Verify(const RectangularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings = {},
                    IterationLog* log = nullptr);
Verification Verify(const TSection& section, const MaterialSet& materials, const Actions& actions,
                    const Settings& settings = {}, IterationLog* log = nullptr);
Verification Verify(const CircularSection& section, const MaterialSet& materials,
                    const Actions& actions, const Settings& settings = {},
                    IterationLog* log = nullptr);
BiaxialVerification Verify(const RectangleWithBars& section, const MaterialSet& materials,
                           const BiaxialActions& actions, const Settings& settings = {},
                           IterationLog* log = nullptr);
// Actions about the section's reference point, with the signs of a RectangleWithBars.
PolygonVerification Verify(const PolygonSection& section, const MaterialSet& materials,
                           const BiaxialActions& actions, const Settings& settings = {},
                           IterationLog* log = nullptr);

}  // namespace quilex
