#include "flexure/StrainModel.hpp"

#include <algorithm>

namespace quilex::flexure {

double NeutralAxisDepth(double h, double c, double t, double eps_ud, double eps_cu, double eps_c2) {
  if (t == 0 || t == 5 || t == 10) return kNoNeutralAxis;
  const double e0 = StrainAtDepth(h, c, 0, t, eps_ud, eps_cu, eps_c2);
  const double eh = StrainAtDepth(h, c, h, t, eps_ud, eps_cu, eps_c2);
  return -e0 * h / (eh - e0);
}

int StrainField(double x, double Med, double eps_s, double eps_yd) {
  if (!(x >= 0)) return 0;
  // x is t + 1 <= 11 for every solution; the cap only keeps the conversion defined.
  const int i = x < 100 ? static_cast<int>(x) : 100;
  const int k = Med >= 0 ? i : 11 - i;
  if (k == 3) return eps_yd > eps_s ? 4 : 3;
  if (k >= 4) return std::min(k, 5) + 1;
  return std::max(k, 1);
}

}  // namespace quilex::flexure
