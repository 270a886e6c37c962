#include "plot/CombinationTable.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "plot/FileText.hpp"
#include "runfiles/Csv.hpp"
#include "runfiles/Governing.hpp"
#include "textio/WholeFile.hpp"

namespace quilex::plot {
namespace {

struct Columns {
  std::size_t name, ned, x, y, rho_M, verified, bending, shear;
};

// The printed stand-in of a ratio over a zero resistance.
constexpr double kNoRatio = 999.99;

std::size_t FindColumn(const std::filesystem::path& file, int header_line,
                       const std::vector<std::string>& header, std::string_view wanted,
                       bool moment_contour) {
  for (std::size_t k = 0; k < header.size(); ++k) {
    if (runfiles::Lowercase(Trim(header[k])) == runfiles::Lowercase(wanted)) return k;
  }
  const std::string table = moment_contour ? "type-D and P sections" : "R, T and C sections";
  FailAt(file, static_cast<std::size_t>(header_line),
         "no column '" + std::string(wanted) + "' in the header (a table of " + table +
             " has one; is the table of another section?)");
}

double NumberField(const std::filesystem::path& file, std::size_t line,
                   const std::vector<std::string>& header, const std::vector<std::string>& fields,
                   std::size_t column) {
  const std::string_view text = Trim(fields[column]);
  const std::optional<double> value = ParseNumber(text);
  if (!value) {
    FailAt(file, line,
           "column " + std::to_string(column + 1) + " (" + std::string(Trim(header[column])) +
               "): '" + std::string(text) + "' is not a number");
  }
  if (std::fabs(*value) > kLargestDrawable) {
    FailAt(file, line,
           "column " + std::to_string(column + 1) + " (" + std::string(Trim(header[column])) +
               "): " + std::string(text) + " is too large to draw");
  }
  return *value;
}

}  // namespace

std::vector<CombinationPoint> ReadCombinationTable(const std::filesystem::path& file,
                                                   bool moment_contour) {
  // As long as quilex-combos wrote it: a table of a million rows is some 100 MB.
  const std::optional<std::string> content = ReadWholeFile(file, textio::kNoBound);
  if (!content) Fail(file, "cannot be read");
  std::vector<CombinationPoint> rows;
  try {
    runfiles::CsvReader records(*content);
    std::vector<runfiles::CsvField> fields;
    if (!records.ReadHeader(fields)) {
      Fail(file, "the file is empty (a table starts with its header line)");
    }
    const int header_line = fields.front().line;
    std::vector<std::string> header;
    for (const runfiles::CsvField& field : fields)
      header.push_back(field.Text());
    Columns columns{};
    columns.name = FindColumn(file, header_line, header, "name", moment_contour);
    columns.ned = FindColumn(file, header_line, header, "Ned_kN", moment_contour);
    columns.x = FindColumn(file, header_line, header, moment_contour ? "Mx_kNm" : "Med_kNm",
                           moment_contour);
    columns.y = FindColumn(file, header_line, header, moment_contour ? "My_kNm" : "Med_kNm",
                           moment_contour);
    columns.rho_M = FindColumn(file, header_line, header, "rho_M", moment_contour);
    columns.verified = FindColumn(file, header_line, header, "verified", moment_contour);
    for (const auto& [column, column_name] :
         {std::pair{&columns.bending, "bending"}, std::pair{&columns.shear, "shear"}}) {
      const std::string name = column_name;  // a copy: a lambda cannot capture a binding (C++17)
      const auto at = std::find_if(header.begin(), header.end(), [&](const std::string& h) {
        return runfiles::Lowercase(Trim(h)) == name;
      });
      if (at == header.end()) {
        FailAt(file, static_cast<std::size_t>(header_line),
               "no column '" + name +
                   "' in the header: the table was written by an earlier quilex-combos, "
                   "which gave one verdict for bending and shear together; run quilex-combos "
                   "again");
      }
      *column = static_cast<std::size_t>(at - header.begin());
    }

    std::vector<std::string> texts;
    while (records.Next(fields)) {
      const auto line = static_cast<std::size_t>(fields.front().line);
      if (fields.size() != header.size()) {
        FailAt(file, line,
               std::to_string(fields.size()) + " fields, the header names " +
                   std::to_string(header.size()));
      }
      texts.clear();
      for (const runfiles::CsvField& field : fields)
        texts.push_back(field.Text());
      CombinationPoint row;
      row.name = texts[columns.name];
      const double ned = NumberField(file, line, header, texts, columns.ned);
      if (moment_contour) {
        row.at = {NumberField(file, line, header, texts, columns.x),
                  NumberField(file, line, header, texts, columns.y)};
      } else {
        row.at = {-ned, NumberField(file, line, header, texts, columns.y)};
      }
      row.Ned = ned;
      row.moment = row.at;
      row.rho_M = NumberField(file, line, header, texts, columns.rho_M);
      const auto yes_or_no = [&](std::size_t column, const char* what) {
        const std::string text = runfiles::Lowercase(Trim(texts[column]));
        if (text != "yes" && text != "no") {
          FailAt(file, line,
                 "column " + std::to_string(column + 1) + " (" + what + "): '" + texts[column] +
                     "' is neither yes nor no");
        }
        return text == "yes";
      };
      row.verified = yes_or_no(columns.verified, "verified");
      row.bending_verified = yes_or_no(columns.bending, "bending");
      row.shear_verified = yes_or_no(columns.shear, "shear");
      // A failed bending check whose ratio is within 1 (or the stand-in of none) failed for
      // another reason: it has no ratio to rank by.
      if (row.bending_verified || (row.rho_M >= 1 && row.rho_M != kNoRatio)) {
        row.ratio = row.rho_M;
      }
      rows.push_back(std::move(row));
    }
  } catch (const runfiles::CsvError& error) {
    FailAt(file, static_cast<std::size_t>(error.line()),
           "column " + std::to_string(error.column() + 1) + ": " + error.what());
  }
  return rows;
}

std::optional<std::size_t> GoverningCombination(const std::vector<CombinationPoint>& rows) {
  std::optional<std::size_t> governing;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (runfiles::Governs(rows[k].ratio, governing ? &rows[*governing].ratio : nullptr)) {
      governing = k;
    }
  }
  return governing;
}

}  // namespace quilex::plot
