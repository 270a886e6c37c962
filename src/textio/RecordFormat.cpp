#include "textio/RecordFormat.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "textio/FloatingPointStatus.hpp"

namespace quilex::textio {
namespace {

using Kind = FormatItem::Kind;

// A double told apart by its bits alone: comparing a subnormal would raise the denormal
// flag of the enclosing computation.
struct Classified {
  explicit Classified(double value) {
    // __builtin_bit_cast, not std::bit_cast: the WebAssembly build's libc++ 14 has none.
    const std::uint64_t bits = __builtin_bit_cast(std::uint64_t, value);
    negative = (bits >> 63) != 0;
    const bool all_ones_exponent = ((bits >> 52) & 0x7ff) == 0x7ff;
    const bool zero_fraction = (bits & ((std::uint64_t{1} << 52) - 1)) == 0;
    finite = !all_ones_exponent;
    nan = all_ones_exponent && !zero_fraction;
    zero = (bits << 1) == 0;
  }
  bool negative;
  bool finite;
  bool nan;
  bool zero;
};

// A double in fixed or scientific notation with a precision, as printf's %.*f and %.*e
// write it: the exact binary value rounded to the nearest, ties to even. to_chars does it
// without the locale and the format string; a C++ library without a floating-point
// to_chars (libc++ 14, the WebAssembly build's) takes snprintf, whose C library rounds
// exactly too. QUILEX_FORMAT_WITH_PRINTF takes that path everywhere: the clang preset builds
// so, and every test, the record format's cross-check among them, runs on it. Returns the
// end.
char* FormatDouble(char* first, std::size_t size, double value, bool scientific, int precision) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L && \
    !defined(QUILEX_FORMAT_WITH_PRINTF)
  return std::to_chars(first, first + size, value,
                       scientific ? std::chars_format::scientific : std::chars_format::fixed,
                       precision)
      .ptr;
#else
  const int written = std::snprintf(first, size, scientific ? "%.*e" : "%.*f", precision, value);
  return first +
         std::min<std::size_t>(written > 0 ? static_cast<std::size_t>(written) : 0, size - 1);
#endif
}

// Every field writer below fills a field of `width` characters that holds blanks.

void FillAsterisks(char* field, std::size_t width) {
  std::memset(field, '*', width);
}

void PutRightAligned(char* field, std::size_t width, std::string_view text) {
  if (text.size() > width) {
    FillAsterisks(field, width);
    return;
  }
  std::memcpy(field + (width - text.size()), text.data(), text.size());
}

// Infinities and NaN are written as words, the longest that fits.
void PutNonFinite(char* field, std::size_t width, const Classified& value) {
  if (value.nan) {
    PutRightAligned(field, width, "NaN");
    return;
  }
  const std::string_view word = value.negative ? "-Infinity" : "Infinity";
  if (word.size() <= width) {
    PutRightAligned(field, width, word);
    return;
  }
  PutRightAligned(field, width, value.negative ? "-Inf" : "Inf");
}

// A number whose leading "0." does not fit may lose the zero before it overflows.
void PutNumber(char* field, std::size_t width, std::string_view text) {
  const std::size_t zero = (text[0] == '-') ? 1 : 0;
  if (text.size() > width && text.size() > zero + 1 && text[zero] == '0' && text[zero + 1] == '.') {
    if (text.size() - 1 > width) {
      FillAsterisks(field, width);
      return;
    }
    char* at = field + (width - (text.size() - 1));
    std::memcpy(at, text.data(), zero);
    std::memcpy(at + zero, text.data() + zero + 1, text.size() - zero - 1);
    return;
  }
  PutRightAligned(field, width, text);
}

// Calls `write` with room for `size` characters: on the stack unless an unusual number of
// digits is asked for.
template <class Write>
void WithRoom(std::size_t size, Write write) {
  char local[512];
  if (size <= sizeof local) {
    write(local);
    return;
  }
  std::vector<char> heap(size);
  write(heap.data());
}

void PutFixed(char* field, std::size_t width, double value, int decimals) {
  const Classified classified(value);
  if (!classified.finite) {
    PutNonFinite(field, width, classified);
    return;
  }
  // The largest double has 309 integer digits; the decimals come on top. to_chars with a
  // precision writes what printf writes: the exact binary value rounded to the nearest,
  // ties to even, and the minus sign of a negative value that rounds to zero, the rules
  // of the F item.
  const std::size_t size = static_cast<std::size_t>(decimals) + 330;
  WithRoom(size, [&](char* text) {
    const char* end = FormatDouble(text, size, value, false, decimals);
    PutNumber(field, width, std::string_view(text, static_cast<std::size_t>(end - text)));
  });
}

__extension__ typedef unsigned __int128 Wide;

constexpr int kMaxWidePower = 38;  // 10^38 < 2^127

constexpr std::array<Wide, kMaxWidePower + 1> WidePowersOfTen() {
  std::array<Wide, kMaxWidePower + 1> powers{};
  powers[0] = 1;
  for (int k = 1; k <= kMaxWidePower; ++k)
    powers[k] = powers[k - 1] * 10;
  return powers;
}

constexpr std::array<Wide, kMaxWidePower + 1> kWidePowersOfTen = WidePowersOfTen();

// numerator / denominator and its remainder. A division of 128-bit numbers takes a call and
// tens of cycles: the denominators here are mostly a power of two (a shift) or small enough
// for one machine division.
void Divide(Wide numerator, Wide denominator, Wide& quotient, Wide& remainder) {
  const auto low = static_cast<std::uint64_t>(denominator);
  const auto high = static_cast<std::uint64_t>(denominator >> 64);
  if ((denominator & (denominator - 1)) == 0) {
    const int shift = low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high);
    quotient = numerator >> shift;
    remainder = numerator & (denominator - 1);
  } else if (high == 0 && (numerator >> 64) == 0) {
    const auto n = static_cast<std::uint64_t>(numerator);
    quotient = n / low;
    remainder = n % low;
  } else {
    quotient = numerator / denominator;
    remainder = numerator - quotient * denominator;
  }
}

