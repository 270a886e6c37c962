// The one CSV dialect both ways: what CsvQuoted writes reads back to the same text in a
// record of the results table, and a field is quoted only when it must be. (The reading
// rules themselves, through the table of actions: ActionsTableTest.)
#include "runfiles/Csv.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quilex::runfiles {
namespace {

TEST(Csv, WhatIsWrittenReadsBackTheSame) {
  const std::vector<std::string> names = {
      "ULS 1", "G+Q; wind", "wind, left", "say \"hi\"", "ULS 1\nwind", "a\r\nb",    "a\rb",
      "#3",    " ULS 2",    "ULS 2\t",    "",           "\"",          "Trägerrost"};
  std::string table = "name,Ned_kN,reason\r\n";
  for (const std::string& name : names)
    table += CsvQuoted(name) + ",-500.00," + CsvQuoted("no resisting moment; x, y") + "\r\n";
  CsvReader records(table);
  std::vector<CsvField> fields;
  ASSERT_TRUE(records.ReadHeader(fields));
  ASSERT_EQ(records.separator(), ',');
  for (const std::string& name : names) {
    ASSERT_TRUE(records.Next(fields)) << name;
    ASSERT_EQ(fields.size(), 3u) << name;
    EXPECT_EQ(fields[0].Text(), name);
    EXPECT_EQ(fields[2].Text(), "no resisting moment; x, y");
  }
  EXPECT_FALSE(records.Next(fields));

  EXPECT_EQ(CsvQuoted("ULS 1"), "ULS 1");
  EXPECT_EQ(CsvQuoted("G+Q; wind"), "G+Q; wind");
  EXPECT_EQ(CsvQuoted("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvQuoted("ULS #3"), "ULS #3");
}

}  // namespace
}  // namespace quilex::runfiles
