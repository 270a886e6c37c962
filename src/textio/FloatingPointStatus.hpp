// The floating-point exception flags of the hardware, as the end-of-run note reports
// them. Only the five flags the note names are tracked; inexact never is.
#pragma once

#include <cfenv>

namespace quilex::textio {

enum FloatingPointFlag : unsigned {
  kInvalidFlag = 1u << 0,
  kDivideByZeroFlag = 1u << 1,
  kOverflowFlag = 1u << 2,
  kUnderflowFlag = 1u << 3,
  kDenormalFlag = 1u << 4,
};

// The tracked flags that are raised now.
unsigned RaisedFloatingPointFlags();

// Lowers every tracked flag (a run starts from a clean status).
void ClearFloatingPointFlags();

// Keeps the flags of the enclosing computation unchanged across work that only looks
// at values (formatting a number must not add an underflow or denormal flag of its own).
// Restoring the flags is slow and the guarded work rarely raises one, so they are
// written back only when they changed.
class FloatingPointFlagsKept {
 public:
  FloatingPointFlagsKept();
  ~FloatingPointFlagsKept();
  FloatingPointFlagsKept(const FloatingPointFlagsKept&) = delete;
  FloatingPointFlagsKept& operator=(const FloatingPointFlagsKept&) = delete;

 private:
  // Unused where there are no flags (WebAssembly) or no MXCSR register.
  [[maybe_unused]] std::fexcept_t standard_{};
  [[maybe_unused]] int raised_ = 0;        // every <cfenv> flag raised on entry
  [[maybe_unused]] unsigned control_ = 0;  // the MXCSR register on entry, where it exists
  [[maybe_unused]] bool denormal_ = false;
};

}  // namespace quilex::textio
