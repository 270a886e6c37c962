#include "flexure/TSectionResultant.hpp"

#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

double TCentroidDepth(const TSection& s) {
  const double BiNf = s.BiNf, HiNf = s.HiNf, BsUp = s.BsUp, HsUp = s.HsUp;
  return (2 * BiNf * HiNf * HsUp + BsUp * (HsUp * HsUp) + BiNf * (HiNf * HiNf)) /
         (2 * (BiNf * HiNf + BsUp * HsUp));
}

SectionForces TSectionForces(const TSection& s, const MaterialSet& m, int n, double t) {
  const double H = s.HiNf + s.HsUp;
  const double yG = TCentroidDepth(s);
  const double c = s.c;
  const double eps_ud = m.eps_ud, eps_cu = m.eps_cu, eps_c2 = m.eps_c2;
  const auto concrete = [&](double y) {
    return ConcreteStress(StrainAtDepth(H, c, y, t, eps_ud, eps_cu, eps_c2), m.fcd, eps_c2);
  };
  const auto steel = [&](double y) {
    return SteelStress(StrainAtDepth(H, c, y, t, eps_ud, eps_cu, eps_c2), m.fyd, m.Es);
  };
  double N = 0;
  double M = 0;
  for (int i = 1; i <= n; ++i) {
    const double y = (i - 0.5) * s.HsUp / n;
    const double F = concrete(y) * s.BsUp * s.HsUp / n;
    N += F;
    M += F * (y - yG);
  }
  for (int i = 1; i <= n; ++i) {
    const double y = s.HsUp + (i - 0.5) * s.HiNf / n;
    const double F = concrete(y) * s.BiNf * s.HiNf / n;
    N += F;
    M += F * (y - yG);
  }
  const double F_1 = steel(c) * s.As_top;
  N += F_1;
  M += F_1 * (c - yG);
  const double F_2 = steel(H - c) * s.As_bottom;
  N += F_2;
  M += F_2 * (H - c - yG);
  return {N, M};
}

}  // namespace quilex::flexure
