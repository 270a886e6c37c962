#include "flexure/Lanes.hpp"

namespace quilex::flexure {

bool Avx2Available() {
#if defined(QUILEX_LANES_AVX2)
  // GCC's check includes the operating system's support of the AVX registers. The
  // initialisation makes the check safe from static constructors too.
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

LanePath BestLanePath() {
  static const LanePath path = Avx2Available() ? LanePath::Avx2 : LanePath::Baseline;
  return path;
}

}  // namespace quilex::flexure
