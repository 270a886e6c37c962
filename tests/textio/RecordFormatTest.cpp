// The fixed-column record formats every output file is written with: rounding of F and E
// fields, overflow to asterisks, non-finite values, and the statement rules (literals,
// skips, repeat counts, slashes, reversion, end of the value list).
#include "textio/RecordFormat.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "textio/NumberedFiles.hpp"

namespace quilex::textio {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RecordFormatTest, FixedRoundsTheExactBinaryValueToNearestTiesToEven) {
  EXPECT_EQ(FormatFixed(0.125, 8, 2), "    0.12");  // exact tie, even digit
  EXPECT_EQ(FormatFixed(0.375, 8, 2), "    0.38");  // exact tie, even digit
  EXPECT_EQ(FormatFixed(2.675, 8, 2), "    2.67");  // the double lies below 2.675
  EXPECT_EQ(FormatFixed(12345.678, 8, 2), "12345.68");
  EXPECT_EQ(FormatFixed(-0.0, 8, 2), "   -0.00");
  EXPECT_EQ(FormatFixed(-0.004, 8, 2), "   -0.00");  // the sign stays when it rounds to zero
}

TEST(RecordFormatTest, FixedFieldTooNarrowBecomesAsterisks) {
  EXPECT_EQ(FormatFixed(99999.995, 8, 2), "99999.99");  // the double lies below the tie
  EXPECT_EQ(FormatFixed(std::nextafter(99999.995, kInf), 8, 2), "********");
  EXPECT_EQ(FormatFixed(-9999.994, 8, 2), "-9999.99");
  EXPECT_EQ(FormatFixed(-9999.995, 8, 2), "********");  // the double lies beyond the tie
  // The zero before the point goes first, and only when the field is too narrow for it.
  EXPECT_EQ(FormatFixed(0.5, 4, 2), "0.50");
  EXPECT_EQ(FormatFixed(0.5, 3, 2), ".50");
  EXPECT_EQ(FormatFixed(-0.5, 4, 2), "-.50");
  EXPECT_EQ(FormatFixed(-0.5, 3, 2), "***");
  EXPECT_EQ(FormatExponent(-0.5, 12, 6), "-.500000E+00");
}

TEST(RecordFormatTest, ExponentHasLeadingZeroAndDropsTheLetterForThreeDigitExponents) {
  EXPECT_EQ(FormatExponent(123.456, 15, 6), "   0.123456E+03");
  EXPECT_EQ(FormatExponent(-123.456, 15, 6), "  -0.123456E+03");
  EXPECT_EQ(FormatExponent(0.9999995, 15, 6), "   0.100000E+01");  // rounds up a decade
  EXPECT_EQ(FormatExponent(0.0, 15, 6), "   0.000000E+00");
  EXPECT_EQ(FormatExponent(-0.0, 15, 6), "  -0.000000E+00");
  EXPECT_EQ(FormatExponent(1e-100, 15, 6), "   0.100000E-99");
  EXPECT_EQ(FormatExponent(1e99, 15, 6), "   0.100000+100");
  EXPECT_EQ(FormatExponent(1e100, 15, 6), "   0.100000+101");
  EXPECT_EQ(FormatExponent(0.5078125, 15, 6), "   0.507812E+00");  // exact tie, even digit
  EXPECT_EQ(FormatExponent(0.5234375, 15, 6), "   0.523438E+00");  // exact tie, even digit
  // One significant digit, and more digits than a double holds.
  EXPECT_EQ(FormatExponent(-7.25, 10, 1), "  -0.7E+01");
  EXPECT_EQ(FormatExponent(0.26, 7, 1), "0.3E+00");
  EXPECT_EQ(FormatExponent(0.125, 30, 20), "    0.12500000000000000000E+00");
}

TEST(RecordFormatTest, IntegerRightAlignedWithMinusSignOnly) {
  EXPECT_EQ(FormatInteger(-42, 5), "  -42");
  EXPECT_EQ(FormatInteger(-9, 2), "-9");
  EXPECT_EQ(FormatInteger(100, 2), "**");
  EXPECT_EQ(FormatInteger(-10, 2), "**");
}

