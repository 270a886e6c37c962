// What the verification and the interaction domain need of an R, T or C section: its
// resultant, its depth and the distance of its layers from the faces, and whether its
// uniform states carry a moment (a circle's are taken as 0, as symmetry gives them). A shape
// computes the strips (and a circle's chords and bars) once, when it is made, for every
// configuration its searches evaluate, with the strips and the exponent of the concrete's
// parabola that the settings choose.
#pragma once

#include "flexure/CircularResultant.hpp"
#include "flexure/ConfigurationSearch.hpp"
#include "flexure/RectangularResultant.hpp"
#include "flexure/TSectionResultant.hpp"
#include "quilex/materials.hpp"
#include "quilex/sections.hpp"
#include "quilex/verification.hpp"

namespace quilex::verification {

struct RectangularShape {
  RectangularShape(const RectangularSection& s, const MaterialSet& materials,
                   const Settings& settings)
      : section(s),
        m(materials),
        exponent(ParabolaExponentOf(settings.parabola_exponent, materials.fck)),
        geometry(flexure::RectangularStrips(s, settings.strips)) {}

  const RectangularSection& section;
  const MaterialSet& m;
  double exponent;  // of the concrete's parabola
  flexure::ConcreteStrips geometry;
  static constexpr bool kUniformMoments = true;

  flexure::SectionForces operator()(double t) const {
    return flexure::RectangularForces(section, geometry, m, exponent, t);
  }
  double depth() const { return section.H; }
};

struct TShape {
  TShape(const TSection& s, const MaterialSet& materials, const Settings& settings)
      : section(s),
        m(materials),
        exponent(ParabolaExponentOf(settings.parabola_exponent, materials.fck)),
        geometry(flexure::TSectionStripsOf(s, settings.strips)) {}

  const TSection& section;
  const MaterialSet& m;
  double exponent;  // of the concrete's parabola
  flexure::TSectionStrips geometry;
  static constexpr bool kUniformMoments = true;

  flexure::SectionForces operator()(double t) const {
    return flexure::TSectionForces(section, geometry, m, exponent, t);
  }
  double depth() const { return section.HiNf + section.HsUp; }
};

struct CircularShape {
  CircularShape(const CircularSection& s, const MaterialSet& materials, const Settings& settings)
      : section(s),
        m(materials),
        exponent(ParabolaExponentOf(settings.parabola_exponent, materials.fck)),
        geometry(flexure::CircularGeometryOf(s, settings.strips)) {}

  const CircularSection& section;
  const MaterialSet& m;
  double exponent;  // of the concrete's parabola
  flexure::CircularGeometry geometry;
  static constexpr bool kUniformMoments = false;

  flexure::SectionForces operator()(double t) const {
    return flexure::CircularForces(section, geometry, m, exponent, t);
  }
  double depth() const { return section.D; }
};

}  // namespace quilex::verification
