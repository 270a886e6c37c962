// The one CSV dialect of the run folder's tables: the tables of actions that quilex-combos
// reads, and risu-combinations.csv, which it writes and quilex-plot reads. What CsvQuoted
// writes, CsvReader reads back to the same text.
//
// The rules of reading:
// - The first line that is neither blank nor a comment is the header. The separator is taken
//   from it, outside quotes: a tab if it holds one, else a semicolon if it holds one, else a
//   comma.
// - A field may be quoted ("ULS 1, wind"), a doubled quote standing for a quote; quoted text
//   may run over line ends. Blanks around a field are dropped (a tab is a blank unless it is
//   the separator).
// - Records whose fields are all empty, and lines whose first non-blank character is #, are
//   skipped. A UTF-8 byte-order mark at the start is skipped. Line ends may be LF, CR LF or
//   CR.
//
//   quilex::runfiles::CsvReader records("name,Ned\n\"ULS 1\nwind\",-500\n");
//   std::vector<quilex::runfiles::CsvField> fields;
//   records.ReadHeader(fields);  // "name", "Ned"
//   records.Next(fields);        // fields[0].Text() == "ULS 1\nwind", fields[0].line == 2
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quilex::runfiles {

// One field of a record, as it stands in the table.
struct CsvField {
  std::string_view text;  // without the quotes and the surrounding blanks
  bool quoted = false;
  bool doubled_quotes = false;  // quoted text holding "" for a quote
  int line = 0;                 // where the field starts, from 1

  bool empty() const { return !quoted && text.empty(); }
  // The field's value: the quotes undone.
  std::string Text() const;
};

// A quote that breaks the rules; what() says which, without the place.
class CsvError : public std::runtime_error {
 public:
  CsvError(int line, std::size_t column, const std::string& what)
      : std::runtime_error(what), line_(line), column_(column) {}
  int line() const { return line_; }
  std::size_t column() const { return column_; }  // from 0

 private:
  int line_;
  std::size_t column_;
};

// Splits a table into records of fields. The fields look into `content`, which must outlive
// them.
class CsvReader {
 public:
  explicit CsvReader(std::string_view content);

  // Finds the header line, takes the separator from it and reads it. False for a table
  // without one.
  bool ReadHeader(std::vector<CsvField>& fields);
  // The next record that is not blank or a comment. False at the end of the table.
  bool Next(std::vector<CsvField>& fields);

  char separator() const { return separator_; }
  // An upper bound of the records still to come.
  std::size_t LinesLeft() const;

 private:
  bool FirstNonBlankIsHash() const;
  char HeaderSeparator() const;
  bool IsBlank(char ch) const { return ch == ' ' || (ch == '\t' && separator_ != '\t'); }
  void SkipBlanks();
  void SkipLineEnd();
  bool AtFieldEnd() const;
  void ReadFields(std::vector<CsvField>& fields);
  void ReadQuoted(CsvField& field, std::size_t column);

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  char separator_ = ',';
};

// The header's names match in any case: `text` with A to Z in lower case.
std::string Lowercase(std::string_view text);

// `text` as a field of a comma-separated record: as it is, or in double quotes (quotes
// doubled) when reading it back would change it: a comma, a quote or a line end in it, a
// blank at either end, or a # first.
std::string CsvQuoted(std::string_view text);

}  // namespace quilex::runfiles
