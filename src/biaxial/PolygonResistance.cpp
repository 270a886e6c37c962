#include "biaxial/PolygonResistance.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "flexure/StrainModel.hpp"

namespace quilex::biaxial {
namespace {

constexpr double kDepthBound = 0.9999999;  // of the depth parameter
constexpr double kNoCurvatureLimit = 1e30;
constexpr double kFirstDepthStep = 0.02;  // from a guess without a slope
constexpr double kMaxFirstStep = 0.5;

// Regula falsi on a bracket with the Anderson-Bjorck scaling of the end kept: (tb, fb) the
// latest trial, (ta, fa) the end on the other side of the root.
struct FalsePosition {
  double ta, fa, tb, fb;

  // The secant's root, or the middle of the bracket when that falls outside it.
  double Next() const {
    double t = tb - fb * (tb - ta) / (fb - fa);
    if (!(std::fmin(ta, tb) < t && t < std::fmax(ta, tb))) t = ta + (tb - ta) / 2;
    return t;
  }
  // Takes the trial (t, f) as the latest; returns whether the end kept became the former
  // latest trial (the root lies between the two), else that end's value is scaled down.
  bool Take(double t, double f) {
    const bool crossed = (f > 0) != (fb > 0);
    if (crossed) {
      ta = tb;
      fa = fb;
    } else {
      const double scale = 1 - f / fb;
      fa = fa * (scale > 0 ? scale : 0.5);
    }
    tb = t;
    fb = f;
    return crossed;
  }
};
constexpr int kAngleIterations = 100;
constexpr double kAngleStop = 1e-12;  // rad: of the direction's offset and the bracket

double Offset(double Mx, double My, double phi) {
  return WrapAngle(std::atan2(My, Mx) - phi);
}

// Twice the signed area (counter-clockwise positive) and the first moments times six.
struct RingMoments {
  double twice_area = 0;
  double x_times_six = 0;  // 6 ∫ x dA
  double y_times_six = 0;
};

RingMoments MomentsOf(const std::vector<flexure::Point>& ring) {
  RingMoments r;
  const std::size_t n = ring.size();
  for (std::size_t i = 0; i < n; ++i) {
    const flexure::Point& p = ring[i];
    const flexure::Point& q = ring[(i + 1) % n];
    const double cross = p.x * q.y - q.x * p.y;
    r.twice_area += cross;
    r.x_times_six += (p.x + q.x) * cross;
    r.y_times_six += (p.y + q.y) * cross;
  }
  return r;
}

std::vector<flexure::Point> PointsOf(const std::vector<Vertex>& ring) {
  std::vector<flexure::Point> points;
  points.reserve(ring.size());
  for (const Vertex& v : ring)
    points.push_back({v.x, v.y});
  return points;
}

flexure::ConcreteResultant ConcreteOf(const PolygonModel& model, const MaterialSet& m,
                                      const flexure::ShorteningPlane& plane) {
  flexure::ConcreteResultant sum;
  const auto add = [&](const std::vector<flexure::Point>& ring, double sign) {
    const flexure::ConcreteResultant c = flexure::IntegrateConcrete(ring, plane, m.fcd, m.eps_c2);
    sum.force += sign * c.force;
    sum.moment_x += sign * c.moment_x;
    sum.moment_y += sign * c.moment_y;
  };
  for (const auto& outline : model.outlines)
    add(outline, 1);
  for (const auto& hole : model.holes)
    add(hole, -1);
  return sum;
}

// The concrete's resultant and the bars' (each less the concrete it displaces), the bars'
// strains from strain_at(bar).
template <class StrainAt>
PlaneResult Resultants(const PolygonModel& model, const MaterialSet& m,
                       const flexure::ShorteningPlane& plane, StrainAt strain_at) {
  const flexure::ConcreteResultant c = ConcreteOf(model, m, plane);
  PlaneResult r;
  r.N = -c.force;
  r.Mx = c.moment_x - model.yr * c.force;
  r.My = c.moment_y - model.xr * c.force;
  for (const Bar& bar : model.bars) {
    const double eps = strain_at(bar);
    const double displaced = model.net_section ? flexure::ConcreteStress(eps, m.fcd, m.eps_c2) : 0;
    const double sigma = flexure::SteelStress(eps, m.fyd, m.Es) - displaced;
    const double force = sigma * bar.area;
    r.N += force;
    r.Mx -= (bar.y - model.yr) * force;
    r.My -= (bar.x - model.xr) * force;
  }
  return r;
}

}  // namespace

PolygonModel ModelOf(const PolygonSection& section) {
  PolygonModel model;
  double twice_area = 0, x_six = 0, y_six = 0;
  const auto take = [&](const std::vector<Vertex>& ring, double sign,
                        std::vector<std::vector<flexure::Point>>& into) {
    into.push_back(PointsOf(ring));
    const RingMoments r = MomentsOf(into.back());
    const double orientation = r.twice_area < 0 ? -sign : sign;
    twice_area += orientation * r.twice_area;
    x_six += orientation * r.x_times_six;
    y_six += orientation * r.y_times_six;
  };
  for (const auto& outline : section.outlines)
    take(outline, 1, model.outlines);
  for (const auto& hole : section.holes)
    take(hole, -1, model.holes);
  model.bars = section.bars;
  for (const Bar& bar : section.bars)
    model.steel_area += bar.area;
  model.gross_area = twice_area / 2;
  if (section.reference) {
    model.xr = section.reference->x;
    model.yr = section.reference->y;
  } else if (twice_area > 0) {
    model.xr = x_six / (3 * twice_area);
    model.yr = y_six / (3 * twice_area);
  }
  return model;
}

PlaneDirection DirectionOf(const PolygonModel& model, double theta) {
  PlaneDirection d;
  d.theta = theta;
  d.k = std::cos(theta);
  d.s = std::sin(theta);
  double highest = -HUGE_VAL, lowest = HUGE_VAL;
  for (const auto& outline : model.outlines) {
    for (const flexure::Point& p : outline) {
      const double along = p.x * d.k + p.y * d.s;
      highest = std::fmax(highest, along);
      lowest = std::fmin(lowest, along);
    }
  }
  d.a = highest;
  d.htheta = highest - lowest;
  if (model.bars.empty()) {
    d.dmax = d.htheta;
  } else {
    for (const Bar& bar : model.bars)
      d.dmax = std::fmax(d.dmax, d.a - (bar.x * d.k + bar.y * d.s));
  }
  return d;
}

PlaneResult PolygonResultants(const PolygonModel& model, const MaterialSet& m,
                              const PlaneDirection& d, double t) {
  const double x = d.htheta / 2 * (std::tan((std::numbers::pi / 2) * t) + 1);
  // The smallest of the curvatures that bring the most compressed fibre to eps_cu, the
  // deepest bar to eps_ud, or the fibre at (1 - eps_c2/eps_cu) of the depth to eps_c2.
  double kappa = x > 0 ? std::min(m.eps_cu / x, kNoCurvatureLimit) : kNoCurvatureLimit;
  if (d.dmax > x) kappa = std::min(kappa, m.eps_ud / (d.dmax - x));
  if (x > d.htheta) kappa = std::min(kappa, m.eps_c2 / (x - (1 - m.eps_c2 / m.eps_cu) * d.htheta));
  // Shortening (x - depth) kappa, the depth being a - (px k + py s).
  const flexure::ShorteningPlane plane{kappa * (x - d.a), kappa * d.k, kappa * d.s};
  PlaneResult r = Resultants(model, m, plane, [&](const Bar& bar) {
    return (d.a - (bar.x * d.k + bar.y * d.s) - x) * kappa;
  });
  r.x = x;
  r.eps_c = -x * kappa;
  r.eps_s = (d.dmax - x) * kappa;
  return r;
}

PlaneResult UniformResultants(const PolygonModel& model, const MaterialSet& m, double strain) {
  return Resultants(model, m, {-strain, 0, 0}, [strain](const Bar&) { return strain; });
}

AxialLimits AxialCapacities(const PolygonModel& model, const MaterialSet& m) {
  return {UniformResultants(model, m, -m.eps_c2).N, UniformResultants(model, m, m.eps_ud).N};
}

DepthSolution SolveDepth(const PolygonModel& model, const MaterialSet& m,
                         const PlaneDirection& direction, const DepthTarget& target,
                         const DepthGuess& guess, double tol, int maxit) {
  const double cos_phi = std::cos(target.phi), sin_phi = std::sin(target.phi);
  int evaluations = 0;
  DepthSolution last;
  // The residual decreases as t grows (the plane compresses more).
  const auto evaluate = [&](double t) {
    ++evaluations;
    last.t = t;
    last.plane = PolygonResultants(model, m, direction, t);
    const double residual = last.plane.N - target.N -
                            target.per_moment * (last.plane.Mx * cos_phi + last.plane.My * sin_phi);
    last.converged = std::fabs(residual) <= tol;
    return residual;
  };
  double ta = std::clamp(guess.t, -kDepthBound, kDepthBound);
  double ra = evaluate(ta);
  if (last.converged) return last;
  const bool deeper = ra > 0;
  // Towards the root: a secant step on the guessed slope, else a small step; then secant
  // steps on the last two points, at least doubling and at most tenfold the step before.
  double step = guess.slope < 0 ? std::clamp(-ra / guess.slope, -kMaxFirstStep, kMaxFirstStep)
                                : (deeper ? kFirstDepthStep : -kFirstDepthStep);
  if ((step > 0) != deeper || step == 0) step = deeper ? kFirstDepthStep : -kFirstDepthStep;
  double tb = 0, rb = 0;
  for (;;) {
    tb = std::clamp(ta + step, -kDepthBound, kDepthBound);
    rb = evaluate(tb);
    if (last.converged || (rb > 0) != deeper) break;
    if (std::fabs(tb) == kDepthBound || evaluations >= maxit) return last;
    const double secant = rb < ra ? -rb * (tb - ta) / (rb - ra) : HUGE_VAL;
    const double before = std::fabs(tb - ta);
    step = std::clamp(std::fabs(secant), 2 * before, 10 * before);
    if (!deeper) step = -step;
    ta = tb;
    ra = rb;
  }
  FalsePosition bracket{ta, ra, tb, rb};
  while (!last.converged && evaluations < maxit) {
    const double tc = bracket.Next();
    if (tc == bracket.ta || tc == bracket.tb) break;  // the bracket no longer narrows
    bracket.Take(tc, evaluate(tc));
  }
  last.slope = (bracket.fb - bracket.fa) / (bracket.tb - bracket.ta);
  return last;
}

PolygonSweep SweepDirections(const PolygonModel& model, const MaterialSet& m,
                             const DepthTarget& target, int samples, double tol, int maxit) {
  PolygonSweep sweep;
  DepthGuess guess;
  for (int k = 0; k < samples; ++k) {
    const double theta = k * (2 * std::numbers::pi) / samples;
    const DepthSolution s =
        SolveDepth(model, m, DirectionOf(model, theta), target, guess, tol, maxit);
    guess = {s.t, s.slope};
    sweep.theta.push_back(theta);
    sweep.solutions.push_back(s);
    sweep.Mx.push_back(s.plane.Mx);
    sweep.My.push_back(s.plane.My);
    sweep.converged = sweep.converged && s.converged;
  }
  return sweep;
}

bool WindsOnceInSmallSteps(const PolygonSweep& sweep) {
  const std::size_t n = sweep.Mx.size();
  double turned = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t j = (i + 1) % n;
    if (sweep.Mx[i] == 0 && sweep.My[i] == 0) return false;
    const double step = Offset(sweep.Mx[j], sweep.My[j], std::atan2(sweep.My[i], sweep.Mx[i]));
    if (!(std::fabs(step) < std::numbers::pi / 2)) return false;
    turned += step;
  }
  return std::fabs(std::fabs(turned) - 2 * std::numbers::pi) < 1;
}

