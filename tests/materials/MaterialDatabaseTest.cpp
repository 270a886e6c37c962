// The material database: every row of every code against values worked out independently
// of the program (the single-precision constants of the table widened to double, and the
// quotients fyk / gamma_s and 0.85 fck / gamma_c formed from them once, outside the
// program, and written here as literals), the three failures in their order, and the names
// as read (blank-padded to 2, 6 and 7 characters) against near misses.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "quilex/materials.hpp"

namespace quilex {
namespace {

// The name the database refused, or nothing; the failure names it as it was given.
std::optional<MaterialItem> Failure(std::string_view code, std::string_view steel,
                                    std::string_view concrete) {
  try {
    LookupMaterials(code, steel, concrete);
  } catch (const UnknownMaterial& unknown) {
    const std::string_view given[] = {code, steel, concrete};
    EXPECT_EQ(unknown.name(), given[static_cast<int>(unknown.item())]);
    return unknown.item();
  }
  return std::nullopt;
}

// gamma_s 1.15 of IT, DE, FR, NE, UK widens to 1.149999976158142, 1.2 of DK to
// 1.2000000476837158; gamma_c 1.5, and 1.45 of DK widens to 1.4500000476837158.
struct SteelRow {
  const char* name;
  double fyd_115;  // under gamma_s 1.15
  double fyd_12;   // under gamma_s 1.2 (DK); 0 for the IT list
  double eps_ud;   // 0.9 times 2.5, 5 or 7.5 % in single precision
};
constexpr SteelRow kItalianSteels[] = {
    {"FeB22k", 186.95652561512253, 0, 0.06750000268220901},
    {"FeB32k", 273.91304915704, 0, 0.06750000268220901},
    {"FeB38k", 326.0869632821905, 0, 0.06750000268220901},
    {"FeB44k", 373.91305123024506, 0, 0.06750000268220901},
    {"B450C", 391.3043559386286, 0, 0.06750000268220901},
};
constexpr SteelRow kGeneralSteels[] = {
    {"SB450A", 391.3043559386286, 374.9999850988394, 0.02250000089406967},
    {"S450B", 391.3043559386286, 374.9999850988394, 0.04500000178813934},
    {"S450C", 391.3043559386286, 374.9999850988394, 0.06750000268220901},
    {"S500A", 434.78261770958727, 416.66665010982155, 0.02250000089406967},
    {"S500B", 434.78261770958727, 416.66665010982155, 0.04500000178813934},
    {"S500C", 434.78261770958727, 416.66665010982155, 0.06750000268220901},
    {"S550B", 478.260879480546, 458.3333151208037, 0.04500000178813934},
    {"S600B", 521.7391412515047, 499.9999801317859, 0.04500000178813934},
};

struct ConcreteRow {
  const char* name;
  double fcd_15;   // 0.85 fck / 1.5
  double fcd_145;  // 0.85 fck / 1.45 (DK)
  double Ecm, eps_c2, eps_cu;
  double nu;  // codes other than IT
};
constexpr double e2 = 0.0020000000949949026, eu = 0.0035000001080334187, nu6 = 0.6000000238418579;
constexpr ConcreteRow kConcretes[] = {
    {"C12/15", 6.800000190734863, 7.034482724601393, 27085.17731739185, e2, eu, nu6},
    {"C16/20", 9.066666920979818, 9.379310299468523, 28607.90519352496, e2, eu, nu6},
    {"C20/25", 11.333333651224772, 11.724137874335655, 29961.951422393893, e2, eu, nu6},
    {"C25/30", 14.166667064030966, 14.655172342919569, 31475.806658003952, e2, eu, nu6},
    {"C28/35", 15.866667111714682, 16.413793024069918, 32308.250216310273, e2, eu, nu6},
    {"C30/37", 17.000000476837158, 17.586206811503484, 32836.568553906814, e2, eu, nu6},
    {"C32/40", 18.133333841959637, 18.758620598937046, 33345.765014298086, e2, eu, nu6},
    {"C35/45", 19.833333889643352, 20.517241280087397, 34077.14679172432, e2, eu, nu6},
    {"C40/50", 22.666667302449543, 23.44827574867131, 35220.462947534485, e2, eu, nu6},
    {"C45/55", 25.500000715255737, 26.379310217255224, 36283.18894024622, e2, eu, nu6},
    {"C50/60", 28.33333412806193, 29.310344685839137, 37277.86987278357, e2, eu, nu6},
    {"C55/67", 31.166667540868122, 32.24137915442305, 38214.20730009926, 0.0021994679908147793,
     0.003125218759314157, nu6},
    {"C60/75", 34.000000953674316, 35.17241362300697, 39099.87460153978, 0.0022880176076269586,
     0.0028835000082850456, nu6},
    {"C70/85", 39.666667779286705, 41.034482560174794, 40742.818782220944, 0.002415876982058801,
     0.0026560000073164703, 0.5499999761581421},
    {"C80/95", 45.333334604899086, 46.89655149734262, 42244.23926412028, 0.002515576633942101,
     0.002603500007092953, 0.5},
    {"C90/105", 51.000001430511475, 52.75862043451045, 43630.53268776273, 0.002600496862060966,
     0.0026000000070780516, 0.5},
};

const char* const kCodes[] = {"IT", "DE", "FR", "NE", "UK", "DK"};

std::span<const SteelRow> SteelsOf(bool italian) {
  return italian ? std::span<const SteelRow>(kItalianSteels)
                 : std::span<const SteelRow>(kGeneralSteels);
}

// A name as the reader leaves it: padded with blanks, or cut, to the field's length.
std::string Field(std::string name, std::size_t length) {
  name.resize(length, ' ');
  return name;
}

TEST(MaterialDatabase, EveryRowOfEveryCode) {
  for (const std::string code : kCodes) {
    const bool it = code == "IT", dk = code == "DK";
    for (const SteelRow& steel : SteelsOf(it)) {
      for (const ConcreteRow& concrete : kConcretes) {
        const std::string where = code + " " + steel.name + " " + concrete.name;
        const MaterialSet m = LookupMaterials(code, Field(steel.name, 6), Field(concrete.name, 7));
        EXPECT_EQ(m.fyd, dk ? steel.fyd_12 : steel.fyd_115) << where;
        EXPECT_EQ(m.Es, 200000.0) << where;
        EXPECT_EQ(m.eps_ud, steel.eps_ud) << where;
        EXPECT_EQ(m.fcd, dk ? concrete.fcd_145 : concrete.fcd_15) << where;
        EXPECT_EQ(m.Ecm, concrete.Ecm) << where;
        EXPECT_EQ(m.eps_c2, concrete.eps_c2) << where;
        EXPECT_EQ(m.eps_cu, concrete.eps_cu) << where;
        EXPECT_EQ(m.nu, it ? 0.5 : concrete.nu) << where;
        // What a report writes out: the factors of the comment above, fyk and the class as
        // the grade's name spells them (the Italian FeB grades are class C).
        const MaterialDerivation from = DeriveMaterials(code, steel.name, concrete.name);
        EXPECT_EQ(from.design, m) << where;
        EXPECT_EQ(from.gamma_c, dk ? 1.4500000476837158 : 1.5) << where;
        EXPECT_EQ(from.gamma_s, dk ? 1.2000000476837158 : 1.149999976158142) << where;
        EXPECT_EQ(from.alpha_cc, 0.8500000238418579) << where;
        const std::string name = steel.name;
        const std::size_t digits = name.find_first_of("0123456789");
        // FeB's numbers are kgf/mm²: 22, 32, 38, 44 are 215, 315, 375, 430 N/mm².
        const double fyk = name == "FeB22k"   ? 215
                           : name == "FeB32k" ? 315
                           : name == "FeB38k" ? 375
                           : name == "FeB44k" ? 430
                                              : std::stod(name.substr(digits));
        EXPECT_EQ(from.fyk, fyk) << where;
        EXPECT_EQ(from.ductility_class, name.back() == 'k' ? 'C' : name.back()) << where;
      }
    }
  }
  // The lists a front end offers are these rows, in this order.
  std::vector<std::string> codes(std::begin(kCodes), std::end(kCodes)), concretes;
  EXPECT_EQ(DesignCodes(), codes);
  for (const ConcreteRow& concrete : kConcretes)
    concretes.emplace_back(concrete.name);
  EXPECT_EQ(ConcreteClasses(), concretes);
  for (const std::string& code : codes) {
    std::vector<std::string> steels;
    for (const SteelRow& steel : SteelsOf(code == "IT"))
      steels.emplace_back(steel.name);
    EXPECT_EQ(SteelGrades(code), steels) << code;
  }
  EXPECT_TRUE(SteelGrades("it").empty());
  // The names as the library takes them, without the blanks of the fields.
  const MaterialSet dk = LookupMaterials("DK", "S600B", "C90/105");
  EXPECT_EQ(dk.fyd, 499.9999801317859);
  EXPECT_EQ(dk.fcd, 52.75862043451045);
}

// Near misses of every name: a leading blank, a missing or an extra last character, a
// letter in the other case. None is found; the grades of one list are not in the other.
// The names after the one missed are unknown too: the first unknown one is reported.
TEST(MaterialDatabase, NearMissesOfEveryName) {
  const auto misses = [](const std::string& name, std::size_t length) {
    std::vector<std::string> out = {Field(" " + name, length),
                                    Field(name.substr(0, name.size() - 1), length),
                                    name + name.back(), name + "0", name + " x"};
    if (name.size() < length) out.push_back(Field(name + name.back(), length));
    std::string other_case = name;
    for (char& ch : other_case) {
      if (std::isalpha(static_cast<unsigned char>(ch))) {
        ch = std::isupper(static_cast<unsigned char>(ch)) ? std::tolower(ch) : std::toupper(ch);
        break;
      }
    }
    out.push_back(Field(other_case, length));
    return out;
  };
  for (const std::string code : kCodes) {
    for (const std::string& miss : misses(code, 2)) {
      EXPECT_EQ(Failure(miss, "S450A ", "C100/11"), MaterialItem::DesignCode) << "'" << miss << "'";
    }
  }
  for (const bool it : {true, false}) {
    const char* code = it ? "IT" : "DE";
    for (const SteelRow& steel : SteelsOf(it)) {
      for (const std::string& miss : misses(steel.name, 6)) {
        EXPECT_EQ(Failure(code, miss, "C100/11"), MaterialItem::SteelGrade)
            << code << " '" << miss << "'";
      }
      // A grade of the other list.
      EXPECT_EQ(Failure(it ? "DE" : "IT", Field(steel.name, 6), "C25/30 "),
                MaterialItem::SteelGrade)
          << steel.name;
    }
  }
  EXPECT_EQ(Failure("DE", "S450A ", "C25/30 "), MaterialItem::SteelGrade);  // it is SB450A
  for (const ConcreteRow& concrete : kConcretes) {
    for (const std::string& miss : misses(concrete.name, 7)) {
      EXPECT_EQ(Failure("FR", "S450C ", miss), MaterialItem::ConcreteClass) << "'" << miss << "'";
    }
  }
  EXPECT_EQ(Failure("IT", "B450C ", "C25    "), MaterialItem::ConcreteClass);  // read unquoted
}

}  // namespace
}  // namespace quilex
