// Forces of a rectangular section with a top and a bottom layer of bars under one ultimate
// configuration: the concrete in n strips over the depth (the bars' area not deducted),
// each layer lumped at its axis, moments about mid-depth.
#pragma once

#include "flexure/ConcreteStrips.hpp"
#include "flexure/ConfigurationSearch.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex::flexure {

// The strips of the section, n of them over its depth.
ConcreteStrips RectangularStrips(const RectangularSection& s, int n);

// The forces of configuration t with the concrete parabola of exponent `exponent`.
SectionForces RectangularForces(const RectangularSection& s, const ConcreteStrips& strips,
                                const MaterialSet& m, double exponent, double t,
                                LanePath path = BestLanePath());

// The same, exponent 2, with the strips made for this one call.
SectionForces RectangularForces(const RectangularSection& s, const MaterialSet& m, int n, double t);

}  // namespace quilex::flexure
