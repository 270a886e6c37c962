// Text from files and the command line (file names, combination names) made safe to print
// on a terminal: control characters and bytes that are not UTF-8 are shown as escapes, so that
// a name holding ESC cannot drive the terminal and a NUL or a broken byte does not vanish.
// Printable text, UTF-8 letters included, is left as it is.
//
//   ConsoleText("run\x1b[2J/sezi.txt") == "run\\x1b[2J/sezi.txt"
//   ConsoleText("Trägerrost") == "Trägerrost"
#pragma once

#include <string>
#include <string_view>

namespace quilex::textio {

std::string ConsoleText(std::string_view text);

// A message of whole lines: each line as ConsoleText shows it, the line ends kept.
std::string ConsoleLines(std::string_view text);

}  // namespace quilex::textio
