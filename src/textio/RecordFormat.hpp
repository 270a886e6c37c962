// Fixed-column output records. A format is the parenthesised item list the program's
// files are defined by, e.g. "(i4,1x,e15.6,1x,e15.6)"; one interpreter turns a format and
// a list of values into records, so every file shares one set of rounding, field and
// overflow rules (a number that does not fit its field becomes asterisks, never wider).
//
// The program's formats are its own literals: a ParsedFormat is built from one at compile
// time, so a write neither parses its format again nor keeps any state between calls.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace quilex::textio {

// One value of a write list: an integer (I items), a real (F and E items) or a text
// (A items). An integer given to an F or E item is converted; any other mismatch fills
// the field with asterisks.
class FormatValue {
 public:
  enum class Kind { Integer, Real, Text };

  FormatValue(int value) : kind_(Kind::Integer), integer_(value) {}
  FormatValue(double value) : kind_(Kind::Real), real_(value) {}
  FormatValue(std::string_view value) : kind_(Kind::Text), text_(value) {}
  FormatValue(const std::string& value) : kind_(Kind::Text), text_(value) {}
  FormatValue(const char* value) : kind_(Kind::Text), text_(value) {}

  Kind kind() const { return kind_; }
  int integer() const { return integer_; }
  double real() const { return real_; }
  std::string_view text() const { return text_; }

 private:
  Kind kind_;
  int integer_ = 0;
  double real_ = 0.0;
  std::string_view text_;
};

// One item of a parsed format; a repeat count is expanded into as many items.
struct FormatItem {
  enum class Kind : unsigned char { Literal, Skip, Slash, A, I, F, E };
  Kind kind = Kind::Slash;
  int width = 0;        // Skip: columns; A, I, F, E: field width (A: 0 = the value's length)
  int decimals = 0;     // F: decimals; E: significant digits
  int text_start = 0;   // Literal: its text in the format's text pool
  int text_length = 0;  // Literal
};

namespace format_parsing {

constexpr bool IsDigit(char ch) {
  return ch >= '0' && ch <= '9';
}

constexpr char Lower(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

constexpr int ReadCount(std::string_view text, std::size_t& at) {
  int value = 0;
  while (at < text.size() && IsDigit(text[at])) {
    value = value * 10 + (text[at] - '0');
    ++at;
  }
  return value;
}

// Reads the items of `format` into `sink` (AddItem(FormatItem), TextSize(),
// AddText(char)). A malformed format is a programming error; the parser still never
// reads out of bounds and simply stops at what it cannot read.
template <class Sink>
constexpr void Parse(std::string_view format, Sink& sink) {
  std::size_t at = 0;
  while (at < format.size() && format[at] != '(')
    ++at;
  if (at < format.size()) ++at;
  while (at < format.size()) {
    const char ch = format[at];
    if (ch == ')') break;
    if (ch == ' ' || ch == ',' || ch == '\t') {
      ++at;
      continue;
    }
    if (ch == '\'' || ch == '"') {
      FormatItem item{FormatItem::Kind::Literal, 0, 0, sink.TextSize(), 0};
      ++at;
      while (at < format.size()) {
        if (format[at] == ch) {
          if (at + 1 < format.size() && format[at + 1] == ch) {
            sink.AddText(ch);
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        sink.AddText(format[at++]);
      }
      item.text_length = sink.TextSize() - item.text_start;
      sink.AddItem(item);
      continue;
    }
    int count = 1;
    if (IsDigit(ch)) count = ReadCount(format, at);
    if (at >= format.size()) break;
    const char code = Lower(format[at]);
    ++at;
    if (code == 'x') {
      sink.AddItem({FormatItem::Kind::Skip, count, 0, 0, 0});
      continue;
    }
    if (code == '/') {
      for (int k = 0; k < count; ++k)
        sink.AddItem({FormatItem::Kind::Slash, 0, 0, 0, 0});
      continue;
    }
    FormatItem item;
    switch (code) {
      case 'a':
        item.kind = FormatItem::Kind::A;
        break;
      case 'i':
        item.kind = FormatItem::Kind::I;
        break;
      case 'f':
        item.kind = FormatItem::Kind::F;
        break;
      case 'e':
        item.kind = FormatItem::Kind::E;
        break;
      default:
        return;
    }
    item.width = ReadCount(format, at);
    if (at < format.size() && format[at] == '.') {
      ++at;
      item.decimals = ReadCount(format, at);
    }
    for (int k = 0; k < count; ++k)
      sink.AddItem(item);
  }
}

}  // namespace format_parsing

// A format parsed at compile time from one of the program's literals. It is built
// implicitly where a literal (or a constexpr string_view) meets a parameter of this type;
// a format longer than the room below does not compile.
class ParsedFormat {
 public:
  static constexpr std::size_t kMaxItems = 48;
  static constexpr std::size_t kMaxText = 256;

  consteval ParsedFormat(const char* format) : ParsedFormat(std::string_view(format)) {}
  consteval ParsedFormat(std::string_view format) {
    format_parsing::Parse(format, *this);
    for (std::size_t k = 0; k < item_count_; ++k) {
      const FormatItem::Kind kind = items_[k].kind;
      has_data_item_ = has_data_item_ || kind == FormatItem::Kind::A ||
                       kind == FormatItem::Kind::I || kind == FormatItem::Kind::F ||
                       kind == FormatItem::Kind::E;
    }
  }

  std::span<const FormatItem> items() const { return {items_.data(), item_count_}; }
  std::string_view text() const { return {text_.data(), text_size_}; }
  bool has_data_item() const { return has_data_item_; }

 private:
  template <class Sink>
  friend constexpr void format_parsing::Parse(std::string_view format, Sink& sink);

  constexpr void AddItem(const FormatItem& item) {
    if (item_count_ == kMaxItems) TooLong();
    items_[item_count_++] = item;
  }
  constexpr int TextSize() const { return static_cast<int>(text_size_); }
  constexpr void AddText(char ch) {
    if (text_size_ == kMaxText) TooLong();
    text_[text_size_++] = ch;
  }
  // Not a constant expression: a format that does not fit stops the compilation here.
  static void TooLong() {}

  std::array<FormatItem, kMaxItems> items_{};
  std::array<char, kMaxText> text_{};
  std::size_t item_count_ = 0;
  std::size_t text_size_ = 0;
  bool has_data_item_ = false;
};

// Appends the records that `format` writes for `values` to `out`, each ended by CR LF.
// The statement ends at the first data item for which no value is left; when the format
// is used up and values remain, a new record starts and the format is used again from
// its first item. The fields are written straight into `out`.
void AppendFormatted(std::string& out, const ParsedFormat& format,
                     std::span<const FormatValue> values);

// The same for a format known only at run time, parsed on every call.
void AppendFormatted(std::string& out, std::string_view format,
                     std::span<const FormatValue> values);
inline void AppendFormatted(std::string& out, const char* format,
                            std::span<const FormatValue> values) {
  AppendFormatted(out, std::string_view(format), values);
}

// The same, returned as a string (convenient for tests and small callers).
std::string Formatted(std::string_view format, std::initializer_list<FormatValue> values = {});

// One free-form record holding `text`: a blank, the text, CR LF.
std::string FreeFormRecord(std::string_view text);

// Single fields, as the items Fw.d, Ew.d and Iw write them.
std::string FormatFixed(double value, int width, int decimals);
std::string FormatExponent(double value, int width, int digits);
std::string FormatInteger(long long value, int width);

}  // namespace quilex::textio
