// Forces of a circular section with nF equal bars on a concentric circle under one ultimate
// configuration: n horizontal strips whose areas are trapezoids of the chord widths, the
// bars placed by angle from the lowest point, moments about the centre.
#pragma once

#include <vector>

#include "flexure/ConcreteStrips.hpp"
#include "flexure/ConfigurationSearch.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex::flexure {

// The circle's pi, as every circular routine uses it.

// Depth below the top of bar k (1 to nF); bar 1 is the lowest.
double CircularBarDepth(const CircularSection& s, int k);

// What the resultant needs of the section's shape, computed once: the strips with their
// chord widths (trigonometry every configuration would otherwise repeat), and the depths and
// lever arms of the bars.
struct CircularGeometry {
  ConcreteStrips strips;
  std::vector<double> bar_depth;
  std::vector<double> bar_arm;
  double bar_diameter_squared = 0;  // Df * Df
};

CircularGeometry CircularGeometryOf(const CircularSection& s, int n);

// The forces of configuration t with the concrete parabola of exponent `exponent`.
SectionForces CircularForces(const CircularSection& s, const CircularGeometry& g,
                             const MaterialSet& m, double exponent, double t,
                             LanePath path = BestLanePath());

// The same, exponent 2, with the geometry made for this one call.
SectionForces CircularForces(const CircularSection& s, const MaterialSet& m, int n, double t);

}  // namespace quilex::flexure
