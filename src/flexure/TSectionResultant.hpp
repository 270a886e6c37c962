// Forces of a T-section (a flange block standing on a web block, either one the wider) with
// two layers of bars under one ultimate configuration: n strips per block, moments about
// the centroid of the gross concrete section.
#pragma once

#include "flexure/ConcreteStrips.hpp"
#include "flexure/ConfigurationSearch.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex::flexure {

// Depth of the centroid of the gross concrete section below the top face.
double TCentroidDepth(const TSection& s);

// The strips of the two blocks, n in each, and the centroid depth (TCentroidDepth).
struct TSectionStrips {
  ConcreteStrips flange;
  ConcreteStrips web;
  double centroid = 0;
};

TSectionStrips TSectionStripsOf(const TSection& s, int n);

// The forces of configuration t with the concrete parabola of exponent `exponent`.
SectionForces TSectionForces(const TSection& s, const TSectionStrips& strips, const MaterialSet& m,
                             double exponent, double t, LanePath path = BestLanePath());

// The same, exponent 2, with the strips made for this one call.
SectionForces TSectionForces(const TSection& s, const MaterialSet& m, int n, double t);

}  // namespace quilex::flexure