// The `digits` significant digits of a positive normal double, rounded to the nearest with
// ties to even exactly as to_chars rounds them, and the decimal exponent of the first
// (value = 0.ddd * 10^(exponent + 1) before rounding), computed in integers: value * 10^s =
// numerator / denominator with both below 2^127. Returns false outside the range where
// they fit (the caller then asks to_chars).
bool RoundedDigits(std::uint64_t bits, int digits, std::uint64_t& mantissa, int& exponent) {
  if (digits > 9) return false;
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  const int q = biased - 1075;  // value = m * 2^q
  if (biased == 0 || q < -126 || q > 64) return false;
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  // 2^(q+52) <= value < 2^(q+53): floor(log10(value)) is floor((q+52) log10 2) or one more.
  int e = ((q + 52) * 78913) >> 18;
  for (int attempt = 0; attempt < 2; ++attempt, ++e) {
    const int s = digits - 1 - e;  // the scale that leaves `digits` digits before the point
    if (s > 22 || -s > kMaxWidePower) return false;
    Wide numerator = m;
    Wide denominator = 1;
    if (s >= 0) {
      numerator *= kWidePowersOfTen[s];
    } else {
      denominator = kWidePowersOfTen[-s];
    }
    if (q >= 0) {
      numerator <<= q;
    } else {
      denominator <<= -q;
    }
    Wide whole = 0;
    Wide remainder = 0;
    Divide(numerator, denominator, whole, remainder);
    if (whole >= kWidePowersOfTen[digits]) continue;  // e was one too small
    const Wide twice_remainder = remainder * 2;
    std::uint64_t rounded = static_cast<std::uint64_t>(whole);
    if (twice_remainder > denominator || (twice_remainder == denominator && (rounded & 1) != 0))
      ++rounded;
    if (rounded == static_cast<std::uint64_t>(kWidePowersOfTen[digits])) {
      rounded /= 10;  // 9.99...95 rounds up a decade
      ++e;
    }
    mantissa = rounded;
    exponent = e;
    return true;
  }
  return false;
}

// "00" to "99".
constexpr std::array<char, 200> TwoDigitTable() {
  std::array<char, 200> table{};
  for (int k = 0; k < 100; ++k) {
    table[2 * k] = static_cast<char>('0' + k / 10);
    table[2 * k + 1] = static_cast<char>('0' + k % 10);
  }
  return table;
}

constexpr std::array<char, 200> kTwoDigits = TwoDigitTable();

