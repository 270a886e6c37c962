// Design material properties and the fixed database they come from.
//
// A MaterialSet holds the design values of one steel grade and one concrete class under one
// national design code: strengths in N/mm² (MPa), strains as pure numbers, all positive.
// LookupMaterials() derives it from the three names that mate.txt holds:
//
//   const quilex::MaterialSet m = quilex::LookupMaterials("IT", "B450C", "C25/30");
//   // m.fyd == 391.3043559386286 (450 / 1.15), m.fcd == 14.166667064030966 (0.85 · 25 / 1.5),
//   // m.eps_ud == 0.0675, m.eps_cu == 0.0035, m.eps_c2 == 0.002, m.nu == 0.5, m.fck == 25
//
// The database's constants are single-precision numbers widened to double, so 1.15 is
// 1.149999976158142 and 0.0675 is 0.06750000268220901; the derived values are computed in
// double precision from them, exactly as the program quilex does.
//
// Codes: "IT", "DE", "FR", "NE", "UK", "DK". Steel grades under IT: "FeB22k", "FeB32k",
// "FeB38k", "FeB44k", "B450C"; under the other codes: "SB450A", "S450B", "S450C", "S500A",
// "S500B", "S500C", "S550B", "S600B". Concrete classes: "C12/15" to "C90/105". Names are
// case-sensitive; trailing blanks are ignored (mate.txt's fields are blank-padded).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quilex/errors.hpp"

namespace quilex {

struct MaterialSet {
  double fyd = 0;     // design yield strength of the steel
  double Es = 0;      // elastic modulus of the steel
  double eps_ud = 0;  // design ultimate strain of the steel
  double fcd = 0;     // design compressive strength of the concrete (positive)
  double Ecm = 0;     // secant modulus of the concrete (for reference; the laws do not use it)
  double eps_c2 = 0;  // concrete strain at the peak of the parabola-rectangle law
  double eps_cu = 0;  // ultimate compressive strain of the concrete
  double nu = 0;      // strength reduction factor of concrete cracked in shear
  // Characteristic cylinder strength of the concrete class (0 when not known). Above 50
  // N/mm² EN 1992-1-1 lowers the parabola's exponent below the 2 the program uses.
  double fck = 0;

  bool operator==(const MaterialSet&) const = default;
};

// The strength above which EN 1992-1-1 gives the parabola an exponent below 2 (C50/60).
inline constexpr double kHighStrengthConcrete = 50;

// The design materials of a code, steel grade and concrete class. Throws UnknownMaterial,
// naming the first of the three (in that order) that the database does not hold.
MaterialSet LookupMaterials(std::string_view design_code, std::string_view steel_grade,
                            std::string_view concrete_class);

// Where the design values come from, for a calculation that writes them out:
// fcd = alpha_cc * fck / gamma_c, fyd = fyk / gamma_s, eps_ud = 0.9 times the ultimate
// strain of the steel's ductility class (A 2.5 %, B 5 %, C 7.5 %).
//
//   const MaterialDerivation it = DeriveMaterials("IT", "B450C", "C25/30");
//   // it.alpha_cc ≈ 0.85, it.gamma_c == 1.5, it.fyk == 450, it.ductility_class == 'C',
//   // it.design == LookupMaterials("IT", "B450C", "C25/30")
struct MaterialDerivation {
  double gamma_c = 0;   // partial factor of the concrete
  double gamma_s = 0;   // partial factor of the steel
  double alpha_cc = 0;  // coefficient for long-term effects on the concrete strength
  double fck = 0;       // characteristic cylinder strength, N/mm²
  double fyk = 0;       // characteristic yield strength, N/mm²
  char ductility_class = 'A';
  MaterialSet design;
};

// The names the database holds, in its order, for a front end that offers them as a choice:
// the design codes, the steel grades under a code (none for a code it does not hold) and
// the concrete classes, which every code shares.
//
//   quilex::DesignCodes();       // {"IT", "DE", "FR", "NE", "UK", "DK"}
//   quilex::SteelGrades("IT");   // {"FeB22k", "FeB32k", "FeB38k", "FeB44k", "B450C"}
//   quilex::ConcreteClasses();   // {"C12/15", ..., "C90/105"}
std::vector<std::string> DesignCodes();
std::vector<std::string> SteelGrades(std::string_view design_code);
std::vector<std::string> ConcreteClasses();

// Throws UnknownMaterial as LookupMaterials does.
MaterialDerivation DeriveMaterials(std::string_view design_code, std::string_view steel_grade,
                                   std::string_view concrete_class);

}  // namespace quilex
