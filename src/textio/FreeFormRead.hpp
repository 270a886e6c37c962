// Free-form reading of input records: a read statement takes the next values of its unit
// whatever their columns, separated by blanks, commas or ends of record, and discards the
// text left on the last record it used. A number left there (before a '!' that starts a
// comment) is refused: it is a value too many, or a decimal comma that split one value in
// two. A failed read is an InputFailure naming the file, the line, the item and the cause;
// the run ends with status 2.
//
//   double B = 0, H = 0;
//   ReadList(sezi, {{B, "B"}, {H, "H"}}, "the section");
//   // "300,5 500" fails: sezi.txt, line 2: 3 numbers where the read of the section
//   // takes 2 (B H); a decimal comma makes two numbers of one
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "textio/NumberedFiles.hpp"

namespace quilex::textio {

// One item of a read list. A character item has a fixed length: a shorter value is
// padded with blanks, a longer one cut to its leftmost characters.
// An item's name (as the user knows it: "nb", "As[1]") appears in the messages.
class ReadItem {
 public:
  enum class Kind { Integer, Real, Text };

  ReadItem(int& target, const char* name = nullptr)
      : kind_(Kind::Integer), integer_(&target), name_(name) {}
  ReadItem(double& target, const char* name = nullptr)
      : kind_(Kind::Real), real_(&target), name_(name) {}
  ReadItem(std::string& target, std::size_t length, const char* name = nullptr)
      : kind_(Kind::Text), text_(&target), length_(length), name_(name) {}

  Kind kind() const { return kind_; }
  int* integer() const { return integer_; }
  double* real() const { return real_; }
  std::string* text() const { return text_; }
  std::size_t length() const { return length_; }
  const char* name() const { return name_; }

 private:
  Kind kind_;
  int* integer_ = nullptr;
  double* real_ = nullptr;
  std::string* text_ = nullptr;
  std::size_t length_ = 0;
  const char* name_ = nullptr;
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

// One read statement: `subject` names what it reads in the messages ("the section", "bar
// 3"). A null value (two adjacent commas) or a slash leaves its items as they were; nothing
// on a record after a slash is looked at.
void ReadList(InputFile& unit, std::initializer_list<ReadItem> items,
              std::string_view subject = "the list");

// Refuses a number on any record after the last one read: records that the reads of the
// file do not take. `hint` ends the message ("", or a likely cause).
void RequireNoFurtherNumbers(const InputFile& unit, std::string_view data, std::string_view hint);

}  // namespace quilex::textio
