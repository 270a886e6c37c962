#include "textio/ReferenceRecordFormat.hpp"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "textio/FloatingPointStatus.hpp"

namespace quilex::textio::reference {
namespace {

struct Item {
  enum class Kind { Literal, Skip, Slash, A, I, F, E };
  Kind kind;
  std::string literal;  // Literal
  int width = 0;        // Skip: columns; A, I, F, E: field width (A: 0 = the value's length)
  int decimals = 0;     // F: decimals; E: significant digits
};

bool IsDataItem(const Item& item) {
  return item.kind == Item::Kind::A || item.kind == Item::Kind::I || item.kind == Item::Kind::F ||
         item.kind == Item::Kind::E;
}

int ReadCount(std::string_view text, std::size_t& at) {
  int value = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0) {
    value = value * 10 + (text[at] - '0');
    ++at;
  }
  return value;
}

// The formats are the program's own literals, so a malformed one is a programming error;
// the parser still never reads out of bounds and simply stops at what it cannot read.
std::vector<Item> ParseFormat(std::string_view format) {
  std::vector<Item> items;
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
      Item item{Item::Kind::Literal, {}, 0, 0};
      ++at;
      while (at < format.size()) {
        if (format[at] == ch) {
          if (at + 1 < format.size() && format[at + 1] == ch) {
            item.literal += ch;
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        item.literal += format[at++];
      }
      items.push_back(std::move(item));
      continue;
    }
    int count = 1;
    if (std::isdigit(static_cast<unsigned char>(ch)) != 0) count = ReadCount(format, at);
    if (at >= format.size()) break;
    const char code = static_cast<char>(std::tolower(static_cast<unsigned char>(format[at])));
    ++at;
    if (code == 'x') {
      items.push_back({Item::Kind::Skip, {}, count, 0});
      continue;
    }
    if (code == '/') {
      for (int k = 0; k < count; ++k)
        items.push_back({Item::Kind::Slash, {}, 0, 0});
      continue;
    }
    Item item{Item::Kind::Literal, {}, 0, 0};
    switch (code) {
      case 'a':
        item.kind = Item::Kind::A;
        break;
      case 'i':
        item.kind = Item::Kind::I;
        break;
      case 'f':
        item.kind = Item::Kind::F;
        break;
      case 'e':
        item.kind = Item::Kind::E;
        break;
      default:
        return items;
    }
    item.width = ReadCount(format, at);
    if (at < format.size() && format[at] == '.') {
      ++at;
      item.decimals = ReadCount(format, at);
    }
    for (int k = 0; k < count; ++k)
      items.push_back(item);
  }
  return items;
}

std::string Asterisks(int width) {
  return std::string(static_cast<std::size_t>(width), '*');
}

std::string RightAligned(const std::string& text, int width) {
  if (static_cast<int>(text.size()) > width) return Asterisks(width);
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

// Infinities and NaN are written as words, the longest that fits.
std::string NonFinite(double value, int width) {
  if (std::isnan(value)) return RightAligned("NaN", width);
  const bool negative = value < 0;
  const std::string word = negative ? "-Infinity" : "Infinity";
  if (static_cast<int>(word.size()) <= width) return RightAligned(word, width);
  return RightAligned(negative ? "-Inf" : "Inf", width);
}

// A number whose leading "0." does not fit may lose the zero before it overflows.
std::string FitNumber(std::string text, int width) {
  if (static_cast<int>(text.size()) > width) {
    const std::size_t zero = (text[0] == '-') ? 1 : 0;
    if (text.size() > zero + 1 && text[zero] == '0' && text[zero + 1] == '.') {
      text.erase(zero, 1);
    }
  }
  return RightAligned(text, width);
}

}  // namespace

std::string FormatFixed(double value, int width, int decimals) {
  if (!std::isfinite(value)) return NonFinite(value, width);
  // The largest double has 309 integer digits; the decimals come on top.
  std::vector<char> buffer(static_cast<std::size_t>(decimals) + 330);
  // printf rounds the exact binary value to the nearest, ties to even, and keeps the
  // minus sign of a negative value that rounds to zero: the rules of the F item.
  std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
  return FitNumber(buffer.data(), width);
}

std::string FormatExponent(double value, int width, int digits) {
  if (!std::isfinite(value)) return NonFinite(value, width);
  if (digits < 1) return Asterisks(width);
  const bool negative = std::signbit(value);
  std::string mantissa;
  int exponent = 0;
  if (value == 0) {
    mantissa.assign(static_cast<std::size_t>(digits), '0');
  } else {
    // d.ddddde+xx with digits significant digits, rounded as the F item rounds; the
    // 0.dddddd form moves the point one place and adds one to the exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, std::fabs(value));
    const std::string text = buffer;
    const std::size_t e = text.find('e');
    mantissa = text.substr(0, 1) + text.substr(2, e - 2);
    exponent = std::stoi(text.substr(e + 1)) + 1;
  }
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude > 999) return Asterisks(width);
  std::string exponent_text(1, exponent < 0 ? '-' : '+');
  if (magnitude <= 99) {
    char two[4];
    std::snprintf(two, sizeof two, "%02d", magnitude);
    exponent_text = "E" + exponent_text + two;
  } else {
    exponent_text += std::to_string(magnitude);
  }
  return FitNumber((negative ? "-0." : "0.") + mantissa + exponent_text, width);
}

