// The ultimate strain distributions of a section, laid end to end along one parameter t
// in [0, 10] ([0, 5] compresses the top face, [5, 10] the bottom face), the two design
// stress-strain laws, and the strain-field number reported for a solution. Pure
// functions; the laws sit in this header because every resultant calls them per fibre.
// The biaxial routines use the two laws too.
#pragma once

#include <cmath>
#include <type_traits>

namespace quilex::flexure {

// Neutral-axis depth returned for the three uniform configurations (t = 0, 5, 10).
constexpr double kNoNeutralAxis = 1.0e8;

// The strain profile of configuration t, for a section of depth h with its layers at c
// from each face: calls visit(strain) once with a callable strain(y) giving the strain at
// depth y (from the top face), of one depth or of each lane of a vector of depths
// (flexure/Lanes.hpp). The interval of t is chosen here, once, so that a resultant
// evaluating many depths of one configuration tests t once; each interval's expression is
// evaluated exactly as written. Outside [0, 10] the strain is 0. Everything is inlined into
// the caller, which may be compiled for a processor path of its own.
#define QUILEX_STRAIN(...)                     \
  [=](auto y) __attribute__((always_inline)) { \
    return __VA_ARGS__;                        \
  }
template <class Visit>
[[gnu::always_inline]] inline decltype(auto) VisitStrainProfile(double h, double c, double t,
                                                                double eps_ud, double eps_cu,
                                                                double eps_c2, Visit&& visit) {
  const double d = h - c;
  const double yC = (eps_cu - eps_c2) * h / eps_cu;
  const auto none = [](auto y) __attribute__((always_inline)) {
    return decltype(y){};
  };
  if (t < 0) return visit(none);
  if (t < 1) return visit(QUILEX_STRAIN(eps_ud - t * eps_ud * (d - y) / d));
  if (t < 2) return visit(QUILEX_STRAIN(eps_ud - ((t - 1) * eps_cu + eps_ud) * (d - y) / d));
  if (t < 3) return visit(QUILEX_STRAIN((y / d) * ((3 - t) * eps_ud + eps_cu) - eps_cu));
  if (t < 4) return visit(QUILEX_STRAIN(eps_cu * ((4 - t) * y / d - 1 + (t - 3) * y / h)));
  if (t < 5) return visit(QUILEX_STRAIN((5 - t) * eps_c2 * (y - yC) / (h - yC) - eps_c2));
  if (t < 6) return visit(QUILEX_STRAIN(-(6 - t) * eps_c2 - (t - 5) * eps_cu * y / h));
  if (t < 7) {
    return visit(
        QUILEX_STRAIN(-eps_cu * ((h - y) * (7 - t) * c / (h * (h - c)) + (y - c) / (h - c))));
  }
  if (t < 8) {
    return visit(QUILEX_STRAIN((t - 7) * eps_ud * (h - y) / (h - c) - (y - c) * eps_cu / (h - c)));
  }
  if (t < 9) {
    const double a = (9 - t) * eps_cu;
    return visit(QUILEX_STRAIN((eps_ud + a) * (h - y) / (h - c) - a));
  }
  if (t <= 10) {
    return visit(QUILEX_STRAIN((10 - t) * eps_ud * (h - y) / (h - c) + (t - 9) * eps_ud));
  }
  return visit(none);
}
#undef QUILEX_STRAIN

// Strain at depth y (from the top face) of configuration t; see VisitStrainProfile.
inline double StrainAtDepth(double h, double c, double y, double t, double eps_ud, double eps_cu,
                            double eps_c2) {
  return VisitStrainProfile(h, c, t, eps_ud, eps_cu, eps_c2,
                            [y](const auto& strain) { return strain(y); });
}

// Depth of zero strain below the top face; signed and not clipped to the section.
double NeutralAxisDepth(double h, double c, double t, double eps_ud, double eps_cu, double eps_c2);

// The magnitude of a strain, or of each strain of a vector of them (a GCC vector of
// doubles): the sign bit cleared, as std::fabs does.
template <class Strain>
[[gnu::always_inline]] inline Strain Magnitude(Strain eps) {
  if constexpr (std::is_floating_point_v<Strain>) {
    return std::fabs(eps);
  } else {
    using Bits = decltype(eps < eps);  // the integer vector of the same lanes
    return reinterpret_cast<Strain>(reinterpret_cast<Bits>(eps) & 0x7fffffffffffffffLL);
  }
}

// The parabola of the concrete law, for strains from -eps_c2 to 0: one strain, or each
// strain of a vector of them.
template <class Strain>
[[gnu::always_inline]] inline Strain ConcreteParabolaStress(Strain eps, double fcd, double eps_c2) {
  const Strain r = 1 - Magnitude(eps) / eps_c2;
  return -(1 - r * r) * fcd;
}

// Parabola-rectangle concrete: the stress (<= 0) of strain eps.
inline double ConcreteStress(double eps, double fcd, double eps_c2) {
  if (eps < -eps_c2) return -fcd;
  if (eps < 0) return ConcreteParabolaStress(eps, fcd, eps_c2);
  return 0;
}

// The same law with the parabola's exponent n: fcd * [1 - (1 - |eps|/eps_c2)^n]. With n = 2
// it is the law above, bit for bit (the square as a product, not std::pow).
inline double ConcreteStress(double eps, double fcd, double eps_c2, double n) {
  if (n == 2) return ConcreteStress(eps, fcd, eps_c2);
  if (eps < -eps_c2) return -fcd;
  if (eps < 0) return -(1 - std::pow(1 - std::fabs(eps) / eps_c2, n)) * fcd;
  return 0;
}

// Elastic-perfectly plastic steel: the stress of strain eps; with Es = 0 the law is
// rigid-plastic.
inline double SteelStress(double eps, double fyd, double Es) {
  if (Es == 0) return eps > 0 ? fyd : -fyd;
  const double eps_yd = fyd / Es;
  if (eps <= -eps_yd) return -fyd;
  if (eps < eps_yd) return Es * eps;
  return fyd;
}

// Strain field 1 to 6 of a solution, from x = t* + 1, the sign of Med and the strain of
// the tension-side layer; 0 for a failed solve (x < 0).
int StrainField(double x, double Med, double eps_s, double eps_yd);

}  // namespace quilex::flexure
