#include "flexure/CircularResultant.hpp"

#include <cmath>

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

double CircularBarDepth(const CircularSection& s, int k) {
  const double D = s.D, c = s.c;
  return c + (D - 2 * c) * (1 + std::cos(2 * kPi * (k - 1) / s.nF)) / 2;
}

SectionForces CircularForces(const CircularSection& s, const MaterialSet& m, int n, double t) {
  const double D = s.D, c = s.c;
  const double eps_ud = m.eps_ud, eps_cu = m.eps_cu, eps_c2 = m.eps_c2;
  double N = 0;
  double M = 0;
  double w_prev = 0;
  for (int i = 1; i <= n; ++i) {
    const double y = (i - 0.5) * D / n;
    // The bottom chord is zero by construction; computing it would leave a rounding residue.
    const double w = i == n ? 0.0 : D * std::sin(std::acos(1 - 2.0 * i / n));
    const double s_i =
        ConcreteStress(StrainAtDepth(D, c, y, t, eps_ud, eps_cu, eps_c2), m.fcd, eps_c2);
    const double F = s_i * (w_prev + w) * D / (2 * n);
    N += F;
    M += F * (y - D / 2);
    w_prev = w;
  }
  for (int k = 1; k <= s.nF; ++k) {
    const double y = CircularBarDepth(s, k);
    const double F = SteelStress(StrainAtDepth(D, c, y, t, eps_ud, eps_cu, eps_c2), m.fyd, m.Es) *
                     kPi * (s.Df * s.Df) / 4;
    N += F;
    M += F * (y - D / 2);
  }
  return {N, M};
}

}  // namespace quilex::flexure