// The last `count` decimal digits of `value`, with leading zeros, at `at`: two at a time.
void PutDigits(char* at, int count, std::uint64_t value) {
  char* d = at + count;
  for (; count >= 2; count -= 2) {
    d -= 2;
    std::memcpy(d, &kTwoDigits[2 * (value % 100)], 2);
    value /= 100;
  }
  if (count == 1) *--d = static_cast<char>('0' + value % 10);
}

// Appends the exponent part at `at`; the length of the whole text, or 0 when the exponent
// has more than three digits.
std::size_t FinishExponentText(const char* text, char* at, int exponent) {
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude > 999) return 0;
  if (magnitude <= 99) *at++ = 'E';
  *at++ = exponent < 0 ? '-' : '+';
  if (magnitude > 99) *at++ = static_cast<char>('0' + magnitude / 100);
  std::memcpy(at, &kTwoDigits[2 * (magnitude % 100)], 2);
  at += 2;
  return static_cast<std::size_t>(at - text);
}

// -0.<digits>E+xx, or -0.<digits>+xxx for a three-digit exponent, into `text`.
std::size_t ExponentText(char* text, const Classified& classified, double value, int digits) {
  char* at = text;
  if (classified.negative) *at++ = '-';
  *at++ = '0';
  *at++ = '.';
  int exponent = 0;
  if (classified.zero) {
    std::memset(at, '0', static_cast<std::size_t>(digits));
    at += digits;
  } else {
    // d.ddddde+xx with digits significant digits, rounded as the F item rounds, written
    // after the point; 0.dddddd moves the point one place and adds one to the exponent.
    const std::uint64_t magnitude_bits =
        __builtin_bit_cast(std::uint64_t, value) & ~(std::uint64_t{1} << 63);
    std::uint64_t mantissa = 0;
    if (RoundedDigits(magnitude_bits, digits, mantissa, exponent)) {
      PutDigits(at, digits, mantissa);
      at += digits;
      ++exponent;
      return FinishExponentText(text, at, exponent);
    }
    const double magnitude = __builtin_bit_cast(double, magnitude_bits);
    const char* end =
        FormatDouble(at, static_cast<std::size_t>(digits) + 8, magnitude, true, digits - 1);
    const char* e = at + (digits > 1 ? digits + 1 : 1);
    for (const char* d = e + 2; d != end; ++d)
      exponent = exponent * 10 + (*d - '0');
    exponent = (e[1] == '-' ? -exponent : exponent) + 1;
    // The digits after to_chars's point move one place to the left, over it.
    if (digits > 1) std::memmove(at + 1, at + 2, static_cast<std::size_t>(digits - 1));
    at += digits;
  }
  return FinishExponentText(text, at, exponent);
}

void PutExponent(char* field, std::size_t width, double value, int digits) {
  const Classified classified(value);
  if (!classified.finite) {
    PutNonFinite(field, width, classified);
    return;
  }
  if (digits < 1) {
    FillAsterisks(field, width);
    return;
  }
  WithRoom(static_cast<std::size_t>(digits) + 16, [&](char* text) {
    const std::size_t length = ExponentText(text, classified, value, digits);
    if (length == 0) {
      FillAsterisks(field, width);
      return;
    }
    PutNumber(field, width, std::string_view(text, length));
  });
}

