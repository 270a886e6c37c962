// Shear resistance of a member with vertical stirrups by the variable-inclination strut
// model: the smaller of the stirrups' and the struts' resistance, the struts' reduced or
// raised by the mean axial stress. QuilexRT serves rectangular outlines (R, T webs, both
// directions of a D section); the circular check shares the strut angle and stress bands.
#pragma once

#include "textio/Units.hpp"

namespace quilex::shear {

// Thrown when the strut angle is outside 1 <= cot(theta) <= 2.5, after its message: the
// run ends there as a normal end.
struct StrutAngleOutOfRange {};

// cot(theta) of a strut angle in degrees; writes the message and throws when out of range.
double StrutCotangent(textio::OutputUnit& unit, double theta);

// The axial-stress factor alpha_cw of a mean stress sigma (tension positive); a compression
// at or beyond fcd writes its message and gives 0.
double AxialStressFactor(textio::OutputUnit& unit, double sigma, double fcd);

// The smaller of the stirrups' and the struts' resistance for lever arm z and web width b.
double StirrupsOrStruts(double z, double b, double alpha_cw, double Asw, int nb, double st,
                        double cot_theta, double fyd, double fcd, double nu);

double ShearCheckRT(textio::OutputUnit& unit, double b, double h, double c, double Asw, int nb,
                    double st, double theta, double fyd, double fcd, double nu, double Ned);

}  // namespace quilex::shear
