#include "flexure/TSectionResultant.hpp"

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

double TCentroidDepth(const TSection& s) {
  const double BiNf = s.BiNf, HiNf = s.HiNf, BsUp = s.BsUp, HsUp = s.HsUp;
  return (2 * BiNf * HiNf * HsUp + BsUp * (HsUp * HsUp) + BiNf * (HiNf * HiNf)) /
         (2 * (BiNf * HiNf + BsUp * HsUp));
}

TSectionStrips TSectionStripsOf(const TSection& s, int n) {
  const double yG = TCentroidDepth(s);
  TSectionStrips strips;
  strips.centroid = yG;
  strips.flange.height = s.HsUp;
  strips.flange.divisor = n;
  strips.web.height = s.HiNf;
  strips.web.divisor = n;
  for (int i = 1; i <= n; ++i) {
    const double y = (i - 0.5) * s.HsUp / n;
    strips.flange.y.push_back(y);
    strips.flange.width.push_back(s.BsUp);
    strips.flange.arm.push_back(y - yG);
  }
  for (int i = 1; i <= n; ++i) {
    const double y = s.HsUp + (i - 0.5) * s.HiNf / n;
    strips.web.y.push_back(y);
    strips.web.width.push_back(s.BiNf);
    strips.web.arm.push_back(y - yG);
  }
  return strips;
}

SectionForces TSectionForces(const TSection& s, const TSectionStrips& strips, const MaterialSet& m,
                             double exponent, double t, LanePath path) {
  const double H = s.HiNf + s.HsUp;
  const double yG = strips.centroid;
  const double c = s.c;
  return OnLanes(
      path, [&]<class Lanes>() __attribute__((always_inline)) {
        return VisitStrainProfile(
            H, c, t, m.eps_ud, m.eps_cu,
            m.eps_c2, [&](const auto& strain) __attribute__((always_inline)) {
              const auto steel = [&](double y) { return SteelStress(strain(y), m.fyd, m.Es); };
              double N = 0;
              double M = 0;
              AddStripForces<Lanes>(strips.flange, strain, m.fcd, m.eps_c2, exponent, N, M);
              AddStripForces<Lanes>(strips.web, strain, m.fcd, m.eps_c2, exponent, N, M);
              const double F_1 = steel(c) * s.As_top;
              N += F_1;
              M += F_1 * (c - yG);
              const double F_2 = steel(H - c) * s.As_bottom;
              N += F_2;
              M += F_2 * (H - c - yG);
              return SectionForces{N, M};
            });
      });
}

SectionForces TSectionForces(const TSection& s, const MaterialSet& m, int n, double t) {
  return TSectionForces(s, TSectionStripsOf(s, n), m, 2, t);
}

}  // namespace quilex::flexure
