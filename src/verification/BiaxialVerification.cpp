// Verification of a rectangle with individually placed bars: the sweep of 72 directions of
// the neutral axis at the acting axial force, the searches of direction for Mx alone, My
// alone and the acting moment, and the shear checks along y and along x.
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

#include "biaxial/BiaxialResistance.hpp"
#include "quilex/domain.hpp"
#include "quilex/validation.hpp"
#include "shear/RectangularShear.hpp"
#include "verification/Unchecked.hpp"
#include "verification/ValidInput.hpp"

namespace quilex {
namespace {

using biaxial::AngleSearch;
using biaxial::DepthSearch;

constexpr int kSamples = 72;  // directions of the compressed side, 5 degrees apart

struct DirectionSweep {
  std::array<double, kSamples> theta{};
  std::array<double, kSamples> Mx{};
  std::array<double, kSamples> My{};
  bool converged = true;
};

DirectionSweep SweepDirections(const RectangleWithBars& section, const MaterialSet& m, double Ned,
                               const Settings& settings) {
  DirectionSweep sweep;
  for (int k = 0; k < kSamples; ++k) {
    sweep.theta[k] = k * (2 * std::numbers::pi) / kSamples;
    const DepthSearch sample = biaxial::SolveNeutralAxisDepth(
        section, m, ParabolaExponentOf(settings.parabola_exponent, m.fck), sweep.theta[k], Ned,
        settings.tolerance, settings.max_iterations);
    sweep.Mx[k] = sample.state.Mx;
    sweep.My[k] = sample.state.My;
    sweep.converged = sweep.converged && sample.converged;
  }
  return sweep;
}

// The samples and the first again, which closes the contour.
std::vector<MomentPoint> Contour(const DirectionSweep& sweep) {
  std::vector<MomentPoint> points;
  points.reserve(kSamples + 1);
  for (int k = 0; k <= kSamples; ++k) {
    const int j = k % kSamples;
    points.push_back({sweep.Mx[j], sweep.My[j]});
  }
  return points;
}

double Magnitude(const biaxial::BiaxialState& state) {
  return std::sqrt(state.Mx * state.Mx + state.My * state.My);
}

// Where the direction phi meets the contour of the sweep. With the origin inside the
// contour it meets it once; with the origin outside, twice (or not at all), and the far
// crossing bounds the domain in that direction while the near one bounds it towards the
// origin. An odd number of crossings beyond one comes only from a contour that folds on
// itself; the far one still bounds the domain.
struct Crossings {
  AngleSearch far;                       // the crossing farthest from the origin
  std::optional<double> near_magnitude;  // with an even number of crossings: the nearest
  bool converged = true;                 // every search of a crossing converged
  double last_trial_angle = 0;           // of the search made last
};

std::optional<Crossings> SearchCrossings(const RectangleWithBars& section, const MaterialSet& m,
                                         double Ned, const Settings& settings,
                                         const DirectionSweep& sweep, double phi) {
  const std::vector<std::size_t> brackets = biaxial::AngleBrackets(sweep.Mx, sweep.My, phi);
  if (brackets.empty()) return std::nullopt;
  const double exponent = ParabolaExponentOf(settings.parabola_exponent, m.fck);
  const auto solve = [&](std::size_t bracket) {
    return biaxial::SolveNeutralAxisAngleIn(section, m, exponent, Ned, settings.tolerance,
                                            settings.max_iterations, sweep.theta, sweep.Mx,
                                            sweep.My, phi, bracket);
  };
  Crossings crossings;
  crossings.far = solve(brackets[0]);
  crossings.last_trial_angle = crossings.far.theta;
  crossings.converged = crossings.far.converged;
  double nearest = Magnitude(crossings.far.state);
  for (std::size_t k = 1; k < brackets.size(); ++k) {
    const AngleSearch other = solve(brackets[k]);
    crossings.last_trial_angle = other.theta;
    crossings.converged = crossings.converged && other.converged;
    const double magnitude = Magnitude(other.state);
    nearest = std::fmin(nearest, magnitude);
    if (magnitude > Magnitude(crossings.far.state)) crossings.far = other;
  }
  if (brackets.size() % 2 == 0) crossings.near_magnitude = nearest;
  return crossings;
}

// The bending part: the sweep, then the three searches of direction.
// M is the magnitude of the acting moment.
void VerifyBending(const RectangleWithBars& section, const MaterialSet& m, const BiaxialActions& a,
                   double M, const Settings& settings, BiaxialVerification& r) {
  const biaxial::AxialLimits limits = biaxial::AxialCapacities(section, m);
  if (!(limits.Nmin < a.Ned && a.Ned < limits.Nmax)) {
    r.bending = BendingOutcome::AxialForceOutsideDomain;
    return;
  }
  const DirectionSweep sweep = SweepDirections(section, m, a.Ned, settings);
  if (!sweep.converged) {
    r.bending = BendingOutcome::SampleNotConverged;
    return;
  }
  r.contour = Contour(sweep);
  // The three searches report one last trial angle between them: a failed final search
  // shows the last angle any of them tried.
  const auto search = [&](double phi) {
    std::optional<Crossings> found = SearchCrossings(section, m, a.Ned, settings, sweep, phi);
    if (found) r.last_trial_angle = found->last_trial_angle;
    return found;
  };
  const std::optional<Crossings> along_x = search(0.0);
  if (along_x) r.MRx = along_x->far.state.Mx;
  const std::optional<Crossings> along_y = search(std::numbers::pi / 2);
  if (along_y) r.MRy = along_y->far.state.My;
  const double phi = M > 0 ? std::atan2(a.My, a.Mx) : 0.0;
  // A moment along an axis repeats that axis's search bit for bit: its result is reused.
  const auto same = [phi](double axis) {
    // __builtin_bit_cast, not std::bit_cast: the WebAssembly build's libc++ 14 has none.
    return __builtin_bit_cast(std::uint64_t, phi) == __builtin_bit_cast(std::uint64_t, axis);
  };
  std::optional<Crossings> final_search;
  if (same(0.0)) {
    final_search = along_x;
  } else if (same(std::numbers::pi / 2)) {
    final_search = along_y;
  } else {
    final_search = search(phi);
  }
  if (final_search) r.last_trial_angle = final_search->last_trial_angle;
  if (!final_search) {
    r.bending = BendingOutcome::DirectionNotFound;
    return;
  }
  const AngleSearch& resisting = final_search->far;
  r.Mrdx = resisting.state.Mx;
  r.Mrdy = resisting.state.My;
  if (!final_search->converged) {
    r.bending = BendingOutcome::NotConverged;
    return;
  }
  const biaxial::BiaxialState& plane = resisting.state;
  r.bending = BendingOutcome::Resisted;
  r.epsilon = plane.x / plane.dmax;
  r.Mrd = std::sqrt(r.Mrdx * r.Mrdx + r.Mrdy * r.Mrdy);
  r.rho_M = M / r.Mrd;
  r.campo = biaxial::StrainField(plane.x, plane.dmax, plane.htheta, plane.eps_c, plane.eps_s,
                                 m.eps_cu, m.fyd / m.Es);
  r.alpha = biaxial::NeutralAxisInclination(resisting.theta);
  if (final_search->near_magnitude) {
    r.moments_at_Ned = MomentRange{*final_search->near_magnitude, r.Mrd};
    if (*r.rho_M <= 1 && M < *final_search->near_magnitude) {
      r.bending = BendingOutcome::OutsideDomain;
    }
  }
}

// Effective depths from the extreme bars: in each direction the smaller of the depths
// measured from the two faces.
void VerifyShear(const RectangleWithBars& section, const MaterialSet& m, const BiaxialActions& a,
                 const Settings& settings, IterationLog* log, BiaxialVerification& r) {
  const std::vector<Bar>& bars = section.bars;
  double xmin = bars[0].x, xmax = bars[0].x;
  double ymin = bars[0].y, ymax = bars[0].y;
  for (std::size_t i = 1; i < bars.size(); ++i) {
    xmin = std::fmin(xmin, bars[i].x);
    xmax = std::fmax(xmax, bars[i].x);
    ymin = std::fmin(ymin, bars[i].y);
    ymax = std::fmax(ymax, bars[i].y);
  }
  const double B = section.B, H = section.H;
  const BiaxialStirrups& s = section.stirrups;
  const double dy = std::fmin(H / 2 - ymin, H / 2 + ymax);
  const double dx = std::fmin(B / 2 - xmin, B / 2 + xmax);
  const shear::ShearResistance along_y = shear::RectangularWebShear(
      B, H, H - dy, s.Asw, s.nby, s.st, settings.strut_angle, m, a.Ned, log);
  // Out of range for one direction, the strut angle is out of range for both.
  const shear::ShearResistance along_x =
      along_y.outcome == ShearOutcome::StrutAngleOutOfRange
          ? along_y
          : shear::RectangularWebShear(H, B, B - dx, s.Asw, s.nbx, s.st, settings.strut_angle, m,
                                       a.Ned, log);
  r.shear_y = along_y.outcome;
  r.Vrdy = along_y.Vrd;
  r.shear_x = along_x.outcome;
  r.Vrdx = along_x.Vrd;
  r.shear_check_y = along_y.check;
  r.shear_check_x = along_x.check;
  if (r.Vrdx != 0 && r.Vrdy != 0) {
    const double ratio_x = a.Vx / r.Vrdx;
    const double ratio_y = a.Vy / r.Vrdy;
    r.rho_V = std::sqrt(ratio_x * ratio_x + ratio_y * ratio_y);
  }
}

}  // namespace

namespace unchecked {

BiaxialVerification Verify(const RectangleWithBars& section, const MaterialSet& materials,
                           const BiaxialActions& actions, const Settings& settings,
                           IterationLog* log) {
  BiaxialVerification r;
  const double M = std::sqrt(actions.Mx * actions.Mx + actions.My * actions.My);
  VerifyBending(section, materials, actions, M, settings, r);
  VerifyShear(section, materials, actions, settings, log, r);
  return r;
}

}  // namespace unchecked

bool BiaxialVerification::verified() const {
  return bending == BendingOutcome::Resisted && Mrd > 0 && std::isfinite(Mrd) && rho_M &&
         *rho_M <= 1 && rho_V && *rho_V <= 1 && std::isfinite(Vrdx) && std::isfinite(Vrdy);
}

BiaxialVerification Verify(const RectangleWithBars& section, const MaterialSet& materials,
                           const BiaxialActions& actions, const Settings& settings,
                           IterationLog* log) {
  RequireValid({Validate(section), Validate(materials), Validate(actions), Validate(settings),
                Validate(materials, settings)});
  return unchecked::Verify(section, materials, actions, settings, log);
}

std::vector<MomentPoint> MomentContour(const RectangleWithBars& section,
                                       const MaterialSet& materials, double Ned,
                                       const Settings& settings) {
  RequireValid({Validate(section), Validate(materials), Validate(BiaxialActions{.Ned = Ned}),
                Validate(settings), Validate(materials, settings)});
  const biaxial::AxialLimits limits = biaxial::AxialCapacities(section, materials);
  if (!(limits.Nmin < Ned && Ned < limits.Nmax)) return {};
  const DirectionSweep sweep = SweepDirections(section, materials, Ned, settings);
  return sweep.converged ? Contour(sweep) : std::vector<MomentPoint>{};
}

}  // namespace quilex
