#include "flexure/RectangularResultant.hpp"

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

ConcreteStrips RectangularStrips(const RectangularSection& s, int n) {
  const double b = s.B, h = s.H;
  ConcreteStrips strips;
  strips.height = h;
  strips.divisor = n;
  for (int i = 1; i <= n; ++i) {
    const double y_i = h * (i - 0.5) / n;
    strips.y.push_back(y_i);
    strips.width.push_back(b);
    strips.arm.push_back(y_i - h / 2);
  }
  return strips;
}

SectionForces RectangularForces(const RectangularSection& s, const ConcreteStrips& strips,
                                const MaterialSet& m, double exponent, double t, LanePath path) {
  const double h = s.H, c = s.c;
  return OnLanes(
      path, [&]<class Lanes>() __attribute__((always_inline)) {
        return VisitStrainProfile(
            h, c, t, m.eps_ud, m.eps_cu,
            m.eps_c2, [&](const auto& strain) __attribute__((always_inline)) {
              double N_c = 0;
              double M_c = 0;
              AddStripForces<Lanes>(strips, strain, m.fcd, m.eps_c2, exponent, N_c, M_c);
              const double F_1 = SteelStress(strain(c), m.fyd, m.Es) * s.As_top;
              const double F_2 = SteelStress(strain(h - c), m.fyd, m.Es) * s.As_bottom;
              return SectionForces{F_2 + N_c + F_1,
                                   F_2 * ((h - c) - h / 2) + (c - h / 2) * F_1 + M_c};
            });
      });
}

SectionForces RectangularForces(const RectangularSection& s, const MaterialSet& m, int n,
                                double t) {
  return RectangularForces(s, RectangularStrips(s, n), m, 2, t);
}

}  // namespace quilex::flexure
