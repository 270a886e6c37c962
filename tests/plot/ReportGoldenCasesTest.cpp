// Whole runs of the built quilex-report. Each folder under tests/report-cases is a run
// folder as quilex (and quilex-combos) left it, with `arguments` (one per line; the date and
// the version among them, so the bytes are stable), expected-report.html compared byte for
// byte and expected-pages, the pages it prints to. The numbers of the expected reports were
// checked by hand against docs/method.md (materials, the shear terms of the bundled example:
// z = 0.9 · 460 = 414 mm, σcp = -500 kN / 150 000 mm² = -3.33 N/mm², αcw = 1 + 3.33/14.17 =
// 1.235, VRd,s = 2 · 50.27 / 150 · 414 · 391.30 = 108.58 kN, VRd,max = 543.38 kN; the
// type-D terms of section 5 there).
#include <gtest/gtest.h>

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

class ReportGoldenCase : public testing::TestWithParam<std::string> {
 protected:
  fs::path source() const { return fs::path(QUILEX_REPORT_CASES_DIR) / GetParam(); }
  // The run folder without the expectations, and the command line of the case.
  std::string Prepare(const fs::path& work) const {
    std::string command = ShellQuoted(QUILEX_REPORT_BINARY);
    for (const fs::directory_entry& entry : fs::directory_iterator(source())) {
      const std::string name = entry.path().filename().string();
      if (name == "arguments" || name.starts_with("expected-")) continue;
      fs::copy_file(entry.path(), work / name);
    }
    std::istringstream arguments(ReadFile(source() / "arguments"));
    for (std::string line; std::getline(arguments, line);)
      (command += ' ') += ShellQuoted(line);
    return command;
  }
};

TEST_P(ReportGoldenCase, WritesTheExpectedSelfContainedReport) {
  ScratchFolder work("report-golden-" + GetParam());
  const CommandResult run = RunIn(work.path(), Prepare(work.path()));
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  const std::string report = ReadFile(work.path() / "report.html");
  EXPECT_TRUE(report == ReadFile(source() / "expected-report.html"))
      << "report.html differs from expected-report.html";
  // Nothing fetched: no script, style sheet, image or frame from elsewhere; the only URL is
  // the SVG namespace.
  for (const char* outside : {"<script", "<link", "<img", "<iframe", "src=", "url(", "@import"}) {
    EXPECT_EQ(report.find(outside), std::string::npos) << outside;
  }
  std::string rest = report;
  for (std::size_t at; (at = rest.find("http")) != std::string::npos;) {
    EXPECT_EQ(rest.compare(at, 26, "http://www.w3.org/2000/svg"), 0) << rest.substr(at, 40);
    rest.erase(0, at + 4);
  }
}

#if defined(QUILEX_CHROMIUM) && defined(QUILEX_PDFTOPPM)
// Through a real browser: printed to PDF by headless Chromium, on A4 with the expected
// number of pages, its text holding every value of the results block; the first page is
// kept as an image for a person to look at.
TEST_P(ReportGoldenCase, PrintsToA4WithEveryResult) {
  const fs::path pictures = QUILEX_PICTURES_DIR;
  fs::create_directories(pictures);
  const std::string name = "report-" + GetParam();
  ScratchFolder profile("report-browser-" + GetParam());
  const std::string html = (source() / "expected-report.html").string();
  const CommandResult run =
      RunIn(pictures,
            ShellQuoted(QUILEX_CHROMIUM) +
                " --headless --no-sandbox --disable-gpu --no-pdf-header-footer --user-data-dir=" +
                ShellQuoted(profile.path().string()) + " --print-to-pdf=" + name + ".pdf " +
                ShellQuoted("file://" + html) + " && " + ShellQuoted(QUILEX_PDFINFO) + " " + name +
                ".pdf > " + name + ".info && " + ShellQuoted(QUILEX_PDFTOTEXT) + " -layout " +
                name + ".pdf " + name + ".txt && " + ShellQuoted(QUILEX_PDFTOPPM) +
                " -f 1 -l 1 -r 100 -png -singlefile " + name + ".pdf " + name);
  ASSERT_TRUE(run.exited && run.status == 0) << run.err;

  const std::string info = ReadFile(pictures / (name + ".info"));
  std::string pages = ReadFile(source() / "expected-pages");
  pages.erase(pages.find_last_not_of("\n") + 1);
  // Appended: GCC 12 at -O3 takes "..." + a string for an overlapping copy (-Wrestrict).
  std::string pages_line = "Pages:           ";
  pages_line += pages;
  pages_line += '\n';
  EXPECT_NE(info.find(pages_line), std::string::npos) << info;
  EXPECT_NE(info.find("(A4)"), std::string::npos) << info;

  const std::string text = ReadFile(pictures / (name + ".txt"));
  // Numbered by the print style sheet, not by the browser's own header and footer.
  std::string last_page = "page ";
  ((last_page += pages) += " of ") += pages;
  EXPECT_NE(text.find(last_page), std::string::npos) << last_page;
  std::istringstream results(ReadFile(source() / "risu-MN.txt"));
  for (std::string line; std::getline(results, line);) {
    const std::size_t equals = line.find('=');
    if (line.starts_with("ATTENTION") || equals == std::string::npos) continue;
    std::string value = line.substr(equals + 1);
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of(" \r") + 1);
    const std::string label = line.substr(0, line.find(' '));
    // A row of the table of results: the label, then its value as printed.
    bool found = false;
    std::istringstream printed(text);
    for (std::string row; !found && std::getline(printed, row);) {
      row.erase(0, row.find_first_not_of(' '));
      if (!row.starts_with(label + " ")) continue;
      row.erase(0, label.size());
      row.erase(0, row.find_first_not_of(' '));
      found = row.starts_with(value + " ") || row == value;
    }
    EXPECT_TRUE(found) << label << " " << value;
  }
}
#endif

INSTANTIATE_TEST_SUITE_P(Cases, ReportGoldenCase,
                         testing::ValuesIn(CaseNames(QUILEX_REPORT_CASES_DIR)), CaseTestName());

}  // namespace
}  // namespace quilex::plot::test
