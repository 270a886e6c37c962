// Forces of a circular section with nF equal bars on a concentric circle under one ultimate
// configuration: n horizontal strips whose areas are trapezoids of the chord widths, the
// bars placed by angle from the lowest point, moments about the centre.
#pragma once

#include <vector>

#include "flexure/ConfigurationSearch.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex::flexure {

// The circle's pi, as every circular routine uses it.
constexpr double kPi = 3.141592653589793;

// Depth below the top of bar k (1 to nF); bar 1 is the lowest.
double CircularBarDepth(const CircularSection& s, int k);

// What no configuration changes, computed once for the many configurations of a search:
// the chord widths at the boundaries of the n strips and the depths of the bars.
struct CircularLayout {
  CircularLayout(const CircularSection& s, int n);
  int n;
  std::vector<double> chord;      // chord[i]: the width at depth i·D/n, i = 1 to n
  std::vector<double> bar_depth;  // bar_depth[k - 1]: CircularBarDepth(s, k)
};

SectionForces CircularForces(const CircularSection& s, const CircularLayout& layout,
                             const MaterialSet& m, double t);
// The same with the layout of n strips computed on the spot.
SectionForces CircularForces(const CircularSection& s, const MaterialSet& m, int n, double t);

}  // namespace quilex::flexure
