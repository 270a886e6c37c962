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
using ElementaryFloat = double;  // the C library's own functions
#else
using ElementaryFloat = long double;  // 113 bits, rounded once to double
#endif

inline double Sin(double x) {
  return static_cast<double>(std::sin(static_cast<ElementaryFloat>(x)));
}
inline double Cos(double x) {
  return static_cast<double>(std::cos(static_cast<ElementaryFloat>(x)));
}
inline double Tan(double x) {
  return static_cast<double>(std::tan(static_cast<ElementaryFloat>(x)));
}
inline double Asin(double x) {
  return static_cast<double>(std::asin(static_cast<ElementaryFloat>(x)));
}
inline double Acos(double x) {
  return static_cast<double>(std::acos(static_cast<ElementaryFloat>(x)));
}

}  // namespace quilex
