// The design properties of the materials of one run, derived once from the code, steel
// grade and concrete class and handed to every solver and shear check.
#pragma once

namespace quilex {

struct MaterialSet {
  double fyd = 0;     // design yield strength of the steel, N/mm2
  double Es = 0;      // elastic modulus of the steel, N/mm2
  double eps_ud = 0;  // design ultimate strain of the steel
  double fcd = 0;     // design compressive strength of the concrete, positive
  double Ecm = 0;     // secant modulus of the concrete (passed to the concrete law, unused)
  double eps_c2 = 0;  // concrete strain at peak stress, positive
  double eps_cu = 0;  // ultimate compressive strain of the concrete, positive
  double nu = 0;      // strength reduction factor of concrete cracked in shear
};

}  // namespace quilex
