// Shear resistance of a circular section: the strut model of the rectangular check applied
// to an equivalent rectangle, whose depth reaches the centroid of the tension-side half of
// the bars and whose width spreads the area above that chord over it.
#pragma once

#include "textio/Units.hpp"

namespace quilex::shear {

// The equivalent rectangle of a circle of diameter D with its bars at c from the surface.
struct EquivalentRectangle {
  double alpha = 0;  // angle locating the chord, rad
  double d = 0;      // effective depth
  double A = 0;      // area between the compressed edge and the chord
  double bw = 0;     // equivalent width A / d
};

EquivalentRectangle CircleEquivalentRectangle(double D, double c);

double ShearCheckC(textio::OutputUnit& unit, double D, double c, double Asw, int nb, double st,
                   double theta, double fyd, double fcd, double nu, double Ned);

}  // namespace quilex::shear
