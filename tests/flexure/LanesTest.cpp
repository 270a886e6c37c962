// The concrete law on lanes against the scalar law, lane by lane, on both processor paths:
// the same bits, and the same floating-point flags as the scalar law raises for the lanes'
// strains together.
#include "flexure/Lanes.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "textio/FloatingPointStatus.hpp"

namespace quilex::flexure {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Volatile, so that no evaluation moves across the reading of the flags.
volatile double g_in[4];
volatile double g_out[4];

struct Law {
  double fcd;
  double eps_c2;
};

// The strains that meet every branch and boundary of the law: both plateau sides of
// -eps_c2, the parabola, strains so small that the parabola gives -0.0, the signed zeros,
// subnormals, infinities and NaN.
std::vector<double> Strains(double eps_c2) {
  return {-kInf,
          -0.01,
          std::nextafter(-eps_c2, -kInf),
          -eps_c2,
          std::nextafter(-eps_c2, 0.0),
          -eps_c2 / 3,
          -1e-300,
          -4e-320,
          -0.0,
          0.0,
          4e-320,
          0.0035,
          kInf,
          std::numeric_limits<double>::quiet_NaN()};
}

struct Evaluated {
  std::uint64_t bits[4];
  unsigned flags;
};

Evaluated Scalar(const double* eps, int width, const Law& law) {
  Evaluated e{};
  textio::ClearFloatingPointFlags();
  for (int k = 0; k < width; ++k) {
    g_in[k] = eps[k];
    g_out[k] = ConcreteStress(g_in[k], law.fcd, law.eps_c2);
  }
  e.flags = textio::RaisedFloatingPointFlags();
  for (int k = 0; k < width; ++k)
    e.bits[k] = std::bit_cast<std::uint64_t>(static_cast<double>(g_out[k]));
  return e;
}

// Every combination of `width` strains of the list, on the lanes of `path` (by
// ConcreteStressLanes, or with `moderate` by ModerateConcreteLawLanes), against the scalar
// law.
void ExpectLanesMatchScalar(LanePath path, const Law& law, bool moderate = false) {
  const std::vector<double> strains = Strains(law.eps_c2);
  const std::size_t n = strains.size();
  const int failures = OnLanes(
      path, [&]<class Lanes>() __attribute__((always_inline)) {
        constexpr int W = Lanes::kWidth;
        int failed = 0;
        std::size_t combinations = 1;
        for (int k = 0; k < W; ++k)
          combinations *= n;
        for (std::size_t c = 0; c < combinations; ++c) {
          double eps[W];
          for (std::size_t k = 0, rest = c; k < W; ++k, rest /= n)
            eps[k] = strains[rest % n];
          const Evaluated expected = Scalar(eps, W, law);

          textio::ClearFloatingPointFlags();
          typename Lanes::V in;
          for (int k = 0; k < W; ++k) {
            g_in[k] = eps[k];
            in[k] = g_in[k];
          }
          const typename Lanes::V out =
              moderate ? ModerateConcreteLawLanes<Lanes>(law.fcd, law.eps_c2)(in)
                       : ConcreteStressLanes<Lanes>(in, law.fcd, law.eps_c2);
          for (int k = 0; k < W; ++k)
            g_out[k] = out[k];
          const unsigned flags = textio::RaisedFloatingPointFlags();

          bool same = flags == expected.flags;
          for (int k = 0; k < W; ++k)
            same = same &&
                   std::bit_cast<std::uint64_t>(static_cast<double>(g_out[k])) == expected.bits[k];
          if (!same && ++failed <= 5) {
            ADD_FAILURE() << "lanes " << eps[0] << " " << eps[1] << " " << eps[W - 1] << ": flags "
                          << flags << " instead of " << expected.flags;
          }
        }
        return failed;
      });
  EXPECT_EQ(failures, 0);
}

class LanePathTest : public testing::TestWithParam<LanePath> {
 protected:
  void SetUp() override {
    if (GetParam() == LanePath::Avx2 && !Avx2Available()) GTEST_SKIP() << "no AVX2 here";
  }
};

TEST_P(LanePathTest, ConcreteLawGivesTheScalarBitsAndFlags) {
  ExpectLanesMatchScalar(GetParam(), {14.166667064030966, 0.002});
  // Subnormal parameters raise the denormal flag wherever the scalar law meets them.
  ExpectLanesMatchScalar(GetParam(), {1e-310, 0.002});
  ExpectLanesMatchScalar(GetParam(), {14.17, 3e-310});
}

// The law without branches, for parameters of moderate magnitude (from 2^-400 to below
// 2^400), including the extremes: the lanes outside the parabola's range, which it computes
// too, must add no flag and no bit, whatever their strain.
TEST_P(LanePathTest, ModerateLawGivesTheScalarBitsAndFlags) {
  const double smallest = std::ldexp(1.0, -400);
  const double largest = std::nextafter(std::ldexp(1.0, 400), 0.0);
  for (const Law& law : std::vector<Law>{{14.166667064030966, 0.002},
                                         {smallest, 0.002},
                                         {largest, 0.002},
                                         {14.17, smallest},
                                         {14.17, largest},
                                         {smallest, largest},
                                         {largest, smallest}}) {
    SCOPED_TRACE(testing::Message() << "fcd " << law.fcd << ", eps_c2 " << law.eps_c2);
    ExpectLanesMatchScalar(GetParam(), law, true);
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, LanePathTest, testing::Values(LanePath::Baseline, LanePath::Avx2),
                         [](const testing::TestParamInfo<LanePath>& info) {
                           return info.param == LanePath::Avx2 ? "Avx2" : "Baseline";
                         });

}  // namespace
}  // namespace quilex::flexure
