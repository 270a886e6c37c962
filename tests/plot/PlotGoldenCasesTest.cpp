// Whole runs of the built quilex-plot. Each folder under tests/plot-cases is a run folder as
// quilex leaves it (inputs, risu-MN.txt, domplot.txt, maybe risu-combinations.csv and an
// earlier domplot.svg) with the expectations: expected-status, expected-stderr (without it
// the console stays silent) and expected-domplot.svg, compared byte for byte. Without an
// expected picture the folder's picture must stay as it was (or absent). Every expected
// picture must also pass the structural checks, so it is never taken on trust.
#include <gtest/gtest.h>

#include "plot/PictureChecks.hpp"
#include "support/Cases.hpp"
#include "support/Commands.hpp"

namespace quilex::plot::test {
namespace {

using testing_support::CaseNames;
using testing_support::CaseTestName;
using testing_support::CommandResult;
using testing_support::RunIn;
using testing_support::ShellQuoted;

class PlotGoldenCase : public testing::TestWithParam<std::string> {};

TEST_P(PlotGoldenCase, LeavesTheExpectedPicture) {
  const fs::path source = fs::path(QUILEX_PLOT_CASES_DIR) / GetParam();
  ScratchFolder work("plot-golden-" + GetParam());
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("expected-")) fs::copy_file(entry.path(), work.path() / name);
  }
  const CommandResult run = RunIn(work.path(), ShellQuoted(QUILEX_PLOT_BINARY));
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(std::to_string(run.status) + "\n", ReadFile(source / "expected-status"));
  EXPECT_EQ(run.out, "");
  const fs::path expected_stderr = source / "expected-stderr";
  EXPECT_EQ(run.err, fs::exists(expected_stderr) ? ReadFile(expected_stderr) : "");

  const fs::path expected = source / "expected-domplot.svg";
  const fs::path produced = work.path() / "domplot.svg";
  if (!fs::exists(expected)) {
    if (fs::exists(source / "domplot.svg")) {
      EXPECT_EQ(ReadFile(produced), ReadFile(source / "domplot.svg")) << "the old picture changed";
    } else {
      EXPECT_FALSE(fs::exists(produced)) << "a picture was written";
    }
    return;
  }
  ASSERT_TRUE(fs::exists(produced));
  const std::string want = ReadFile(expected);
  EXPECT_TRUE(want == ReadFile(produced)) << "domplot.svg differs from expected-domplot.svg";
  XmlElement root;
  ASSERT_TRUE(IsSelfContainedSvg(want, root));
  PictureMap map;
  EXPECT_TRUE(BoundaryMapsValues(root, DomplotValues(source / "domplot.txt"), map));
}

INSTANTIATE_TEST_SUITE_P(Cases, PlotGoldenCase, testing::ValuesIn(CaseNames(QUILEX_PLOT_CASES_DIR)),
                         CaseTestName());

}  // namespace
}  // namespace quilex::plot::test
