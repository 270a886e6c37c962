// The table of actions of quilex-combos: the header, the separators, quoting, numbers,
// units, skipped lines, and the place each error names. (Whole runs with the messages on the
// console are golden cases, tests/combos-cases/err-table-*.)
#include "combos/ActionsTable.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quilex::combos {
namespace {

ActionsTable Uniaxial(std::string_view text, ActionUnits units = ActionUnits::Newton) {
  return ReadActionsTable(text, "t.csv", ActionKind::Uniaxial, units);
}

std::string ErrorOf(std::string_view text, ActionKind kind = ActionKind::Uniaxial,
                    ActionUnits units = ActionUnits::Newton) {
  try {
    ReadActionsTable(text, "t.csv", kind, units);
  } catch (const TableError& error) {
    return error.what();
  }
  return "no error";
}

void ExpectActions(const Actions& a, double Ned, double Med, double Ved) {
  EXPECT_EQ(a.Ned, Ned);
  EXPECT_EQ(a.Med, Med);
  EXPECT_EQ(a.Ved, Ved);
}

TEST(ActionsTableTest, HeaderInAnyOrderAndCaseAfterCommentsWithOtherColumnsIgnored) {
  const ActionsTable t = Uniaxial(
      "# exported from the frame model\n\n  # units N, N mm\nmember,VED,Combination,med,x,nEd\n"
      "B12,3,ULS 1,2,0.5,1\nB12,6,,5,0.7,4\n");
  ASSERT_EQ(t.size(), 2u);
  ExpectActions(t.uniaxial[0], 1, 2, 3);
  ExpectActions(t.uniaxial[1], 4, 5, 6);
  EXPECT_EQ(t.Name(0), "ULS 1");
  EXPECT_EQ(t.Name(1), "2");  // an empty name: the row's number
}

TEST(ActionsTableTest, NameColumnBeforeCombinationAndRowNumbersWithoutEither) {
  const ActionsTable named = Uniaxial("combination,name,Ned,Med,Ved\nc1,n1,1,2,3\n");
  EXPECT_EQ(named.Name(0), "n1");
  const ActionsTable unnamed = Uniaxial("Ned,Med,Ved\n# first\n1,2,3\n\n4,5,6\n");
  EXPECT_EQ(unnamed.Name(0), "1");
  EXPECT_EQ(unnamed.Name(1), "2");
}

TEST(ActionsTableTest, BiaxialColumns) {
  const ActionsTable t = ReadActionsTable("vy,vx,my,mx,ned\n5,4,3,2,1\n", "t.csv",
                                          ActionKind::Biaxial, ActionUnits::Newton);
  ASSERT_EQ(t.biaxial.size(), 1u);
  const BiaxialActions& a = t.biaxial[0];
  EXPECT_EQ(a.Ned, 1);
  EXPECT_EQ(a.Mx, 2);
  EXPECT_EQ(a.My, 3);
  EXPECT_EQ(a.Vx, 4);
  EXPECT_EQ(a.Vy, 5);
}

TEST(ActionsTableTest, SeparatorFromTheHeaderLine) {
  // A tab wins over the semicolon and the comma of a field; a semicolon over a comma.
  const ActionsTable tab = Uniaxial("name\tNed\tMed\tVed\nG+Q; wind, left\t1\t2\t3\n");
  EXPECT_EQ(tab.Name(0), "G+Q; wind, left");
  ExpectActions(tab.uniaxial[0], 1, 2, 3);
  const ActionsTable semicolon = Uniaxial("name;Ned;Med;Ved\nG, Q;-1,5;2.25;3\n");
  EXPECT_EQ(semicolon.Name(0), "G, Q");
  ExpectActions(semicolon.uniaxial[0], -1.5, 2.25, 3);  // decimal comma or point
  // A separator inside quotes of the header does not count.
  const ActionsTable comma = Uniaxial("\"a;b\",Ned,Med,Ved\nx,1,2,3\n");
  ExpectActions(comma.uniaxial[0], 1, 2, 3);
}

TEST(ActionsTableTest, QuotedFieldsBlanksAndLineEnds) {
  const ActionsTable t = Uniaxial(
      "\xEF\xBB\xBFname,Ned,Med,Ved\r\n"
      "  \"say \"\"hi\"\", then\r\ngo\"  , \" 1 \" ,2 ,  3\r"
      ",,,\r\n"
      "last,4,5,6");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t.Name(0), "say \"hi\", then\r\ngo");
  ExpectActions(t.uniaxial[0], 1, 2, 3);
  EXPECT_EQ(t.Name(1), "last");
  ExpectActions(t.uniaxial[1], 4, 5, 6);
}

