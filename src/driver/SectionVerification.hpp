// Verification of an R, T or C section against Ned, Med, Ved, and the sweep of its M-N
// interaction domain. The procedure is the same for the three shapes; a ShapeRow binds the
// shape's solver, shear check and effective depth.
#pragma once

#include <functional>

#include "driver/InputFiles.hpp"
#include "flexure/MaterialSet.hpp"
#include "flexure/SolverProcedure.hpp"
#include "textio/Units.hpp"

namespace quilex::driver {

struct SectionResult {
  double Mrd = 0;
  double rho_M = 0;
  double Vrd = 0;
  double rho_V = 0;
  double epsilon = 0;
  int campo = 0;
};

struct ShapeRow {
  // One solver call with the run's fixed strips, tolerance and iteration limit.
  std::function<double(double axial_force, int mode)> solver;
  std::function<double()> shear;
  double d = 0;                // effective depth
  flexure::SolverOffer offer;  // the codes the solver answers
};

// The shape row of section type R, T or C, logging into risu.
ShapeRow MakeShapeRow(const SectionData& section, const MaterialSet& m, double Ned,
                      textio::OutputUnit& risu);

// Four solver calls, the shear check, the ratios, and the results block with its
// ATTENTION lines in risu_mn.
SectionResult VerifySection(const ShapeRow& shape, const MaterialSet& m, const Actions& actions,
                            textio::OutputUnit& risu_mn);

// The 101 points of the domain boundary, compression positive, into domplot.
void SweepDomain(const ShapeRow& shape, double Ned, textio::OutputUnit& domplot);

}  // namespace quilex::driver
