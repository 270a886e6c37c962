// The end-of-run note on the raised floating-point flags.
#include <gtest/gtest.h>

#include <sstream>

#include "program/ProgramRun.hpp"
#include "textio/FloatingPointStatus.hpp"

namespace quilex::program {
namespace {

std::string Note(unsigned flags) {
  std::ostringstream console;
  WriteFloatingPointNote(flags, console);
  return console.str();
}

TEST(FloatingPointNote, OneLineNamingTheRaisedFlagsInFixedOrder) {
  const std::string prefix = "Note: The following floating-point exceptions are signalling: ";
  EXPECT_EQ(Note(0), "");
  EXPECT_EQ(Note(textio::kUnderflowFlag), prefix + "IEEE_UNDERFLOW_FLAG\n");
  EXPECT_EQ(Note(textio::kDenormalFlag | textio::kUnderflowFlag | textio::kOverflowFlag |
                 textio::kDivideByZeroFlag | textio::kInvalidFlag),
            prefix +
                "IEEE_INVALID_FLAG IEEE_DIVIDE_BY_ZERO IEEE_OVERFLOW_FLAG IEEE_UNDERFLOW_FLAG "
                "IEEE_DENORMAL\n");
}

}  // namespace
}  // namespace quilex::program
