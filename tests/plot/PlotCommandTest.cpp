// quilex-plot as a command: folders that cannot be drawn (a message naming the file and
// line, status 2, the old picture left alone), the options, and the combinations of
// risu-combinations.csv.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <sstream>

#include "plot/PictureChecks.hpp"
#include "plot/PlotCommand.hpp"
#include "quilex/version.hpp"
#include "support/Cases.hpp"

namespace quilex::plot::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    lines.push_back(line + "\n");
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line;
  return text;
}

// Rewrites one file of the folder line by line.
void EditLines(const fs::path& file, const std::function<void(std::vector<std::string>&)>& edit) {
  std::vector<std::string> lines = Lines(ReadFile(file));
  edit(lines);
  WriteFile(file, Joined(lines));
}

const char kSectionHeader[] =
    "name,Ned_kN,Med_kNm,Ved_kN,Mrd_kNm,rho_M,Vrd_kN,rho_V,epsilon,campo,verified,reason,bending,"
    "shear\r\n";

struct BadFolder {
  const char* name;
  const char* run;  // golden run the folder starts from
  std::function<void(const fs::path&)> spoil;
  std::vector<std::string> message;  // parts the message must hold
};

class BadInput : public testing::TestWithParam<BadFolder> {};

TEST_P(BadInput, NamesTheFileAndLineAndLeavesTheOldPicture) {
  const BadFolder& bad = GetParam();
  ScratchFolder folder(std::string("plot-bad-") + bad.name);
  CopyRun(bad.run, folder.path());
  WriteFile(folder.path() / "domplot.svg", "an earlier picture");
  bad.spoil(folder.path());

  const auto listing = [&] {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> before = listing();

  const Outcome outcome = RunCommand({folder.path().string()});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err.rfind("quilex-plot: " + folder.path().string() + "/", 0), 0u)
      << outcome.err;
  for (const std::string& part : bad.message)
    EXPECT_NE(outcome.err.find(part), std::string::npos) << "'" << part << "' in " << outcome.err;
  EXPECT_EQ(ReadFile(folder.path() / "domplot.svg"), "an earlier picture");
  // Nothing created: no temporary file left, no missing input made up empty.
  EXPECT_EQ(listing(), before);
}