TEST(RecordFormatTest, InfinitiesAndNaNAreWordsThatFitTheField) {
  EXPECT_EQ(FormatFixed(kInf, 8, 2), "Infinity");
  EXPECT_EQ(FormatFixed(-kInf, 8, 2), "    -Inf");
  EXPECT_EQ(FormatFixed(kNaN, 8, 2), "     NaN");
  EXPECT_EQ(FormatExponent(kInf, 15, 6), "       Infinity");
  EXPECT_EQ(FormatExponent(-kInf, 15, 6), "      -Infinity");
  EXPECT_EQ(FormatExponent(kNaN, 15, 6), "            NaN");
  EXPECT_EQ(FormatFixed(-kInf, 9, 2), "-Infinity");
  EXPECT_EQ(FormatFixed(kInf, 7, 2), "    Inf");
  EXPECT_EQ(FormatFixed(kInf, 3, 1), "Inf");
  EXPECT_EQ(FormatFixed(-kInf, 4, 1), "-Inf");
  EXPECT_EQ(FormatFixed(kInf, 2, 0), "**");
  EXPECT_EQ(FormatFixed(-kInf, 3, 1), "***");
}

TEST(RecordFormatTest, RepeatCountsLiteralsSkipsAndCharacterFields) {
  EXPECT_EQ(Formatted("(i5,3f10.2)", {1, 10.0, 20.0, 16.0}),
            "    1     10.00     20.00     16.00\r\n");
  EXPECT_EQ(Formatted("('Ned =',f10.2,2x,'Nc_rd =',f10.2)", {-500.0, 2345.678}),
            "Ned =   -500.00  Nc_rd =   2345.68\r\n");
  EXPECT_EQ(Formatted("(5x,i3)", {7}), "       7\r\n");
  EXPECT_EQ(Formatted("(i3,5x)", {7}), "  7\r\n");  // no trailing blanks
  EXPECT_EQ(Formatted("(i3,5x,/,i3)", {7, 8}), "  7\r\n  8\r\n");
  EXPECT_EQ(Formatted("(a3,'|',a6,'|')", {"ABCDEF", "AB"}), "ABC|    AB|\r\n");
  EXPECT_EQ(Formatted("('it''s ',a,a2)", {"abc", 5}), "it's abc**\r\n");
  // A doubled quote that ends a literal; items in capitals.
  EXPECT_EQ(Formatted("('x=''')", {}), "x='\r\n");
  EXPECT_EQ(Formatted("(A2,1X,I3,F6.1,E11.3)", {"ab", 7, 2.5, 0.5}), "ab   7   2.5  0.500E+00\r\n");
}

TEST(RecordFormatTest, SlashesAndTheEndOfTheValueList) {
  EXPECT_EQ(Formatted("(2f10.2,/)", {1.5, -2.25}), "      1.50     -2.25\r\n\r\n");
  EXPECT_EQ(Formatted("('a',/,'b',//,'c')"), "a\r\nb\r\n\r\nc\r\n");
  // The statement ends at the first data item without a value.
  EXPECT_EQ(Formatted("(i3,' x',i3,' y')", {1}), "  1 x\r\n");
  EXPECT_EQ(Formatted("('only text')"), "only text\r\n");
  EXPECT_EQ(Formatted("(i3)"), "\r\n");
  // Remaining values restart the format on a new record.
  EXPECT_EQ(Formatted("(2i3)", {1, 2, 3, 4, 5}), "  1  2\r\n  3  4\r\n  5\r\n");
  EXPECT_EQ(Formatted("('N=',i3,';')", {1, -2}), "N=  1;\r\nN= -2;\r\n");
  EXPECT_EQ(Formatted("(i4,1x,e15.6,1x,e15.6)", {1, 0.5, -2.0, 2, 0.0, 1e5}),
            "   1    0.500000E+00   -0.200000E+01\r\n"
            "   2    0.000000E+00    0.100000E+06\r\n");
}

TEST(RecordFormatTest, IntegerValuesConvertForRealItemsOtherMismatchesAreAsterisks) {
  EXPECT_EQ(Formatted("(f8.2,e15.6)", {3, -4}), "    3.00  -0.400000E+01\r\n");
  EXPECT_EQ(Formatted("(i3,f6.1)", {2.5, "x"}), "*********\r\n");
  EXPECT_EQ(Formatted("(a,'|')", {7}), "*|\r\n");  // an A item without width: one column
}

TEST(RecordFormatTest, FreeFormRecordsStartWithOneBlank) {
  EXPECT_EQ(FreeFormRecord("maximum number of iterations"), " maximum number of iterations\r\n");
  OutputFile log(20);
  log.WriteFreeForm("text");
  log.WriteFormatted("(i2)", {100});
  log.Write("raw\r\n");
  EXPECT_EQ(log.text(), " text\r\n**\r\nraw\r\n");
}

}  // namespace
}  // namespace quilex::textio
