#include "flexure/RectangularResultant.hpp"

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

SectionForces RectangularForces(const RectangularSection& s, const MaterialSet& m, int n,
                                double t) {
  const double b = s.B, h = s.H, c = s.c;
  const double eps_ud = m.eps_ud, eps_cu = m.eps_cu, eps_c2 = m.eps_c2;
  double N_c = 0;
  double M_c = 0;
  for (int i = 1; i <= n; ++i) {
    const double y_i = h * (i - 0.5) / n;
    const double s_i =
        ConcreteStress(StrainAtDepth(h, c, y_i, t, eps_ud, eps_cu, eps_c2), m.fcd, eps_c2);
    const double F_i = s_i * b * h / n;
    N_c += F_i;
    M_c += F_i * (y_i - h / 2);
  }
  const double F_1 =
      SteelStress(StrainAtDepth(h, c, c, t, eps_ud, eps_cu, eps_c2), m.fyd, m.Es) * s.As_top;
  const double F_2 =
      SteelStress(StrainAtDepth(h, c, h - c, t, eps_ud, eps_cu, eps_c2), m.fyd, m.Es) * s.As_bottom;
  return {F_2 + N_c + F_1, F_2 * ((h - c) - h / 2) + (c - h / 2) * F_1 + M_c};
}

}  // namespace quilex::flexure
