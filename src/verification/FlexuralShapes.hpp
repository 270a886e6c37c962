// What the verification and the interaction domain need of an R, T or C section: its
// resultant, its depth and the distance of its layers from the faces, and whether its
// uniform states carry a moment (a circle's are taken as 0, as symmetry gives them).
#pragma once

#include "flexure/CircularResultant.hpp"
#include "flexure/ConfigurationSearch.hpp"
#include "flexure/RectangularResultant.hpp"
#include "flexure/TSectionResultant.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"

namespace quilex::verification {

struct RectangularShape {
  const RectangularSection& section;
  const MaterialSet& m;
  int strips;
  static constexpr bool kUniformMoments = true;

  flexure::SectionForces operator()(double t) const {
    return flexure::RectangularForces(section, m, strips, t);
  }
  double depth() const { return section.H; }
};

struct TShape {
  const TSection& section;
  const MaterialSet& m;
  int strips;
  static constexpr bool kUniformMoments = true;

  flexure::SectionForces operator()(double t) const {
    return flexure::TSectionForces(section, m, strips, t);
  }
  double depth() const { return section.HiNf + section.HsUp; }
};

struct CircularShape {
  CircularShape(const CircularSection& section, const MaterialSet& m, int strips)
      : section(section), m(m), strips(strips), layout(section, strips) {}

  const CircularSection& section;
  const MaterialSet& m;
  int strips;
  flexure::CircularLayout layout;
  static constexpr bool kUniformMoments = false;

  flexure::SectionForces operator()(double t) const {
    return flexure::CircularForces(section, layout, m, t);
  }
  double depth() const { return section.D; }
};

}  // namespace quilex::verification
