#include "combos/ActionsTable.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "runfiles/Csv.hpp"
#include "textio/FreeFormRead.hpp"

namespace quilex::combos {
namespace {

using runfiles::CsvField;
using runfiles::CsvReader;
using runfiles::Lowercase;

// Where a problem lies, for the messages.
class Place {
 public:
  explicit Place(const std::string& file) : file_(file) {}

  [[noreturn]] void Fail(const std::string& what) const { throw TableError(file_ + ": " + what); }
  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw TableError(file_ + ", line " + std::to_string(line) + ": " + what);
  }
  [[noreturn]] void Fail(int line, std::size_t column, std::string_view column_name,
                         const std::string& what) const {
    std::string where =
        file_ + ", line " + std::to_string(line) + ", column " + std::to_string(column + 1);
    if (!column_name.empty()) where += " (" + std::string(column_name) + ")";
    throw TableError(where + ": " + what);
  }

 private:
  const std::string& file_;
};

// A required column of the table: its header name (lower case), and by how many places the
// decimal point of a value in kN or kN·m moves to give N or N·mm.
struct Column {
  std::string_view name;
  int kilo_shift;
};

constexpr std::array<Column, 3> kUniaxialColumns{{{"ned", 3}, {"med", 6}, {"ved", 3}}};
constexpr std::array<Column, 5> kBiaxialColumns{
    {{"ned", 3}, {"mx", 6}, {"my", 6}, {"vx", 3}, {"vy", 3}}};

std::string ListOfNames(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (k > 0) list += k + 1 == names.size() ? " and " : ", ";
    list += names[k];
  }
  return list;
}

// The written number with its decimal point moved `places` to the right: the same digits
// times 10^places, exactly.
std::string MovePointRight(std::string_view number, int places) {
  const std::size_t exponent_at = number.find_first_of("eEdD");
  const std::string_view exponent =
      exponent_at == std::string_view::npos ? std::string_view() : number.substr(exponent_at);
  std::string_view mantissa = number.substr(0, exponent_at);
  std::string moved;
  if (!mantissa.empty() && (mantissa[0] == '+' || mantissa[0] == '-')) {
    moved += mantissa[0];
    mantissa.remove_prefix(1);
  }
  const std::size_t point = mantissa.find('.');
  moved += mantissa.substr(0, point);
  std::string fraction(point == std::string_view::npos ? std::string_view()
                                                       : mantissa.substr(point + 1));
  const std::size_t shift = static_cast<std::size_t>(places);
  if (fraction.size() < shift) fraction.resize(shift, '0');
  moved += fraction.substr(0, shift);
  if (fraction.size() > shift) {
    moved += '.';
    moved.append(fraction, shift);
  }
  moved += exponent;
  return moved;
}

struct HeaderColumns {
  std::vector<std::string> titles;        // as written, for the messages
  std::vector<std::size_t> value_column;  // of each required column
  std::optional<std::size_t> name_column;
};

template <std::size_t N>
HeaderColumns MatchHeader(const std::vector<CsvField>& header, const std::array<Column, N>& wanted,
                          const char* needs, const Place& place) {
  HeaderColumns columns;
  std::array<std::optional<std::size_t>, N> found{};
  std::optional<std::size_t> name, combination;
  for (std::size_t k = 0; k < header.size(); ++k) {
    columns.titles.push_back(header[k].Text());
    const std::string title = Lowercase(columns.titles.back());
    std::optional<std::size_t>* slot = nullptr;
    for (std::size_t w = 0; w < N; ++w) {
      if (title == wanted[w].name) slot = &found[w];
    }
    if (title == "name") slot = &name;
    if (title == "combination") slot = &combination;
    if (slot == nullptr) continue;
    if (*slot) {
      place.Fail(header[k].line, k, columns.titles[k],
                 "the column appears twice (first as column " + std::to_string(**slot + 1) + ")");
    }
    *slot = k;
  }
  std::vector<std::string> missing;
  for (std::size_t w = 0; w < N; ++w) {
    if (!found[w]) {
      std::string title(wanted[w].name);
      title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
      missing.push_back(title);
    } else {
      columns.value_column.push_back(*found[w]);
    }
  }
  if (!missing.empty()) {
    place.Fail(header.front().line,
               std::string(missing.size() == 1 ? "no column " : "no columns ") +
                   ListOfNames(missing) + " in the header (" + needs + ")");
  }
  columns.name_column = name ? name : combination;
  return columns;
}

class RowReader {
 public:
  RowReader(const HeaderColumns& columns, const Place& place, char separator, ActionUnits units)
      : columns_(columns),
        place_(place),
        decimal_comma_(separator == ';'),
        separator_(separator),
        kilo_(units == ActionUnits::KiloNewton) {}

