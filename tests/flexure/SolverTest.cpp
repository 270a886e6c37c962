#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "flexure/QuilexCircSLU.hpp"
#include "flexure/QuilexRettSLU.hpp"
#include "flexure/QuilexTSLU.hpp"

namespace quilex::flexure {
namespace {

const MaterialSet kMat{391.3, 200000, 0.0675, 14.17, 30000, 0.002, 0.0035, 0.5};
const RectSection kRect{300, 500, 50, {603, 1257}};
const TSection kT{300, 450, 800, 150, 50, {603, 1257}};
const CircSection kCirc{400, 40, 8, 16};
const std::string kHeader = "Iter    Scar            Mrd\r\n";

struct Call {
  double value;
  std::string log;
  std::vector<std::string> records;  // the log's records without their line ends
};

template <class Section>
Call Solve(const Section& s, double Ned, int mode, double tol = 0.001, int maxit = 1000,
           int n = 100) {
  textio::OutputUnit log(20);
  double value = 0;
  if constexpr (std::is_same_v<Section, RectSection>)
    value = RectSolver(log, n, s, kMat, Ned, mode, tol, maxit);
  else if constexpr (std::is_same_v<Section, TSection>)
    value = TSolver(log, n, s, kMat, Ned, mode, tol, maxit);
  else
    value = CircSolver(log, n, s, kMat, Ned, mode, tol, maxit);
  Call call{value, log.text(), {}};
  for (std::size_t b = 0, e; (e = call.log.find("\r\n", b)) != std::string::npos; b = e + 2)
    call.records.push_back(call.log.substr(b, e - b));
  return call;
}

// A search that wrote `first` at its first step and converged at step `steps`.
void ExpectSearch(const Call& run, std::size_t steps, const char* first = nullptr) {
  ASSERT_EQ(run.records.size(), steps + 1);
  if (first) {
    EXPECT_EQ(run.records[1], first);
  }
  EXPECT_EQ(std::stoul(run.records[steps].substr(0, 4)), steps);
  EXPECT_LE(std::stod(run.records[steps].substr(5, 15)), 0.001);
}

void ExpectOutOfRange(const Call& run, const std::string& nc_line, const std::string& ns_line) {
  EXPECT_EQ(run.value, 0);
  EXPECT_EQ(run.log, kHeader + " maximum tension or compression strenght\r\n" + nc_line + "\r\n" +
                         ns_line + "\r\n");
}

TEST(RectSolverTest, BoundaryStatesWriteNothing) {
  const std::pair<int, double> boundary[] = {
      {10, 727818}, {11, 51182040}, {20, -2853318}, {21, -51182040}};
  for (const auto& [mode, value] : boundary) {
    const Call run = Solve(kRect, 0, mode);
    EXPECT_NEAR(run.value, value, 0.5) << mode;
    EXPECT_EQ(run.log, "") << mode;
  }
}

TEST(RectSolverTest, BendingWithoutAxialForce) {
  const Call m50 = Solve(kRect, 0, 50);
  EXPECT_NEAR(m50.value, 2.00705e8, 500);
  ExpectSearch(m50, 31, "   1    0.423978E+06    0.116657E+09");
  EXPECT_EQ(Solve(kRect, 0, 30).log, m50.log);
  EXPECT_NEAR(Solve(kRect, 0, 51).value, 89.09, 0.005);
  EXPECT_NEAR(Solve(kRect, 0, 52).value, 3.7899, 5e-5);
  EXPECT_NEAR(Solve(kRect, 0, 53).value, 0.01418, 5e-6);
  EXPECT_NEAR(Solve(kRect, 0, 60).value, -9.9480e7, 500);
}

TEST(RectSolverTest, AxialForceInsideAndOutsideTheCapacity) {
  EXPECT_NEAR(Solve(kRect, -500000, 50).value, 2.6547e8, 5e3);
  ExpectOutOfRange(Solve(kRect, -3000000, 50), "Ned =  -3000.00  Nc_rd =  -2853.32",
                   "Ned =  -3000.00  Ns_rd =    727.82");
  EXPECT_EQ(Solve(kRect, -3000000, 51).value, -999999999.99);
  for (int bound : {20, 10}) {
    const double Ned = Solve(kRect, 0, bound).value;
    const Call at_bound = Solve(kRect, Ned, 50);
    EXPECT_EQ(at_bound.value, 0) << bound;
    ASSERT_EQ(at_bound.records.size(), 4u) << bound;
    EXPECT_EQ(at_bound.records[1], " maximum tension or compression strenght");
    EXPECT_EQ(Solve(kRect, Ned, 52).value, kFailedQuantity) << bound;
  }
}

TEST(RectSolverTest, UnreinforcedSection) {
  const RectSection plain{300, 500, 50, {0, 0}};
  const Call m30 = Solve(plain, 0, 30);
  EXPECT_EQ(m30.value, 0);
  ExpectSearch(m30, 3);
  EXPECT_NEAR(Solve(plain, 0, 31).value, -270, 1e-9);
  EXPECT_EQ(Solve(plain, 0, 32).value, 1.625);
  ExpectOutOfRange(Solve(plain, 0, 50), "Ned =      0.00  Nc_rd =  -2125.50",
                   "Ned =      0.00  Ns_rd =      0.00");
}

TEST(TSolverTest, CentroidAndBoundaryStatesEqualWidthsActAsTheRectangle) {
  EXPECT_NEAR(TCentroidDepth(kT), 233.8235, 5e-5);
  const Call m11 = Solve(kT, 0, 11), m21 = Solve(kT, 0, 21);
  EXPECT_NEAR(Solve(kT, 0, 10).value, 727818, 0.5);
  EXPECT_NEAR(Solve(kT, 0, 20).value, -4341168, 0.5);
  EXPECT_NEAR(m11.value, 1.121420e8, 50);
  EXPECT_NEAR(m21.value, -m11.value, 1e-3);
  EXPECT_EQ(m11.log + m21.log, "");
  const TSection block{300, 400, 300, 100, 50, {603, 1257}};
  EXPECT_NEAR(TCentroidDepth(block), 250, 1e-9);
  EXPECT_NEAR(Solve(block, 0, 50).value, 2.00712e8, 500);
}

TEST(TSolverTest, BendingWithoutAxialForce) {
  const Call m50 = Solve(kT, 0, 50);
  EXPECT_NEAR(m50.value, 2.59463e8, 500);
  ExpectSearch(m50, 32, "   1    0.402959E+04    0.258708E+09");
  EXPECT_NEAR(Solve(kT, 0, 51).value, 51.91, 0.005);
  EXPECT_NEAR(Solve(kT, 0, 52).value, 3.5025, 5e-5);
  EXPECT_NEAR(Solve(kT, 0, 53).value, 0.03358, 5e-6);
  EXPECT_NEAR(Solve(kT, 0, 60).value, -1.23075e8, 500);
}

TEST(TSolverTest, AxialForceInsideAndOutsideTheCapacity) {
  EXPECT_NEAR(Solve(kT, -500000, 50).value, 3.48623e8, 500);
  ExpectOutOfRange(Solve(kT, -5000000, 50), "Ned =  -5000.00  Nc_rd =  -4341.17",
                   "Ned =  -5000.00  Ns_rd =    727.82");
}

TEST(CircSolverTest, BoundaryStatesAndBars) {
  const Call m10 = Solve(kCirc, 0, 10), m20 = Solve(kCirc, 0, 20);
  EXPECT_NEAR(m10.value, 629404.27, 0.005);
  EXPECT_NEAR(m20.value, -2408174.86, 0.005);
  EXPECT_EQ(m10.log + m20.log, "");
  // A single strip has two zero chords: only the bars resist.
  EXPECT_NEAR(Solve(kCirc, 0, 20, 0.001, 1000, 1).value, -629404.27, 0.005);
  const double depths[] = {360, 360, 120, 120, 360, 200, 40, 200};
  const double* depth = depths;
  for (int n : {1, 3, 4})
    for (int k = 1; k <= n; ++k)
      EXPECT_NEAR(CircBarDepth({400, 40, n, 16}, k), *depth++, 1e-9) << n << " bars, bar " << k;
}

TEST(CircSolverTest, BendingWithoutAxialForceAndItsMirror) {
  const Call m50 = Solve(kCirc, 0, 50);
  EXPECT_NEAR(m50.value, 8.81777e7, 50);
  ExpectSearch(m50, 32, "   1    0.524067E+06    0.180527E+08");
  EXPECT_EQ(Solve(kCirc, 0, 30).log, m50.log);
  EXPECT_NEAR(Solve(kCirc, 0, 51).value, 103.07, 0.005);
  EXPECT_NEAR(Solve(kCirc, 0, 52).value, 3.8708, 5e-5);
  EXPECT_NEAR(Solve(kCirc, 0, 53).value, 0.008724, 5e-7);
  // Eight bars are symmetric about the horizontal diameter: the negative search repeats
  // the residuals and turns the moments over.
  const Call m60 = Solve(kCirc, 0, 60);
  EXPECT_NEAR(m60.value, -8.81777e7, 50);
  ASSERT_EQ(m60.records.size(), m50.records.size());
  for (std::size_t i = 1; i < m50.records.size(); ++i) {
    std::string mirrored = m50.records[i];
    mirrored.at(mirrored.find(" 0.", 20)) = '-';
    EXPECT_EQ(m60.records[i], mirrored) << i;
  }
}

TEST(CircSolverTest, AxialForceInsideAndOutsideTheCapacity) {
  const Call pressed = Solve(kCirc, -500000, 50);
  EXPECT_NEAR(pressed.value, 1.23183e8, 500);
  ExpectSearch(pressed, 35);
  ExpectOutOfRange(Solve(kCirc, -3000000, 50), "Ned =  -3000.00  Nc_rd =  -2408.17",
                   "Ned =  -3000.00  Ns_rd =    629.40");
  EXPECT_EQ(Solve(kCirc, -3000000, 51).value, -999999999.99);
}

TEST(SolverTest, StepLimitEndsTheSearch) {
  const std::string last = "\r\n maximum number of iterations\r\n";
  const Call tee = Solve(kT, 0, 30, 0, 1), circ = Solve(kCirc, 0, 50, 0, 1);
  EXPECT_EQ(tee.value, 0);
  EXPECT_EQ(circ.value, 0);
  EXPECT_EQ(tee.log, kHeader + "   1    0.402959E+04    0.258708E+09" + last);
  EXPECT_EQ(circ.log, kHeader + "   1    0.524067E+06    0.180527E+08" + last);
  EXPECT_EQ(Solve(kCirc, 0, 53, 0, 1).value, kFailedQuantity);
}

TEST(SolverModeTest, EachShapeOffersItsOwnCodes) {
  const SolverOffer rect{true, true}, tee{true, false}, circ{false, false};
  for (int mode : {9, 12, 22, 58, 39, 70})
    EXPECT_FALSE(DecodeSolverMode(mode, rect)) << mode;
  for (int mode : {37, 47, 57, 67})
    EXPECT_FALSE(DecodeSolverMode(mode, tee)) << mode;
  for (int mode : {11, 21, 37, 67})
    EXPECT_FALSE(DecodeSolverMode(mode, circ)) << mode;
  // A refused code is answered with the failure value, and nothing is written.
  for (const Call& run : {Solve(kRect, 0, 58), Solve(kT, 0, 57), Solve(kCirc, 0, 11)}) {
    EXPECT_EQ(run.value, kFailedQuantity);
    EXPECT_EQ(run.log, "");
  }
}

}  // namespace
}  // namespace quilex::flexure
