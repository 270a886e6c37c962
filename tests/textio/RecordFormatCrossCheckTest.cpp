// The format engine against the snprintf-based reference it replaced, byte for byte, on
// doubles chosen where formatting goes wrong: random bit patterns, subnormals, exact ties
// at the rounding digit and their neighbours, signed zeros, infinities, NaN, and values on
// either side of every field-overflow and exponent-width boundary.
//
// The ctest run checks a bounded sample. For the full size set the number of doubles per
// family, e.g. QUILEX_FORMAT_CROSSCHECK_SAMPLES=3000000 build/default/tests/quilex_tests
// --gtest_filter='RecordFormatCrossCheck.*'; QUILEX_FORMAT_CROSSCHECK_SEED changes the seed.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "textio/FloatingPointStatus.hpp"
#include "textio/RecordFormat.hpp"
#include "textio/ReferenceRecordFormat.hpp"

namespace quilex::textio {
namespace {

std::uint64_t EnvironmentNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

#ifdef __SANITIZE_ADDRESS__
constexpr std::uint64_t kBoundedSamples = 300;  // the sanitizers run many times slower
#else
constexpr std::uint64_t kBoundedSamples = 1500;
#endif

std::uint64_t Samples() {
  return EnvironmentNumber("QUILEX_FORMAT_CROSSCHECK_SAMPLES", kBoundedSamples);
}

// The bounded run takes every few exponents and digit counts of the boundaries; the full
// size takes them all.
bool FullSize() {
  return Samples() >= 100000;
}

double FromBits(std::uint64_t bits) {
  // __builtin_bit_cast, not std::bit_cast: the WebAssembly build's libc++ 14 has none.
  return __builtin_bit_cast(double, bits);
}

struct FieldShape {
  int width;
  int decimals;
};

// The program's F and E items first, then narrower and wider ones that reach the overflow,
// lost-leading-zero and rounding paths the program's own fields rarely meet.
constexpr FieldShape kFixedShapes[] = {{8, 2},  {10, 2},  {1, 0},   {2, 0}, {3, 1},  {4, 2},
                                       {5, 2},  {6, 3},   {7, 1},   {9, 4}, {12, 0}, {12, 6},
                                       {20, 9}, {24, 17}, {40, 25}, {16, 0}};
constexpr FieldShape kExponentShapes[] = {{15, 6},  {8, 2},   {9, 3},  {10, 3},  {11, 4},
                                          {12, 6},  {13, 6},  {14, 6}, {20, 12}, {25, 17},
                                          {30, 20}, {60, 40}, {15, 2}, {15, 9},  {7, 2}};

// Compares every field shape for one value; counts the values checked and keeps the first
// differences for the failure message.
class FieldComparison {
 public:
  void Check(double value) {
    ++values_;
    for (const FieldShape& shape : kFixedShapes) {
      Compare('F', value, shape, FormatFixed(value, shape.width, shape.decimals),
              reference::FormatFixed(value, shape.width, shape.decimals));
    }
    for (const FieldShape& shape : kExponentShapes) {
      Compare('E', value, shape, FormatExponent(value, shape.width, shape.decimals),
              reference::FormatExponent(value, shape.width, shape.decimals));
    }
  }
  void CheckWithNeighbours(double value, int steps) {
    Check(value);
    double up = value;
    double down = value;
    for (int k = 0; k < steps; ++k) {
      up = std::nextafter(up, std::numeric_limits<double>::infinity());
      down = std::nextafter(down, -std::numeric_limits<double>::infinity());
      Check(up);
      Check(down);
    }
  }

  std::uint64_t values() const { return values_; }
  std::uint64_t differences() const { return differences_; }
  const std::string& report() const { return report_; }