const BadFolder kBadFolders[] = {
    {"point-missing",
     "ref-R",
     [](const fs::path& f) { EditLines(f / "domplot.txt", [](auto& lines) { lines.pop_back(); }); },
     {"domplot.txt:100: ", "ends after 100 points", "type-R section writes 101 points"}},
    {"point-extra",
     "ref-R",
     [](const fs::path& f) {
       EditLines(f / "domplot.txt", [](auto& lines) { lines.push_back(lines.front()); });
     },
     {"domplot.txt:102: ", "more points"}},
    {"points-endless",  // read no further than the line past the count
     "ref-R",
     [](const fs::path& f) {
       fs::remove(f / "domplot.txt");
       fs::create_symlink("/dev/zero", f / "domplot.txt");
     },
     {"domplot.txt:1: ", "goes on beyond what a run writes"}},
    {"line-endless",
     "ref-R",
     [](const fs::path& f) {
       EditLines(f / "domplot.txt",
                 [](auto& lines) { lines[50] = std::string(1 << 20, ' ') + lines[50]; });
     },
     {"domplot.txt:51: ", "goes on beyond what a run writes"}},
    {"point-edited",
     "ref-R",
     [](const fs::path& f) {
       EditLines(f / "domplot.txt", [](auto& lines) { lines[36] = " 1234.56 ********\r\n"; });
     },
     {"domplot.txt:37: ", "'1234.56 ********' where a run", "different runs"}},
    {"not-a-number",
     "ref-R",
     [](const fs::path& f) {
       EditLines(f / "domplot.txt", [](auto& lines) { lines[4] = "   12,5    10.00\r\n"; });
     },
     {"domplot.txt:5: ", "'12,5' is not a number"}},
    {"one-value",
     "ref-D",
     [](const fs::path& f) {
       EditLines(f / "domplot.txt", [](auto& lines) { lines[9] = "  110.77\r\n"; });
     },
     {"domplot.txt:10: ", "two values (Mx and My)"}},
    {"not-closed",
     "ref-R",
     [](const fs::path& f) {
       EditLines(f / "domplot.txt", [](auto& lines) { lines.back() = " 2739.66   -25.83\r\n"; });
     },
     {"domplot.txt:101: ", "not closed"}},
    {"domplot-of-another-run",  // the same section of other materials: a stopped run's file
     "ref-R",
     [](const fs::path& f) {
       fs::copy_file(fs::path(QUILEX_CASES_DIR) / "ref-R-negative/expected-domplot.txt",
                     f / "domplot.txt", fs::copy_options::overwrite_existing);
     },
     {"domplot.txt:1: ", "the files are of different runs", "run quilex again"}},
    {"domplot-empty",
     "ref-R",
     [](const fs::path& f) { WriteFile(f / "domplot.txt", ""); },
     {"domplot.txt: the file is empty"}},
    {"domplot-missing",
     "ref-R",
     [](const fs::path& f) { fs::remove(f / "domplot.txt"); },
     {"domplot.txt: cannot be read"}},
    {"run-stopped",
     "ref-R",
     [](const fs::path& f) {
       WriteFile(f / "risu-MN.txt", "ATTENTION --> concrete not present within the database!\r\n");
     },
     {"risu-MN.txt:1: ", "without results", "concrete not present"}},
    {"results-of-another-type",
     "ref-R",
     [](const fs::path& f) {
       fs::copy_file(fs::path(QUILEX_CASES_DIR) / "ref-D/expected-risu-MN.txt", f / "risu-MN.txt",
                     fs::copy_options::overwrite_existing);
     },
     {"risu-MN.txt:1: ", "type-D", "holds a type-R section"}},
    {"results-edited",  // not what the run of these inputs prints
     "ref-R",
     [](const fs::path& f) {
       EditLines(f / "risu-MN.txt", [](auto& lines) { lines[0] = "Mrd     = ********\r\n"; });
     },
     {"risu-MN.txt:1: ", "'Mrd     = ********' where a run", "writes 'Mrd     =   237.89'",
      "different runs"}},
    {"results-cut-short",
     "ref-D",
     [](const fs::path& f) { EditLines(f / "risu-MN.txt", [](auto& lines) { lines.resize(7); }); },
     {"risu-MN.txt:8: ", "Vrdy"}},
    {"contour-not-written",
     "ref-D",
     [](const fs::path& f) {
       // The run's last search did not converge: domplot.txt still holds an earlier contour.
       fs::copy_file(fs::path(QUILEX_CASES_DIR) / "d-sweep-unconverged/expected-risu-MN.txt",
                     f / "risu-MN.txt", fs::copy_options::overwrite_existing);
     },
     {"risu-MN.txt:13: ", "Mrd = 0", "wrote no moment contour"}},
    {"type-not-verified",
     "ref-R",
     [](const fs::path& f) { EditLines(f / "sezi.txt", [](auto& lines) { lines[0] = "r\n"; }); },
     {"sezi.txt:1: ", "section type 'r'"}},
    {"section-unreadable",
     "ref-R",
     [](const fs::path& f) {
       EditLines(f / "sezi.txt", [](auto& lines) { lines[1] = "300 5OO 40 50.27 2 150\n"; });
     },
     {"sezi.txt:2: ", "item 2 (H, a number): \"5OO\" is not a number"}},
    {"too-many-bars",
     "ref-D",
     [](const fs::path& f) { EditLines(f / "sezi.txt", [](auto& lines) { lines[2] = "201\n"; }); },
     {"sezi.txt:3: ", "201"}},
    {"actions-missing",
     "ref-R",
     [](const fs::path& f) { fs::remove(f / "slu-max.txt"); },
     {"slu-max.txt: cannot be read"}},
    {"table-without-ratio",
     "ref-R",
     [](const fs::path& f) {
       WriteFile(f / "risu-combinations.csv", "name,Ned_kN,Med_kNm,verified\r\nA,0,10,yes\r\n");
     },
     {"risu-combinations.csv:1: ", "no column 'rho_M'"}},
    {"table-bad-number",
     "ref-R",
     [](const fs::path& f) {
       WriteFile(f / "risu-combinations.csv",
                 std::string(kSectionHeader) +
                     "A,-500.00,150.00,100.00,237.89,0.63,108.58,0.92,0.39,3,yes,,yes,yes\r\n"
                     "B,-500.00,1.5.0,100.00,237.89,0.63,108.58,0.92,0.39,3,yes,,yes,yes\r\n");
     },
     {"risu-combinations.csv:3: ", "column 3 (Med_kNm)", "'1.5.0' is not a number"}},
    {"table-open-quote",
     "ref-R",
     [](const fs::path& f) {
       WriteFile(
           f / "risu-combinations.csv",
           std::string(kSectionHeader) +
               "\"A, then,-500.00,150.00,100.00,237.89,0.63,108.58,0.92,0.39,3,yes,,yes,yes\r\n");
     },
     {"risu-combinations.csv:2: ", "column 1: the quoted text is not closed"}},
    {"table-short-row",
     "ref-R",
     [](const fs::path& f) {
       WriteFile(f / "risu-combinations.csv",
                 std::string(kSectionHeader) + "A,-500.00,150.00,100.00\r\n");
     },
     {"risu-combinations.csv:2: ", "4 fields, the header names 14"}},
    {"table-verdict",
     "ref-R",
     [](const fs::path& f) {
       WriteFile(f / "risu-combinations.csv",
                 std::string(kSectionHeader) +
                     "A,-500.00,150.00,100.00,237.89,0.63,108.58,0.92,0.39,3,yes,,maybe,yes\r\n");
     },
     {"risu-combinations.csv:2: ", "(bending): 'maybe' is neither yes nor no"}},
    // A table of an earlier quilex-combos holds one verdict for both checks: a picture of it
    // would draw a failure in shear as one in bending.
    {"table-one-verdict",
     "ref-R",
     [](const fs::path& f) {
       WriteFile(f / "risu-combinations.csv",
                 "name,Ned_kN,Med_kNm,Ved_kN,Mrd_kNm,rho_M,Vrd_kN,rho_V,epsilon,campo,verified,"
                 "reason\r\nA,-500.00,150.00,100.00,237.89,0.63,108.58,1.92,0.39,3,no,shear ratio "
                 "above 1\r\n");
     },
     {"risu-combinations.csv:1: ", "no column 'bending'", "run quilex-combos again"}},
};

