#include "flexure/CircularResultant.hpp"

#include <cmath>
#include <numbers>

#include "flexure/ElementaryFunctions.hpp"
#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

double CircularBarDepth(const CircularSection& s, int k) {
  const double D = s.D, c = s.c;
  return c + (D - 2 * c) * (1 + Cos(2 * std::numbers::pi * (k - 1) / s.nF)) / 2;
}

CircularGeometry CircularGeometryOf(const CircularSection& s, int n) {
  const double D = s.D;
  CircularGeometry g;
  ConcreteStrips& strips = g.strips;
  strips.height = D;
  // 2 * n as a double: the same value as the integer product, without its overflow.
  strips.divisor = 2 * static_cast<double>(n);
  double w_prev = 0;
  for (int i = 1; i <= n; ++i) {
    const double y = (i - 0.5) * D / n;
    // The bottom chord is zero by construction; computing it would leave a rounding residue.
    const double w = i == n ? 0.0 : D * Sin(Acos(1 - 2.0 * i / n));
    strips.y.push_back(y);
    strips.width.push_back(w_prev + w);
    strips.arm.push_back(y - D / 2);
    w_prev = w;
  }
  for (int k = 1; k <= s.nF; ++k) {
    const double y = CircularBarDepth(s, k);
    g.bar_depth.push_back(y);
    g.bar_arm.push_back(y - D / 2);
  }
  g.bar_diameter_squared = s.Df * s.Df;
  return g;
}

SectionForces CircularForces(const CircularSection& s, const CircularGeometry& g,
                             const MaterialSet& m, double exponent, double t, LanePath path) {
  return OnLanes(
      path, [&]<class Lanes>() __attribute__((always_inline)) {
        return VisitStrainProfile(
            s.D, s.c, t, m.eps_ud, m.eps_cu,
            m.eps_c2, [&](const auto& strain) __attribute__((always_inline)) {
              double N = 0;
              double M = 0;
              AddStripForces<Lanes>(g.strips, strain, m.fcd, m.eps_c2, exponent, N, M);
              const std::size_t bars = g.bar_depth.size();
              for (std::size_t k = 0; k < bars; ++k) {
                const double F = SteelStress(strain(g.bar_depth[k]), m.fyd, m.Es) *
                                 std::numbers::pi * g.bar_diameter_squared / 4;
                N += F;
                M += F * g.bar_arm[k];
              }
              return SectionForces{N, M};
            });
      });
}

SectionForces CircularForces(const CircularSection& s, const MaterialSet& m, int n, double t) {
  return CircularForces(s, CircularGeometryOf(s, n), m, 2, t);
}

}  // namespace quilex::flexure
