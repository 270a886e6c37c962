// Free-form reading of input records: separators, records, value forms, character
// values, repeat counts, slashes, null values, and the console message of a failed read.
#include "textio/FreeFormRead.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "textio/Units.hpp"

namespace quilex::textio {
namespace {

using ::testing::EndsWith;

std::string FailureOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const UnitFailure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(FreeFormReadTest, ValuesContinueOnNextRecordAndTheRestOfTheLastIsDiscarded) {
  InputUnit unit(13, "slu-max.txt", "10\n20,30 40\n50\n");
  double a = 0, b = 0, c = 0, d = 0;
  ReadList(unit, {a, b, c});
  EXPECT_EQ(a, 10.0);
  EXPECT_EQ(b, 20.0);
  EXPECT_EQ(c, 30.0);
  ReadList(unit, {d});
  EXPECT_EQ(d, 50.0);
}

TEST(FreeFormReadTest, BlanksTabsCommasEmptyRecordsAndCarriageReturns) {
  InputUnit unit(11, "sezi.txt", "\r\n  \r\n1,2  3\t4 , 5\r\n\r\n\t6\r\nT\r\n7");
  int v[6] = {};
  ReadList(unit, {v[0], v[1], v[2], v[3], v[4], v[5]});
  EXPECT_THAT(v, ::testing::ElementsAre(1, 2, 3, 4, 5, 6));
  std::string type;
  ReadList(unit, {{type, 3}});
  EXPECT_EQ(type, "T  ");  // the CR is no part of the value
  int last = 0;
  ReadList(unit, {last});  // a last record without a line end
  EXPECT_EQ(last, 7);
}

TEST(FreeFormReadTest, RealForms) {
  InputUnit unit(13, "slu-max.txt", "30 30. 3.0e1 3.0d1 3.0E+1 300D-1 -0.5 +2\n");
  double v[8] = {};
  ReadList(unit, {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]});
  EXPECT_THAT(v, ::testing::ElementsAre(30.0, 30.0, 30.0, 30.0, 30.0, 30.0, -0.5, 2.0));
  InputUnit exact(13, "slu-max.txt", "50.27 -500000 0.1\n");
  double x = 0, y = 0, z = 0;
  ReadList(exact, {x, y, z});
  EXPECT_EQ(x, 50.27);  // the nearest double, as a constant in the source would be
  EXPECT_EQ(y, -500000.0);
  EXPECT_EQ(z, 0.1);
}

TEST(FreeFormReadTest, CharacterValuesArePaddedOrCut) {
  InputUnit unit(12, "mate.txt", "IT\nB450C\n'C25/30'\n\"a b,c\" 'ABCDEFGH'\nC25/30 9\n");
  std::string code, steel, concrete, spaced, cut, unquoted;
  ReadList(unit, {{code, 2}});
  ReadList(unit, {{steel, 6}});
  ReadList(unit, {{concrete, 7}});
  ReadList(unit, {{spaced, 7}, {cut, 3}});
  EXPECT_EQ(code, "IT");
  EXPECT_EQ(steel, "B450C ");
  EXPECT_EQ(concrete, "C25/30 ");
  EXPECT_EQ(spaced, "a b,c  ");
  EXPECT_EQ(cut, "ABC");
  // Unquoted, the slash ends the value and the statement.
  int after = -1;
  ReadList(unit, {{unquoted, 7}, after});
  EXPECT_EQ(unquoted, "C25    ");
  EXPECT_EQ(after, -1);
}

TEST(FreeFormReadTest, RepeatCounts) {
  InputUnit unit(11, "sezi.txt", "3*1.5 2*7\n");
  double a = 0, b = 0, c = 0;
  int n = 0, m = 0;
  ReadList(unit, {a, b, c, n, m});
  EXPECT_EQ(a, 1.5);
  EXPECT_EQ(b, 1.5);
  EXPECT_EQ(c, 1.5);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(m, 7);
}

TEST(FreeFormReadTest, SlashAndNullValuesLeaveItemsUnchanged) {
  InputUnit unit(11, "sezi.txt", "1 2 / 5\n8,,9\n10 , ,11\n12\n");
  int v[4] = {-1, -1, -1, -1};
  ReadList(unit, {v[0], v[1], v[2], v[3]});
  EXPECT_THAT(v, ::testing::ElementsAre(1, 2, -1, -1));
  int a = -1, b = -1, c = -1;
  ReadList(unit, {a, b, c});  // starts on the next record, the 5 is discarded
  EXPECT_EQ(a, 8);
  EXPECT_EQ(b, -1);
  EXPECT_EQ(c, 9);
  double x = 0.5, y = 0.5, z = 0.5;
  ReadList(unit, {x, y, z});
  EXPECT_EQ(x, 10.0);
  EXPECT_EQ(y, 0.5);
  EXPECT_EQ(z, 11.0);
  int last = 0;
  ReadList(unit, {last});
  EXPECT_EQ(last, 12);
}

TEST(FreeFormReadTest, FailureNamesTheReadTheUnitAndTheFile) {
  InputUnit unit(10, "parm.txt", "");
  int flag = 0;
  int line = 0;
  const std::string message = FailureOf([&] { line = __LINE__, ReadList(unit, {flag}); });
  EXPECT_EQ(message,
            "At line " + std::to_string(line) +
                " of file tests/textio/FreeFormReadTest.cpp (unit = 10, file = 'parm.txt')\n"
                "Error: End of file\n");
}

TEST(FreeFormReadTest, FailureCauses) {
  int n = 0, m = 0;
  double x = 0;
  InputUnit short_file(11, "sezi.txt", "R\n300\n");
  std::string type;
  ReadList(short_file, {{type, 1}});
  EXPECT_THAT(FailureOf([&] { ReadList(short_file, {x, x}); }), EndsWith("\nError: End of file\n"));
  InputUnit decimal(11, "sezi.txt", "2.0\n");
  EXPECT_THAT(FailureOf([&] { ReadList(decimal, {n}); }),
              EndsWith("\nError: Bad integer for item 1 in list input\n"));
  InputUnit letter(11, "sezi.txt", "3 x\n");
  EXPECT_THAT(FailureOf([&] {
                ReadList(letter, {n, m});
              }),
              EndsWith("\nError: Bad integer for item 2 in list input\n"));
  InputUnit real(13, "slu-max.txt", "1.5 1.5 abc\n");
  EXPECT_THAT(FailureOf([&] {
                ReadList(real, {x, x, x});
              }),
              EndsWith("\nError: Bad real number in item 3 of list input\n"));
  InputUnit big(11, "sezi.txt", "1 99999999999\n");
  EXPECT_THAT(FailureOf([&] {
                ReadList(big, {n, m});
              }),
              EndsWith("\nError: Integer overflow while reading item 2\n"));
}

}  // namespace
}  // namespace quilex::textio
