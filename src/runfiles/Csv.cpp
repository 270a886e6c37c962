#include "runfiles/Csv.hpp"

#include <algorithm>

namespace quilex::runfiles {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(char ch) {
  return ch == '\n' || ch == '\r';
}

}  // namespace

std::string CsvField::Text() const {
  if (!doubled_quotes) return std::string(text);
  std::string value;
  for (std::size_t k = 0; k < text.size(); ++k) {
    value += text[k];
    if (text[k] == '"') ++k;
  }
  return value;
}

CsvReader::CsvReader(std::string_view content) : text_(content) {
  if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) pos_ = kByteOrderMark.size();
}

bool CsvReader::ReadHeader(std::vector<CsvField>& fields) {
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

bool CsvReader::Next(std::vector<CsvField>& fields) {
  for (;;) {
    if (pos_ >= text_.size()) return false;
    if (FirstNonBlankIsHash()) {
      while (pos_ < text_.size() && !IsLineEnd(text_[pos_]))
        ++pos_;
      SkipLineEnd();
      continue;
    }
    ReadFields(fields);
    for (const CsvField& field : fields) {
      if (!field.empty()) return true;
    }
  }
}

std::size_t CsvReader::LinesLeft() const {
  const std::string_view rest = text_.substr(pos_);
  std::ptrdiff_t lines = std::count(rest.begin(), rest.end(), '\n');
  if (lines == 0) lines = std::count(rest.begin(), rest.end(), '\r');
  return static_cast<std::size_t>(lines) + 1;
}

bool CsvReader::FirstNonBlankIsHash() const {
  std::size_t first = pos_;
  while (first < text_.size() && (text_[first] == ' ' || text_[first] == '\t'))
    ++first;
  return first < text_.size() && text_[first] == '#';
}

// Tab before semicolon before comma, among the characters of the header line outside
// quotes.
char CsvReader::HeaderSeparator() const {
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

void CsvReader::SkipBlanks() {
  while (pos_ < text_.size() && IsBlank(text_[pos_]))
    ++pos_;
}

// CR LF, LF or CR.
void CsvReader::SkipLineEnd() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

bool CsvReader::AtFieldEnd() const {
  return pos_ >= text_.size() || text_[pos_] == separator_ || IsLineEnd(text_[pos_]);
}

// The fields of one record, up to and including its line end.
void CsvReader::ReadFields(std::vector<CsvField>& fields) {
  fields.clear();
  for (;;) {
    CsvField field;
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

void CsvReader::ReadQuoted(CsvField& field, std::size_t column) {
  field.quoted = true;
  ++pos_;
  const std::size_t start = pos_;
  for (;;) {
    if (pos_ >= text_.size()) throw CsvError(field.line, column, "the quoted text is not closed");
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
  if (!AtFieldEnd()) throw CsvError(line_, column, "text after the closing quote");
}

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  for (char& ch : lower) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return lower;
}

std::string CsvQuoted(std::string_view text) {
  const bool plain =
      text.find_first_of(",\"\r\n") == std::string_view::npos &&
      (text.empty() || (text.front() != '#' && text.front() != ' ' && text.front() != '\t' &&
                        text.back() != ' ' && text.back() != '\t'));
  if (plain) return std::string(text);
  std::string quoted = "\"";
  for (const char ch : text) {
    quoted += ch;
    if (ch == '"') quoted += '"';
  }
  quoted += '"';
  return quoted;
}

}  // namespace quilex::runfiles
