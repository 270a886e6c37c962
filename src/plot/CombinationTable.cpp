#include "plot/CombinationTable.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>

#include "plot/FileText.hpp"
#include "textio/WholeFile.hpp"

namespace quilex::plot {
namespace {

// Splits one line into fields: a field that starts with a double quote runs to the next
// quote that is not doubled; elsewhere quotes are ordinary characters.
std::vector<std::string> SplitFields(const std::filesystem::path& file, std::size_t line_number,
                                     std::string_view line) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  for (;;) {
    std::string field;
    if (at < line.size() && line[at] == '"') {
      const std::size_t opening = at;
      ++at;
      for (;;) {
        if (at >= line.size()) {
          FailAt(file, line_number,
                 "column " + std::to_string(fields.size() + 1) +
                     ": the quoted text that starts at character " + std::to_string(opening + 1) +
                     " does not end on its line");
        }
        if (line[at] == '"') {
          if (at + 1 < line.size() && line[at + 1] == '"') {
            field += '"';
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        field += line[at++];
      }
      if (at < line.size() && line[at] != ',') {
        FailAt(file, line_number,
               "column " + std::to_string(fields.size() + 1) +
                   ": text after the closing quote of a quoted field");
      }
    } else {
      const std::size_t end = std::min(line.find(',', at), line.size());
      field = line.substr(at, end - at);
      at = end;
    }
    fields.push_back(std::move(field));
    if (at >= line.size()) return fields;
    ++at;  // the comma
  }
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& ch : lower)
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return lower;
}

struct Columns {
  std::size_t name, ned, x, y, rho_M, verified;
};

std::size_t FindColumn(const std::filesystem::path& file, const std::vector<std::string>& header,
                       std::string_view wanted, bool moment_contour) {
  for (std::size_t k = 0; k < header.size(); ++k) {
    if (Lower(Trim(header[k])) == Lower(wanted)) return k;
  }
  const std::string table = moment_contour ? "type-D sections" : "R, T and C sections";
  FailAt(file, 1,
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
  std::vector<std::string> lines = SplitLines(*content);
  if (lines.empty()) Fail(file, "the file is empty (a table starts with its header line)");
  // A table saved again by a spreadsheet may start with a byte-order mark.
  if (lines[0].rfind("\xEF\xBB\xBF", 0) == 0) lines[0].erase(0, 3);

  const std::vector<std::string> header = SplitFields(file, 1, lines[0]);
  Columns columns{};
  columns.name = FindColumn(file, header, "name", moment_contour);
  columns.ned = FindColumn(file, header, "Ned_kN", moment_contour);
  columns.x = FindColumn(file, header, moment_contour ? "Mx_kNm" : "Med_kNm", moment_contour);
  columns.y = FindColumn(file, header, moment_contour ? "My_kNm" : "Med_kNm", moment_contour);
  columns.rho_M = FindColumn(file, header, "rho_M", moment_contour);
  columns.verified = FindColumn(file, header, "verified", moment_contour);

  std::vector<CombinationPoint> rows;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    const std::size_t line = k + 1;
    if (Trim(lines[k]).empty()) continue;
    const std::vector<std::string> fields = SplitFields(file, line, lines[k]);
    if (fields.size() != header.size()) {
      FailAt(file, line,
             std::to_string(fields.size()) + " fields, the header names " +
                 std::to_string(header.size()));
    }
    CombinationPoint row;
    row.name = fields[columns.name];
    const double ned = NumberField(file, line, header, fields, columns.ned);
    if (moment_contour) {
      row.at = {NumberField(file, line, header, fields, columns.x),
                NumberField(file, line, header, fields, columns.y)};
    } else {
      row.at = {-ned, NumberField(file, line, header, fields, columns.y)};
    }
    row.rho_M = NumberField(file, line, header, fields, columns.rho_M);
    const std::string verified = Lower(Trim(fields[columns.verified]));
    if (verified != "yes" && verified != "no") {
      FailAt(file, line,
             "column " + std::to_string(columns.verified + 1) + " (verified): '" +
                 fields[columns.verified] + "' is neither yes nor no");
    }
    row.verified = verified == "yes";
    rows.push_back(std::move(row));
  }
  return rows;
}

std::optional<std::size_t> GoverningCombination(const std::vector<CombinationPoint>& rows) {
  std::optional<std::size_t> governing;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (!governing || rows[k].rho_M > rows[*governing].rho_M) governing = k;
  }
  return governing;
}

}  // namespace quilex::plot
