// The elementary functions of the circle's integration and of the shear checks, as close to
// the same bits on every platform as the C libraries allow. glibc (the program's platform)
// is nearly correctly rounded: on the circle's strip chords and bar positions 44 of 59 900
// results differ from the correctly rounded ones, each by one unit in the last place. musl,
// the C library of the WebAssembly build, differs more often. A last bit can move a
// bisection's path and the residuals it prints, so where the C library is not glibc each
// function is evaluated in that platform's 113-bit long double and rounded once to double:
// the correctly rounded result, the nearest to glibc's there is without glibc's own code.
//
//   const double w = D * quilex::Sin(quilex::Acos(1 - 2.0 * i / n));
#pragma once

#include <cfloat>
#include <cmath>

namespace quilex {

#if defined(__GLIBC__) || LDBL_MANT_DIG < 113
#define QUILEX_MATH_FORWARD(name) \
  inline double name(double x) {  \
    return std::name(x);          \
  }
#else
#define QUILEX_MATH_FORWARD(name)                                       \
  inline double name(double x) {                                        \
    return static_cast<double>(std::name(static_cast<long double>(x))); \
  }
#endif

namespace math_detail {
QUILEX_MATH_FORWARD(sin)
QUILEX_MATH_FORWARD(cos)
QUILEX_MATH_FORWARD(tan)
QUILEX_MATH_FORWARD(asin)
QUILEX_MATH_FORWARD(acos)
}  // namespace math_detail
#undef QUILEX_MATH_FORWARD

inline double Sin(double x) {
  return math_detail::sin(x);
}
inline double Cos(double x) {
  return math_detail::cos(x);
}
inline double Tan(double x) {
  return math_detail::tan(x);
}
inline double Asin(double x) {
  return math_detail::asin(x);
}
inline double Acos(double x) {
  return math_detail::acos(x);
}

}  // namespace quilex
