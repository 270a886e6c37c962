#include "biaxial/BiaxialResistance.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "biaxial/ConcreteGrid.hpp"
#include "flexure/StrainModel.hpp"

namespace quilex::biaxial {
namespace {

constexpr double kDepthBound = 0.9999999;  // of the depth parameter
constexpr double kNoCurvatureLimit = 1e30;
constexpr int kAngleHalvings = 60;
constexpr double kAngleStop = 1e-10;  // of the initial bracket

double Offset(double Mx, double My, double phi) {
  return WrapAngle(std::atan2(My, Mx) - phi);
}

}  // namespace

double WrapAngle(double a) {
  const double n = std::round(a / (2 * std::numbers::pi));
  double wrapped = a - (2 * std::numbers::pi) * n;
  if (wrapped <= -std::numbers::pi) wrapped = wrapped + (2 * std::numbers::pi);
  return wrapped;
}

double NeutralAxisInclination(double theta) {
  double alpha = theta * 180 / std::numbers::pi - 90;
  const double n = std::round(alpha / 180);
  alpha = alpha - 180 * n;
  if (alpha <= -90) alpha = alpha + 180;
  return alpha;
}

BiaxialState BiaxialResultants(const RectangleWithBars& section, const MaterialSet& m,
                               double exponent, double theta, double t) {
  const double B = section.B, H = section.H;
  const double s = std::sin(theta);
  const double k = std::cos(theta);
  BiaxialState st;
  const double a = B / 2 * std::fabs(k) + H / 2 * std::fabs(s);
  st.htheta = 2 * a;
  const auto depth = [a, k, s](double px, double py) { return a - (px * k + py * s); };

  if (section.bars.empty()) {
    st.dmax = st.htheta;
  } else {
    for (const Bar& bar : section.bars) {
      const double u = depth(bar.x, bar.y);
      if (u > st.dmax) st.dmax = u;
    }
  }
  const double x = st.htheta / 2 * (std::tan((std::numbers::pi / 2) * t) + 1);
  st.x = x;

  // The smallest of the curvatures that bring the corner to eps_cu, the deepest bar to
  // eps_ud, or the point at (1 - eps_c2/eps_cu) of the depth to eps_c2.
  double kappa = x > 0 ? std::min(m.eps_cu / x, kNoCurvatureLimit) : kNoCurvatureLimit;
  if (st.dmax > x) kappa = std::min(kappa, m.eps_ud / (st.dmax - x));
  if (x > st.htheta) {
    kappa = std::min(kappa, m.eps_c2 / (x - (1 - m.eps_c2 / m.eps_cu) * st.htheta));
  }
  st.eps_c = -x * kappa;
  st.eps_s = (st.dmax - x) * kappa;

  const GridForces grid = ConcreteGridForces({.B = B,
                                              .H = H,
                                              .a = a,
                                              .k = k,
                                              .s = s,
                                              .x = x,
                                              .kappa = kappa,
                                              .fcd = m.fcd,
                                              .eps_c2 = m.eps_c2,
                                              .exponent = exponent});
  double N = grid.N, Mx = grid.Mx, My = grid.My;
  for (const Bar& bar : section.bars) {
    const double u = depth(bar.x, bar.y);
    const double sigma = flexure::SteelStress((u - x) * kappa, m.fyd, m.Es);
    const double A = bar.area;
    N += sigma * A;
    Mx -= bar.y * sigma * A;
    My -= bar.x * sigma * A;
  }
  st.N = N;
  st.Mx = Mx;
  st.My = My;
  return st;
}

DepthSearch SolveNeutralAxisDepth(const RectangleWithBars& section, const MaterialSet& m,
                                  double exponent, double theta, double Ned, double tol,
                                  int maxit) {
  double lo = -kDepthBound;
  double hi = kDepthBound;
  int count = 0;
  DepthSearch search;
  for (;;) {
    const double t = (lo + hi) / 2;
    search.state = BiaxialResultants(section, m, exponent, theta, t);
    const double r = search.state.N - Ned;
    search.converged = std::fabs(r) <= tol;
    if (search.converged) break;
    count = count + 1;
    if (count >= maxit) break;
    double& end = r > 0 ? lo : hi;
    // Once the bracket no longer narrows, every later step evaluates this same t again: the
    // result of the remaining steps is this one.
    if (end == t) break;
    end = t;
  }
  return search;
}

AxialLimits AxialCapacities(const RectangleWithBars& section, const MaterialSet& m) {
  double As = 0;
  for (const Bar& bar : section.bars)
    As += bar.area;
  const auto steel = [&m](double eps) { return flexure::SteelStress(eps, m.fyd, m.Es); };
  return {steel(-m.eps_c2) * As - m.fcd * section.B * section.H, steel(m.eps_ud) * As};
}

std::vector<std::size_t> AngleBrackets(std::span<const double> Mx, std::span<const double> My,
                                       double phi) {
  const std::size_t nang = Mx.size();
  std::vector<std::size_t> brackets;
  // Pairs whose offsets from phi change sign, but not across +-pi. A sample exactly on phi
  // ends one pair and starts the next: one crossing, counted at the first pair.
  bool ended_on_phi = false;
  for (std::size_t i = 1; i <= nang; ++i) {
    const std::size_t j = i < nang ? i : 0;
    const double g1 = Offset(Mx[i - 1], My[i - 1], phi);
    const double g2 = Offset(Mx[j], My[j], phi);
    const bool crosses = g1 * g2 <= 0 && std::fabs(g2 - g1) < std::numbers::pi;
    const bool repeated = crosses && g1 == 0 && ended_on_phi;
    if (crosses && !repeated) brackets.push_back(i);
    ended_on_phi = crosses && g2 == 0;
  }
  // The closing pair ends on the first sample, where the first pair may start.
  if (brackets.size() > 1 && brackets.back() == nang && brackets.front() == 1 &&
      Offset(Mx[0], My[0], phi) == 0) {
    brackets.pop_back();
  }
  return brackets;
}

AngleSearch SolveNeutralAxisAngleIn(const RectangleWithBars& section, const MaterialSet& m,
                                    double exponent, double Ned, double tol, int maxit,
                                    std::span<const double> theta, std::span<const double> Mx,
                                    std::span<const double> My, double phi, std::size_t i) {
  const std::size_t nang = theta.size();
  const double s0 = Offset(Mx[i - 1], My[i - 1], phi);
  double lo = theta[i - 1];
  double hi = i < nang ? theta[i] : theta[0] + (2 * std::numbers::pi);
  const double W0 = hi - lo;
  AngleSearch search;
  for (int halving = 0; halving < kAngleHalvings; ++halving) {
    const double theta_m = (lo + hi) / 2;
    const DepthSearch depth = SolveNeutralAxisDepth(section, m, exponent, theta_m, Ned, tol, maxit);
    search.theta = theta_m;
    search.state = depth.state;
    search.converged = depth.converged;
    const double gm = Offset(depth.state.Mx, depth.state.My, phi);
    (gm * s0 > 0 ? lo : hi) = theta_m;
    if (hi - lo < kAngleStop * W0) break;
  }
  return search;
}

std::optional<AngleSearch> SolveNeutralAxisAngle(const RectangleWithBars& section,
                                                 const MaterialSet& m, double exponent, double Ned,
                                                 double tol, int maxit,
                                                 std::span<const double> theta,
                                                 std::span<const double> Mx,
                                                 std::span<const double> My, double phi) {
  if (theta.empty()) return std::nullopt;
  const std::vector<std::size_t> brackets = AngleBrackets(Mx, My, phi);
  if (brackets.empty()) return std::nullopt;
  return SolveNeutralAxisAngleIn(section, m, exponent, Ned, tol, maxit, theta, Mx, My, phi,
                                 brackets[0]);
}

int StrainField(double x, double dmax, double htheta, double eps_c, double eps_s, double eps_cu,
                double eps_yd) {
  if (x <= 0) return 1;
  if (0.999999999 * eps_cu > -eps_c) return x <= htheta ? 2 : 6;
  if (x <= dmax) return eps_s >= eps_yd ? 3 : 4;
  if (x <= htheta) return 5;
  return 6;
}

}  // namespace quilex::biaxial
