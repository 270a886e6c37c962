// The optional log of a computation: every step of every search, and the messages of the
// checks, as values. Pass an IterationLog to a verification or a domain to follow (or
// record) what it does; pass nothing and the library formats and writes nothing at all.
//
// The program quilex passes a log that writes these events as the records of risu.txt:
//
//   SearchStarted()              "Iter    Scar            Mrd"
//   SearchStep(1, 423978.2, …)   "   1    0.423978E+06    0.116657E+09"
//   AxialForceOutsideDomain()    " maximum tension or compression strenght" and two lines
//                                with Ned, Nc_rd and Ns_rd in kN
//   IterationLimitReached()      " maximum number of iterations"
//   StrutAngleOutOfRange()       "ATTENTION --> ctan_theta is out of range!"
//   CompressionOutOfRange()      "ATTENTION --> maximum compression is out of range!"
//
// Events arrive in the order the computation meets them, on the thread that called it.
// Forces are in N, moments in N·mm.
#pragma once

namespace quilex {

class IterationLog {
 public:
  virtual ~IterationLog() = default;

  // A search of the ultimate strain configuration for one axial force begins (R, T, C).
  virtual void SearchStarted() {}
  // One bisection step: its number from 1, the axial-force residual |N - Ned| and the
  // moment of the trial configuration.
  virtual void SearchStep(int /*iteration*/, double /*residual*/, double /*moment*/) {}
  // The axial force is not strictly between the section's compressive capacity Nc_rd
  // (negative) and tensile capacity Ns_rd: no search is made.
  virtual void AxialForceOutsideDomain(double /*Ned*/, double /*Nc_rd*/, double /*Ns_rd*/) {}
  // The search used its iterations without reaching the tolerance.
  virtual void IterationLimitReached() {}
  // The strut angle gives cot(theta) outside 1 to 2.5: no shear resistance is computed.
  virtual void StrutAngleOutOfRange() {}
  // The mean axial compression reaches fcd: the struts, and so the section, resist no shear.
  virtual void CompressionOutOfRange() {}
};

}  // namespace quilex
