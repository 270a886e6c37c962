// Vectors of doubles ("lanes") for the laws evaluated on many fibres at once, and the
// processor paths that carry them: the baseline path every x86-64 processor runs (two
// lanes, SSE2) and, where the processor has it, AVX2 (four lanes). Each lane does exactly
// the operations a scalar evaluation would, in the same order and with the same rounding,
// so a path changes the speed and never a bit of a result.
//
// Code for lanes is written once, as a generic lambda `[&]<class Lanes>() {...}` handed to
// OnLanes, which runs it in a function compiled for the chosen path: everything the lambda
// calls must be inlined into it (always_inline), so that it is compiled for that path too.
// The AVX2 function carries [[gnu::target("avx2")]], never "arch=...": nothing may fuse a
// multiply with an add. The lane functions pass four-lane vectors by value, which GCC
// flags (-Wpsabi) as a calling convention that differs where AVX is off; they are always
// inlined into the code of one path and never called across paths, so the files with code
// on lanes compile with -Wno-psabi (CMakeLists.txt).
#pragma once

#include <cstring>

#include "flexure/StrainModel.hpp"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

// The AVX2 path is built by GCC. Clang (which builds the tree for the fuzzers) refuses four-
// lane arguments in functions not themselves compiled for AVX, even when they are always
// inlined into one that is: it builds the baseline path alone.
#if defined(__x86_64__) && !defined(__clang__)
#define QUILEX_LANES_AVX2 1
#endif

namespace quilex::flexure {

enum class LanePath { Baseline, Avx2 };

// Whether this processor (and its operating system) runs the AVX2 path.
bool Avx2Available();

// The fastest path this processor runs.
LanePath BestLanePath();

using Doubles2 = double __attribute__((vector_size(16)));
using Doubles4 = double __attribute__((vector_size(32)));

template <class Doubles>
struct LaneTypes {
  static constexpr int kWidth = sizeof(Doubles) / sizeof(double);
  using V = Doubles;              // the doubles
  using M = decltype(V{} < V{});  // a comparison's lanes: 0 (false) or -1 (true)

  [[gnu::always_inline]] static V Load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  [[gnu::always_inline]] static void Store(double* p, V v) { std::memcpy(p, &v, sizeof v); }
  // Every lane x, without arithmetic.
  [[gnu::always_inline]] static V Broadcast(double x) {
    V v;
    for (int k = 0; k < kWidth; ++k)
      v[k] = x;
    return v;
  }
};

#if defined(__x86_64__)

struct BaselineLanes : LaneTypes<Doubles2> {
  // Bit k set when lane k of m is set.
  static unsigned Bits(M m) {
    return static_cast<unsigned>(_mm_movemask_pd(reinterpret_cast<V>(m)));
  }
};

#if defined(QUILEX_LANES_AVX2)
struct Avx2Lanes : LaneTypes<Doubles4> {
  [[gnu::target("avx2")]] static unsigned Bits(M m) {
    return static_cast<unsigned>(_mm256_movemask_pd(reinterpret_cast<V>(m)));
  }
};
#endif

#else

struct BaselineLanes : LaneTypes<Doubles2> {
  static unsigned Bits(M m) {
    return static_cast<unsigned>(m[0] & 1) | static_cast<unsigned>(m[1] & 2);
  }
};

#endif

template <class Work>
decltype(auto) RunOnBaselineLanes(const Work& work) {
  return work.template operator()<BaselineLanes>();
}

#if defined(QUILEX_LANES_AVX2)
template <class Work>
[[gnu::target("avx2"), gnu::noinline]] decltype(auto) RunOnAvx2Lanes(const Work& work) {
  return work.template operator()<Avx2Lanes>();
}
#endif

// Runs work.operator()<Lanes>() on the lanes of `path`, or on the baseline lanes where this
// processor lacks the path.
template <class Work>
decltype(auto) OnLanes([[maybe_unused]] LanePath path, const Work& work) {
#if defined(QUILEX_LANES_AVX2)
  if (path == LanePath::Avx2 && BestLanePath() == LanePath::Avx2) return RunOnAvx2Lanes(work);
#endif
  return RunOnBaselineLanes(work);
}

// The parabola-rectangle law (ConcreteStress) on every lane of eps.
//
// The scalar law compares eps with -eps_c2, then, unless below it, with 0, and evaluates the
// parabola only between them. Here both comparisons run on every lane: they are the same
// ordered comparisons, raising the same floating-point flags (invalid for a NaN, which the
// scalar law compares twice too; denormal for a subnormal operand, which its first
// comparison already meets). The parabola runs only when a lane needs it, and then on every
// lane, those outside its range given -eps_c2 instead of their strain: that lane computes
// eps_c2 / eps_c2 = 1, 1 - 1 = 0, 0 * 0 = 0, 1 - 0 = 1 and -1 * fcd, all exact, raising at
// most the denormal flag of a subnormal eps_c2 or fcd, which the lane in range raises too.
template <class Lanes>
[[gnu::always_inline]] inline typename Lanes::V ConcreteStressLanes(typename Lanes::V eps,
                                                                    double fcd, double eps_c2) {
  using V = typename Lanes::V;
  using M = typename Lanes::M;
  const M plateau = eps < -eps_c2;
  const M compressed = eps < 0.0;
  // Both masks take part, so that neither comparison is left out.
  if (Lanes::Bits(plateau | compressed) == 0) return V{};
  const unsigned plateau_bits = Lanes::Bits(plateau);
  const unsigned compressed_bits = Lanes::Bits(compressed);
  const V plateau_stress = Lanes::Broadcast(-fcd);
  if ((compressed_bits & ~plateau_bits) == 0) return plateau ? plateau_stress : V{};
  const V in_range = (compressed & ~plateau) ? eps : Lanes::Broadcast(-eps_c2);
  const V parabola = ConcreteParabolaStress(in_range, fcd, eps_c2);
  return plateau ? plateau_stress : (compressed ? parabola : V{});
}

// The law on lanes for parameters fcd and eps_c2 that the caller has checked to be normal
// numbers of moderate magnitude (at least 2^-400 and below 2^400): then it needs no branch.
// Both comparisons run on every lane, and the parabola too, the lanes outside its range
// given -eps_c2. Such a lane computes eps_c2 / eps_c2 = 1, 1 - 1 = 0, 0 * 0 = 0, 1 - 0 = 1 and
// -1 * fcd: all exact, and with those parameters raising no flag. So the flags are those of
// the lanes in range, which ConcreteStressLanes and the scalar law raise too.
template <class Lanes>
struct ModerateConcreteLawLanes {
  using V = typename Lanes::V;
  using M = typename Lanes::M;

  ModerateConcreteLawLanes(double fcd, double eps_c2)
      : fcd(fcd),
        eps_c2(eps_c2),
        plateau_stress(Lanes::Broadcast(-fcd)),
        minus_eps_c2(Lanes::Broadcast(-eps_c2)) {}

  [[gnu::always_inline]] V operator()(V eps) const {
    const M plateau = eps < minus_eps_c2;
    const M compressed = eps < 0.0;
    const V in_range = (compressed & ~plateau) ? eps : minus_eps_c2;
    const V parabola = ConcreteParabolaStress(in_range, fcd, eps_c2);
    return plateau ? plateau_stress : (compressed ? parabola : V{});
  }

  double fcd;
  double eps_c2;
  V plateau_stress;  // -fcd on every lane
  V minus_eps_c2;
};

}  // namespace quilex::flexure