 private:
  void Compare(char item, double value, const FieldShape& shape, const std::string& ours,
               const std::string& expected) {
    ++fields_;
    if (ours == expected) return;
    if (++differences_ > 20) return;
    char bits[32];
    std::snprintf(bits, sizeof bits, "%016llx",
                  static_cast<unsigned long long>(__builtin_bit_cast(std::uint64_t, value)));
    report_.append(1, item)
        .append(std::to_string(shape.width))
        .append(".")
        .append(std::to_string(shape.decimals))
        .append(" of ")
        .append(bits)
        .append(": '")
        .append(ours)
        .append("' instead of '")
        .append(expected)
        .append("'\n");
  }

  std::uint64_t values_ = 0;
  std::uint64_t fields_ = 0;
  std::uint64_t differences_ = 0;
  std::string report_;
};

class RecordFormatCrossCheck : public testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(fields_.differences(), 0u) << fields_.report();
    std::printf("[ cross-check ] %llu doubles, %zu field shapes each, %llu differences\n",
                static_cast<unsigned long long>(fields_.values()),
                std::size(kFixedShapes) + std::size(kExponentShapes),
                static_cast<unsigned long long>(fields_.differences()));
  }

  std::mt19937_64 random_{EnvironmentNumber("QUILEX_FORMAT_CROSSCHECK_SEED", 20240612)};
  FieldComparison fields_;
};

TEST_F(RecordFormatCrossCheck, RandomBitPatterns) {
  for (std::uint64_t n = Samples() * 4; n > 0; --n)
    fields_.Check(FromBits(random_()));
}

TEST_F(RecordFormatCrossCheck, ValuesOfPrintableMagnitude) {
  // Uniform bits with a binary exponent of -60 to 60: the range every written field
  // holds, where the digits rather than the overflow decide.
  std::uniform_int_distribution<std::uint64_t> exponent(1023 - 60, 1023 + 60);
  for (std::uint64_t n = Samples() * 4; n > 0; --n) {
    const std::uint64_t bits = (random_() & 0x800fffffffffffffULL) | (exponent(random_) << 52);
    fields_.Check(FromBits(bits));
  }
}

TEST_F(RecordFormatCrossCheck, Subnormals) {
  for (std::uint64_t n = Samples(); n > 0; --n) {
    const std::uint64_t bits = random_() & 0x800fffffffffffffULL;
    fields_.Check(FromBits(bits));
  }
  // Few significant bits, both signs: the smallest and their neighbours.
  for (std::uint64_t fraction = 1; fraction < 64; ++fraction) {
    fields_.Check(FromBits(fraction));
    fields_.Check(FromBits(fraction | 0x8000000000000000ULL));
  }
}

TEST_F(RecordFormatCrossCheck, SpecialValues) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (double value :
       {0.0, -0.0, kInf, -kInf, std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::signaling_NaN(),
        FromBits(0x7ff0000000000001), FromBits(0xfff8000000000123),
        std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::min(), -std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min()}) {
    fields_.Check(value);
  }
}

TEST_F(RecordFormatCrossCheck, ExactTiesAtTheRoundingDigit) {
  // k / 2^(d+1) with k odd ends in exactly one 5 after d decimals: a tie for Fd.
  std::uniform_int_distribution<std::uint64_t> odd(0, (std::uint64_t{1} << 40) - 1);
  std::uniform_int_distribution<int> decimals(0, 8);
  std::uniform_int_distribution<int> extra(0, 3);
  for (std::uint64_t n = Samples(); n > 0; --n) {
    const double k = static_cast<double>(2 * (odd(random_) >> extra(random_) * 12) + 1);
    const double value = std::ldexp(k, -(decimals(random_) + 1));
    fields_.CheckWithNeighbours(random_() % 2 != 0 ? -value : value, 1);
  }
  // j / 2^n whose exact digits j * 5^n are seven digits ending in 5: a tie for E with six
  // significant digits, at every position of the decimal point these reach.
  std::uint64_t power = 1;
  for (int shift = 1; shift <= 10; ++shift) {
    power *= 5;
    const std::uint64_t low = (1000000 + power - 1) / power;
    const std::uint64_t high = 9999999 / power;
    std::uniform_int_distribution<std::uint64_t> j(low, high);
    for (std::uint64_t n = Samples() / 10 + 1; n > 0; --n) {
      const double value = std::ldexp(static_cast<double>(j(random_) | 1), -shift);
      fields_.CheckWithNeighbours(value, 1);
      fields_.CheckWithNeighbours(-value, 1);
    }
  }
  // Integers of seven significant digits ending in 5, times a power of ten below 2^53.
  std::uniform_int_distribution<std::uint64_t> six(100000, 999999);
  for (std::uint64_t n = Samples(); n > 0; --n) {
    double value = static_cast<double>(six(random_) * 10 + 5);
    for (int zeros = static_cast<int>(random_() % 9); zeros > 0; --zeros)
      value *= 10;
    fields_.CheckWithNeighbours(value, 1);
  }
}

