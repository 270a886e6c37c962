// Fixed-column output records. A format is the parenthesised item list the program's
// files are defined by, e.g. "(i4,1x,e15.6,1x,e15.6)"; one interpreter turns a format and
// a list of values into records, so every file shares one set of rounding, field and
// overflow rules (a number that does not fit its field becomes asterisks, never wider).
#pragma once

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

// Appends the records that `format` writes for `values` to `out`, each ended by CR LF.
// The statement ends at the first data item for which no value is left; when the format
// is used up and values remain, a new record starts and the format is used again from
// its first item.
void AppendFormatted(std::string& out, std::string_view format,
                     std::span<const FormatValue> values);

// The same, returned as a string (convenient for tests and small callers).
std::string Formatted(std::string_view format, std::initializer_list<FormatValue> values = {});

// One free-form record holding `text`: a blank, the text, CR LF.
std::string FreeFormRecord(std::string_view text);

// Single fields, as the items Fw.d, Ew.d and Iw write them.
std::string FormatFixed(double value, int width, int decimals);
std::string FormatExponent(double value, int width, int digits);
std::string FormatInteger(long long value, int width);

}  // namespace quilex::textio
