// Free-form reading of input records: a read statement takes the next values of its unit
// whatever their columns, separated by blanks, commas or ends of record, and discards the
// rest of the last record it used. A failed read names the statement's place in the source
// and the file, and ends the run with status 2 (as a FileFailure).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "textio/NumberedFiles.hpp"

namespace quilex::textio {

// One item of a read list. A character item has a fixed length: a shorter value is
// padded with blanks, a longer one cut to its leftmost characters.
class ReadItem {
 public:
  enum class Kind { Integer, Real, Text };

  ReadItem(int& target) : kind_(Kind::Integer), integer_(&target) {}
  ReadItem(double& target) : kind_(Kind::Real), real_(&target) {}
  ReadItem(std::string& target, std::size_t length)
      : kind_(Kind::Text), text_(&target), length_(length) {}

  Kind kind() const { return kind_; }
  int* integer() const { return integer_; }
  double* real() const { return real_; }
  std::string* text() const { return text_; }
  std::size_t length() const { return length_; }

 private:
  Kind kind_;
  int* integer_ = nullptr;
  double* real_ = nullptr;
  std::string* text_ = nullptr;
  std::size_t length_ = 0;
};

// The text of a real value as a read takes it: a sign, digits with at most one point, and an
// exponent introduced by e or d ("300", "300.", "3e2", "3d2", ".5"). Its value is the nearest
// double, as a constant in the source would be; a value beyond the largest double is out of
// range.
struct RealValue {
  enum class Status { Valid, NotANumber, OutOfRange };
  Status status = Status::NotANumber;
  double value = 0;
};
RealValue ParseReal(std::string_view text);

// The place of a read statement in the source, which the message of a failed read names.
// Here() taken as a default argument is the place of the caller. (Not std::source_location:
// not every compiler the tree builds with has it; both builtins are common to GCC and Clang,
// and -fmacro-prefix-map makes the file relative to the project root in both.)
struct SourcePosition {
  static constexpr SourcePosition Here(const char* file = __builtin_FILE(),
                                       unsigned line = __builtin_LINE()) {
    return {file, line};
  }
  const char* file;
  unsigned line;
};

// One read statement. A null value (two adjacent commas) or a slash leaves its items as
// they were.
void ReadList(InputFile& unit, std::initializer_list<ReadItem> items,
              SourcePosition where = SourcePosition::Here());

}  // namespace quilex::textio