TEST_F(RecordFormatCrossCheck, EitherSideOfEveryBoundary) {
  // Powers of ten and the values that round up to them, for every exponent a double has:
  // the decade steps of E, the two- and three-digit exponents, and F's overflow widths.
  const int stride = FullSize() ? 1 : 7;
  for (int exponent = -325; exponent <= 308; exponent += stride) {
    const double decade = std::pow(10.0, exponent);
    fields_.CheckWithNeighbours(decade, 3);
    fields_.CheckWithNeighbours(-decade, 3);
    for (int digits = 1; digits <= 17; digits += FullSize() ? 1 : 2 + exponent % 2) {
      const double below = decade * (1 - 0.5 * std::pow(10.0, -digits));
      fields_.CheckWithNeighbours(below, 2);
      fields_.CheckWithNeighbours(-below, 2);
    }
  }
  // Fw.d: the largest value that fits, both signs, and half a unit of the last decimal
  // (the edge of rounding to zero), for every shape.
  for (const FieldShape& shape : kFixedShapes) {
    const double unit = std::pow(10.0, -shape.decimals);
    for (int integer_digits = 0; integer_digits <= shape.width; ++integer_digits) {
      const double limit = std::pow(10.0, integer_digits) - 0.5 * unit;
      fields_.CheckWithNeighbours(limit, 3);
      fields_.CheckWithNeighbours(-limit, 3);
    }
    fields_.CheckWithNeighbours(0.5 * unit, 3);
    fields_.CheckWithNeighbours(-0.5 * unit, 3);
  }
}

// Whole records of the program's formats, through the parsed format and through the
// format parsed at run time, against the reference.
class RecordCrossCheck : public RecordFormatCrossCheck {
 protected:
  void CheckRecords(const ParsedFormat& parsed, std::string_view format,
                    const std::vector<FormatValue>& values) {
    std::string expected;
    reference::AppendFormatted(expected, format, values);
    std::string ours;
    AppendFormatted(ours, parsed, values);
    std::string ours_runtime;
    AppendFormatted(ours_runtime, format, values);
    ++records_;
    if (ours != expected || ours_runtime != expected) {
      ++differences_;
      if (report_.size() < 4000)
        report_ += std::string(format) + ": '" + ours + "' / '" + ours_runtime + "' instead of '" +
                   expected + "'\n";
    }
  }

  double AnyDouble() {
    switch (random_() % 4) {
      case 0:
        return FromBits(random_());
      case 1:
        return FromBits((random_() & 0x800fffffffffffffULL) | ((1023 - 30 + random_() % 60) << 52));
      case 2:
        return std::ldexp(static_cast<double>(random_() % 200000000) - 1e8, -3);
      default:
        return static_cast<double>(static_cast<int>(random_() % 2000001) - 1000000) / 100;
    }
  }

  int AnyInteger() {
    switch (random_() % 3) {
      case 0:
        return static_cast<int>(static_cast<std::uint32_t>(random_()));
      case 1: {
        // Around the widths of i2 to i8: 10^k - 1, 10^k, and the negative ones.
        int power = 1;
        for (int k = static_cast<int>(random_() % 9); k > 0; --k)
          power *= 10;
        const int value = power - 1 + static_cast<int>(random_() % 3);
        return random_() % 2 != 0 ? -value : value;
      }
      default:
        return static_cast<int>(random_() % 2001) - 1000;
    }
  }

