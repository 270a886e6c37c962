// The search of the ultimate configuration on the three resultants: uniform states, the
// resisting moment and the state at resistance, the log of every step, and the refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flexure/CircularResultant.hpp"
#include "flexure/ConfigurationSearch.hpp"
#include "flexure/RectangularResultant.hpp"
#include "flexure/TSectionResultant.hpp"
#include "support/TextLog.hpp"

namespace quilex::flexure {
namespace {

const MaterialSet kMat{391.3, 200000, 0.0675, 14.17, 30000, 0.002, 0.0035, 0.5};
const RectangularSection kRect{300, 500, 50, 603, 1257, {}};
const TSection kT{300, 450, 800, 150, 50, 603, 1257, {}};
const CircularSection kCirc{400, 40, 8, 16, {}};
const std::string kHeader = "Iter    Scar            Mrd\r\n";

SectionForces Forces(const RectangularSection& s, double t, int n) {
  return RectangularForces(s, kMat, n, t);
}
SectionForces Forces(const TSection& s, double t, int n) {
  return TSectionForces(s, kMat, n, t);
}
SectionForces Forces(const CircularSection& s, double t, int n) {
  return CircularForces(s, kMat, n, t);
}
double Depth(const RectangularSection& s) {
  return s.H;
}
double Depth(const TSection& s) {
  return s.HiNf + s.HsUp;
}
double Depth(const CircularSection& s) {
  return s.D;
}

template <class Section>
UniformStates Uniform(const Section& s, int n = 100) {
  return UniformStatesOf([&](double t) { return Forces(s, t, n); });
}

struct Solve {
  ConfigurationSearch search;
  UltimateState state;
  std::string log;
  std::vector<std::string> records;  // the log's records without their line ends
};

template <class Section>
Solve Search(const Section& s, double Ned, CompressedFace face = CompressedFace::Top,
             double tol = 0.001, int maxit = 1000) {
  testing_support::TextLog log;
  const auto forces = [&](double t) { return Forces(s, t, 100); };
  Solve run;
  run.search =
      SearchConfiguration(forces, UniformStatesOf(forces), Ned, face, tol, maxit, log.sink());
  run.log = log.text();
  if (run.search.outcome == BendingOutcome::Resisted) {
    run.state = UltimateStateAt(Depth(s), s.c, run.search.t, face, kMat, 2, run.search.iterations);
  }
  for (std::size_t b = 0, e; (e = run.log.find("\r\n", b)) != std::string::npos; b = e + 2)
    run.records.push_back(run.log.substr(b, e - b));
  return run;
}

// A search that wrote `first` at its first step and converged at step `steps`.
void ExpectSearch(const Solve& run, std::size_t steps, const char* first = nullptr) {
  EXPECT_EQ(run.search.outcome, BendingOutcome::Resisted);
  ASSERT_EQ(run.records.size(), steps + 1);
  if (first) {
    EXPECT_EQ(run.records[1], first);
  }
  EXPECT_EQ(std::stoul(run.records[steps].substr(0, 4)), steps);
  EXPECT_LE(std::stod(run.records[steps].substr(5, 15)), 0.001);
}

void ExpectOutOfRange(const Solve& run, const std::string& nc_line, const std::string& ns_line) {
  EXPECT_EQ(run.search.outcome, BendingOutcome::AxialForceOutsideDomain);
  EXPECT_EQ(run.log, kHeader + " maximum tension or compression strenght\r\n" + nc_line + "\r\n" +
                         ns_line + "\r\n");
}

TEST(RectangularSearchTest, UniformStates) {
  const UniformStates u = Uniform(kRect);
  EXPECT_NEAR(u.tension.N, 727818, 0.5);
  EXPECT_NEAR(u.tension.M, 51182040, 0.5);
  EXPECT_NEAR(u.compression.N, -2853318, 0.5);
  EXPECT_NEAR(u.compression.M, -51182040, 0.5);
}

TEST(RectangularSearchTest, BendingWithoutAxialForce) {
  const Solve top = Search(kRect, 0);
  EXPECT_NEAR(top.search.M, 2.00705e8, 500);
  ExpectSearch(top, 31, "   1    0.423978E+06    0.116657E+09");
  EXPECT_NEAR(top.state.neutral_axis_depth, 89.09, 0.005);
  EXPECT_NEAR(top.state.t + 1, 3.7899, 5e-5);
  EXPECT_NEAR(top.state.tension_steel_strain, 0.01418, 5e-6);
  EXPECT_EQ(top.state.iterations, 31);
  // The compressed face at eps_cu (field 3), where the concrete gives fcd; the strain is
  // linear, so the curvature is the difference of the two strains over the 450 between.
  EXPECT_EQ(top.state.compressed_face_strain, -0.0035);
  EXPECT_EQ(top.state.compressed_face_stress, -14.17);
  EXPECT_EQ(top.state.tension_steel_stress, 391.3);
  EXPECT_NEAR(top.state.curvature,
              (top.state.tension_steel_strain - top.state.compressed_face_strain) / 450, 1e-15);
  EXPECT_NEAR(Search(kRect, 0, CompressedFace::Bottom).search.M, -9.9480e7, 500);
}

TEST(RectangularSearchTest, AxialForceInsideAndOutsideTheCapacity) {
  EXPECT_NEAR(Search(kRect, -500000).search.M, 2.6547e8, 5e3);
  ExpectOutOfRange(Search(kRect, -3000000), "Ned =  -3000.00  Nc_rd =  -2853.32",
                   "Ned =  -3000.00  Ns_rd =    727.82");
  const UniformStates u = Uniform(kRect);
  for (double bound : {u.compression.N, u.tension.N}) {
    const Solve at_bound = Search(kRect, bound);
    EXPECT_EQ(at_bound.search.outcome, BendingOutcome::AxialForceOutsideDomain) << bound;
    ASSERT_EQ(at_bound.records.size(), 4u) << bound;
    EXPECT_EQ(at_bound.records[1], " maximum tension or compression strenght");
  }
}

TEST(RectangularSearchTest, UnreinforcedSectionHasNoTensileCapacity) {
  const RectangularSection plain{300, 500, 50, 0, 0, {}};
  ExpectOutOfRange(Search(plain, 0), "Ned =      0.00  Nc_rd =  -2125.50",
                   "Ned =      0.00  Ns_rd =      0.00");
}

// Configuration 4 strains the top face to -eps_cu and the bottom face to 0. Over that
// depth the law of exponent n integrates to b h fcd (1 - eps_c2 / ((n + 1) eps_cu)), by
// hand: the plateau carries (eps_cu - eps_c2)/eps_cu of the depth, the parabola the rest
// at the mean n/(n + 1). The exponents: 2, and EN 1992-1-1's for C55/67, C70/85, C90/105.
TEST(RectangularSearchTest, StressBlockOfEachExponentIsTheClosedForm) {
  MaterialSet high = kMat;
  high.fcd = 39.67;
  high.eps_c2 = 0.002416;
  high.eps_cu = 0.002656;
  const RectangularSection plain{300, 500, 50, 0, 0, {}};
  const ConcreteStrips strips = RectangularStrips(plain, 4000);
  for (double n : {2.0, 1.75114625, 1.43744, 1.4}) {
    const double block = 300 * 500 * high.fcd * (1 - high.eps_c2 / ((n + 1) * high.eps_cu));
    EXPECT_NEAR(RectangularForces(plain, strips, high, n, 4.0).N, -block, 1e-6 * block) << n;
  }
}

TEST(TSectionSearchTest, CentroidAndUniformStatesEqualWidthsActAsTheRectangle) {
  EXPECT_NEAR(TCentroidDepth(kT), 233.8235, 5e-5);
  const UniformStates u = Uniform(kT);
  EXPECT_NEAR(u.tension.N, 727818, 0.5);
  EXPECT_NEAR(u.compression.N, -4341168, 0.5);
  EXPECT_NEAR(u.tension.M, 1.121420e8, 50);
  EXPECT_NEAR(u.compression.M, -u.tension.M, 1e-3);
  const TSection block{300, 400, 300, 100, 50, 603, 1257, {}};
  EXPECT_NEAR(TCentroidDepth(block), 250, 1e-9);
  EXPECT_NEAR(Search(block, 0).search.M, 2.00712e8, 500);
}

TEST(TSectionSearchTest, BendingWithoutAxialForce) {
  const Solve top = Search(kT, 0);
  EXPECT_NEAR(top.search.M, 2.59463e8, 500);
  ExpectSearch(top, 32, "   1    0.402959E+04    0.258708E+09");
  EXPECT_NEAR(top.state.neutral_axis_depth, 51.91, 0.005);
  EXPECT_NEAR(top.state.t + 1, 3.5025, 5e-5);
  EXPECT_NEAR(top.state.tension_steel_strain, 0.03358, 5e-6);
  EXPECT_NEAR(Search(kT, 0, CompressedFace::Bottom).search.M, -1.23075e8, 500);
}

TEST(TSectionSearchTest, AxialForceInsideAndOutsideTheCapacity) {
  EXPECT_NEAR(Search(kT, -500000).search.M, 3.48623e8, 500);
  ExpectOutOfRange(Search(kT, -5000000), "Ned =  -5000.00  Nc_rd =  -4341.17",
                   "Ned =  -5000.00  Ns_rd =    727.82");
}

TEST(CircularSearchTest, UniformStatesAndBars) {
  const UniformStates u = Uniform(kCirc);
  EXPECT_NEAR(u.tension.N, 629404.27, 0.005);
  EXPECT_NEAR(u.compression.N, -2408174.86, 0.005);
  // A single strip has two zero chords: only the bars resist.
  EXPECT_NEAR(Uniform(kCirc, 1).compression.N, -629404.27, 0.005);
  const double depths[] = {360, 360, 120, 120, 360, 200, 40, 200};
  const double* depth = depths;
  for (int n : {1, 3, 4})
    for (int k = 1; k <= n; ++k)
      EXPECT_NEAR(CircularBarDepth({400, 40, n, 16, {}}, k), *depth++, 1e-9)
          << n << " bars, bar " << k;
}

TEST(CircularSearchTest, BendingWithoutAxialForceAndItsMirror) {
  const Solve top = Search(kCirc, 0);
  EXPECT_NEAR(top.search.M, 8.81777e7, 50);
  ExpectSearch(top, 32, "   1    0.524067E+06    0.180527E+08");
  EXPECT_NEAR(top.state.neutral_axis_depth, 103.07, 0.005);
  EXPECT_NEAR(top.state.t + 1, 3.8708, 5e-5);
  EXPECT_NEAR(top.state.tension_steel_strain, 0.008724, 5e-7);
  // Eight bars are symmetric about the horizontal diameter: the negative search repeats
  // the residuals and turns the moments over.
  const Solve bottom = Search(kCirc, 0, CompressedFace::Bottom);
  EXPECT_NEAR(bottom.search.M, -8.81777e7, 50);
  ASSERT_EQ(bottom.records.size(), top.records.size());
  for (std::size_t i = 1; i < top.records.size(); ++i) {
    std::string mirrored = top.records[i];
    mirrored.at(mirrored.find(" 0.", 20)) = '-';
    EXPECT_EQ(bottom.records[i], mirrored) << i;
  }
}

TEST(CircularSearchTest, AxialForceInsideAndOutsideTheCapacity) {
  const Solve pressed = Search(kCirc, -500000);
  EXPECT_NEAR(pressed.search.M, 1.23183e8, 500);
  ExpectSearch(pressed, 35);
  ExpectOutOfRange(Search(kCirc, -3000000), "Ned =  -3000.00  Nc_rd =  -2408.17",
                   "Ned =  -3000.00  Ns_rd =    629.40");
}

// N(t) = 1000 (2.5 - t) meets Ned = 0 exactly at the first midpoint: a residual of exactly 0
// meets a tolerance of 0.
TEST(SearchTest, AResidualOfExactlyZeroMeetsAToleranceOfZero) {
  const auto forces = [](double t) { return SectionForces{1000 * (2.5 - t), 7}; };
  const ConfigurationSearch search = SearchConfiguration(forces, UniformStatesOf(forces), 0.0,
                                                         CompressedFace::Top, 0.0, 5, nullptr);
  EXPECT_EQ(search.outcome, BendingOutcome::Resisted);
  EXPECT_EQ(search.t, 2.5);
  EXPECT_EQ(search.iterations, 1);
}

// The searches of a domain branch share their first steps: each finds what it finds alone
// (the same t, moment and step count, the same log), while the configurations common to
// several are computed once.
TEST(SearchTest, SearchesSharingTheirFirstStepsFindWhatEachFindsAlone) {
  for (const CompressedFace face : {CompressedFace::Top, CompressedFace::Bottom}) {
    int evaluations = 0;
    const auto forces = [&](double t) {
      ++evaluations;
      return Forces(kRect, t, 100);
    };
    const UniformStates uniform = UniformStatesOf(forces);
    SharedFirstSteps shared;
    int alone_evaluations = 0;
    int shared_evaluations = 0;
    for (int k = 1; k < 50; ++k) {
      const double Ned =
          uniform.compression.N + k * (uniform.tension.N - uniform.compression.N) / 50;
      testing_support::TextLog alone_log, shared_log;
      evaluations = 0;
      const ConfigurationSearch alone =
          SearchConfiguration(forces, uniform, Ned, face, 0.001, 1000, alone_log.sink());
      alone_evaluations += evaluations;
      evaluations = 0;
      const ConfigurationSearch with_shared =
          SearchConfiguration(forces, uniform, Ned, face, 0.001, 1000, shared_log.sink(), &shared);
      shared_evaluations += evaluations;
      ASSERT_EQ(with_shared.outcome, alone.outcome) << k;
      EXPECT_EQ(with_shared.t, alone.t) << k;
      EXPECT_EQ(with_shared.M, alone.M) << k;
      EXPECT_EQ(with_shared.iterations, alone.iterations) << k;
      EXPECT_EQ(shared_log.text(), alone_log.text()) << k;
    }
    // 49 searches of about 30 steps; the first ten steps of all of them reach at most
    // 1 + 2 + ... + 512 configurations, and far fewer in practice.
    EXPECT_LT(shared_evaluations, alone_evaluations - 300);
  }
}

TEST(SearchTest, StepLimitEndsTheSearch) {
  const std::string last = "\r\n maximum number of iterations\r\n";
  const Solve tee = Search(kT, 0, CompressedFace::Top, 0, 1);
  const Solve circ = Search(kCirc, 0, CompressedFace::Top, 0, 1);
  EXPECT_EQ(tee.search.outcome, BendingOutcome::NotConverged);
  EXPECT_EQ(circ.search.outcome, BendingOutcome::NotConverged);
  EXPECT_EQ(tee.log, kHeader + "   1    0.402959E+04    0.258708E+09" + last);
  EXPECT_EQ(circ.log, kHeader + "   1    0.524067E+06    0.180527E+08" + last);
}

}  // namespace
}  // namespace quilex::flexure
