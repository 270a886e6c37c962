// The floating-point environment every call from Python computes in.
//
// A Python process is anybody's: a C extension or a ctypes call may have set another
// rounding mode, left exception flags raised or enabled traps, and a library built with
// fast-math options switches on flush-to-zero for the whole process when it is loaded. The
// library's numbers are those of the default environment (round to nearest, subnormals
// kept), and the flags its arithmetic raises concern nobody but the library. So each call
// computes in the default environment and hands the caller's back exactly as it was, flags
// included: NumPy's error states and any code that reads the flags see no trace of it.
#pragma once

#include <cfenv>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace quilex::python {

class DefaultFloatingPointEnvironment {
 public:
  DefaultFloatingPointEnvironment() {
    std::fegetenv(&caller_);
    std::fesetenv(FE_DFL_ENV);
#if defined(__SSE__)
    // FE_DFL_ENV keeps the flush-to-zero and denormals-are-zero bits of MXCSR as they were:
    // set the whole register to its power-on value.
    _mm_setcsr(kDefaultMxcsr);
#endif
  }
  ~DefaultFloatingPointEnvironment() {
    std::fesetenv(&caller_);
  }

  DefaultFloatingPointEnvironment(const DefaultFloatingPointEnvironment&) = delete;
  DefaultFloatingPointEnvironment& operator=(const DefaultFloatingPointEnvironment&) = delete;

 private:
#if defined(__SSE__)
  // Every exception masked, no flag raised, round to nearest, no flush-to-zero.
  static constexpr unsigned kDefaultMxcsr = 0x1f80;
#endif
  std::fenv_t caller_{};
};

}  // namespace quilex::python
