// Free-form reading of input records: how statements share the records, and every rule of
// the reader (separators, null values, repeat counts, slashes, quotes, character, integer and
// real values, the end of the file) from both sides, with the console message of a refusal.
#include "textio/FreeFormRead.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "textio/NumberedFiles.hpp"

namespace quilex::textio {
namespace {

using ::testing::ElementsAre;

// Statements in a row: empty and blank records are skipped, a statement goes on over the
// records it needs and the next one starts on the record after its last.
TEST(FreeFormReadTest, EachStatementStartsOnTheRecordAfterTheLastOneItUsed) {
  InputFile unit(11, "sezi.txt", "\r\n  \r\n1 2 / 5\n8,,9\n10*4 5 6 end\n20,\n30 m\nT\r\n7");
  int v[3] = {-1, -1, -1}, w[12] = {};
  std::string type;
  ReadList(unit, {v[0], v[1], v[2]});
  EXPECT_THAT(v, ElementsAre(1, 2, -1));
  ReadList(unit, {v[0], v[1], v[2]});  // the 5 after the slash is discarded
  EXPECT_THAT(v, ElementsAre(8, 2, 9));
  ReadList(unit, {w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10], w[11]});
  EXPECT_THAT(w, ElementsAre(4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 5, 6));  // a count of two digits
  ReadList(unit, {v[0], v[1]});
  EXPECT_THAT(v, ElementsAre(20, 30, 9));
  ReadList(unit, {{type, 3}});
  EXPECT_EQ(type, "T  ");  // the CR is no part of the value
  ReadList(unit, {v[0]});  // a last record without a line end
  EXPECT_EQ(v[0], 7);
}

TEST(FreeFormReadTest, LoneCarriageReturnsEndRecordsAsLineFeedsDo) {
  // LF, CR LF and a lone CR each end one record; CR CR LF is an empty record between two.
  InputFile unit(11, "sezi.txt", "R\r300 500\r\n40\n\r\r\n1 x\r3\r");
  ASSERT_EQ(unit.record_count(), 7u);
  const char* expected[] = {"R", "300 500", "40", "", "", "1 x", "3"};
  for (std::size_t k = 0; k < 7; ++k)
    EXPECT_EQ(unit.record(k), expected[k]) << k;
  std::string type;
  double v[3] = {};
  int n[2] = {};
  ReadList(unit, {{type, 1}});
  ReadList(unit, {v[0], v[1], v[2]});
  ReadList(unit, {n[0]});  // the rest of "1 x" is discarded with its record
  ReadList(unit, {n[1]});
  EXPECT_EQ(type, "R");
  EXPECT_THAT(v, ElementsAre(300.0, 500.0, 40.0));
  EXPECT_THAT(n, ElementsAre(1, 3));
}

// A failure names the file, the line and the item by the names the caller gives them.
TEST(FreeFormReadTest, FailureNamesTheFileTheLineAndTheItem) {
  const auto failure = [](const char* content) {
    InputFile unit(11, "sezi.txt", content);
    double B = 0, H = 0;
    int nb = 0;
    try {
      ReadList(unit, {{B, "B"}, {H, "H"}, {nb, "nb"}}, "the section");
    } catch (const InputFailure& failure) {
      return std::string(failure.what());
    }
    return std::string("read");
  };
  EXPECT_EQ(failure("\n300 500\n"),
            "sezi.txt: the file ends before item 3 (nb, an integer) of the section\n");
  EXPECT_EQ(failure("300\n\n500 two"),
            "sezi.txt, line 3, item 3 (nb, an integer): \"two\" is not an integer\n");
  EXPECT_EQ(failure("300 500 2 ! web, 3 legs"), "read");
  EXPECT_EQ(failure("300\n500,5 2"),
            "sezi.txt, line 2: 3 numbers where the read of the section takes 2 (H nb); a decimal "
            "comma makes "
            "two numbers of one\n");
  EXPECT_EQ(failure("300 500 2 / 7"), "read");
}

TEST(FreeFormReadTest, NumbersAfterTheLastRecordReadAreRefused) {
  InputFile unit(11, "sezi.txt", "5\n\n  no numbers, 'nor 7 quoted'\n2*3\n");
  int n = 0;
  ReadList(unit, {n});
  try {
    RequireNoFurtherNumbers(unit, "the bars", "nbar too small?");
    FAIL() << "the 2*3 of line 4 passed";
  } catch (const InputFailure& failure) {
    EXPECT_STREQ(failure.what(),
                 "sezi.txt, line 4: a number after the bars, whose last line is line 1 (nbar too "
                 "small?)\n");
  }
}

// One read statement of `content` into the items `kinds` lists (i integer, r real, a<n>
// character of length n), each starting from a value a read must not invent (-1, -0.5,
// '?'): the values read, joined by '|', or the cause of the failure.
std::string Read(const std::string& content, const std::string& kinds) {
  int integers[4] = {-1, -1, -1, -1};
  double reals[4] = {-0.5, -0.5, -0.5, -0.5};
  std::string texts[4] = {"?", "?", "?", "?"};
  std::vector<ReadItem> items;
  std::vector<char> order;
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    const std::size_t n = order.size();
    if (kinds[k] == 'i') items.emplace_back(integers[n]);
    if (kinds[k] == 'r') items.emplace_back(reals[n]);
    if (kinds[k] == 'a') items.emplace_back(texts[n], static_cast<std::size_t>(kinds[++k] - '0'));
    order.push_back(kinds[k] == 'i' || kinds[k] == 'r' ? kinds[k] : 'a');
  }
  InputFile unit(11, "sezi.txt", content);
  try {
    switch (items.size()) {
      case 1:
        ReadList(unit, {items[0]});
        break;
      case 2:
        ReadList(unit, {items[0], items[1]});
        break;
      case 3:
        ReadList(unit, {items[0], items[1], items[2]});
        break;
      default:
        ReadList(unit, {items[0], items[1], items[2], items[3]});
        break;
    }
  } catch (const InputFailure& failure) {
    return failure.what();
  }
  std::string values;
  for (std::size_t n = 0; n < order.size(); ++n) {
    char real[32];
    std::snprintf(real, sizeof real, "%.17g", reals[n]);
    if (n > 0) values += '|';
    values += order[n] == 'i'   ? std::to_string(integers[n])
              : order[n] == 'r' ? std::string(real)
                                : texts[n];
  }
  return values;
}