DirectionSolution SolveDirectionIn(const PolygonModel& model, const MaterialSet& m,
                                   const DepthTarget& target, const PolygonSweep& sweep, double phi,
                                   std::size_t i, double tol, int maxit) {
  const std::size_t n = sweep.theta.size();
  const std::size_t j = i < n ? i : 0;
  const double lo = sweep.theta[i - 1];
  const double hi = i < n ? sweep.theta[i] : sweep.theta[0] + 2 * std::numbers::pi;
  const double g_lo = Offset(sweep.Mx[i - 1], sweep.My[i - 1], phi);
  const double g_hi = Offset(sweep.Mx[j], sweep.My[j], phi);
  const double t_lo = sweep.solutions[i - 1].t, t_hi = sweep.solutions[j].t;
  double slope = sweep.solutions[i - 1].slope;
  const double width = hi - lo;
  DirectionSolution found;
  const auto take_sample = [&](std::size_t k, double theta) {
    found.depth = sweep.solutions[k];
    found.theta = theta;
    found.converged = found.depth.converged;
    return found;
  };
  // A sample already in the direction (to the stop): regula falsi would step onto it again.
  if (std::fabs(g_lo) <= kAngleStop) return take_sample(i - 1, lo);
  if (std::fabs(g_hi) <= kAngleStop) return take_sample(j, hi);
  // Regula falsi as for the depth, between the ends (ta, ga) and (tb, gb) whose depth
  // parameters (da, db) give the next depth search its start.
  FalsePosition bracket{lo, g_lo, hi, g_hi};
  double da = t_lo, db = t_hi;
  for (int iteration = 0; iteration < kAngleIterations; ++iteration) {
    const double ta = bracket.ta, tb = bracket.tb;
    const double theta = bracket.Next();
    const DepthGuess guess{da + (theta - ta) / (tb - ta) * (db - da), slope};
    found.depth = SolveDepth(model, m, DirectionOf(model, theta), target, guess, tol, maxit);
    found.theta = theta;
    found.converged = found.depth.converged;
    slope = found.depth.slope;
    const double g = Offset(found.depth.plane.Mx, found.depth.plane.My, phi);
    if (std::fabs(g) <= kAngleStop || std::fabs(tb - ta) <= kAngleStop * width) break;
    if (bracket.Take(theta, g)) da = db;
    db = found.depth.t;
  }
  return found;
}

