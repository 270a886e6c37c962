#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>

#include "flexure/QuilexCircSLU.hpp"
#include "flexure/QuilexRettSLU.hpp"
#include "flexure/QuilexTSLU.hpp"
#include "flexure/StrainModel.hpp"

namespace quilex::flexure {
namespace {

const MaterialSet kMat{391.3, 200000, 0.0675, 14.17, 30000, 0.002, 0.0035, 0.5};
const RectSection kRect{300, 500, 50, {603, 1257}};
const TSection kT{300, 450, 800, 150, 50, {603, 1257}};
const CircSection kCirc{400, 40, 8, 16};
constexpr double kEpsYd = 391.3 / 200000;
const std::string kHeader = "Iter    Scar            Mrd\r\n";

struct Call {
  double value;
  std::string log;
};

template <class Section>
Call Solve(const Section& s, double Ned, int mode, double tol = 0.001, int maxit = 1000,
           int n = 100) {
  textio::OutputUnit log(20);
  double value = 0;
  if constexpr (std::is_same_v<Section, RectSection>) {
    value = RectSolver(log, n, s, kMat, Ned, mode, tol, maxit);
  } else if constexpr (std::is_same_v<Section, TSection>) {
    value = TSolver(log, n, s, kMat, Ned, mode, tol, maxit);
  } else {
    value = CircSolver(log, n, s, kMat, Ned, mode, tol, maxit);
  }
  return {value, log.text()};
}

long Lines(const std::string& log) {
  return std::count(log.begin(), log.end(), '\n');
}

// Record `index` of a log (0 is the header), without its line end.
std::string Record(const std::string& log, long index) {
  std::size_t begin = 0;
  for (long i = 0; i < index; ++i)
    begin = log.find("\r\n", begin) + 2;
  return log.substr(begin, log.find("\r\n", begin) - begin);
}

// A log whose search ended converged at step `steps`.
void ExpectConvergedAt(const std::string& log, long steps) {
  ASSERT_EQ(Lines(log), steps + 1);
  const std::string last = Record(log, steps);
  EXPECT_EQ(std::stol(last.substr(0, 4)), steps);
  EXPECT_LE(std::stod(last.substr(5, 15)), 0.001);
}

std::string OutOfRange(const std::string& nc_line, const std::string& ns_line) {
  return kHeader + " maximum tension or compression strenght\r\n" + nc_line + "\r\n" + ns_line +
         "\r\n";
}

TEST(RectSolverTest, BoundaryStatesWriteNothing) {
  const int modes[] = {10, 11, 20, 21};
  const double expected[] = {727818, 51182040, -2853318, -51182040};
  for (int i = 0; i < 4; ++i) {
    const Call run = Solve(kRect, 0, modes[i]);
    EXPECT_NEAR(run.value, expected[i], 0.5) << modes[i];
    EXPECT_EQ(run.log, "") << modes[i];
  }
}

TEST(RectSolverTest, BendingWithoutAxialForce) {
  const Call m50 = Solve(kRect, 0, 50);
  EXPECT_NEAR(m50.value, 2.00705e8, 500);
  EXPECT_EQ(Record(m50.log, 1), "   1    0.423978E+06    0.116657E+09");
  ExpectConvergedAt(m50.log, 31);
  const Call m30 = Solve(kRect, 0, 30);
  EXPECT_EQ(m30.value, m50.value);
  EXPECT_EQ(m30.log, m50.log);

  EXPECT_NEAR(Solve(kRect, 0, 51).value, 89.09, 0.005);
  const double x = Solve(kRect, 0, 52).value, eps_s = Solve(kRect, 0, 53).value;
  EXPECT_NEAR(x, 3.7899, 5e-5);
  EXPECT_NEAR(eps_s, 0.01418, 5e-6);
  EXPECT_EQ(CampoNumber(x, 1, eps_s, kEpsYd), 3);
  EXPECT_EQ(Solve(kRect, 0, 54).value, kMat.fyd);
  EXPECT_NEAR(Solve(kRect, 0, 55).value, -kMat.eps_cu, 1e-15);
  EXPECT_EQ(Solve(kRect, 0, 56).value, -kMat.fcd);
  // The top face stays at -eps_cu in this field, so the curvature is the slope to the layer.
  EXPECT_NEAR(Solve(kRect, 0, 57).value, (eps_s + kMat.eps_cu) / 450, 1e-12);

  EXPECT_NEAR(Solve(kRect, 0, 60).value, -9.9480e7, 500);
  EXPECT_LT(Solve(kRect, 0, 67).value, 0);
}

TEST(RectSolverTest, AxialForceInsideAndOutsideTheCapacity) {
  EXPECT_NEAR(Solve(kRect, -500000, 50).value, 2.6547e8, 5e3);

  const Call beyond = Solve(kRect, -3000000, 50);
  EXPECT_EQ(beyond.value, 0);
  EXPECT_EQ(beyond.log,
            OutOfRange("Ned =  -3000.00  Nc_rd =  -2853.32", "Ned =  -3000.00  Ns_rd =    727.82"));
  EXPECT_EQ(Solve(kRect, -3000000, 51).value, -999999999.99);

  for (int bound : {20, 10}) {
    const double Ned = Solve(kRect, 0, bound).value;
    const Call at_bound = Solve(kRect, Ned, 50);
    EXPECT_EQ(at_bound.value, 0) << bound;
    EXPECT_EQ(Lines(at_bound.log), 4) << bound;
    EXPECT_EQ(Record(at_bound.log, 1), " maximum tension or compression strenght");
    EXPECT_EQ(Solve(kRect, Ned, 52).value, kFailedQuantity) << bound;
  }
}

TEST(RectSolverTest, UnreinforcedSection) {
  const RectSection plain{300, 500, 50, {0, 0}};
  const Call m30 = Solve(plain, 0, 30);
  EXPECT_EQ(m30.value, 0);
  ExpectConvergedAt(m30.log, 3);
  EXPECT_NEAR(Solve(plain, 0, 31).value, -270, 1e-9);
  EXPECT_EQ(Solve(plain, 0, 32).value, 1.625);
  const Call m50 = Solve(plain, 0, 50);
  EXPECT_EQ(m50.value, 0);
  EXPECT_EQ(m50.log,
            OutOfRange("Ned =      0.00  Nc_rd =  -2125.50", "Ned =      0.00  Ns_rd =      0.00"));
}

TEST(TSolverTest, CentroidAndBoundaryStates) {
  EXPECT_NEAR(TCentroidDepth(kT), 233.8235, 5e-5);
  const Call m11 = Solve(kT, 0, 11), m21 = Solve(kT, 0, 21);
  EXPECT_NEAR(Solve(kT, 0, 10).value, 727818, 0.5);
  EXPECT_NEAR(Solve(kT, 0, 20).value, -4341168, 0.5);
  EXPECT_NEAR(m11.value, 1.121420e8, 50);
  EXPECT_NEAR(m21.value, -m11.value, 1e-3);
  EXPECT_EQ(m11.log + m21.log, "");
}

TEST(TSolverTest, BendingWithoutAxialForce) {
  const Call m50 = Solve(kT, 0, 50);
  EXPECT_NEAR(m50.value, 2.59463e8, 500);
  EXPECT_EQ(Record(m50.log, 1), "   1    0.402959E+04    0.258708E+09");
  ExpectConvergedAt(m50.log, 32);
  const Call m30 = Solve(kT, 0, 30);
  EXPECT_EQ(m30.value, m50.value);
  EXPECT_EQ(m30.log, m50.log);

  const double depth = Solve(kT, 0, 51).value;
  EXPECT_NEAR(depth, 51.91, 0.005);
  EXPECT_LT(depth, kT.HsUp);
  const double x = Solve(kT, 0, 52).value, eps_s = Solve(kT, 0, 53).value;
  EXPECT_NEAR(x, 3.5025, 5e-5);
  EXPECT_NEAR(eps_s, 0.03358, 5e-6);
  EXPECT_EQ(CampoNumber(x, 1, eps_s, kEpsYd), 3);
  EXPECT_NEAR(Solve(kT, 0, 60).value, -1.23075e8, 500);
}

TEST(TSolverTest, AxialForceInsideAndOutsideTheCapacity) {
  EXPECT_NEAR(Solve(kT, -500000, 50).value, 3.48623e8, 500);
  const Call beyond = Solve(kT, -5000000, 50);
  EXPECT_EQ(beyond.value, 0);
  EXPECT_EQ(beyond.log,
            OutOfRange("Ned =  -5000.00  Nc_rd =  -4341.17", "Ned =  -5000.00  Ns_rd =    727.82"));
}

TEST(TSolverTest, EqualWidthsActAsTheRectangle) {
  const TSection block{300, 400, 300, 100, 50, {603, 1257}};
  EXPECT_NEAR(TCentroidDepth(block), 250, 1e-9);
  EXPECT_NEAR(Solve(block, 0, 50).value, 2.00712e8, 500);
}

TEST(TSolverTest, StepLimitEndsTheSearch) {
  const Call run = Solve(kT, 0, 30, 0, 1);
  EXPECT_EQ(run.value, 0);
  EXPECT_EQ(run.log,
            kHeader + "   1    0.402959E+04    0.258708E+09\r\n maximum number of iterations\r\n");
}

TEST(CircSolverTest, BoundaryStatesAndBars) {
  const Call m10 = Solve(kCirc, 0, 10), m20 = Solve(kCirc, 0, 20);
  EXPECT_NEAR(m10.value, 629404.27, 0.005);
  EXPECT_NEAR(m20.value, -2408174.86, 0.005);
  EXPECT_EQ(m10.log + m20.log, "");
  // A single strip has two zero chords: only the bars resist.
  EXPECT_NEAR(Solve(kCirc, 0, 20, 0.001, 1000, 1).value, -629404.27, 0.005);

  EXPECT_NEAR(CircBarDepth({400, 40, 1, 16}, 1), 360, 1e-9);
  const double three[] = {360, 120, 120}, four[] = {360, 200, 40, 200};
  for (int k = 1; k <= 3; ++k)
    EXPECT_NEAR(CircBarDepth({400, 40, 3, 16}, k), three[k - 1], 1e-9);
  for (int k = 1; k <= 4; ++k)
    EXPECT_NEAR(CircBarDepth({400, 40, 4, 16}, k), four[k - 1], 1e-9);
}

TEST(CircSolverTest, BendingWithoutAxialForceAndItsMirror) {
  const Call m50 = Solve(kCirc, 0, 50);
  EXPECT_NEAR(m50.value, 8.81777e7, 50);
  EXPECT_EQ(Record(m50.log, 1), "   1    0.524067E+06    0.180527E+08");
  ExpectConvergedAt(m50.log, 32);
  EXPECT_EQ(Solve(kCirc, 0, 30).log, m50.log);

  EXPECT_NEAR(Solve(kCirc, 0, 51).value, 103.07, 0.005);
  const double x = Solve(kCirc, 0, 52).value, eps_s = Solve(kCirc, 0, 53).value;
  EXPECT_NEAR(x, 3.8708, 5e-5);
  EXPECT_NEAR(eps_s, 0.008724, 5e-7);
  EXPECT_EQ(CampoNumber(x, 1, eps_s, kEpsYd), 3);

  // Eight bars are symmetric about the horizontal diameter: the negative search repeats
  // the residuals and turns the moments over.
  const Call m60 = Solve(kCirc, 0, 60);
  EXPECT_NEAR(m60.value, -8.81777e7, 50);
  EXPECT_NEAR(Solve(kCirc, 0, 61).value, 103.07, 0.005);   // from the bottom
  EXPECT_NEAR(Solve(kCirc, 0, 63).value, 0.008724, 5e-7);  // at the top layer
  ASSERT_EQ(Lines(m60.log), Lines(m50.log));
  for (long i = 1; i < Lines(m50.log); ++i) {
    std::string mirrored = Record(m50.log, i);
    mirrored.at(mirrored.find(" 0.", 20)) = '-';
    EXPECT_EQ(Record(m60.log, i), mirrored) << i;
  }
}

TEST(CircSolverTest, AxialForceInsideAndOutsideTheCapacity) {
  const Call pressed = Solve(kCirc, -500000, 50);
  EXPECT_NEAR(pressed.value, 1.23183e8, 500);
  ExpectConvergedAt(pressed.log, 35);
  const Call beyond = Solve(kCirc, -3000000, 50);
  EXPECT_EQ(beyond.value, 0);
  EXPECT_EQ(beyond.log,
            OutOfRange("Ned =  -3000.00  Nc_rd =  -2408.17", "Ned =  -3000.00  Ns_rd =    629.40"));
  EXPECT_EQ(Solve(kCirc, -3000000, 51).value, -999999999.99);
}

TEST(CircSolverTest, StepLimitEndsTheSearch) {
  const Call run = Solve(kCirc, 0, 50, 0, 1);
  EXPECT_EQ(run.value, 0);
  EXPECT_EQ(run.log,
            kHeader + "   1    0.524067E+06    0.180527E+08\r\n maximum number of iterations\r\n");
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
  const auto curvature = DecodeSolverMode(57, rect);
  ASSERT_TRUE(curvature);
  EXPECT_EQ(curvature->problem, Problem::AxialPositive);
  EXPECT_EQ(curvature->quantity, 7);
  EXPECT_EQ(DecodeSolverMode(21, tee).value().problem, Problem::PureCompression);
  EXPECT_EQ(DecodeSolverMode(46, circ).value().problem, Problem::BendingNegative);
  EXPECT_EQ(DecodeSolverMode(63, circ).value().quantity, 3);

  // A refused code is answered with the failure value, and nothing is written.
  for (const Call& run : {Solve(kRect, 0, 58), Solve(kT, 0, 57), Solve(kCirc, 0, 11)}) {
    EXPECT_EQ(run.value, kFailedQuantity);
    EXPECT_EQ(run.log, "");
  }
}

}  // namespace
}  // namespace quilex::flexure