std::string FormatInteger(long long value, int width) {
  return RightAligned(std::to_string(value), width);
}

void AppendFormatted(std::string& out, std::string_view format,
                     std::span<const FormatValue> values) {
  const FloatingPointFlagsKept flags_kept;
  const std::vector<Item> items = ParseFormat(format);
  bool has_data_item = false;
  for (const Item& item : items)
    has_data_item = has_data_item || IsDataItem(item);

  std::string record;
  std::size_t column = 0;
  const auto put = [&](const std::string& field) {
    if (column > record.size()) record.resize(column, ' ');
    record += field;
    column = record.size();
  };
  const auto end_record = [&] {
    out += record;
    out += "\r\n";
    record.clear();
    column = 0;
  };

  std::size_t next = 0;
  for (;;) {
    for (const Item& item : items) {
      switch (item.kind) {
        case Item::Kind::Literal:
          put(item.literal);
          break;
        case Item::Kind::Skip:
          column += static_cast<std::size_t>(item.width);
          break;
        case Item::Kind::Slash:
          end_record();
          break;
        default: {
          if (next == values.size()) {
            end_record();
            return;
          }
          const FormatValue& value = values[next++];
          const bool is_text = value.kind() == FormatValue::Kind::Text;
          const double real = value.kind() == FormatValue::Kind::Integer
                                  ? static_cast<double>(value.integer())
                                  : value.real();
          const int width = item.width;
          if (item.kind == Item::Kind::A) {
            if (!is_text) {
              put(Asterisks(width > 0 ? width : 1));
            } else if (width == 0) {
              put(std::string(value.text()));
            } else if (static_cast<int>(value.text().size()) >= width) {
              put(std::string(value.text().substr(0, static_cast<std::size_t>(width))));
            } else {
              put(RightAligned(std::string(value.text()), width));
            }
          } else if (item.kind == Item::Kind::I) {
            put(value.kind() == FormatValue::Kind::Integer ? FormatInteger(value.integer(), width)
                                                           : Asterisks(width));
          } else if (is_text) {
            put(Asterisks(width));
          } else if (item.kind == Item::Kind::F) {
            put(FormatFixed(real, width, item.decimals));
          } else {
            put(FormatExponent(real, width, item.decimals));
          }
        }
      }
    }
    if (next == values.size() || !has_data_item) {
      end_record();
      return;
    }
    end_record();
  }
}

}  // namespace quilex::textio::reference
