// Verification of a polygon section: a sweep of neutral-axis directions at the acting axial
// force (eight, or 72 when eight may miss a crossing), the searches of direction for Mx
// alone, My alone and the acting moment, the radial ratio, and the shear checks along x and
// y on the webs the user gives. Then the diagrams: the M-N domain in one moment direction,
// the Mx-My contour, the resistance surface.
#include <cmath>
#include <numbers>
#include <optional>

#include "biaxial/PolygonResistance.hpp"
#include "quilex/domain.hpp"
#include "quilex/validation.hpp"
#include "shear/RectangularShear.hpp"
#include "verification/ValidInput.hpp"

namespace quilex {
namespace {

using biaxial::DepthTarget;
using biaxial::PolygonCrossings;
using biaxial::PolygonModel;
using biaxial::PolygonSweep;

constexpr int kCoarseSamples = 8;  // enough for a contour that winds round the origin
constexpr int kFineSamples = 72;   // otherwise, as for a rectangle with bars
constexpr int kRatioHalvings = 64;

struct Searches {
  const PolygonModel& model;
  const MaterialSet& m;
  double tol;
  int maxit;

  PolygonSweep Sweep(const DepthTarget& target) const {
    PolygonSweep sweep = biaxial::SweepDirections(model, m, target, kCoarseSamples, tol, maxit);
    if (sweep.converged && !biaxial::WindsOnceInSmallSteps(sweep)) {
      sweep = biaxial::SweepDirections(model, m, target, kFineSamples, tol, maxit);
    }
    return sweep;
  }
  std::optional<PolygonCrossings> Crossings(const DepthTarget& target, const PolygonSweep& sweep,
                                            double phi) const {
    return biaxial::SearchCrossings(model, m, target, sweep, phi, tol, maxit);
  }
  // Whether (N, M along phi) lies inside the domain: at N, M at most the far crossing's
  // magnitude and not below the near one.
  bool Inside(double N, double M, double phi, const biaxial::AxialLimits& limits) const {
    if (!(limits.Nmin < N && N < limits.Nmax)) return false;
    const DepthTarget target{.N = N};
    const PolygonSweep sweep = Sweep(target);
    if (!sweep.converged) return false;
    const std::optional<PolygonCrossings> c = Crossings(target, sweep, phi);
    if (!c || !c->converged) return false;
    const double far = std::hypot(c->far.depth.plane.Mx, c->far.depth.plane.My);
    return M <= far && !(c->near_magnitude && M < *c->near_magnitude);
  }
};

// The resisting plane, when the point lies inside at Ned.
std::optional<biaxial::DirectionSolution> VerifyBending(const Searches& s, const BiaxialActions& a,
                                                        double M,
                                                        const biaxial::AxialLimits& limits,
                                                        PolygonVerification& r) {
  if (!(limits.Nmin < a.Ned && a.Ned < limits.Nmax)) {
    r.bending = BendingOutcome::AxialForceOutsideDomain;
    return std::nullopt;
  }
  const DepthTarget target{.N = a.Ned};
  const PolygonSweep sweep = s.Sweep(target);
  if (!sweep.converged) {
    r.bending = BendingOutcome::SampleNotConverged;
    return std::nullopt;
  }
  const auto search = [&](double phi) {
    std::optional<PolygonCrossings> found = s.Crossings(target, sweep, phi);
    if (found) r.last_trial_angle = found->last_trial_angle;
    return found;
  };
  const std::optional<PolygonCrossings> along_x = search(0.0);
  if (along_x) r.MRx = along_x->far.depth.plane.Mx;
  const std::optional<PolygonCrossings> along_y = search(std::numbers::pi / 2);
  if (along_y) r.MRy = along_y->far.depth.plane.My;
  const double phi = M > 0 ? std::atan2(a.My, a.Mx) : 0.0;
  const std::optional<PolygonCrossings> final_search = phi == 0.0                    ? along_x
                                                       : phi == std::numbers::pi / 2 ? along_y
                                                                                     : search(phi);
  if (final_search) r.last_trial_angle = final_search->last_trial_angle;
  if (!final_search) {
    r.bending = BendingOutcome::DirectionNotFound;
    return std::nullopt;
  }
  const biaxial::DirectionSolution& resisting = final_search->far;
  const biaxial::PlaneResult& plane = resisting.depth.plane;
  r.Mrdx = plane.Mx;
  r.Mrdy = plane.My;
  if (!final_search->converged) {
    r.bending = BendingOutcome::NotConverged;
    return std::nullopt;
  }
  const biaxial::PlaneDirection direction = biaxial::DirectionOf(s.model, resisting.theta);
  r.bending = BendingOutcome::Resisted;
  r.epsilon = plane.x / direction.dmax;
  r.neutral_axis_depth = plane.x;
  r.compression_angle = resisting.theta;
  r.Mrd = std::hypot(r.Mrdx, r.Mrdy);
  r.rho_M = M / r.Mrd;
  r.campo = biaxial::PolygonStrainField(direction, plane, s.m);
  r.alpha = biaxial::NeutralAxisInclination(resisting.theta);
  if (final_search->near_magnitude) {
    r.moments_at_Ned = MomentRange{*final_search->near_magnitude, r.Mrd};
    if (*r.rho_M <= 1 && M < *final_search->near_magnitude) {
      r.bending = BendingOutcome::OutsideDomain;
    }
  }
  if (r.bending != BendingOutcome::Resisted || final_search->near_magnitude) return std::nullopt;
  return resisting;
}

// The scale 1 / lambda at which lambda (Ned, M along phi) reaches the boundary, by halving
// the scale between one inside and one outside: for a purely axial force, and whenever the
// search along the ray fails.
std::optional<double> RatioByHalving(const Searches& s, double Ned, double M, double phi,
                                     const biaxial::AxialLimits& limits) {
  double inside = 0;
  double outside = Ned < 0 ? limits.Nmin / Ned : Ned > 0 ? limits.Nmax / Ned : 1;
  if (Ned == 0) {
    while (s.Inside(0, outside * M, phi, limits)) {
      outside = 2 * outside;
      if (!std::isfinite(outside)) return std::nullopt;
    }
  }
  if (!(outside > 0)) return std::nullopt;  // no resistance on that side at all
  for (int k = 0; k < kRatioHalvings; ++k) {
    const double scale = inside + (outside - inside) / 2;
    if (scale == inside || scale == outside) break;
    (s.Inside(scale * Ned, scale * M, phi, limits) ? inside : outside) = scale;
  }
  return 1 / (inside + (outside - inside) / 2);
}

// The plane on the ray, searched first within kNearAngle of the plane resisting at Ned
// (the boundary point on the ray is usually close to it), then over a sweep.
constexpr double kNearAngle = 0.1;  // rad

std::optional<double> RadialRatio(const Searches& s, const BiaxialActions& a, double M,
                                  const biaxial::AxialLimits& limits,
                                  const std::optional<biaxial::DirectionSolution>& at_Ned) {
  if (a.Ned == 0 && M == 0) return 0.0;
  const double phi = M > 0 ? std::atan2(a.My, a.Mx) : 0.0;
  if (M > 0) {
    // The planes whose resultant lies in the half-plane of the ray: N = (Ned / M) M_phi.
    const DepthTarget ray{.N = 0, .per_moment = a.Ned / M, .phi = phi};
    const auto ratio = [&](const biaxial::DirectionSolution& found) -> std::optional<double> {
      const biaxial::PlaneResult& plane = found.depth.plane;
      const double along = plane.Mx * std::cos(phi) + plane.My * std::sin(phi);
      if (!found.converged || !(along > 0)) return std::nullopt;
      return M / std::hypot(plane.Mx, plane.My);
    };
    if (at_Ned) {
      PolygonSweep near;
      for (const double theta : {at_Ned->theta - kNearAngle, at_Ned->theta + kNearAngle}) {
        const biaxial::DepthSolution solution =
            biaxial::SolveDepth(s.model, s.m, biaxial::DirectionOf(s.model, theta), ray,
                                {at_Ned->depth.t, at_Ned->depth.slope}, s.tol, s.maxit);
        near.theta.push_back(theta);
        near.solutions.push_back(solution);
        near.Mx.push_back(solution.plane.Mx);
        near.My.push_back(solution.plane.My);
        near.converged = near.converged && solution.converged;
      }
      const double g0 = biaxial::WrapAngle(std::atan2(near.My[0], near.Mx[0]) - phi);
      const double g1 = biaxial::WrapAngle(std::atan2(near.My[1], near.Mx[1]) - phi);
      if (near.converged && g0 * g1 <= 0 && std::fabs(g1 - g0) < std::numbers::pi / 2) {
        const std::optional<double> found =
            ratio(biaxial::SolveDirectionIn(s.model, s.m, ray, near, phi, 1, s.tol, s.maxit));
        if (found) return found;
      }
    }
    const PolygonSweep sweep = s.Sweep(ray);
    if (sweep.converged) {
      const std::optional<PolygonCrossings> c = s.Crossings(ray, sweep, phi);
      if (c && c->converged && !c->near_magnitude) {
        if (const std::optional<double> found = ratio(c->far)) return found;
      }
    }
  }
  return RatioByHalving(s, a.Ned, M, phi, limits);
}

void VerifyShear(const PolygonSection& section, const PolygonModel& model, const MaterialSet& m,
                 const BiaxialActions& a, const Settings& settings, IterationLog* log,
                 PolygonVerification& r) {
  if (!section.shear) {
    r.shear_x = r.shear_y = ShearOutcome::NotChecked;
    return;
  }
  const PolygonShear& web = *section.shear;
  const BiaxialStirrups& st = web.stirrups;
  const shear::ShearResistance along_y = shear::WebShear(
      web.by, web.dy, model.gross_area, st.Asw, st.nby, st.st, settings.strut_angle, m, a.Ned, log);
  const shear::ShearResistance along_x =
      along_y.outcome == ShearOutcome::StrutAngleOutOfRange
          ? along_y
          : shear::WebShear(web.bx, web.dx, model.gross_area, st.Asw, st.nbx, st.st,
                            settings.strut_angle, m, a.Ned, log);
  r.shear_y = along_y.outcome;
  r.Vrdy = along_y.Vrd;
  r.shear_check_y = along_y.check;
  r.shear_x = along_x.outcome;
  r.Vrdx = along_x.Vrd;
  r.shear_check_x = along_x.check;
  if (r.Vrdx != 0 && r.Vrdy != 0) r.rho_V = std::hypot(a.Vx / r.Vrdx, a.Vy / r.Vrdy);
}

[[noreturn]] void Refuse(const char* field, const char* message) {
  throw InvalidInput(std::vector<InvalidValue>{{field, message}});
}

void RequireValidPolygon(const PolygonSection& section, const MaterialSet& materials,
                         const Settings& settings, const BiaxialActions& actions) {
  RequireValid({Validate(section), Validate(materials), Validate(actions), Validate(settings),
                Validate(materials, settings), Validate(section, materials, settings)});
}

}  // namespace

bool PolygonVerification::verified() const {
  const std::optional<double>& ratio =
      verdict_ratio == UtilisationRatio::Radial ? rho_radial : rho_M;
  const bool bending_passes = bending == BendingOutcome::Resisted && Mrd > 0 &&
                              std::isfinite(Mrd) && rho_M && ratio && *ratio <= 1;
  const bool shear_passes = shear_checked()
                                ? rho_V && *rho_V <= 1 && std::isfinite(Vrdx) && std::isfinite(Vrdy)
                                : !shear_acting;
  return bending_passes && shear_passes;
}

PolygonVerification Verify(const PolygonSection& section, const MaterialSet& materials,
                           const BiaxialActions& actions, const Settings& settings,
                           IterationLog* log) {
  RequireValidPolygon(section, materials, settings, actions);
  const PolygonModel model = biaxial::ModelOf(section);
  const Searches searches{model, materials, settings.tolerance, settings.max_iterations};
  const biaxial::AxialLimits limits = biaxial::AxialCapacities(model, materials);
  PolygonVerification r;
  r.verdict_ratio = settings.verdict_ratio;
  r.gross_concrete_area = model.gross_area;
  r.net_concrete_area = model.gross_area - model.steel_area;
  r.shear_acting = actions.Vx != 0 || actions.Vy != 0;
  const double M = std::hypot(actions.Mx, actions.My);
  const std::optional<biaxial::DirectionSolution> resisting =
      VerifyBending(searches, actions, M, limits, r);
  r.rho_radial = RadialRatio(searches, actions, M, limits, resisting);
  VerifyShear(section, model, materials, actions, settings, log, r);
  return r;
}

std::vector<MomentPoint> MomentContour(const PolygonSection& section, const MaterialSet& materials,
                                       double Ned, int directions, const Settings& settings) {
  RequireValidPolygon(section, materials, settings, {.Ned = Ned});
  if (directions < 3) Refuse("directions", "directions must be at least 3");
  const PolygonModel model = biaxial::ModelOf(section);
  const biaxial::AxialLimits limits = biaxial::AxialCapacities(model, materials);
  if (!(limits.Nmin < Ned && Ned < limits.Nmax)) return {};
  const PolygonSweep sweep = biaxial::SweepDirections(model, materials, {.N = Ned}, directions,
                                                      settings.tolerance, settings.max_iterations);
  if (!sweep.converged) return {};
  std::vector<MomentPoint> points;
  points.reserve(directions + 1);
  for (int k = 0; k <= directions; ++k)
    points.push_back({sweep.Mx[k % directions], sweep.My[k % directions]});
  return points;
}

std::vector<DomainPoint> InteractionDomain(const PolygonSection& section,
                                           const MaterialSet& materials, double angle,
                                           const Settings& settings) {
  RequireValidPolygon(section, materials, settings, {});
  if (!std::isfinite(angle)) Refuse("angle", "angle must be a finite number");
  const PolygonModel model = biaxial::ModelOf(section);
  const Searches s{model, materials, settings.tolerance, settings.max_iterations};
  const double phi = angle * std::numbers::pi / 180;
  const double cos_phi = std::cos(phi), sin_phi = std::sin(phi);
  const biaxial::PlaneResult compression =
      biaxial::UniformResultants(model, materials, -materials.eps_c2);
  const biaxial::PlaneResult tension =
      biaxial::UniformResultants(model, materials, materials.eps_ud);
  constexpr int kSteps = 50;
  const double step = (tension.N - compression.N) / kSteps;
  std::vector<DomainPoint> positive, negative;
  for (int k = 1; k < kSteps; ++k) {
    const double N = compression.N + k * step;
    const DepthTarget target{.N = N};
    const PolygonSweep sweep = s.Sweep(target);
    for (const double direction : {phi, phi + std::numbers::pi}) {
      std::optional<PolygonCrossings> c;
      if (sweep.converged) c = s.Crossings(target, sweep, biaxial::WrapAngle(direction));
      const bool found = c && c->converged;
      const double M = found ? std::hypot(c->far.depth.plane.Mx, c->far.depth.plane.My) : 0.0;
      (direction == phi ? positive : negative).push_back({N, direction == phi ? M : -M, found});
    }
  }
  std::vector<DomainPoint> points;
  points.reserve(2 * kSteps + 1);
  points.push_back({compression.N, compression.Mx * cos_phi + compression.My * sin_phi, true});
  points.insert(points.end(), positive.begin(), positive.end());
  points.push_back({tension.N, tension.Mx * cos_phi + tension.My * sin_phi, true});
  points.insert(points.end(), negative.rbegin(), negative.rend());
  points.push_back(points.front());
  return points;
}

SurfaceMesh ResistanceSurface(const PolygonSection& section, const MaterialSet& materials,
                              int levels, int directions, const Settings& settings) {
  RequireValidPolygon(section, materials, settings, {});
  if (levels < 1) Refuse("levels", "levels must be at least 1");
  if (directions < 3) Refuse("directions", "directions must be at least 3");
  const PolygonModel model = biaxial::ModelOf(section);
  SurfaceMesh mesh;
  mesh.directions = directions;
  const biaxial::PlaneResult compression =
      biaxial::UniformResultants(model, materials, -materials.eps_c2);
  const biaxial::PlaneResult tension =
      biaxial::UniformResultants(model, materials, materials.eps_ud);
  mesh.N_compression = compression.N;
  mesh.at_compression = {compression.Mx, compression.My};
  mesh.N_tension = tension.N;
  mesh.at_tension = {tension.Mx, tension.My};
  mesh.moments.reserve(static_cast<std::size_t>(levels) * directions);
  for (int i = 0; i < levels; ++i) {
    const double N = compression.N + (i + 1) * (tension.N - compression.N) / (levels + 1);
    mesh.N.push_back(N);
    const PolygonSweep sweep = biaxial::SweepDirections(
        model, materials, {.N = N}, directions, settings.tolerance, settings.max_iterations);
    for (int k = 0; k < directions; ++k) {
      const bool converged = sweep.solutions[k].converged;
      mesh.complete = mesh.complete && converged;
      mesh.moments.push_back(converged ? MomentPoint{sweep.Mx[k], sweep.My[k]} : MomentPoint{});
    }
  }
  return mesh;
}

}  // namespace quilex
