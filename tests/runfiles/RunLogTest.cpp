// The step records of risu.txt: a search that stalls repeats its residual and moment, whose
// fields are then formatted once; the records must stay those of the step format.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "runfiles/RunLog.hpp"
#include "textio/NumberedFiles.hpp"
#include "textio/RecordFormat.hpp"

namespace quilex::runfiles {
namespace {

TEST(RunLog, RepeatedStepsAreRecordsOfTheStepFormat) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  struct Step {
    double residual, moment;
  };
  // Repeats, and values whose fields differ only in what the bits say: the signs of zero,
  // a NaN, a subnormal, a moment too large for its field.
  const Step steps[] = {{0.5, 1e8},  {0.5, 1e8},   {0.5, -1e8},  {0.0, 0.0},  {-0.0, 0.0},
                        {-0.0, 0.0}, {kNaN, kNaN}, {kNaN, kNaN}, {4e-320, 1}, {4e-320, 1},
                        {1, 1e300},  {1, 1e300},   {0.5, 1e8}};
  textio::OutputFile plain(20), held(20);
  RisuLog log(plain);
  VerificationLog verification_log(held);
  std::string expected;
  int iteration = 0;
  for (const Step& step : steps) {
    ++iteration;
    log.SearchStep(iteration, step.residual, step.moment);
    verification_log.SearchStep(iteration, step.residual, step.moment);
    expected +=
        textio::Formatted("(i4,1x,e15.6,1x,e15.6)", {iteration, step.residual, step.moment});
  }
  EXPECT_EQ(plain.text(), expected);
  verification_log.Finish();
  EXPECT_EQ(held.text(), expected + expected + expected + expected);
}

}  // namespace
}  // namespace quilex::runfiles