std::optional<PolygonCrossings> SearchCrossings(const PolygonModel& model, const MaterialSet& m,
                                                const DepthTarget& target,
                                                const PolygonSweep& sweep, double phi, double tol,
                                                int maxit) {
  const std::vector<std::size_t> brackets = AngleBrackets(sweep.Mx, sweep.My, phi);
  if (brackets.empty()) return std::nullopt;
  const auto magnitude = [](const DirectionSolution& s) {
    return std::hypot(s.depth.plane.Mx, s.depth.plane.My);
  };
  PolygonCrossings crossings;
  double nearest = HUGE_VAL;
  for (std::size_t k = 0; k < brackets.size(); ++k) {
    const DirectionSolution s =
        SolveDirectionIn(model, m, target, sweep, phi, brackets[k], tol, maxit);
    crossings.last_trial_angle = s.theta;
    crossings.converged = crossings.converged && s.converged;
    nearest = std::fmin(nearest, magnitude(s));
    if (k == 0 || magnitude(s) > magnitude(crossings.far)) crossings.far = s;
  }
  if (brackets.size() % 2 == 0) crossings.near_magnitude = nearest;
  return crossings;
}

int PolygonStrainField(const PlaneDirection& direction, const PlaneResult& plane,
                       const MaterialSet& m) {
  return StrainField(plane.x, direction.dmax, direction.htheta, plane.eps_c, plane.eps_s, m.eps_cu,
                     m.fyd / m.Es);
}

}  // namespace quilex::biaxial