TEST(ActionsTableTest, NumbersAsSluMaxTakesThem) {
  const ActionsTable t = Uniaxial("Ned,Med,Ved\n300.,3e2,3d2\n.5,-0.5,+2\n50.27,0.1,1E-400\n");
  ExpectActions(t.uniaxial[0], 300, 300, 300);
  ExpectActions(t.uniaxial[1], 0.5, -0.5, 2);
  ExpectActions(t.uniaxial[2], 50.27, 0.1, 0);
}

TEST(ActionsTableTest, KiloNewtonsConvertExactlyOnTheWrittenDigits) {
  // 1.005 * 1000 is 1004.9999999999999 in doubles; the conversion gives the double of 1005.
  const ActionsTable t = Uniaxial("Ned;Med;Ved\n1,005;0,1;-.5\n-2500;1.2e5;12,3456\n7;-3D-2;0\n",
                                  ActionUnits::KiloNewton);
  ExpectActions(t.uniaxial[0], 1005, 100000, -500);
  ExpectActions(t.uniaxial[1], -2500000, 1.2e11, 12345.6);
  ExpectActions(t.uniaxial[2], 7000, -30000, 0);
  const ActionsTable d = ReadActionsTable("Ned,Mx,My,Vx,Vy\n1.5,2.5,-0.001,0.0005,4\n", "t.csv",
                                          ActionKind::Biaxial, ActionUnits::KiloNewton);
  EXPECT_EQ(d.biaxial[0].Ned, 1500);
  EXPECT_EQ(d.biaxial[0].Mx, 2500000);
  EXPECT_EQ(d.biaxial[0].My, -1000);
  EXPECT_EQ(d.biaxial[0].Vx, 0.5);
  EXPECT_EQ(d.biaxial[0].Vy, 4000);
}

TEST(ActionsTableTest, ErrorsNameTheFileTheLineAndTheColumn) {
  EXPECT_EQ(ErrorOf(""), "t.csv: the table is empty (no header line)");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n\n"), "t.csv, line 1: no combinations after the header");
  EXPECT_EQ(ErrorOf("Ned,Ved\n1,2\n"),
            "t.csv, line 1: no column Med in the header (an R, T or C section needs Ned, Med and "
            "Ved)");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n1,2,3\n", ActionKind::Biaxial),
            "t.csv, line 1: no columns Mx, My, Vx and Vy in the header (a D section needs Ned, "
            "Mx, My, Vx and Vy)");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved,MED\n1,2,3,4\n"),
            "t.csv, line 1, column 4 (MED): the column appears twice (first as column 2)");
  // The line of a field after a quoted text over two lines.
  EXPECT_EQ(ErrorOf("name,Ned,Med,Ved\n\"a\nb\",1,x2,3\n"),
            "t.csv, line 3, column 3 (Med): \"x2\" is not a number");
  EXPECT_EQ(ErrorOf("Ned;Med;Ved\n1;2,5,5;3\n"),
            "t.csv, line 2, column 2 (Med): \"2,5,5\" is not a number");
  EXPECT_EQ(ErrorOf("Ned\tMed\tVed\n1\t2,5\t3\n"),  // no decimal comma with a tab
            "t.csv, line 2, column 2 (Med): \"2,5\" is not a number");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n1,inf,3\n"),
            "t.csv, line 2, column 2 (Med): \"inf\" is not a number");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n1,2,1e309\n"),
            "t.csv, line 2, column 3 (Ved): 1e309 is out of range");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n1e306,2,3\n", ActionKind::Uniaxial, ActionUnits::KiloNewton),
            "t.csv, line 2, column 1 (Ned): 1e306 is out of range");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n1,\"\",3\n"), "t.csv, line 2, column 2 (Med): no value");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n1,2\n"),
            "t.csv, line 2, column 3 (Ved): missing: the line has 2 fields, the header 3");
  EXPECT_EQ(ErrorOf("Ned;Med;Ved\n1;2;3;4\n"),
            "t.csv, line 2, column 4: the line has 4 fields, the header 3");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n1,\"2\"x,3\n"),
            "t.csv, line 2, column 2: text after the closing quote");
  EXPECT_EQ(ErrorOf("Ned,Med,Ved\n1,2,3\n\"4,5,6\n"),
            "t.csv, line 3, column 1: the quoted text is not closed");
}

}  // namespace
}  // namespace quilex::combos