// Every rule of the reader from both sides: what it accepts and how it reads it, and what
// it refuses with which cause.
TEST(FreeFormReadTest, RulesOfTheReader) {
  const struct {
    const char* content;
    const char* kinds;
    const char* read;
  } rules[] = {
      // Separators: blanks, tabs, one comma among blanks, ends of record; nothing else.
      {"1 2,3\t4", "iiii", "1|2|3|4"},
      {" 1 ,  2 ,3", "iii", "1|2|3"},
      {"1\n\n  \n2\r\n3", "iii", "1|2|3"},
      {"1;2", "i", "sezi.txt, line 1, item 1 (an integer): \"1;2\" is not an integer\n"},
      {"1:2 3", "ri", "sezi.txt, line 1, item 1 (a number): \"1:2\" is not a number\n"},
      {"B450C;x", "a6", "B450C;"},
      // Null values: a comma first of all, two commas, a comma between blanks; a comma
      // at the end of a record is only a separator.
      {",5", "ii", "-1|5"},
      {"  , 5", "ii", "-1|5"},
      {"5,,6", "iii", "5|-1|6"},
      {"5, ,6", "iii", "5|-1|6"},
      {"5,,,6", "iiii", "5|-1|-1|6"},
      {"5,\n6", "ii", "5|6"},
      {"5,\n,6", "iii", "5|-1|6"},
      {",,", "rr", "-0.5|-0.5"},
      // Repeat counts: r*value, and r* alone for r null values; the count is at least 1.
      {"3*7", "iii", "7|7|7"},
      {"2*1.5 4", "rri", "1.5|1.5|4"},
      {"2*'ab' c", "a2a2a2", "ab|ab|c "},
      {"2* 4", "iii", "-1|-1|4"},
      {"2*,4", "iii", "-1|-1|4"},
      {"5 2*", "iii", "5|-1|-1"},
      {"1*9", "i", "9"},
      {"3*7", "ii", "7|7"},
      {"0*5", "i", "sezi.txt, line 1, item 1 (an integer): a repeat count of zero\n"},
      {"1 0*", "ii", "sezi.txt, line 1, item 2 (an integer): a repeat count of zero\n"},
      {"*5", "i", "sezi.txt, line 1, item 1 (an integer): \"*5\" is not an integer\n"},
      // A slash ends the statement and leaves the remaining items as they were.
      {"1 / 2", "iii", "1|-1|-1"},
      {"1/2", "ii", "1|-1"},
      {"/ 5", "i", "-1"},
      {"C25/30 9", "a7i", "C25    |-1"},
      {"'C25/30' 9", "a7i", "C25/30 |9"},
      // Quotes: apostrophes or quotation marks, a doubled quote stands for one, the
      // other kind is an ordinary character, text glued to the closing quote is dropped.
      {"'it''s' \"a \"\"b\"\"\"", "a5a5", "it's |a \"b\""},
      {"\"it's\" 'a,b'", "a4a3", "it's|a,b"},
      {"'C25/30'x 5", "a7i", "C25/30 |5"},
      {"'ab c", "a5", "ab c "},  // an unclosed quote ends with the record
      {"'ab''", "a3", "ab'"},
      {"'5'", "i", "sezi.txt, line 1, item 1 (an integer): \"5\" is not an integer\n"},
      {"1 \"2.5\"", "rr", "sezi.txt, line 1, item 2 (a number): \"2.5\" is not a number\n"},
      // Character values: cut to their leftmost characters or padded with blanks.
      {"ABCDEFGH 'ABCDEFGH'", "a3a3", "ABC|ABC"},
      {"  IT  B450C", "a2a6", "IT|B450C "},
      {"I T", "a2a2", "I |T "},
      // Integers: an optional sign and digits, within 32 bits.
      {"+7 -7 007", "iii", "7|-7|7"},
      {"2147483647 -2147483648", "ii", "2147483647|-2147483648"},
      {"2147483648", "i",
       "sezi.txt, line 1, item 1 (an integer): \"2147483648\" is outside the integers -2147483648 "
       "to 2147483647\n"},
      {"1 -2147483649", "ii",
       "sezi.txt, line 1, item 2 (an integer): \"-2147483649\" is outside the integers -2147483648 "
       "to 2147483647\n"},
      {"99999999999999999999", "i",
       "sezi.txt, line 1, item 1 (an integer): \"99999999999999999999\" is outside the integers "
       "-2147483648 to 2147483647\n"},
      {"2.0", "i", "sezi.txt, line 1, item 1 (an integer): \"2.0\" is not an integer\n"},
      {"2e0", "i", "sezi.txt, line 1, item 1 (an integer): \"2e0\" is not an integer\n"},
      {"+", "i", "sezi.txt, line 1, item 1 (an integer): \"+\" is not an integer\n"},
      {"1-2", "i", "sezi.txt, line 1, item 1 (an integer): \"1-2\" is not an integer\n"},
      {"12a", "i", "sezi.txt, line 1, item 1 (an integer): \"12a\" is not an integer\n"},
      // Reals: digits with at most one point, an exponent introduced by e or d (either
      // case) with digits, and a finite value.
      {"30 30. .5 -3.", "rrrr", "30|30|0.5|-3"},
      {"3.0e1 3.0d1 3E1 3D+1", "rrrr", "30|30|30|30"},
      {"300d-1 +2.5e-1 1e308", "rrr", "30|0.25|1e+308"},
      {"50.27 0.1", "rr", "50.270000000000003|0.10000000000000001"},  // the nearest doubles
      {"1e", "r", "sezi.txt, line 1, item 1 (a number): \"1e\" is not a number\n"},
      {"1.5d+", "r", "sezi.txt, line 1, item 1 (a number): \"1.5d+\" is not a number\n"},
      {"1e5.0", "r", "sezi.txt, line 1, item 1 (a number): \"1e5.0\" is not a number\n"},
      {"e5", "r", "sezi.txt, line 1, item 1 (a number): \"e5\" is not a number\n"},
      {".", "r", "sezi.txt, line 1, item 1 (a number): \".\" is not a number\n"},
      {"-.e1", "r", "sezi.txt, line 1, item 1 (a number): \"-.e1\" is not a number\n"},
      {"1.2.3", "r", "sezi.txt, line 1, item 1 (a number): \"1.2.3\" is not a number\n"},
      {"1+5", "r", "sezi.txt, line 1, item 1 (a number): \"1+5\" is not a number\n"},
      {"1e5x", "r", "sezi.txt, line 1, item 1 (a number): \"1e5x\" is not a number\n"},
      {"inf", "r", "sezi.txt, line 1, item 1 (a number): \"inf\" is not a number\n"},
      {"nan", "r", "sezi.txt, line 1, item 1 (a number): \"nan\" is not a number\n"},
      {"0x10", "r", "sezi.txt, line 1, item 1 (a number): \"0x10\" is not a number\n"},
      {"1,5", "r",
       "sezi.txt, line 1: 2 numbers where the read of the list takes 1; a decimal comma makes two "
       "numbers of "
       "one\n"},
      {"1 1e309", "rr",
       "sezi.txt, line 1, item 2 (a number): \"1e309\" is beyond the largest number (about "
       "1.8e308)\n"},
      {"-2e308", "r",
       "sezi.txt, line 1, item 1 (a number): \"-2e308\" is beyond the largest number (about "
       "1.8e308)\n"},
      // A file that ends before the list is filled.
      {"", "i", "sezi.txt: the file ends before item 1 (an integer) of the list\n"},
      {"1\n\n", "ii", "sezi.txt: the file ends before item 2 (an integer) of the list\n"},
  };
  for (const auto& rule : rules) {
    EXPECT_EQ(Read(rule.content, rule.kinds), rule.read)
        << "reading \"" << rule.content << "\" into " << rule.kinds;
  }
}

}  // namespace
}  // namespace quilex::textio
