// Many different sections verified on several threads at once give the results of one
// thread, to the bit. The tsan preset runs this test under ThreadSanitizer.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "quilex/quilex.hpp"

namespace quilex {
namespace {

// The bits of every number a verification gives.
std::vector<double> Numbers(const Verification& v) {
  return {v.Mrd, v.rho_M.value_or(-1), v.epsilon.value_or(-1), static_cast<double>(v.campo),
          v.Vrd, v.rho_V.value_or(-1)};
}
std::vector<double> Numbers(const BiaxialVerification& v) {
  return {v.Mrd,
          v.Mrdx,
          v.Mrdy,
          v.rho_M.value_or(-1),
          v.MRx.value_or(-1),
          v.MRy.value_or(-1),
          v.Vrdx,
          v.Vrdy,
          v.rho_V.value_or(-1),
          v.alpha.value_or(-1)};
}

// Job k: a section of one of the four kinds, sized and loaded by k.
std::vector<double> Job(int k) {
  static const char* kCodes[] = {"IT", "DE", "DK", "UK"};
  const MaterialSet m = LookupMaterials(kCodes[k % 4], k % 4 == 0 ? "B450C" : "S500B",
                                        k % 3 == 0 ? "C25/30" : "C45/55");
  const double s = 1 + 0.01 * k;
  const double Ned = -20000.0 * (k % 17);
  switch (k % 4) {
    case 0:
      return Numbers(Verify(RectangularSection{300 * s, 500, 40, 600, 900 * s, {50, 2, 150}}, m,
                            {Ned, 1e8 * (k % 5 - 2), 5e4}));
    case 1:
      return Numbers(Verify(TSection{300, 450 * s, 800, 150, 50, 603, 1257, {50, 2, 150}}, m,
                            {Ned, -2e8, 1e5}));
    case 2:
      return Numbers(
          Verify(CircularSection{400 * s, 40, 6 + k % 5, 16, {50, 2, 150}}, m, {Ned, 8e7, 5e4}));
    default:
      return Numbers(Verify(
          RectangleWithBars{
              300,
              500 * s,
              {50, 2, 2, 200},
              {{-110, -210, 314}, {110, -210, 314}, {-110, 210, 314}, {110, 210, 314 * s}}},
          m, {Ned, 1e8, -5e7 * (k % 3), 3e4, 4e4}));
  }
}

TEST(Threads, ConcurrentVerificationsMatchOneThread) {
  constexpr int kJobs = 24;
  constexpr int kThreads = 4;
  std::vector<std::vector<double>> alone(kJobs);
  for (int k = 0; k < kJobs; ++k)
    alone[k] = Job(k);

  std::vector<std::vector<double>> together(kJobs);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &together] {
      for (int k = t; k < kJobs; k += kThreads)
        together[k] = Job(k);
    });
  }
  for (std::thread& thread : threads)
    thread.join();

  for (int k = 0; k < kJobs; ++k) {
    ASSERT_EQ(together[k].size(), alone[k].size());
    EXPECT_EQ(std::memcmp(together[k].data(), alone[k].data(), alone[k].size() * sizeof(double)), 0)
        << "job " << k;
  }
}

}  // namespace
}  // namespace quilex
