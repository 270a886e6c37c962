// The run of a type-D section after its input: the actions record, the verification for
// axial force with biaxial bending and for shear in both directions, the results block and
// the contour of the resisting moments at the acting axial force.
#pragma once

#include "flexure/MaterialSet.hpp"
#include "flexure/Sections.hpp"
#include "textio/Units.hpp"

namespace quilex::biaxial {

struct TypeDResult {
  double Mrd = 0;
  double Mrdx = 0;
  double Mrdy = 0;
  double rho_M = 0;
  double MRx = 0;
  double MRy = 0;
  double Vrdx = 0;
  double Vrdy = 0;
  double rho_V = 0;
  double epsilon = 0;
  double alpha = 0;
  int campo = 0;
};

// Reads Ned, Mx, My, Vx, Vy from slu, echoes them when asked, and writes the results into
// risu_mn and the contour into domplot; the shear checks' messages go to risu.
TypeDResult RunTypeD(bool echo, const BarSection& section, const MaterialSet& m,
                     textio::InputUnit& slu, textio::OutputUnit& risu, textio::OutputUnit& risu_mn,
                     textio::OutputUnit& domplot);

}  // namespace quilex::biaxial
