// The read statements of the input files: values a read leaves alone (a slash) keep their
// zero, and names are cut or padded to their fields before they are looked up.
#include "runfiles/InputFiles.hpp"

#include <gtest/gtest.h>

namespace quilex::runfiles {
namespace {

TEST(InputFilesTest, EchoFlagLeftUnreadIsZeroAndNamesFillTheirFields) {
  textio::InputFile slash(10, "parm.txt", "/\n"), two(10, "parm.txt", "2\n");
  EXPECT_EQ(ReadEchoFlag(slash), 0);
  EXPECT_EQ(ReadEchoFlag(two), 2);
  textio::InputFile mate(12, "mate.txt", "ITALY\nSB450AX\n'C90/1050'\nDE\nB450C\nC25/30\n");
  const MaterialNames cut = ReadMaterialNames(mate), padded = ReadMaterialNames(mate);
  EXPECT_EQ(cut.design_code + "|" + cut.steel_grade + "|" + cut.concrete_class,
            "IT|SB450A|C90/105");
  EXPECT_EQ(padded.design_code + "|" + padded.steel_grade + "|" + padded.concrete_class,
            "DE|B450C |C25    ");
}

TEST(InputFilesTest, ASlashLeavesTheRemainingActionsAtZero) {
  textio::InputFile slash_only(13, "slu-max.txt", "/\n");
  const BiaxialActions none = ReadBiaxialActions(slash_only);
  EXPECT_EQ(none.Ned, 0.0);
  EXPECT_EQ(none.Mx, 0.0);
  EXPECT_EQ(none.My, 0.0);
  EXPECT_EQ(none.Vx, 0.0);
  EXPECT_EQ(none.Vy, 0.0);
  textio::InputFile slu(13, "slu-max.txt", "-5e5 1e8 / 1e5\n");  // after the slash: not read
  const Actions some = ReadActions(slu);
  EXPECT_EQ(some.Ned, -5e5);
  EXPECT_EQ(some.Med, 1e8);
  EXPECT_EQ(some.Ved, 0.0);
}

}  // namespace
}  // namespace quilex::runfiles
