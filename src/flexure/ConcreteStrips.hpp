// The concrete of an R, T or C section as horizontal strips: the part of a resultant that
// depends only on the section and the number of strips, computed once per section and used
// by every configuration, and the sum of the strips' forces under one configuration.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "flexure/Lanes.hpp"
#include "flexure/StrainModel.hpp"

namespace quilex::flexure {

// One block of strips. Strip i lies at depth y[i] below the top face and, under the stress
// s of the strain there, carries the force
//   F = s * width[i] * height / divisor
// (evaluated in this order, as every shape writes it) and the moment F * arm[i].
struct ConcreteStrips {
  std::vector<double> y;
  std::vector<double> width;
  std::vector<double> arm;
  double height = 0;
  double divisor = 1;
};

// Adds the strips' forces to N and their moments to M, strip after strip, under the strain
// profile `strain` (see VisitStrainProfile), with the parabola's exponent n. For n = 2 the
// strains, stresses, forces and moments are formed on lanes, each lane exactly as a plain
// loop forms it (strips left over at the end one by one); the sums take them one at a time,
// in order. Another exponent (a choice of Settings, never the program's) takes the plain
// loop throughout.
template <class Lanes, class Strain>
[[gnu::always_inline]] inline void AddStripForces(const ConcreteStrips& strips,
                                                  const Strain& strain, double fcd, double eps_c2,
                                                  double exponent, double& N, double& M) {
  using V = typename Lanes::V;
  constexpr std::size_t W = Lanes::kWidth;
  constexpr std::size_t kChunk = 64;
  alignas(32) double force[kChunk];
  alignas(32) double moment[kChunk];
  const std::size_t n = strips.y.size();
  const double height = strips.height, divisor = strips.divisor;
  double sum_N = N, sum_M = M;
  std::size_t i = 0;
  if (exponent != 2) {
    for (; i < n; ++i) {
      const double F = ConcreteStress(strain(strips.y[i]), fcd, eps_c2, exponent) *
                       strips.width[i] * height / divisor;
      sum_N += F;
      sum_M += F * strips.arm[i];
    }
  }
  while (n - i >= W) {
    const std::size_t count = std::min(kChunk, (n - i) / W * W);
    for (std::size_t k = 0; k < count; k += W) {
      const V s = ConcreteStressLanes<Lanes>(strain(Lanes::Load(&strips.y[i + k])), fcd, eps_c2);
      const V F = s * Lanes::Load(&strips.width[i + k]) * height / divisor;
      Lanes::Store(&force[k], F);
      Lanes::Store(&moment[k], F * Lanes::Load(&strips.arm[i + k]));
    }
#pragma GCC unroll 4
    for (std::size_t k = 0; k < count; ++k) {
      sum_N += force[k];
      sum_M += moment[k];
    }
    i += count;
  }
  for (; i < n; ++i) {
    const double F =
        ConcreteStress(strain(strips.y[i]), fcd, eps_c2) * strips.width[i] * height / divisor;
    sum_N += F;
    sum_M += F * strips.arm[i];
  }
  N = sum_N;
  M = sum_M;
}

}  // namespace quilex::flexure