  // Checks the number of fields of a row.
  void CheckWidth(const std::vector<CsvField>& fields) const {
    const std::size_t want = columns_.titles.size();
    if (fields.size() < want) {
      const std::size_t k = fields.size();
      place_.Fail(fields.back().line, k, columns_.titles[k],
                  "missing: the line has " + std::to_string(fields.size()) +
                      " fields, the header " + std::to_string(want));
    }
    if (fields.size() > want) {
      std::string what = "the line has " + std::to_string(fields.size()) + " fields, the header " +
                         std::to_string(want);
      if (separator_ == ',') what += " (a decimal comma needs the semicolon as separator)";
      place_.Fail(fields[want].line, want, {}, what);
    }
  }

  // The value of a required column in N or N·mm.
  double Value(const std::vector<CsvField>& fields, std::size_t column, int kilo_shift) const {
    const CsvField& field = fields[column];
    std::string written = field.Text();
    if (field.quoted) written = Trimmed(written);
    const auto fail = [&](const std::string& what) {
      place_.Fail(field.line, column, columns_.titles[column], what);
    };
    if (written.empty()) fail("no value");
    std::string number = written;
    if (decimal_comma_) {
      // A semicolon table comes from a spreadsheet whose decimal mark is the comma: there a
      // point before exactly three last digits is as likely a thousands separator.
      const std::size_t point = written.rfind('.');
      if (point != std::string::npos && written.size() - point == 4 &&
          written.find_first_not_of("0123456789", point + 1) == std::string::npos &&
          written.find(',') == std::string::npos) {
        fail("the point of \"" + written +
             "\" could be a decimal point or a thousands separator (" + written.substr(0, point) +
             " or " + written.substr(0, point) + written.substr(point + 1) +
             "): write it without the point, or with a decimal comma");
      }
      for (char& ch : number) {
        if (ch == ',') ch = '.';
      }
    }
    textio::RealValue value = textio::ParseReal(number);
    if (value.status == textio::RealValue::Status::Valid && kilo_) {
      value = textio::ParseReal(MovePointRight(number, kilo_shift));
    }
    if (value.status == textio::RealValue::Status::NotANumber) {
      fail("\"" + written + "\" is not a number");
    }
    if (value.status == textio::RealValue::Status::OutOfRange) {
      fail(written + " is out of range");
    }
    return value.value;
  }

 private:
  static std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
  }

  const HeaderColumns& columns_;
  const Place& place_;
  bool decimal_comma_;
  char separator_;
  bool kilo_;
};

template <std::size_t N, class Row>
void ReadRows(CsvReader& records, const std::vector<CsvField>& header,
              const std::array<Column, N>& wanted, const char* needs, const Place& place,
              ActionUnits units, std::vector<Row>& rows, std::vector<std::string>& names) {
  const HeaderColumns columns = MatchHeader(header, wanted, needs, place);
  const RowReader reader(columns, place, records.separator(), units);
  // At most a row per line end: no growth of the vectors for a table of a million rows.
  rows.reserve(records.LinesLeft());
  if (columns.name_column) names.reserve(records.LinesLeft());
  std::vector<CsvField> fields;
  while (records.Next(fields)) {
    reader.CheckWidth(fields);
    std::array<double, N> values{};
    for (std::size_t w = 0; w < N; ++w) {
      values[w] = reader.Value(fields, columns.value_column[w], wanted[w].kilo_shift);
    }
    if constexpr (N == 3) {
      rows.push_back({.Ned = values[0], .Med = values[1], .Ved = values[2]});
    } else {
      rows.push_back(
          {.Ned = values[0], .Mx = values[1], .My = values[2], .Vx = values[3], .Vy = values[4]});
    }
    if (columns.name_column) names.push_back(fields[*columns.name_column].Text());
  }
  if (rows.empty()) place.Fail(header.front().line, "no combinations after the header");
}

}  // namespace

std::string ActionsTable::Name(std::size_t row) const {
  if (row < names.size() && !names[row].empty()) return names[row];
  return std::to_string(row + 1);
}

ActionsTable ReadActionsTable(std::string_view content, const std::string& file, ActionKind kind,
                              ActionUnits units) {
  const Place place(file);
  try {
    CsvReader records(content);
    std::vector<CsvField> header;
    if (!records.ReadHeader(header)) place.Fail("the table is empty (no header line)");
    ActionsTable table;
    if (kind == ActionKind::Uniaxial) {
      ReadRows(records, header, kUniaxialColumns, "an R, T or C section needs Ned, Med and Ved",
               place, units, table.uniaxial, table.names);
    } else {
      ReadRows(records, header, kBiaxialColumns, "a D section needs Ned, Mx, My, Vx and Vy", place,
               units, table.biaxial, table.names);
    }
    return table;
  } catch (const runfiles::CsvError& error) {
    place.Fail(error.line(), error.column(), {}, error.what());
  }
}

}  // namespace quilex::combos
