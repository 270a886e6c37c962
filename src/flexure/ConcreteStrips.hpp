// The concrete of an R, T or C section as horizontal strips: the part of a resultant that
// depends only on the section and the number of strips, computed once per section and used
// by every configuration, and the sum of the strips' forces under one configuration.
#pragma once

#include <cstddef>
#include <vector>

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
// profile `strain` (see VisitStrainProfile).
template <class Strain>
void AddStripForces(const ConcreteStrips& strips, const Strain& strain, double fcd, double eps_c2,
                    double& N, double& M) {
  const std::size_t n = strips.y.size();
  for (std::size_t i = 0; i < n; ++i) {
    const double F = ConcreteStress(strain(strips.y[i]), fcd, eps_c2) * strips.width[i] *
                     strips.height / strips.divisor;
    N += F;
    M += F * strips.arm[i];
  }
}

}  // namespace quilex::flexure