void PutInteger(char* field, std::size_t width, long long value) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  PutRightAligned(field, width, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

std::size_t Width(int width) {
  return width > 0 ? static_cast<std::size_t>(width) : 0;
}

// The record being written at the end of `out`: skipped columns become blanks only when
// something is written after them.
class RecordWriter {
 public:
  explicit RecordWriter(std::string& out) : out_(out), start_(out.size()) {}

  void Skip(int columns) { column_ += Width(columns); }

  // A field of `width` blanks at the current column.
  char* Field(std::size_t width) {
    const std::size_t at = start_ + std::max(column_, out_.size() - start_);
    out_.resize(at + width, ' ');
    column_ = at + width - start_;
    return out_.data() + at;
  }

  // An empty text may have no data at all, which memcpy must not be given.
  void Put(std::string_view text) {
    char* field = Field(text.size());
    if (!text.empty()) std::memcpy(field, text.data(), text.size());
  }

  void End() {
    out_ += "\r\n";
    start_ = out_.size();
    column_ = 0;
  }

 private:
  std::string& out_;
  std::size_t start_;
  std::size_t column_ = 0;
};

void PutValue(RecordWriter& record, const FormatItem& item, const FormatValue& value) {
  const bool is_text = value.kind() == FormatValue::Kind::Text;
  const std::size_t width = Width(item.width);
  switch (item.kind) {
    case Kind::A:
      if (!is_text) {
        FillAsterisks(record.Field(width > 0 ? width : 1), width > 0 ? width : 1);
      } else if (width == 0 || value.text().size() >= width) {
        record.Put(width == 0 ? value.text() : value.text().substr(0, width));
      } else {
        PutRightAligned(record.Field(width), width, value.text());
      }
      return;
    case Kind::I:
      if (value.kind() == FormatValue::Kind::Integer) {
        PutInteger(record.Field(width), width, value.integer());
      } else {
        FillAsterisks(record.Field(width), width);
      }
      return;
    default:
      break;
  }
  if (is_text) {
    FillAsterisks(record.Field(width), width);
    return;
  }
  const double real = value.kind() == FormatValue::Kind::Integer
                          ? static_cast<double>(value.integer())
                          : value.real();
  if (item.kind == Kind::F) {
    PutFixed(record.Field(width), width, real, item.decimals);
  } else {
    PutExponent(record.Field(width), width, real, item.decimals);
  }
}

void WriteRecords(std::string& out, std::span<const FormatItem> items, std::string_view text,
                  bool has_data_item, std::span<const FormatValue> values) {
  const FloatingPointFlagsKept flags_kept;
  RecordWriter record(out);
  std::size_t next = 0;
  for (;;) {
    for (const FormatItem& item : items) {
      switch (item.kind) {
        case Kind::Literal:
          record.Put(text.substr(static_cast<std::size_t>(item.text_start),
                                 static_cast<std::size_t>(item.text_length)));
          break;
        case Kind::Skip:
          record.Skip(item.width);
          break;
        case Kind::Slash:
          record.End();
          break;
        default:
          if (next == values.size()) {
            record.End();
            return;
          }
          PutValue(record, item, values[next++]);
      }
    }
    record.End();
    if (next == values.size() || !has_data_item) return;
  }
}

// A format parsed at run time.
struct RuntimeFormat {
  std::vector<FormatItem> items;
  std::string text;
  bool has_data_item = false;

  void AddItem(const FormatItem& item) {
    items.push_back(item);
    has_data_item = has_data_item || item.kind == Kind::A || item.kind == Kind::I ||
                    item.kind == Kind::F || item.kind == Kind::E;
  }
  int TextSize() const { return static_cast<int>(text.size()); }
  void AddText(char ch) { text += ch; }
};

std::string Field(std::size_t width) {
  return std::string(width, ' ');
}

}  // namespace

std::string FormatFixed(double value, int width, int decimals) {
  const FloatingPointFlagsKept flags_kept;
  std::string field = Field(Width(width));
  PutFixed(field.data(), field.size(), value, decimals);
  return field;
}

std::string FormatExponent(double value, int width, int digits) {
  const FloatingPointFlagsKept flags_kept;
  std::string field = Field(Width(width));
  PutExponent(field.data(), field.size(), value, digits);
  return field;
}

std::string FormatInteger(long long value, int width) {
  const FloatingPointFlagsKept flags_kept;
  std::string field = Field(Width(width));
  PutInteger(field.data(), field.size(), value);
  return field;
}

void AppendFormatted(std::string& out, const ParsedFormat& format,
                     std::span<const FormatValue> values) {
  WriteRecords(out, format.items(), format.text(), format.has_data_item(), values);
}

void AppendFormatted(std::string& out, std::string_view format,
                     std::span<const FormatValue> values) {
  RuntimeFormat parsed;
  format_parsing::Parse(format, parsed);
  WriteRecords(out, parsed.items, parsed.text, parsed.has_data_item, values);
}

std::string Formatted(std::string_view format, std::initializer_list<FormatValue> values) {
  std::string out;
  AppendFormatted(out, format, std::span<const FormatValue>(values.begin(), values.size()));
  return out;
}

std::string FreeFormRecord(std::string_view text) {
  std::string record = " ";
  record += text;
  record += "\r\n";
  return record;
}

}  // namespace quilex::textio
