// Shear resistance of a rectangular web (an R section, the web of a T over its whole depth,
// either direction of a RectangleWithBars): the strut model on the lever arm 0.9 d, under
// the mean axial stress over the whole rectangle.
#pragma once

#include "quilex/iteration_log.hpp"
#include "quilex/materials.hpp"
#include "shear/StrutModel.hpp"

namespace quilex::shear {

// A web of width b and effective depth d, the mean axial stress taken over `area`.
ShearResistance WebShear(double b, double d, double area, double Asw, int nb, double st,
                         double theta, const MaterialSet& m, double Ned, IterationLog* log);

// A web of width b and depth h with its tension layer at c from the face.
ShearResistance RectangularWebShear(double b, double h, double c, double Asw, int nb, double st,
                                    double theta, const MaterialSet& m, double Ned,
                                    IterationLog* log);

}  // namespace quilex::shear