  std::uint64_t records_ = 0;
  std::uint64_t differences_ = 0;
  std::string report_;
};

TEST_F(RecordCrossCheck, TheProgramsFormats) {
  for (std::uint64_t n = Samples(); n > 0; --n) {
    CheckRecords("(i4,1x,e15.6,1x,e15.6)", "(i4,1x,e15.6,1x,e15.6)",
                 {AnyInteger(), AnyDouble(), AnyDouble()});
    CheckRecords("(f8.2,1x,f8.2)", "(f8.2,1x,f8.2)", {AnyDouble(), AnyDouble()});
    CheckRecords("(2f10.2,/)", "(2f10.2,/)", {AnyDouble(), AnyDouble()});
    CheckRecords("(i5,3f10.2)", "(i5,3f10.2)",
                 {AnyInteger(), AnyDouble(), AnyDouble(), AnyDouble()});
    CheckRecords("('Ned =',f10.2,2x,'Nc_rd =',f10.2)", "('Ned =',f10.2,2x,'Nc_rd =',f10.2)",
                 {AnyDouble(), AnyDouble()});
    CheckRecords("('Mrd     = ',f8.2,/,'rho_M   = ',f8.2,/,'campo   = ',i2)",
                 "('Mrd     = ',f8.2,/,'rho_M   = ',f8.2,/,'campo   = ',i2)",
                 {AnyDouble(), AnyDouble(), AnyInteger()});
    CheckRecords("(a1,5x,f8.2,1x,f8.2,1x,i8,1x,i4,1x,i3,2x,i6,1x,i7)",
                 "(a1,5x,f8.2,1x,f8.2,1x,i8,1x,i4,1x,i3,2x,i6,1x,i7)",
                 {"C", AnyDouble(), AnyDouble(), AnyInteger(), AnyInteger(), AnyInteger(),
                  AnyInteger(), AnyInteger()});
    CheckRecords("(a2,2x,a6,2x,a7,/)", "(a2,2x,a6,2x,a7,/)", {"IT", "B450C", "C25/30 long"});
    // Reversion, a value list that ends early, and mismatched kinds.
    CheckRecords("(i3,e15.6)", "(i3,e15.6)",
                 {AnyInteger(), AnyDouble(), AnyInteger(), AnyDouble(), AnyInteger()});
    CheckRecords("(i2,f8.2,e15.6,a3)", "(i2,f8.2,e15.6,a3)",
                 {AnyDouble(), AnyInteger(), "x", AnyInteger()});
  }
  EXPECT_EQ(differences_, 0u) << report_;
  std::printf("[ cross-check ] %llu statements of the program's formats\n",
              static_cast<unsigned long long>(records_));
}

// WebAssembly keeps no flags (its build runs these tests too).
#if defined(FE_UNDERFLOW)
TEST(RecordFormatFlags, FormattingLeavesTheFloatingPointFlagsAsTheyWere) {
  const double subnormal = FromBits(12345);  // no arithmetic of its own
  for (const unsigned before : {0u, kUnderflowFlag | kOverflowFlag}) {
    ClearFloatingPointFlags();
    if (before != 0) std::feraiseexcept(FE_UNDERFLOW | FE_OVERFLOW);
    std::string out;
    const FormatValue values[] = {3, subnormal, -subnormal, std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::quiet_NaN()};
    AppendFormatted(out, "(i4,1x,e15.6,1x,e15.6,f10.2,f8.2)", values);
    EXPECT_EQ(FormatFixed(subnormal, 8, 2), "    0.00");
    EXPECT_EQ(FormatExponent(-subnormal, 15, 6), "  -0.609924-319");
    EXPECT_EQ(RaisedFloatingPointFlags(), before);
  }
  ClearFloatingPointFlags();
}
#endif

}  // namespace
}  // namespace quilex::textio
