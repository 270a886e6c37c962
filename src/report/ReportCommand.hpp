// The command quilex-report: options, the folder, and the report written beside its files
// through a temporary file (report.html), so a folder that cannot be reported keeps whatever
// report it had.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace quilex::report {

// Exit statuses: the report written, or not (the message says why).
constexpr int kWritten = 0;
constexpr int kNotWritten = 2;

// `arguments` without the program name; `today` is the date printed without --date.
int RunReportCommand(std::span<const std::string> arguments, const std::string& today,
                     std::ostream& out, std::ostream& err);

}  // namespace quilex::report
