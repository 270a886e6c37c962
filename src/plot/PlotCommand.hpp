// The command quilex-plot: options, the folders, and for each one the picture written
// beside its files through a temporary file, so a folder that cannot be drawn keeps
// whatever picture it had.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace quilex::plot {

// Exit statuses: every picture written, or some folder without its picture (or a bad
// command line); the messages say which and why.
constexpr int kAllWritten = 0;
constexpr int kNotAllWritten = 2;

// `arguments` without the program name. Help and version go to `out`, messages to `err`.
int RunPlotCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace quilex::plot
