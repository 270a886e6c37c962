// Whole runs of the built quilex-plot. Each folder under tests/plot-cases is a run folder as
// quilex leaves it (inputs, risu-MN.txt, domplot.txt, maybe risu-combinations.csv and an
// earlier domplot.svg) with the expectations: expected-status, expected-stderr (without it
// the console stays silent) and expected-domplot.svg, compared byte for byte. Without an
// expected picture the folder's picture must stay as it was (or absent). Every expected
// picture must also pass the structural checks, so it is never taken on trust.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

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
  // A polygon section's picture: the chart of domplot.txt, the section beside it and a
  // chart below, each checked in its own group.
  const XmlElement* chart = FindById(root, "chart");
  const XmlElement* below = FindById(root, "chart-below-1");
  PictureMap map;
  EXPECT_TRUE(
      BoundaryMapsValues(chart ? *chart : root, DomplotValues(source / "domplot.txt"), map));
  EXPECT_TRUE(LabelsCoverNothing(chart ? *chart : root));
  if (below != nullptr) {
    EXPECT_TRUE(LabelsCoverNothing(*below, "below-1-"));
  }
}

#ifdef QUILEX_RSVG_CONVERT
// Through a real renderer: every text of the expected picture lies inside it, so that no
// title or legend line is cut at the edge (the estimate of text widths the label placement
// uses knows no font). The image is kept for a person to look at.
TEST_P(PlotGoldenCase, RendersWithNothingCutAtTheEdges) {
  const fs::path expected = fs::path(QUILEX_PLOT_CASES_DIR) / GetParam() / "expected-domplot.svg";
  if (!fs::exists(expected)) GTEST_SKIP() << "no picture in this case";
  const fs::path pictures = QUILEX_PICTURES_DIR;
  fs::create_directories(pictures);
  const std::string name = "plot-" + GetParam();
  const std::string svg = ShellQuoted(expected.string());
  const std::string rsvg = ShellQuoted(QUILEX_RSVG_CONVERT) + " --background-color=white ";
  const CommandResult run =
      RunIn(pictures, rsvg + svg + " -o " + name + ".png && " + rsvg + "-f pdf " + svg + " | " +
                          ShellQuoted(QUILEX_PDFTOPPM) + " -r 96 -singlefile - " + name);
  ASSERT_TRUE(run.exited && run.status == 0) << run.err;

  // pdftoppm's binary PPM: "P6", width, height, 255, one byte per channel.
  std::istringstream image(ReadFile(pictures / (name + ".ppm")));
  std::string magic;
  int width = 0, height = 0, top = 0;
  image >> magic >> width >> height >> top;
  image.get();
  ASSERT_EQ(magic, "P6");
  ASSERT_EQ(top, 255);
  const std::string pixels((std::istreambuf_iterator<char>(image)), {});
  ASSERT_EQ(pixels.size(), static_cast<std::size_t>(width) * height * 3);
  const auto white = [&](int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return pixels.compare(at, 3, "\xff\xff\xff") == 0;
  };
  constexpr int kMargin = 4;  // pixels along each edge that only a cut text would reach
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool edge = x < kMargin || x >= width - kMargin || y < kMargin || y >= height - kMargin;
      if (edge && !white(x, y)) FAIL() << name << ": drawn at the edge, pixel " << x << ", " << y;
    }
  }
}
#endif

INSTANTIATE_TEST_SUITE_P(Cases, PlotGoldenCase, testing::ValuesIn(CaseNames(QUILEX_PLOT_CASES_DIR)),
                         CaseTestName());

}  // namespace
}  // namespace quilex::plot::test
