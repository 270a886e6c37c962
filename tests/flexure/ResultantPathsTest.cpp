// The R, T and C resultants on both processor paths against plain loops over the strips and
// bars (StrainAtDepth and the laws fibre by fibre, each chord and bar depth computed where it
// is used): the same bits of N and M, and the same floating-point flags, for random
// sections and configurations. The flags compared are those of making the strips and of
// one evaluation together: what the strips hold, every plain evaluation computes.
#include <gtest/gtest.h>
#include <numbers>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "flexure/CircularResultant.hpp"
#include "flexure/Lanes.hpp"
#include "flexure/RectangularResultant.hpp"
#include "flexure/StrainModel.hpp"
#include "flexure/TSectionResultant.hpp"
#include "textio/FloatingPointStatus.hpp"

namespace quilex::flexure {
namespace {

[[gnu::noinline]] SectionForces PlainRectangle(const RectangularSection& s, const MaterialSet& m,
                                               int n, double t) {
  const double b = s.B, h = s.H, c = s.c;
  const auto strain = [&](double y) {
    return StrainAtDepth(h, c, y, t, m.eps_ud, m.eps_cu, m.eps_c2);
  };
  double N_c = 0, M_c = 0;
  for (int i = 1; i <= n; ++i) {
    const double y_i = h * (i - 0.5) / n;
    const double F_i = ConcreteStress(strain(y_i), m.fcd, m.eps_c2) * b * h / n;
    N_c += F_i;
    M_c += F_i * (y_i - h / 2);
  }
  const double F_1 = SteelStress(strain(c), m.fyd, m.Es) * s.As_top;
  const double F_2 = SteelStress(strain(h - c), m.fyd, m.Es) * s.As_bottom;
  return {F_2 + N_c + F_1, F_2 * ((h - c) - h / 2) + (c - h / 2) * F_1 + M_c};
}

[[gnu::noinline]] SectionForces PlainTee(const TSection& s, const MaterialSet& m, int n, double t) {
  const double H = s.HiNf + s.HsUp, yG = TCentroidDepth(s), c = s.c;
  const auto strain = [&](double y) {
    return StrainAtDepth(H, c, y, t, m.eps_ud, m.eps_cu, m.eps_c2);
  };
  double N = 0, M = 0;
  for (int i = 1; i <= n; ++i) {
    const double y = (i - 0.5) * s.HsUp / n;
    const double F = ConcreteStress(strain(y), m.fcd, m.eps_c2) * s.BsUp * s.HsUp / n;
    N += F;
    M += F * (y - yG);
  }
  for (int i = 1; i <= n; ++i) {
    const double y = s.HsUp + (i - 0.5) * s.HiNf / n;
    const double F = ConcreteStress(strain(y), m.fcd, m.eps_c2) * s.BiNf * s.HiNf / n;
    N += F;
    M += F * (y - yG);
  }
  const double F_1 = SteelStress(strain(c), m.fyd, m.Es) * s.As_top;
  N += F_1;
  M += F_1 * (c - yG);
  const double F_2 = SteelStress(strain(H - c), m.fyd, m.Es) * s.As_bottom;
  N += F_2;
  M += F_2 * (H - c - yG);
  return {N, M};
}

[[gnu::noinline]] SectionForces PlainCircle(const CircularSection& s, const MaterialSet& m, int n,
                                            double t) {
  const double D = s.D, c = s.c;
  const auto strain = [&](double y) {
    return StrainAtDepth(D, c, y, t, m.eps_ud, m.eps_cu, m.eps_c2);
  };
  double N = 0, M = 0, w_prev = 0;
  for (int i = 1; i <= n; ++i) {
    const double y = (i - 0.5) * D / n;
    const double w = i == n ? 0.0 : D * std::sin(std::acos(1 - 2.0 * i / n));
    const double F = ConcreteStress(strain(y), m.fcd, m.eps_c2) * (w_prev + w) * D / (2 * n);
    N += F;
    M += F * (y - D / 2);
    w_prev = w;
  }
  for (int k = 1; k <= s.nF; ++k) {
    const double y = CircularBarDepth(s, k);
    const double F = SteelStress(strain(y), m.fyd, m.Es) * std::numbers::pi * (s.Df * s.Df) / 4;
    N += F;
    M += F * (y - D / 2);
  }
  return {N, M};
}

struct Outcome {
  std::uint64_t N, M;
  unsigned flags;
  bool operator==(const Outcome&) const = default;
};

template <class Forces>
Outcome Evaluate(Forces forces) {
  textio::ClearFloatingPointFlags();
  const SectionForces f = forces();
  const unsigned flags = textio::RaisedFloatingPointFlags();
  return {std::bit_cast<std::uint64_t>(f.N), std::bit_cast<std::uint64_t>(f.M), flags};
}

std::vector<LanePath> Paths() {
  if (Avx2Available()) return {LanePath::Baseline, LanePath::Avx2};
  return {LanePath::Baseline};
}

// Configurations across every interval of t and on its ends, and t from searches that
// halved it down to subnormal values.
std::vector<double> Configurations(std::mt19937_64& random) {
  std::vector<double> t = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2.5, 7.5, 5e-300, 3e-320};
  std::uniform_real_distribution<double> parameter(0, 10);
  for (int k = 0; k < 25; ++k)
    t.push_back(parameter(random));
  return t;
}

struct Case {
  MaterialSet m;
  int strips;
  double scale;
};

// Materials of the database, and others at the edges: rigid-plastic steel, eps_cu equal to
// eps_c2, a subnormal fcd, and strains so small that the laws underflow.
std::vector<Case> Cases(std::mt19937_64& random) {
  const MaterialSet base{391.30435, 200000, 0.0675, 14.166667, 31476, 0.002, 0.0035, 0.5};
  std::vector<MaterialSet> materials = {base, base, base, base};
  materials[1].Es = 0;
  materials[2].eps_cu = materials[2].eps_c2;
  materials[3].fcd = 1e-310;
  MaterialSet tiny = base;
  tiny.eps_ud = tiny.eps_cu = tiny.eps_c2 = 1e-300;
  materials.push_back(tiny);
  std::vector<Case> cases;
  std::uniform_int_distribution<int> strips(1, 150);
  for (const MaterialSet& m : materials) {
    for (double scale : {1.0, 1e-150, 1e150})
      cases.push_back({m, strips(random), scale});
  }
  return cases;
}

TEST(ResultantPathsTest, RectanglesGiveThePlainLoopsBitsAndFlags) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  for (const Case& k : Cases(random)) {
    const double L = k.scale;
    const RectangularSection s{
        (100 + 1000 * unit(random)) * L, (100 + 1400 * unit(random)) * L, 0,
        2000 * unit(random) * L * L,     3000 * unit(random) * L * L,     {}};
    RectangularSection section = s;
    section.c = 0.45 * unit(random) * s.H;
    for (double t : Configurations(random)) {
      const Outcome plain = Evaluate([&] { return PlainRectangle(section, k.m, k.strips, t); });
      for (LanePath path : Paths()) {
        EXPECT_EQ(Evaluate([&] {
                    return RectangularForces(section, RectangularStrips(section, k.strips), k.m, 2,
                                             t, path);
                  }),
                  plain)
            << "strips " << k.strips << ", t = " << t << ", scale " << L;
      }
    }
  }
}

