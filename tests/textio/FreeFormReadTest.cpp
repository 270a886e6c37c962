// Free-form reading of input records: separators, records, value forms, character
// values, repeat counts, slashes, null values, and the console message of a failed read.
#include "textio/FreeFormRead.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "textio/NumberedFiles.hpp"

namespace quilex::textio {
namespace {

using ::testing::ElementsAre;

TEST(FreeFormReadTest, ValuesContinueOnNextRecordAndTheRestOfTheLastIsDiscarded) {
  InputFile unit(13, "slu-max.txt", "10\n20,30 40\n50\n");
  double v[4] = {};
  ReadList(unit, {v[0], v[1], v[2]});
  ReadList(unit, {v[3]});
  EXPECT_THAT(v, ElementsAre(10.0, 20.0, 30.0, 50.0));
}

TEST(FreeFormReadTest, BlanksTabsCommasEmptyRecordsAndCarriageReturns) {
  InputFile unit(11, "sezi.txt", "\r\n  \r\n1,2  3\t4 , 5\r\n\r\n\t6\r\nT\r\n7");
  int v[7] = {};
  std::string type;
  ReadList(unit, {v[0], v[1], v[2], v[3], v[4], v[5]});
  ReadList(unit, {{type, 3}});
  ReadList(unit, {v[6]});  // a last record without a line end
  EXPECT_THAT(v, ElementsAre(1, 2, 3, 4, 5, 6, 7));
  EXPECT_EQ(type, "T  ");  // the CR is no part of the value
}

TEST(FreeFormReadTest, LoneCarriageReturnsEndRecordsAsLineFeedsDo) {
  // LF, CR LF and a lone CR each end one record; CR CR LF is an empty record between two.
  InputFile unit(11, "sezi.txt", "R\r300 500\r\n40\n\r\r\n1 2\r3\r");
  ASSERT_EQ(unit.record_count(), 7u);
  const char* expected[] = {"R", "300 500", "40", "", "", "1 2", "3"};
  for (std::size_t k = 0; k < 7; ++k)
    EXPECT_EQ(unit.record(k), expected[k]) << k;
  std::string type;
  double v[3] = {};
  int n[2] = {};
  ReadList(unit, {{type, 1}});
  ReadList(unit, {v[0], v[1], v[2]});
  ReadList(unit, {n[0]});  // the rest of "1 2" is discarded with its record
  ReadList(unit, {n[1]});
  EXPECT_EQ(type, "R");
  EXPECT_THAT(v, ElementsAre(300.0, 500.0, 40.0));
  EXPECT_THAT(n, ElementsAre(1, 3));
}

TEST(FreeFormReadTest, RealForms) {
  InputFile unit(13, "slu-max.txt", "30 30. 3.0e1 3.0d1 3.0E+1 300D-1 -0.5 +2\n50.27 0.1\n");
  double v[10] = {};
  ReadList(unit, {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]});
  ReadList(unit, {v[8], v[9]});  // the nearest doubles, as constants in the source would be
  EXPECT_THAT(v, ElementsAre(30.0, 30.0, 30.0, 30.0, 30.0, 30.0, -0.5, 2.0, 50.27, 0.1));
}

TEST(FreeFormReadTest, CharacterValuesArePaddedOrCut) {
  InputFile unit(12, "mate.txt", "IT\nB450C\n'C25/30'\n\"a b,c\" 'ABCDEFGH'\nC25/30 9\n");
  std::string code, steel, concrete, spaced, cut, unquoted;
  int after = -1;
  ReadList(unit, {{code, 2}});
  ReadList(unit, {{steel, 6}});
  ReadList(unit, {{concrete, 7}});
  ReadList(unit, {{spaced, 7}, {cut, 3}});
  ReadList(unit, {{unquoted, 7}, after});  // unquoted, the slash ends value and statement
  EXPECT_EQ(code + "|" + steel + "|" + concrete + "|" + spaced + "|" + cut + "|" + unquoted,
            "IT|B450C |C25/30 |a b,c  |ABC|C25    ");
  EXPECT_EQ(after, -1);
}

TEST(FreeFormReadTest, RepeatCountsSlashesAndNullValues) {
  InputFile unit(11, "sezi.txt", "3*1.5 2*7\n1 2 / 5\n8,,9\n10 , ,11\n12\n");
  double r[3] = {};
  int n[2] = {}, v[4] = {-1, -1, -1, -1}, w[3] = {-1, -1, -1};
  double x[3] = {0.5, 0.5, 0.5};
  ReadList(unit, {r[0], r[1], r[2], n[0], n[1]});
  EXPECT_THAT(r, ElementsAre(1.5, 1.5, 1.5));
  EXPECT_THAT(n, ElementsAre(7, 7));
  ReadList(unit, {v[0], v[1], v[2], v[3]});
  EXPECT_THAT(v, ElementsAre(1, 2, -1, -1));
  ReadList(unit, {w[0], w[1], w[2]});  // starts on the next record, the 5 is discarded
  EXPECT_THAT(w, ElementsAre(8, -1, 9));
  ReadList(unit, {x[0], x[1], x[2]});
  EXPECT_THAT(x, ElementsAre(10.0, 0.5, 11.0));
  ReadList(unit, {n[0]});
  EXPECT_EQ(n[0], 12);
}

// The console message of a read of `content` into `items`, or "" when the read succeeds.
std::string Failure(const char* content, std::initializer_list<ReadItem> items,
                    SourcePosition where = SourcePosition::Here()) {
  InputFile unit(11, "sezi.txt", content);
  try {
    ReadList(unit, items, where);
  } catch (const FileFailure& failure) {
    return failure.what();
  }
  return "";
}

TEST(FreeFormReadTest, FailureNamesTheReadTheUnitAndTheFileAndTheCause) {
  int n = 0, m = 0;
  double x = 0;
  const std::string end_of_file = Failure("300\n", {x, x});  // ends in the middle of the list
  EXPECT_EQ(end_of_file,
            "At line " + std::to_string(__LINE__ - 2) +
                " of file tests/textio/FreeFormReadTest.cpp (unit = 11, file = 'sezi.txt')\n"
                "Error: End of file\n");
  using ::testing::EndsWith;
  EXPECT_THAT(Failure("2.0\n", {n}), EndsWith("\nError: Bad integer for item 1 in list input\n"));
  EXPECT_THAT(Failure("3 x\n", {n, m}),
              EndsWith("\nError: Bad integer for item 2 in list input\n"));
  EXPECT_THAT(Failure("1.5 1.5 abc\n", {x, x, x}),
              EndsWith("\nError: Bad real number in item 3 of list input\n"));
  EXPECT_THAT(Failure("1 99999999999\n", {n, m}),
              EndsWith("\nError: Integer overflow while reading item 2\n"));
}

}  // namespace
}  // namespace quilex::textio
