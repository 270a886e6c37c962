#include "textio/FloatingPointStatus.hpp"

#include <cfenv>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#define QUILEX_HAS_MXCSR 1
#endif

// WebAssembly computes in IEEE doubles but keeps no flags: there <cfenv> names none, and no
// run raises one.
#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW) && defined(FE_UNDERFLOW)
#define QUILEX_HAS_FENV_FLAGS 1
#endif

namespace quilex::textio {
#ifdef QUILEX_HAS_FENV_FLAGS
namespace {

struct StandardFlag {
  int fenv;
  unsigned ours;
};

constexpr StandardFlag kStandardFlags[] = {
    {FE_INVALID, kInvalidFlag},
    {FE_DIVBYZERO, kDivideByZeroFlag},
    {FE_OVERFLOW, kOverflowFlag},
    {FE_UNDERFLOW, kUnderflowFlag},
};

constexpr int kStandardMask = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW;

#ifdef QUILEX_HAS_MXCSR
// The denormal-operand flag is not one of <cfenv>'s: it lives in bit 1 of MXCSR, where
// every double operation of this program runs.
constexpr unsigned kMxcsrDenormal = 1u << 1;
#endif

}  // namespace

unsigned RaisedFloatingPointFlags() {
  unsigned raised = 0;
  const int standard = std::fetestexcept(kStandardMask);
  for (const StandardFlag& flag : kStandardFlags) {
    if ((standard & flag.fenv) != 0) raised |= flag.ours;
  }
#ifdef QUILEX_HAS_MXCSR
  if ((_mm_getcsr() & kMxcsrDenormal) != 0) raised |= kDenormalFlag;
#endif
  return raised;
}

void ClearFloatingPointFlags() {
  std::feclearexcept(kStandardMask);
#ifdef QUILEX_HAS_MXCSR
  _mm_setcsr(_mm_getcsr() & ~kMxcsrDenormal);
#endif
}

FloatingPointFlagsKept::FloatingPointFlagsKept() : raised_(std::fetestexcept(FE_ALL_EXCEPT)) {
  std::fegetexceptflag(&standard_, FE_ALL_EXCEPT);
#ifdef QUILEX_HAS_MXCSR
  control_ = _mm_getcsr();
  denormal_ = (control_ & kMxcsrDenormal) != 0;
#endif
}

FloatingPointFlagsKept::~FloatingPointFlagsKept() {
  bool unchanged = std::fetestexcept(FE_ALL_EXCEPT) == raised_;
#ifdef QUILEX_HAS_MXCSR
  unchanged = unchanged && _mm_getcsr() == control_;
#endif
  if (unchanged) return;
  std::fesetexceptflag(&standard_, FE_ALL_EXCEPT);
#ifdef QUILEX_HAS_MXCSR
  const unsigned csr = _mm_getcsr() & ~kMxcsrDenormal;
  _mm_setcsr(denormal_ ? (csr | kMxcsrDenormal) : csr);
#endif
}

#else

unsigned RaisedFloatingPointFlags() {
  return 0;
}
void ClearFloatingPointFlags() {}
FloatingPointFlagsKept::FloatingPointFlagsKept() = default;
FloatingPointFlagsKept::~FloatingPointFlagsKept() = default;

#endif

}  // namespace quilex::textio
