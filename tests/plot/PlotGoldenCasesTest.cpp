// Whole runs of the built quilex-plot. Each folder under tests/plot-cases is a run folder as
// quilex leaves it (inputs, risu-MN.txt, domplot.txt, maybe risu-combinations.csv and an
// earlier domplot.svg) with the expectations: expected-status, expected-stderr (without it
// the console stays silent) and expected-domplot.svg, compared byte for byte. Without an
// expected picture the folder's picture must stay as it was (or absent). Every expected
// picture must also pass the structural checks, so it is never taken on trust.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "plot/PictureChecks.hpp"

namespace quilex::plot::test {
namespace {

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(QUILEX_PLOT_CASES_DIR)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool IsExpectation(const std::string& name) {
  return name.rfind("expected-", 0) == 0;
}

class PlotGoldenCase : public testing::TestWithParam<std::string> {};

TEST_P(PlotGoldenCase, LeavesTheExpectedPicture) {
  const fs::path source = fs::path(QUILEX_PLOT_CASES_DIR) / GetParam();
  ScratchFolder work("golden-" + GetParam());
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (!IsExpectation(name)) fs::copy_file(entry.path(), work.path() / name);
  }
  const std::string command = "cd '" + work.path().string() + "' && '" + QUILEX_PLOT_BINARY +
                              "' > stdout.out 2> stderr.out";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(std::to_string(WEXITSTATUS(raw)) + "\n", ReadText(source / "expected-status"));
  EXPECT_EQ(ReadText(work.path() / "stdout.out"), "");
  const fs::path expected_stderr = source / "expected-stderr";
  EXPECT_EQ(ReadText(work.path() / "stderr.out"),
            fs::exists(expected_stderr) ? ReadText(expected_stderr) : "");

  const fs::path expected = source / "expected-domplot.svg";
  const fs::path produced = work.path() / "domplot.svg";
  if (!fs::exists(expected)) {
    if (fs::exists(source / "domplot.svg")) {
      EXPECT_EQ(ReadText(produced), ReadText(source / "domplot.svg")) << "the old picture changed";
    } else {
      EXPECT_FALSE(fs::exists(produced)) << "a picture was written";
    }
    return;
  }
  ASSERT_TRUE(fs::exists(produced));
  const std::string want = ReadText(expected);
  EXPECT_TRUE(want == ReadText(produced)) << "domplot.svg differs from expected-domplot.svg";
  XmlElement root;
  ASSERT_TRUE(IsSelfContainedSvg(want, root));
  PictureMap map;
  EXPECT_TRUE(BoundaryMapsValues(root, DomplotValues(source / "domplot.txt"), map));
}

INSTANTIATE_TEST_SUITE_P(Cases, PlotGoldenCase, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace quilex::plot::test
