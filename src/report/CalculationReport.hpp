// The calculation report of one quilex run: a self-contained HTML page (styles, the section
// drawing and the picture of the results inside it, nothing fetched) that prints to A4. It
// holds what a checking engineer reads: the section to scale, the materials with their
// derivation and the code they come from, the actions, the results block as risu-MN.txt
// prints it with units, each check written out with its numbers, the verdicts, the picture
// of quilex-plot, every row of risu-combinations.csv when it is there with the governing
// ones marked, the version of the program and of the method, the date, and the clauses of
// EN 1992-1-1 the method follows.
//
//   ReportOptions options{.project = "Bridge 4", .member = "Pier P2", .date = "2026-12-10"};
//   const std::string html = WriteReport(folder, options);  // throws plot::InputError
#pragma once

#include <filesystem>
#include <string>

namespace quilex::report {

struct ReportOptions {
  std::string project;  // none when empty
  std::string member;   // none when empty
  std::string date;     // as it is to be printed
  std::string version;  // of the program, as it is to be printed
};

// The report of the run in `folder`: the folder is read as quilex-plot reads it, so the
// files must be of one run of quilex. Throws plot::InputError naming the file at fault.
std::string WriteReport(const std::filesystem::path& folder, const ReportOptions& options);

}  // namespace quilex::report
