#include "textio/FreeFormRead.hpp"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace quilex::textio {
namespace {

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t';
}
bool IsDigit(char ch) {
  return std::isdigit(static_cast<unsigned char>(ch)) != 0;
}
bool EndsUnquotedValue(char ch) {
  return IsBlank(ch) || ch == ',' || ch == '/';
}

struct Token {
  enum class Kind { Value, Null, Slash, EndOfFile };
  Kind kind = Kind::EndOfFile;
  std::string text;
  bool quoted = false;
  long repeat = 1;
};

// Walks the records of one read statement.
class Scanner {
 public:
  explicit Scanner(InputFile& unit)
      : unit_(unit), record_(unit.next_record), used_record_(unit.next_record) {}

  Token Next() {
    Token token;
    // Blanks and ends of record separate values; one comma may stand among them, and a
    // second comma (or a comma first of all) marks a null value.
    for (;;) {
      if (record_ >= unit_.record_count()) {
        token.kind = Token::Kind::EndOfFile;
        return token;
      }
      const std::string_view text = unit_.record(record_);
      while (column_ < text.size() && IsBlank(text[column_]))
        ++column_;
      if (column_ >= text.size()) {
        ++record_;
        column_ = 0;
        continue;
      }
      used_record_ = record_;
      if (text[column_] == ',') {
        ++column_;
        if (comma_seen_) {
          token.kind = Token::Kind::Null;
          return token;
        }
        comma_seen_ = true;
        continue;
      }
      break;
    }
    const std::string_view text = unit_.record(record_);
    if (text[column_] == '/') {
      ++column_;
      token.kind = Token::Kind::Slash;
      return token;
    }
    comma_seen_ = false;
    token.kind = Token::Kind::Value;
    // r*value and r* (r null values).
    std::size_t digits_end = column_;
    while (digits_end < text.size() && IsDigit(text[digits_end]))
      ++digits_end;
    if (digits_end > column_ && digits_end < text.size() && text[digits_end] == '*') {
      token.repeat =
          std::strtol(std::string(text.substr(column_, digits_end - column_)).c_str(), nullptr, 10);
      column_ = digits_end + 1;
      if (column_ >= text.size() || EndsUnquotedValue(text[column_])) {
        token.kind = Token::Kind::Null;
        return token;
      }
    }
    const char first = text[column_];
    if (first == '\'' || first == '"') {
      token.quoted = true;
      ++column_;
      while (column_ < text.size()) {
        if (text[column_] == first) {
          if (column_ + 1 < text.size() && text[column_ + 1] == first) {
            token.text += first;
            column_ += 2;
            continue;
          }
          ++column_;
          break;
        }
        token.text += text[column_++];
      }
      // Whatever is glued to the closing quote belongs to the value's field.
      while (column_ < text.size() && !EndsUnquotedValue(text[column_]))
        ++column_;
    } else {
      while (column_ < text.size() && !EndsUnquotedValue(text[column_])) {
        token.text += text[column_++];
      }
    }
    return token;
  }

  // The next statement starts on the record after the last one this statement used.
  void Finish() { unit_.next_record = used_record_ + 1; }

 private:
  InputFile& unit_;
  std::size_t record_;
  std::size_t column_ = 0;
  std::size_t used_record_;
  bool comma_seen_ = true;
};

std::optional<long long> ParseInteger(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  if (at == text.size()) return std::nullopt;
  for (std::size_t k = at; k < text.size(); ++k) {
    if (!IsDigit(text[k])) return std::nullopt;
  }
  errno = 0;
  const long long value = std::strtoll(std::string(text).c_str(), nullptr, 10);
  if (errno == ERANGE) return LLONG_MAX;
  return value;
}

// Sign, digits with at most one point, and an exponent introduced by e or d.
bool IsRealText(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t digits = 0;
  while (at < text.size() && IsDigit(text[at]))
    ++at, ++digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at]))
      ++at, ++digits;
  }
  if (digits == 0) return false;
  if (at == text.size()) return true;
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[at])));
  if (letter != 'e' && letter != 'd') return false;
  ++at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  if (at == text.size()) return false;
  for (; at < text.size(); ++at) {
    if (!IsDigit(text[at])) return false;
  }
  return true;
}

[[noreturn]] void Fail(const InputFile& unit, SourcePosition where, const std::string& cause) {
  throw FileFailure("At line " + std::to_string(where.line) + " of file " + where.file +
                    " (unit = " + std::to_string(unit.number()) + ", file = '" + unit.name() +
                    "')\nError: " + cause + "\n");
}

void Assign(const ReadItem& item, const Token& token, int number, const InputFile& unit,
            SourcePosition where) {
  const std::string item_number = std::to_string(number);
  switch (item.kind()) {
    case ReadItem::Kind::Integer: {
      const std::optional<long long> value = token.quoted ? std::nullopt : ParseInteger(token.text);
      if (!value) Fail(unit, where, "Bad integer for item " + item_number + " in list input");
      if (*value > INT_MAX || *value < INT_MIN) {
        Fail(unit, where, "Integer overflow while reading item " + item_number);
      }
      *item.integer() = static_cast<int>(*value);
      return;
    }
    case ReadItem::Kind::Real: {
      const RealValue real = token.quoted ? RealValue{} : ParseReal(token.text);
      if (real.status == RealValue::Status::NotANumber) {
        Fail(unit, where, "Bad real number in item " + item_number + " of list input");
      }
      if (real.status == RealValue::Status::OutOfRange) {
        Fail(unit, where, "Real number out of range in item " + item_number + " of list input");
      }
      *item.real() = real.value;
      return;
    }
    case ReadItem::Kind::Text: {
      std::string value = token.text.substr(0, item.length());
      value.resize(item.length(), ' ');
      *item.text() = std::move(value);
      return;
    }
  }
}

}  // namespace

RealValue ParseReal(std::string_view text) {
  if (!IsRealText(text)) return {};
  std::string digits(text);
  for (char& ch : digits) {
    if (ch == 'd' || ch == 'D') ch = 'e';
  }
  // strtod rounds the decimal value correctly, as a compiled constant would be.
  const double value = std::strtod(digits.c_str(), nullptr);
  if (std::isinf(value)) return {RealValue::Status::OutOfRange, 0};
  return {RealValue::Status::Valid, value};
}

void ReadList(InputFile& unit, std::initializer_list<ReadItem> items, SourcePosition where) {
  Scanner scanner(unit);
  Token token;
  long left = 0;  // values still to hand out from the current token (r*value)
  int number = 0;
  for (const ReadItem& item : items) {
    ++number;
    if (left == 0) {
      token = scanner.Next();
      if (token.kind == Token::Kind::EndOfFile) Fail(unit, where, "End of file");
      if (token.kind == Token::Kind::Slash) break;
      if (token.repeat < 1) {
        Fail(unit, where, "Zero repeat count in item " + std::to_string(number) + " of list input");
      }
      left = token.repeat;
    }
    --left;
    if (token.kind == Token::Kind::Value) Assign(item, token, number, unit, where);
  }
  scanner.Finish();
}

}  // namespace quilex::textio
