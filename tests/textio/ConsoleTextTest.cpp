// Names printed on the console: printable ASCII and well-formed UTF-8 as they are, every
// other byte as \xHH.
#include "textio/ConsoleText.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quilex::textio {
namespace {

TEST(ConsoleText, EscapesWhatATerminalWouldObeyOrLose) {
  const struct {
    std::string in, shown;
  } cases[] = {
      {"run 1/sezi.txt", "run 1/sezi.txt"},
      {"Trägerrost ∅ 𝜎", "Trägerrost ∅ 𝜎"},                  // 2, 3 and 4 bytes
      {"a\x1b[2Jb", "a\\x1b[2Jb"},                           // ESC
      {std::string("a\0b", 3), "a\\x00b"},                   // NUL
      {"line\r\nend\t\x7f", "line\\x0d\\x0aend\\x09\\x7f"},  // controls and DEL
      {"\xc2\x9b"
       "2J",
       "\\xc2\\x9b2J"},                              // C1 CSI, well-formed
      {"\xc3\x28", "\\xc3("},                        // a cut sequence
      {"\xc0\xaf", "\\xc0\\xaf"},                    // overlong '/'
      {"\xed\xa0\x80", "\\xed\\xa0\\x80"},           // a surrogate
      {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},  // beyond U+10FFFF
      {"end\xe2\x88", "end\\xe2\\x88"},              // cut at the end
  };
  for (const auto& c : cases)
    EXPECT_EQ(ConsoleText(c.in), c.shown) << c.shown;
}

}  // namespace
}  // namespace quilex::textio
