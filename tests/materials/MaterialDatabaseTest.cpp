// The material database: derived sets exact to the last bit of the single-precision
// constants, the three failures in their order, and how the names as read (blank-padded to
// 2, 6 and 7 characters) are compared.
#include <gtest/gtest.h>

#include <optional>

#include "quilex/materials.hpp"

namespace quilex {
namespace {

MaterialSet Derived(std::string_view code, std::string_view steel, std::string_view concrete) {
  return LookupMaterials(code, steel, concrete);
}

// The name the database refused, or nothing.
std::optional<MaterialItem> Failure(std::string_view code, std::string_view steel,
                                    std::string_view concrete) {
  try {
    LookupMaterials(code, steel, concrete);
  } catch (const UnknownMaterial& unknown) {
    return unknown.item();
  }
  return std::nullopt;
}

TEST(MaterialDatabase, DerivedSets) {
  const MaterialSet it = Derived("IT", "B450C ", "C25/30 ");
  EXPECT_EQ(it.fyd, 391.3043559386286);
  EXPECT_EQ(it.Es, 200000.0);
  EXPECT_EQ(it.eps_ud, 0.06750000268220901);
  EXPECT_EQ(it.fcd, 21.250000596046448 / 1.5);  // 0.85 in single precision
  EXPECT_EQ(it.Ecm, 31475.806658003952);
  EXPECT_EQ(it.eps_c2, 0.0020000000949949026);
  EXPECT_EQ(it.eps_cu, 0.0035000001080334187);
  EXPECT_EQ(it.nu, 0.5);
  EXPECT_EQ(Derived("IT", "FeB44k", "C25/30 ").fyd, 373.91305123024506);
  const MaterialSet dk = Derived("DK", "S500B ", "C30/37 ");
  EXPECT_EQ(dk.fyd, 500 / 1.2000000476837158);
  EXPECT_EQ(dk.fcd, 25.500000715255737 / 1.4500000476837158);
  EXPECT_EQ(dk.nu, 0.6000000238418579);
  const MaterialSet uk = Derived("UK", "S600B ", "C70/85 ");
  EXPECT_EQ(uk.fyd, 600 / 1.149999976158142);
  EXPECT_EQ(uk.eps_ud, 0.04500000178813934);
  EXPECT_EQ(uk.eps_c2, 0.002415876982058801);
  EXPECT_EQ(uk.eps_cu, 0.0026560000073164703);
  EXPECT_EQ(uk.nu, 0.5499999761581421);
  EXPECT_EQ(Derived("IT", "B450C ", "C70/85 ").nu, 0.5);
}

TEST(MaterialDatabase, NamesAndTheOrderOfTheFailures) {
  const struct {
    const char *code, *steel, *concrete;
    std::optional<MaterialItem> failure;
  } cases[] = {
      {"DE", "S500C ", "C90/105", std::nullopt},  // the class fills the field
      {"IT", " B450C", "C20/25 ", MaterialItem::SteelGrade},
      {"IT", "b450c ", "C20/25 ", MaterialItem::SteelGrade},
      {"IT", "B450C ", " C20/25", MaterialItem::ConcreteClass},
      {"IT", "B450C ", "C25    ", MaterialItem::ConcreteClass},  // C25/30 read without quotes
      {"it", "B450C ", "C25/30 ", MaterialItem::DesignCode},
      {"DE", "S450A ", "C25/30 ", MaterialItem::SteelGrade},  // the grade is SB450A
      {"DE", "FeB44k", "C25/30 ", MaterialItem::SteelGrade},  // a grade of the IT list
      {"IT", "S450C ", "C25/30 ", MaterialItem::SteelGrade},  // a grade of the general list
      {"FR", "S450C ", "C100/11", MaterialItem::ConcreteClass},
      {"DE", "S450A ", "C100/11", MaterialItem::SteelGrade},
      {"US", "S450A ", "C100/11", MaterialItem::DesignCode},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Failure(c.code, c.steel, c.concrete), c.failure)
        << c.code << "|" << c.steel << "|" << c.concrete;
  }
}

}  // namespace
}  // namespace quilex
