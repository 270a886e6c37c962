// The material database: the derived set, exact to the last bit of the tabulated values,
// the three failures in their order, and how the names as read (blank-padded to 2, 6 and
// 7 characters) are compared.
#include "driver/MaterialDatabase.hpp"

#include <gtest/gtest.h>

namespace quilex::driver {
namespace {

MaterialSet Derived(std::string_view code, std::string_view steel, std::string_view concrete) {
  const DerivedMaterials derived = DeriveMaterialSet(code, steel, concrete);
  EXPECT_EQ(derived.failure, MaterialFailure::None) << code << "|" << steel << "|" << concrete;
  return derived.set;
}

TEST(MaterialDatabase, WorkedSetsOfTheCodes) {
  const MaterialSet it = Derived("IT", "B450C ", "C25/30 ");
  EXPECT_EQ(it.fyd, 391.3043559386286);
  EXPECT_EQ(it.Es, 200000.0);
  EXPECT_EQ(it.eps_ud, 0.06750000268220901);
  EXPECT_EQ(it.fcd, 21.250000596046448 / 1.5);
  EXPECT_EQ(it.Ecm, 31475.806658003952);
  EXPECT_EQ(it.eps_c2, 0.0020000000949949026);
  EXPECT_EQ(it.eps_cu, 0.0035000001080334187);
  EXPECT_EQ(it.nu, 0.5);
  const MaterialSet dk = Derived("DK", "S500B ", "C30/37 ");
  EXPECT_EQ(dk.fyd, 500 / 1.2000000476837158);
  EXPECT_EQ(dk.fcd, 25.500000715255737 / 1.4500000476837158);
  EXPECT_EQ(dk.nu, 0.6000000238418579);
  EXPECT_EQ(Derived("UK", "S600B ", "C70/85 ").nu, 0.5499999761581421);
  EXPECT_EQ(Derived("IT", "B450C ", "C70/85 ").nu, 0.5);
}

TEST(MaterialDatabase, NamesAndTheOrderOfTheFailures) {
  const struct {
    const char *code, *steel, *concrete;
    MaterialFailure failure;
  } cases[] = {
      {"IT", "B450C ", "C20/25 ", MaterialFailure::None},
      {"DE", "S500C ", "C90/105", MaterialFailure::None},  // the class fills the field
      {"IT", " B450C", "C20/25 ", MaterialFailure::Steel},
      {"IT", "b450c ", "C20/25 ", MaterialFailure::Steel},
      {"IT", "B450C ", " C20/25", MaterialFailure::Concrete},
      {"IT", "B450C ", "C25    ", MaterialFailure::Concrete},  // C25/30 read without quotes
      {"it", "B450C ", "C25/30 ", MaterialFailure::Code},
      {"US", "S500B ", "C25/30 ", MaterialFailure::Code},
      {"DE", "S450A ", "C25/30 ", MaterialFailure::Steel},  // the grade is SB450A
      {"DE", "FeB44k", "C25/30 ", MaterialFailure::Steel},  // a grade of the IT list
      {"IT", "S450C ", "C25/30 ", MaterialFailure::Steel},  // a grade of the general list
      {"FR", "S450C ", "C100/11", MaterialFailure::Concrete},
      {"DE", "S450A ", "C100/11", MaterialFailure::Steel},
      {"US", "S450A ", "C100/11", MaterialFailure::Code},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DeriveMaterialSet(c.code, c.steel, c.concrete).failure, c.failure)
        << c.code << "|" << c.steel << "|" << c.concrete;
  }
}

TEST(MaterialDatabase, EveryConcreteClass) {
  const struct {
    const char* name;
    double fcd_numerator, Ecm, eps_c2, eps_cu, nu;
  } rows[] = {
      // clang-format off
      {"C12/15 ", 10.200000286102295, 27085.17731739185, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C16/20 ", 13.600000381469727, 28607.90519352496, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C20/25 ", 17.000000476837158, 29961.951422393893, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C25/30 ", 21.250000596046448, 31475.806658003952, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C28/35 ", 23.80000066757202, 32308.250216310273, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C30/37 ", 25.500000715255737, 32836.568553906814, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C32/40 ", 27.200000762939453, 33345.765014298086, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C35/45 ", 29.750000834465027, 34077.14679172432, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C40/50 ", 34.000000953674316, 35220.462947534485, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C45/55 ", 38.250001072883606, 36283.18894024622, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C50/60 ", 42.500001192092896, 37277.86987278357, 0.0020000000949949026, 0.0035000001080334187, 0.6000000238418579},
      {"C55/67 ", 46.750001311302185, 38214.20730009926, 0.0021994679908147793, 0.003125218759314157, 0.6000000238418579},
      {"C60/75 ", 51.000001430511475, 39099.87460153978, 0.0022880176076269586, 0.0028835000082850456, 0.6000000238418579},
      {"C70/85 ", 59.500001668930054, 40742.818782220944, 0.002415876982058801, 0.0026560000073164703, 0.5499999761581421},
      {"C80/95 ", 68.00000190734863, 42244.23926412028, 0.002515576633942101, 0.002603500007092953, 0.5},
      {"C90/105", 76.50000214576721, 43630.53268776273, 0.002600496862060966, 0.0026000000070780516, 0.5},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const MaterialSet m = Derived("NE", "S450B ", row.name);
    EXPECT_EQ(m.fcd, row.fcd_numerator / 1.5);
    EXPECT_EQ(m.Ecm, row.Ecm);
    EXPECT_EQ(m.eps_c2, row.eps_c2);
    EXPECT_EQ(m.eps_cu, row.eps_cu);
    EXPECT_EQ(m.nu, row.nu);
    EXPECT_EQ(Derived("DK", "S450B ", row.name).fcd, row.fcd_numerator / 1.4500000476837158);
    EXPECT_EQ(Derived("IT", "FeB22k", row.name).nu, 0.5);
  }
}

TEST(MaterialDatabase, EverySteelGrade) {
  const double gamma_s = 1.149999976158142;
  const struct {
    const char *code, *name;
    double fyd, eps_ud;
  } rows[] = {
      {"IT", "FeB22k", 186.95652561512253, 0.06750000268220901},
      {"IT", "FeB32k", 273.91304915704, 0.06750000268220901},
      {"IT", "FeB38k", 326.0869632821905, 0.06750000268220901},
      {"IT", "FeB44k", 373.91305123024506, 0.06750000268220901},
      {"IT", "B450C ", 391.3043559386286, 0.06750000268220901},
      {"FR", "SB450A", 450 / gamma_s, 0.02250000089406967},
      {"FR", "S450B ", 450 / gamma_s, 0.04500000178813934},
      {"FR", "S450C ", 450 / gamma_s, 0.06750000268220901},
      {"FR", "S500A ", 500 / gamma_s, 0.02250000089406967},
      {"FR", "S500B ", 500 / gamma_s, 0.04500000178813934},
      {"FR", "S500C ", 500 / gamma_s, 0.06750000268220901},
      {"FR", "S550B ", 550 / gamma_s, 0.04500000178813934},
      {"FR", "S600B ", 600 / gamma_s, 0.04500000178813934},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const MaterialSet m = Derived(row.code, row.name, "C25/30 ");
    EXPECT_EQ(m.fyd, row.fyd);
    EXPECT_EQ(m.eps_ud, row.eps_ud);
    EXPECT_EQ(m.Es, 200000.0);
  }
}

}  // namespace
}  // namespace quilex::driver
