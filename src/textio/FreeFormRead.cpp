#include "textio/FreeFormRead.hpp"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

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
  std::size_t record = 0;  // where it stands
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
      token.record = record_;
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

  // What is left of the last record used, after the last value taken.
  std::string_view Rest() const {
    if (used_record_ >= unit_.record_count() || record_ != used_record_) return {};
    return unit_.record(used_record_).substr(column_);
  }

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

const char* KindWords(ReadItem::Kind kind) {
  switch (kind) {
    case ReadItem::Kind::Integer:
      return "an integer";
    case ReadItem::Kind::Real:
      return "a number";
    case ReadItem::Kind::Text:
      break;
  }
  return "a name";
}

// "item 5 (nb, an integer)"
std::string ItemText(const ReadItem& item, int number) {
  std::string text = "item " + std::to_string(number) + " (";
  if (item.name() != nullptr) text += std::string(item.name()) + ", ";
  return text + KindWords(item.kind()) + ")";
}

[[noreturn]] void FailAt(const InputFile& unit, const Token& token, const ReadItem& item,
                         int number, const std::string& cause) {
  throw InputFailure(unit.name(), token.record + 1, ItemText(item, number),
                     "\"" + token.text + "\" " + cause);
}

void Assign(const ReadItem& item, const Token& token, int number, const InputFile& unit) {
  switch (item.kind()) {
    case ReadItem::Kind::Integer: {
      const std::optional<long long> value = token.quoted ? std::nullopt : ParseInteger(token.text);
      if (!value) FailAt(unit, token, item, number, "is not an integer");
      if (*value > INT_MAX || *value < INT_MIN) {
        FailAt(unit, token, item, number, "is outside the integers -2147483648 to 2147483647");
      }
      *item.integer() = static_cast<int>(*value);
      return;
    }
    case ReadItem::Kind::Real: {
      const RealValue real = token.quoted ? RealValue{} : ParseReal(token.text);
      if (real.status == RealValue::Status::NotANumber) {
        FailAt(unit, token, item, number, "is not a number");
      }
      if (real.status == RealValue::Status::OutOfRange) {
        FailAt(unit, token, item, number, "is beyond the largest number (about 1.8e308)");
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

// The numbers in a piece of a record, as a read would take them: values separated by
// blanks, commas and ends of record, up to a slash; quoted values and words are no numbers.
std::size_t NumbersIn(std::string_view text) {
  std::size_t count = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const char ch = text[at];
    if (IsBlank(ch) || ch == ',') {
      ++at;
      continue;
    }
    if (ch == '/' || ch == '!') break;  // a slash ends the values, '!' starts a comment
    if (ch == '\'' || ch == '"') {
      const std::size_t close = text.find(ch, at + 1);
      at = close == std::string_view::npos ? text.size() : close + 1;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && !EndsUnquotedValue(text[end]))
      ++end;
    std::string_view value = text.substr(at, end - at);
    // r*value holds the value r times; r* alone holds nulls.
    const std::size_t star = value.find('*');
    if (star != std::string_view::npos && ParseInteger(value.substr(0, star))) {
      value = value.substr(star + 1);
    }
    if (!value.empty() && ParseReal(value).status != RealValue::Status::NotANumber) ++count;
    at = end;
  }
  return count;
}

std::string Count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
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

void ReadList(InputFile& unit, std::initializer_list<ReadItem> items, std::string_view subject) {
  Scanner scanner(unit);
  Token token;
  long left = 0;  // values still to hand out from the current token (r*value)
  int number = 0;
  bool slash = false;
  std::vector<std::pair<const ReadItem*, std::size_t>> taken;  // each item and its record
  taken.reserve(items.size());
  for (const ReadItem& item : items) {
    ++number;
    if (left == 0) {
      token = scanner.Next();
      if (token.kind == Token::Kind::EndOfFile) {
        throw InputFailure(
            unit.name(), 0, "",
            "the file ends before " + ItemText(item, number) + " of " + std::string(subject));
      }
      if (token.kind == Token::Kind::Slash) {
        slash = true;
        break;
      }
      if (token.repeat < 1) {
        throw InputFailure(unit.name(), token.record + 1, ItemText(item, number),
                           "a repeat count of zero");
      }
      left = token.repeat;
    }
    --left;
    if (token.kind == Token::Kind::Value) Assign(item, token, number, unit);
    taken.emplace_back(&item, token.record);
  }
  if (!slash && !taken.empty()) {
    const std::size_t extra = NumbersIn(scanner.Rest());
    if (extra > 0) {
      const std::size_t record = taken.back().second;
      std::size_t on_record = 0;
      bool all_numbers = true;
      std::string names;
      for (const auto& [item, at] : taken) {
        if (at != record) continue;
        ++on_record;
        all_numbers = all_numbers && item->kind() != ReadItem::Kind::Text;
        if (item->name() == nullptr) continue;
        if (!names.empty()) names += ' ';
        names += item->name();
      }
      const std::string listed = names.empty() ? "" : " (" + names + ")";
      throw InputFailure(
          unit.name(), record + 1, "",
          all_numbers ? Count(on_record + extra, "number", "numbers") + " where the read of " +
                            std::string(subject) + " takes " + std::to_string(on_record) + listed +
                            "; a decimal comma makes two numbers of one"
                      : Count(extra, "number", "numbers") + " after " + std::string(subject) +
                            listed + ", where the line should end");
    }
  }
  scanner.Finish();
}

void RequireNoFurtherNumbers(const InputFile& unit, std::string_view data, std::string_view hint) {
  for (std::size_t k = unit.next_record; k < unit.record_count(); ++k) {
    if (NumbersIn(unit.record(k)) == 0) continue;
    std::string cause = "a number after " + std::string(data);
    if (unit.next_record > 0)
      cause += ", whose last line is line " + std::to_string(unit.next_record);
    if (!hint.empty()) cause += " (" + std::string(hint) + ")";
    throw InputFailure(unit.name(), k + 1, "", cause);
  }
}

}  // namespace quilex::textio
