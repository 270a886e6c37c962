#include "combos/ActionsTable.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "textio/FreeFormRead.hpp"

namespace quilex::combos {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(char ch) {
  return ch == '\n' || ch == '\r';
}

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  for (char& ch : lower)
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return lower;
}

// One field of a record, as it stands in the table.
struct Field {
  std::string_view text;  // without the quotes and the surrounding blanks
  bool quoted = false;
  bool doubled_quotes = false;  // quoted text holding "" for a quote
  int line = 0;                 // where the field starts

  bool empty() const { return !quoted && text.empty(); }
  std::string Text() const {
    if (!doubled_quotes) return std::string(text);
    std::string value;
    for (std::size_t k = 0; k < text.size(); ++k) {
      value += text[k];
      if (text[k] == '"') ++k;
    }
    return value;
  }
};

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

// Splits the table into records of fields.
class RecordReader {
 public:
  RecordReader(std::string_view content, const Place& place) : text_(content), place_(place) {
    if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) pos_ = kByteOrderMark.size();
  }

  // Finds the header line, takes the separator from it and reads it. False for a table
  // without one.
  bool ReadHeader(std::vector<Field>& fields) {
    for (;;) {
      if (pos_ >= text_.size()) return false;
      // Before the separator is known, a line of blanks, commas and semicolons is blank.
      const bool comment = FirstNonBlankIsHash();
      std::size_t end = pos_;
      bool content = false;
      while (end < text_.size() && !IsLineEnd(text_[end])) {
        const char ch = text_[end];
        if (ch != ' ' && ch != '\t' && ch != ',' && ch != ';') content = true;
        ++end;
      }
      if (content && !comment) break;
      pos_ = end;
      SkipLineEnd();
    }
    separator_ = HeaderSeparator();
    ReadFields(fields);
    return true;
  }

  // The next record that is not blank or a comment. False at the end of the table.
  bool Next(std::vector<Field>& fields) {
    for (;;) {
      if (pos_ >= text_.size()) return false;
      if (FirstNonBlankIsHash()) {
        while (pos_ < text_.size() && !IsLineEnd(text_[pos_]))
          ++pos_;
        SkipLineEnd();
        continue;
      }
      ReadFields(fields);
      for (const Field& field : fields) {
        if (!field.empty()) return true;
      }
    }
  }

  char separator() const { return separator_; }

  // An upper bound of the records still to come (line ends are LF, CR LF or CR).
  std::size_t LinesLeft() const {
    const std::string_view rest = text_.substr(pos_);
    std::ptrdiff_t lines = std::count(rest.begin(), rest.end(), '\n');
    if (lines == 0) lines = std::count(rest.begin(), rest.end(), '\r');
    return static_cast<std::size_t>(lines) + 1;
  }

 private:
  bool FirstNonBlankIsHash() const {
    std::size_t first = pos_;
    while (first < text_.size() && (text_[first] == ' ' || text_[first] == '\t'))
      ++first;
    return first < text_.size() && text_[first] == '#';
  }

  // Tab before semicolon before comma, among the characters of the header line outside
  // quotes.
  char HeaderSeparator() const {
    bool quoted = false, tab = false, semicolon = false;
    for (std::size_t k = pos_; k < text_.size() && (quoted || !IsLineEnd(text_[k])); ++k) {
      const char ch = text_[k];
      if (ch == '"') quoted = !quoted;
      if (quoted) continue;
      tab = tab || ch == '\t';
      semicolon = semicolon || ch == ';';
    }
    return tab ? '\t' : semicolon ? ';' : ',';
  }

  bool IsBlank(char ch) const { return ch == ' ' || (ch == '\t' && separator_ != '\t'); }

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_]))
      ++pos_;
  }

  // CR LF, LF or CR.
  void SkipLineEnd() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
  }

  bool AtFieldEnd() const {
    return pos_ >= text_.size() || text_[pos_] == separator_ || IsLineEnd(text_[pos_]);
  }

  // The fields of one record, up to and including its line end.
  void ReadFields(std::vector<Field>& fields) {
    fields.clear();
    for (;;) {
      Field field;
      field.line = line_;
      SkipBlanks();
      if (pos_ < text_.size() && text_[pos_] == '"') {
        ReadQuoted(field, fields.size());
      } else {
        const std::size_t start = pos_;
        while (!AtFieldEnd())
          ++pos_;
        std::size_t end = pos_;
        while (end > start && IsBlank(text_[end - 1]))
          --end;
        field.text = text_.substr(start, end - start);
      }
      fields.push_back(field);
      if (pos_ < text_.size() && text_[pos_] == separator_) {
        ++pos_;
        continue;
      }
      SkipLineEnd();
      return;
    }
  }

  void ReadQuoted(Field& field, std::size_t column) {
    field.quoted = true;
    ++pos_;
    const std::size_t start = pos_;
    for (;;) {
      if (pos_ >= text_.size()) {
        place_.Fail(field.line, column, {}, "the quoted text is not closed");
      }
      const char ch = text_[pos_];
      if (ch == '"') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
          field.doubled_quotes = true;
          pos_ += 2;
          continue;
        }
        field.text = text_.substr(start, pos_ - start);
        ++pos_;
        break;
      }
      if (IsLineEnd(ch)) {
        SkipLineEnd();
      } else {
        ++pos_;
      }
    }
    SkipBlanks();
    if (!AtFieldEnd()) place_.Fail(line_, column, {}, "text after the closing quote");
  }

  std::string_view text_;
  const Place& place_;
  std::size_t pos_ = 0;
  int line_ = 1;
  char separator_ = ',';
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
HeaderColumns MatchHeader(const std::vector<Field>& header, const std::array<Column, N>& wanted,
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
  void CheckWidth(const std::vector<Field>& fields) const {
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
  double Value(const std::vector<Field>& fields, std::size_t column, int kilo_shift) const {
    const Field& field = fields[column];
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
void ReadRows(RecordReader& records, const std::vector<Field>& header,
              const std::array<Column, N>& wanted, const char* needs, const Place& place,
              ActionUnits units, std::vector<Row>& rows, std::vector<std::string>& names) {
  const HeaderColumns columns = MatchHeader(header, wanted, needs, place);
  const RowReader reader(columns, place, records.separator(), units);
  // At most a row per line end: no growth of the vectors for a table of a million rows.
  rows.reserve(records.LinesLeft());
  if (columns.name_column) names.reserve(records.LinesLeft());
  std::vector<Field> fields;
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
  RecordReader records(content, place);
  std::vector<Field> header;
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
}

}  // namespace quilex::combos