INSTANTIATE_TEST_SUITE_P(Folders, BadInput, testing::ValuesIn(kBadFolders), [](const auto& info) {
  return testing_support::TestNameOf(info.param.name);
});

TEST(Options, HelpAndVersionAnswerOnStandardOutput) {
  const Outcome help = RunCommand({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: quilex-plot [options] [FOLDER...]\n", 0), 0u);
  EXPECT_EQ(help.err, "");
  const Outcome version = RunCommand({"--version"});
  EXPECT_EQ(version.status, 0);
  // The project's version, the one the library and quilex carry.
  EXPECT_EQ(version.out, QUILEX_VERSION_LINES("quilex-plot"));
}

TEST(Options, WrongCommandLinesWriteNothing) {
  ScratchFolder one("plot-options-one"), two("plot-options-two");
  CopyRun("ref-R", one.path());
  CopyRun("ref-C", two.path());
  const fs::path target = one.path() / "picture.svg";
  const std::vector<std::vector<std::string>> wrong = {
      {"--output", target.string(), one.path().string(), two.path().string()},
      {"--colour", one.path().string()},
      {one.path().string(), "--output"},
      {"--output=", one.path().string()},
  };
  for (const std::vector<std::string>& arguments : wrong) {
    const Outcome outcome = RunCommand(arguments);
    EXPECT_EQ(outcome.status, 2) << arguments[0];
    EXPECT_NE(outcome.err.find("Try 'quilex-plot --help'"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(target));
  EXPECT_FALSE(fs::exists(one.path() / "domplot.svg"));
  EXPECT_FALSE(fs::exists(two.path() / "domplot.svg"));
}

TEST(Options, OutputGoesToTheNamedFileOrTheStandardOutput) {
  ScratchFolder folder("plot-output");
  CopyRun("ref-T", folder.path());
  ASSERT_EQ(RunCommand({folder.path().string()}).status, 0);
  const std::string picture = ReadFile(folder.path() / "domplot.svg");
  fs::remove(folder.path() / "domplot.svg");

  const fs::path target = folder.path() / "report-figure.svg";
  EXPECT_EQ(RunCommand({"--output=" + target.string(), folder.path().string()}).status, 0);
  EXPECT_EQ(ReadFile(target), picture);
  EXPECT_FALSE(fs::exists(folder.path() / "domplot.svg"));

  const Outcome piped = RunCommand({"--output", "-", folder.path().string()});
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.out, picture);
}

TEST(Options, APictureThatCannotBeWrittenIsReported) {
  ScratchFolder folder("plot-unwritable");
  CopyRun("ref-R", folder.path());
  // A folder where the picture should be refuses it, with the cause.
  fs::create_directories(folder / "domplot.svg");
  const Outcome refused = RunCommand({folder.path().string()});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, "quilex-plot: " + (folder / "domplot.svg").string() +
                             ": cannot be written (Is a directory)\n");
  // No folder for it at all.
  const fs::path nowhere = folder / "missing" / "picture.svg";
  const Outcome missing = RunCommand({"--output", nowhere.string(), folder.path().string()});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "quilex-plot: " + nowhere.string() + ": cannot be written\n");
  // Nothing left behind: the run's five files and the folder in the picture's place.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 6);
  EXPECT_TRUE(fs::is_empty(folder / "domplot.svg"));
}

TEST(Options, APictureOverAFileItIsDrawnFromIsRefused) {
  ScratchFolder folder("plot-over-input");
  CopyRun("ref-R", folder.path());
  const std::string domplot = ReadFile(folder / "domplot.txt");
  const std::string results = ReadFile(folder / "risu-MN.txt");
  const Outcome spelled =
      RunCommand({"--output", (folder / "." / "domplot.txt").string(), folder.path().string()});
  EXPECT_EQ(spelled.status, 2);
  EXPECT_NE(spelled.err.find("domplot.txt is " + (folder / "domplot.txt").string() +
                             ", which the picture is drawn from"),
            std::string::npos)
      << spelled.err;
  // The picture's own name, a link to an input.
  fs::remove_all(folder / "domplot.svg");
  fs::create_symlink("risu-MN.txt", folder / "domplot.svg");
  EXPECT_EQ(RunCommand({folder.path().string()}).status, 2);
  EXPECT_EQ(ReadFile(folder / "domplot.txt"), domplot);
  EXPECT_EQ(ReadFile(folder / "risu-MN.txt"), results);
  // A name that would drive the terminal is shown escaped.
  EXPECT_EQ(RunCommand({"run\x1b[2J"}).err, "quilex-plot: run\\x1b[2J: not a folder\n");
}

TEST(Options, EveryGoodFolderIsDrawnWhenAnotherFails) {
  ScratchFolder good("plot-several-good"), bad("plot-several-bad");
  CopyRun("ref-C", good.path());
  CopyRun("ref-C", bad.path());
  fs::remove(bad.path() / "domplot.txt");
  const fs::path missing = good.path() / "no-such-folder";
  const Outcome outcome = RunCommand({bad.path().string(), missing.string(), good.path().string()});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_TRUE(fs::exists(good.path() / "domplot.svg"));
  EXPECT_FALSE(fs::exists(bad.path() / "domplot.svg"));
  EXPECT_NE(outcome.err.find(missing.string() + ": not a folder"), std::string::npos);
  EXPECT_NE(outcome.err.find("domplot.txt: cannot be read"), std::string::npos);
}

// The markers of the combinations, in the table's order.
std::vector<const XmlElement*> Markers(const XmlElement& root) {
  std::vector<const XmlElement*> markers;
  for (const XmlElement* circle : FindAll(root, "circle")) {
    if (circle->has("class") && circle->attribute("class") == "combination") {
      markers.push_back(circle);
    }
  }
  return markers;
}

TEST(Combinations, FillTellsBendingASquareShearAndTheConsolesRuleGoverns) {
  ScratchFolder folder("plot-combinations");
  CopyRun("ref-R", folder.path());
  // A quoted name with a comma and quotes, one over two lines; a name with markup characters
  // and a byte that is not UTF-8; two equal largest ratios, of which the first would govern,
  // but a later row without a bending ratio (Mrd on the other side than Med) governs, as on
  // quilex-combos' console; a row failing in shear alone.
  WriteFile(
      folder.path() / "risu-combinations.csv",
      std::string(kSectionHeader) +
          "SLU 1,-500.00,150.00,100.00,237.89,0.63,108.58,0.92,0.39,3,yes,,yes,yes\r\n"
          "\"wind, \"\"W2\"\"\",-200.00,250.00,50.00,225.02,1.11,100.10,0.50,0.35,3,no,"
          "bending ratio above 1,no,yes\r\n"
          "\"G+Q\r\nwind\",1000.00,-100.00,20.00,-255.00,0.39,90.00,0.22,0.10,2,yes,,yes,yes\r\n"
          "<a & b>\xFF,-1500.00,-300.00,20.00,-270.27,1.11,90.00,0.22,0.60,4,no,bending ratio "
          "above 1,no,yes\r\n"
          "shear,-500.00,150.00,131.00,237.89,0.63,108.58,1.21,0.39,3,no,shear ratio above 1,"
          "yes,no\r\n"
          "other side,-2650.00,5.00,10.00,-7.68,-0.65,50.00,0.20,1.50,5,no,outside the M-N "
          "domain at this axial force,no,yes\r\n");
  const Outcome outcome = RunCommand({folder.path().string()});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  XmlElement root;
  ASSERT_TRUE(IsSelfContainedSvg(ReadFile(folder.path() / "domplot.svg"), root));
  PictureMap map;
  ASSERT_TRUE(BoundaryMapsValues(root, DomplotValues(folder.path() / "domplot.txt"), map));

  const std::vector<const XmlElement*> markers = Markers(root);
  ASSERT_EQ(markers.size(), 6u);
  const struct {
    double x, y;
    bool bending;
  } expected[] = {{500, 150, true},    {200, 250, false}, {-1000, -100, true},
                  {1500, -300, false}, {500, 150, true},  {2650, 5, false}};
  const std::string design_fill = FindById(root, "design-point")->attribute("fill");
  for (std::size_t k = 0; k < 6; ++k) {
    const auto [cx, cy] = CircleCentre(*markers[k]);
    EXPECT_NEAR(cx, map.x(expected[k].x), kCoordinateTolerance) << k;
    EXPECT_NEAR(cy, map.y(expected[k].y), kCoordinateTolerance) << k;
    // The design point is verified here: rows verified in bending share its colour.
    EXPECT_EQ(markers[k]->attribute("fill") == design_fill, expected[k].bending) << k;
  }
  // One square, around the row failing in shear, drawn under its marker.
  std::vector<const XmlElement*> squares;
  for (const XmlElement* rect : FindAll(root, "rect")) {
    if (rect->has("class") && rect->attribute("class") == "shear-failure") squares.push_back(rect);
  }
  ASSERT_EQ(squares.size(), 1u);
  EXPECT_NEAR(std::stod(squares[0]->attribute("x")) + std::stod(squares[0]->attribute("width")) / 2,
              map.x(500), kCoordinateTolerance);

  const auto [gx, gy] = CircleCentre(*FindById(root, "governing"));
  EXPECT_NEAR(gx, map.x(2650), kCoordinateTolerance);
  EXPECT_NEAR(gy, map.y(5), kCoordinateTolerance);
  EXPECT_EQ(FindById(root, "governing-label")->text, "other side (no bending ratio)");
  const std::string svg = ReadFile(folder.path() / "domplot.svg");
  for (const char* part : {"6 load combinations: 3 verified in bending (green), 3 not (red)",
                           "1 of them not verified in shear (a square marks a shear failure)",
                           "shear verified</text>", "c = 40 mm: section verified</text>"}) {
    EXPECT_NE(svg.find(part), std::string::npos) << part;
  }
  EXPECT_TRUE(LabelsCoverNothing(root));
}

TEST(Combinations, BiaxialRowsLieInsideTheDrawnContourExactlyWhenVerifiedAtTheirOwnNed) {
  ScratchFolder folder("plot-combinations-biaxial");
  CopyRun("ref-D", folder.path());
  // Rows at other axial forces than slu-max.txt's: 2 resists more than the drawn contour
  // shows at its moment, 3 less.
  WriteFile(folder.path() / "risu-combinations.csv",
            "name,Ned_kN,Mx_kNm,My_kNm,Vx_kN,Vy_kN,Mrd_kNm,Mrdx_kNm,Mrdy_kNm,rho_M,MRx_kNm,"
            "MRy_kNm,Vrdx_kN,Vrdy_kN,rho_V,epsilon,alpha,campo,verified,reason,bending,shear\r\n"
            "1,-500.00,100.00,50.00,30.00,40.00,144.39,129.15,64.57,0.77,198.04,110.77,46.03,"
            "81.44,0.82,0.49,-58.25,3,yes,,yes,yes\r\n"
            "2,-1500.00,180.00,0.00,0.00,0.00,240.00,240.00,0.00,0.75,240.00,150.00,46.03,"
            "81.44,0.00,0.45,0.00,3,yes,,yes,yes\r\n"
            "3,300.00,-60.00,-80.00,0.00,0.00,90.00,-54.00,-72.00,1.11,100.00,70.00,46.03,"
            "81.44,0.00,0.45,-60.00,3,no,bending ratio above 1,no,yes\r\n");
  const Outcome outcome = RunCommand({folder.path().string()});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  XmlElement root;
  ASSERT_TRUE(IsSelfContainedSvg(ReadFile(folder.path() / "domplot.svg"), root));
  const std::vector<std::pair<double, double>> contour = PolygonPoints(*FindById(root, "boundary"));
  PictureMap map;
  ASSERT_TRUE(BoundaryMapsValues(root, DomplotValues(folder.path() / "domplot.txt"), map));
  const std::vector<const XmlElement*> markers = Markers(root);
  ASSERT_EQ(markers.size(), 3u);
  const struct {
    double Mx, My;
    bool inside;
  } expected[] = {{100, 50, true}, {180, 0, true}, {-60, -80, false}};
  for (std::size_t k = 0; k < 3; ++k) {
    const auto [cx, cy] = CircleCentre(*markers[k]);
    EXPECT_EQ(InsidePolygon(contour, cx, cy), expected[k].inside) << k;
    // In the direction of its moment (the picture's y grows downwards).
    const double ox = map.x(0), oy = map.y(0);
    const double across =
        (cx - ox) * (map.y(expected[k].My) - oy) - (cy - oy) * (map.x(expected[k].Mx) - ox);
    EXPECT_NEAR(across / std::hypot(cx - ox, cy - oy), 0, kCoordinateTolerance) << k;
  }
  const auto [gx, gy] = CircleCentre(*FindById(root, "governing"));
  EXPECT_EQ(std::make_pair(gx, gy), CircleCentre(*markers[2]));
}

}  // namespace
}  // namespace quilex::plot::test
