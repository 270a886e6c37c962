// The fixed database of design codes, steel grades and concrete classes.
#include <string>

#include "quilex/materials.hpp"

namespace quilex {
namespace {

// The database's constants are single-precision numbers; every value derived from them
// is computed in double precision from their widened values.
constexpr double Single(float value) {
  return static_cast<double>(value);
}

struct Code {
  std::string_view name;
  double gamma_c;
  double gamma_s;
  bool italian;  // IT: its own steel list, and nu = 0.5 for every class
};

constexpr Code kCodes[] = {
    {"IT", Single(1.5f), Single(1.15f), true},  {"DE", Single(1.5f), Single(1.15f), false},
    {"FR", Single(1.5f), Single(1.15f), false}, {"NE", Single(1.5f), Single(1.15f), false},
    {"UK", Single(1.5f), Single(1.15f), false}, {"DK", Single(1.45f), Single(1.2f), false},
};

struct Steel {
  std::string_view name;
  double fyk;
  double eps_ud;  // 0.9 times the ultimate strain of the ductility class
};

constexpr double kClassA = Single(0.0225f);
constexpr double kClassB = Single(0.045f);
constexpr double kClassC = Single(0.0675f);

constexpr Steel kItalianSteels[] = {
    {"FeB22k", Single(215.f), kClassC}, {"FeB32k", Single(315.f), kClassC},
    {"FeB38k", Single(375.f), kClassC}, {"FeB44k", Single(430.f), kClassC},
    {"B450C", Single(450.f), kClassC},
};

constexpr Steel kGeneralSteels[] = {
    {"SB450A", Single(450.f), kClassA}, {"S450B", Single(450.f), kClassB},
    {"S450C", Single(450.f), kClassC},  {"S500A", Single(500.f), kClassA},
    {"S500B", Single(500.f), kClassB},  {"S500C", Single(500.f), kClassC},
    {"S550B", Single(550.f), kClassB},  {"S600B", Single(600.f), kClassB},
};

struct Concrete {
  std::string_view name;
  double fck;
  double Ecm;
  double eps_c2;
  double eps_cu;
  double nu;  // under every code but IT, where it is 0.5
};

// Ecm = 22000 ((fck + 8) / 10)^0.3 and the strains of the high classes were evaluated
// once, partly in single precision; the program keeps the values it has always used.
constexpr double kEps2 = Single(0.002f);
constexpr double kEpsU = Single(0.0035f);
constexpr double kNu = Single(0.6f);

constexpr Concrete kConcretes[] = {
    {"C12/15", Single(12.f), 27085.17731739185, kEps2, kEpsU, kNu},
    {"C16/20", Single(16.f), 28607.90519352496, kEps2, kEpsU, kNu},
    {"C20/25", Single(20.f), 29961.951422393893, kEps2, kEpsU, kNu},
    {"C25/30", Single(25.f), 31475.806658003952, kEps2, kEpsU, kNu},
    {"C28/35", Single(28.f), 32308.250216310273, kEps2, kEpsU, kNu},
    {"C30/37", Single(30.f), 32836.568553906814, kEps2, kEpsU, kNu},
    {"C32/40", Single(32.f), 33345.765014298086, kEps2, kEpsU, kNu},
    {"C35/45", Single(35.f), 34077.14679172432, kEps2, kEpsU, kNu},
    {"C40/50", Single(40.f), 35220.462947534485, kEps2, kEpsU, kNu},
    {"C45/55", Single(45.f), 36283.18894024622, kEps2, kEpsU, kNu},
    {"C50/60", Single(50.f), 37277.86987278357, kEps2, kEpsU, kNu},
    {"C55/67", Single(55.f), 38214.20730009926, 0.0021994679908147793, 0.003125218759314157, kNu},
    {"C60/75", Single(60.f), 39099.87460153978, 0.0022880176076269586, 0.0028835000082850456, kNu},
    {"C70/85", Single(70.f), 40742.818782220944, 0.002415876982058801, 0.0026560000073164703,
     0.5499999761581421},
    {"C80/95", Single(80.f), 42244.23926412028, 0.002515576633942101, 0.002603500007092953,
     Single(0.5f)},
    {"C90/105", Single(90.f), 43630.53268776273, 0.002600496862060966, 0.0026000000070780516,
     Single(0.5f)},
};

constexpr double kEs = Single(200000.f);
constexpr double kFcdFactor = Single(0.85f);
constexpr double kItalianNu = Single(0.5f);

// The name as given against a table name: equal, or equal but for trailing blanks (the
// fields of mate.txt are blank-padded to 2, 6 and 7 characters).
bool SameName(std::string_view as_read, std::string_view table_name) {
  if (table_name.size() > as_read.size()) return false;
  if (as_read.substr(0, table_name.size()) != table_name) return false;
  return as_read.find_first_not_of(' ', table_name.size()) == std::string_view::npos;
}

template <class Row, std::size_t N>
const Row* Find(const Row (&rows)[N], std::string_view as_read) {
  for (const Row& row : rows) {
    if (SameName(as_read, row.name)) return &row;
  }
  return nullptr;
}

}  // namespace

MaterialDerivation DeriveMaterials(std::string_view design_code, std::string_view steel_grade,
                                   std::string_view concrete_class) {
  const Code* code = Find(kCodes, design_code);
  if (code == nullptr) throw UnknownMaterial(MaterialItem::DesignCode, std::string(design_code));
  const Steel* steel =
      code->italian ? Find(kItalianSteels, steel_grade) : Find(kGeneralSteels, steel_grade);
  if (steel == nullptr) throw UnknownMaterial(MaterialItem::SteelGrade, std::string(steel_grade));
  const Concrete* concrete = Find(kConcretes, concrete_class);
  if (concrete == nullptr) {
    throw UnknownMaterial(MaterialItem::ConcreteClass, std::string(concrete_class));
  }
  MaterialSet m;
  m.fyd = steel->fyk / code->gamma_s;
  m.Es = kEs;
  m.eps_ud = steel->eps_ud;
  m.fcd = kFcdFactor * concrete->fck / code->gamma_c;
  m.Ecm = concrete->Ecm;
  m.eps_c2 = concrete->eps_c2;
  m.eps_cu = concrete->eps_cu;
  m.nu = code->italian ? kItalianNu : concrete->nu;
  m.fck = concrete->fck;
  MaterialDerivation derivation;
  derivation.gamma_c = code->gamma_c;
  derivation.gamma_s = code->gamma_s;
  derivation.alpha_cc = kFcdFactor;
  derivation.fck = concrete->fck;
  derivation.fyk = steel->fyk;
  derivation.ductility_class = steel->eps_ud == kClassA   ? 'A'
                               : steel->eps_ud == kClassB ? 'B'
                                                          : 'C';
  derivation.design = m;
  return derivation;
}

MaterialSet LookupMaterials(std::string_view design_code, std::string_view steel_grade,
                            std::string_view concrete_class) {
  return DeriveMaterials(design_code, steel_grade, concrete_class).design;
}

std::vector<std::string> DesignCodes() {
  std::vector<std::string> names;
  for (const Code& code : kCodes)
    names.emplace_back(code.name);
  return names;
}

std::vector<std::string> SteelGrades(std::string_view design_code) {
  std::vector<std::string> names;
  const Code* code = Find(kCodes, design_code);
  if (code == nullptr) return names;
  const auto add = [&](const auto& steels) {
    for (const Steel& steel : steels)
      names.emplace_back(steel.name);
  };
  if (code->italian) {
    add(kItalianSteels);
  } else {
    add(kGeneralSteels);
  }
  return names;
}

std::vector<std::string> ConcreteClasses() {
  std::vector<std::string> names;
  for (const Concrete& concrete : kConcretes)
    names.emplace_back(concrete.name);
  return names;
}

}  // namespace quilex
