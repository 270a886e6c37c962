#include "flexure/CircularResultant.hpp"

#include <cmath>

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

double CircularBarDepth(const CircularSection& s, int k) {
  const double D = s.D, c = s.c;
  return c + (D - 2 * c) * (1 + std::cos(2 * kPi * (k - 1) / s.nF)) / 2;
}

CircularLayout::CircularLayout(const CircularSection& s, int n) : n(n) {
  const double D = s.D;
  chord.resize(static_cast<std::size_t>(n > 0 ? n : 0) + 1);
  for (int i = 1; i <= n; ++i) {
    // The bottom chord is zero by construction; computing it would leave a rounding residue.
    chord[static_cast<std::size_t>(i)] = i == n ? 0.0 : D * std::sin(std::acos(1 - 2.0 * i / n));
  }
  bar_depth.reserve(static_cast<std::size_t>(s.nF > 0 ? s.nF : 0));
  for (int k = 1; k <= s.nF; ++k)
    bar_depth.push_back(CircularBarDepth(s, k));
}

SectionForces CircularForces(const CircularSection& s, const CircularLayout& layout,
                             const MaterialSet& m, double t) {
  const double D = s.D, c = s.c;
  const double eps_ud = m.eps_ud, eps_cu = m.eps_cu, eps_c2 = m.eps_c2;
  const int n = layout.n;
  double N = 0;
  double M = 0;
  double w_prev = 0;
  for (int i = 1; i <= n; ++i) {
    const double y = (i - 0.5) * D / n;
    const double w = layout.chord[static_cast<std::size_t>(i)];
    const double s_i =
        ConcreteStress(StrainAtDepth(D, c, y, t, eps_ud, eps_cu, eps_c2), m.fcd, eps_c2);
    const double F = s_i * (w_prev + w) * D / (2 * n);
    N += F;
    M += F * (y - D / 2);
    w_prev = w;
  }
  for (const double y : layout.bar_depth) {
    const double F = SteelStress(StrainAtDepth(D, c, y, t, eps_ud, eps_cu, eps_c2), m.fyd, m.Es) *
                     kPi * (s.Df * s.Df) / 4;
    N += F;
    M += F * (y - D / 2);
  }
  return {N, M};
}

SectionForces CircularForces(const CircularSection& s, const MaterialSet& m, int n, double t) {
  return CircularForces(s, CircularLayout(s, n), m, t);
}

}  // namespace quilex::flexure