TEST(ResultantPathsTest, TSectionsGiveThePlainLoopsBitsAndFlags) {
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> unit(0, 1);
  for (const Case& k : Cases(random)) {
    const double L = k.scale;
    TSection s{(100 + 500 * unit(random)) * L,
               (100 + 1000 * unit(random)) * L,
               (100 + 1500 * unit(random)) * L,
               (50 + 300 * unit(random)) * L,
               0,
               2000 * unit(random) * L * L,
               3000 * unit(random) * L * L,
               {}};
    s.c = 0.45 * unit(random) * (s.HiNf + s.HsUp);
    for (double t : Configurations(random)) {
      const Outcome plain = Evaluate([&] { return PlainTee(s, k.m, k.strips, t); });
      for (LanePath path : Paths()) {
        EXPECT_EQ(Evaluate([&] {
                    return TSectionForces(s, TSectionStripsOf(s, k.strips), k.m, 2, t, path);
                  }),
                  plain)
            << "strips " << k.strips << ", t = " << t << ", scale " << L;
      }
    }
  }
}

TEST(ResultantPathsTest, CirclesGiveThePlainLoopsBitsAndFlags) {
  std::mt19937_64 random(9);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<int> bars(0, 40);
  for (const Case& k : Cases(random)) {
    const double L = k.scale;
    CircularSection s{(200 + 1500 * unit(random)) * L, 0, bars(random), 30 * unit(random) * L, {}};
    s.c = 0.45 * unit(random) * s.D;
    for (double t : Configurations(random)) {
      const Outcome plain = Evaluate([&] { return PlainCircle(s, k.m, k.strips, t); });
      for (LanePath path : Paths()) {
        EXPECT_EQ(Evaluate([&] {
                    return CircularForces(s, CircularGeometryOf(s, k.strips), k.m, 2, t, path);
                  }),
                  plain)
            << "strips " << k.strips << ", bars " << s.nF << ", t = " << t << ", scale " << L;
      }
    }
  }
}

}  // namespace
}  // namespace quilex::flexure
