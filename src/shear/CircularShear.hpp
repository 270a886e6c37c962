// Shear resistance of a circular section: the strut model applied to an equivalent
// rectangle, whose depth reaches the centroid of the tension-side half of the bars and
// whose width spreads the area above that chord over it.
#pragma once

#include "quilex/iteration_log.hpp"
#include "quilex/materials.hpp"
#include "shear/StrutModel.hpp"

namespace quilex::shear {

// The equivalent rectangle of a circle of diameter D with its bars at c from the surface.
struct EquivalentRectangle {
  double alpha = 0;  // angle locating the chord, rad
  double d = 0;      // effective depth
  double A = 0;      // area between the compressed edge and the chord
  double bw = 0;     // equivalent width A / d
};

EquivalentRectangle CircleEquivalentRectangle(double D, double c);

ShearResistance CircularShear(double D, double c, double Asw, int nb, double st, double theta,
                              const MaterialSet& m, double Ned, IterationLog* log);

}  // namespace quilex::shear
