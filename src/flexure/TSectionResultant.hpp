// Forces of a T-section (a flange block standing on a web block, either one the wider) with
// two layers of bars under one ultimate configuration: n strips per block, moments about
// the centroid of the gross concrete section.
#pragma once

#include "flexure/ConfigurationSearch.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex::flexure {

// Depth of the centroid of the gross concrete section below the top face.
double TCentroidDepth(const TSection& s);

SectionForces TSectionForces(const TSection& s, const MaterialSet& m, int n, double t);

}  // namespace quilex::flexure
