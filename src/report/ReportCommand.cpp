#include "report/ReportCommand.hpp"

#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "plot/FileText.hpp"
#include "quilex/version.hpp"
#include "report/CalculationReport.hpp"
#include "textio/ConsoleText.hpp"
#include "textio/NumberedFiles.hpp"

namespace quilex::report {
namespace fs = std::filesystem;
namespace {

constexpr const char* kUsage =
    "Usage: quilex-report [options] [FOLDER]\n"
    "\n"
    "Writes the calculation report of the last quilex run in FOLDER (default: the current\n"
    "folder) as report.html beside the run's files: one self-contained HTML page that\n"
    "prints to A4 from a browser. It holds the section to scale, the materials with their\n"
    "derivation, the actions, the results block, each check with its numbers, the\n"
    "verdicts, the picture of quilex-plot, every row of risu-combinations.csv when it is\n"
    "there, the versions of the program and of the method, and the clauses of\n"
    "EN 1992-1-1 the method follows.\n"
    "\n"
    "It reads the folder as quilex-plot does: run quilex in it first.\n"
    "\n"
    "Options:\n"
    "  --project TEXT   the project's name, printed at the top\n"
    "  --member TEXT    the member's name (beam, pier...), printed at the top\n"
    "  --date TEXT      the date printed (default: today, YYYY-MM-DD)\n"
    "  --program-version TEXT\n"
    "                   the version printed instead of this program's (for reports\n"
    "                   compared byte for byte across versions)\n"
    "  --output FILE    write the report to FILE instead (- for the standard output)\n"
    "  --help           show this text and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "Exit status: 0 when the report is written; 2 when the folder's files cannot be\n"
    "reported (the message names the file and line) or the command line is wrong.\n";

int Run(std::span<const std::string> arguments, const std::string& today, std::ostream& out,
        std::ostream& err) {
  ReportOptions options;
  options.date = today;
  options.version = QUILEX_VERSION;
  std::optional<fs::path> folder;
  std::optional<std::string> output;
  const auto usage_error = [&](const std::string& message) {
    err << "quilex-report: " << textio::ConsoleText(message)
        << "\nTry 'quilex-report --help' for more information.\n";
    return kNotWritten;
  };
  struct Valued {
    const char* name;
    std::string* into;
    bool seen = false;
  };
  std::string output_text;
  Valued valued[] = {{"--project", &options.project},
                     {"--member", &options.member},
                     {"--date", &options.date},
                     {"--program-version", &options.version},
                     {"--output", &output_text}};
  bool options_ended = false;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& argument = arguments[k];
    if (options_ended || argument.empty() || argument[0] != '-') {
      if (folder) return usage_error("one folder only");
      folder = argument;
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      out << kUsage;
      return kWritten;
    }
    if (argument == "--version") {
      out << QUILEX_VERSION_LINES("quilex-report");
      return kWritten;
    }
    bool known = false;
    for (Valued& option : valued) {
      const std::string name = option.name;
      if (argument != name && !argument.starts_with(name + "=")) continue;
      known = true;
      if (option.seen) return usage_error(name + " given twice");
      option.seen = true;
      if (argument == name) {
        if (k + 1 == arguments.size()) return usage_error(name + " needs a value");
        *option.into = arguments[++k];
      } else {
        *option.into = argument.substr(name.size() + 1);
      }
      if (option.into == &output_text && output_text.empty()) {
        return usage_error("--output needs a file name");
      }
    }
    if (!known) return usage_error("unknown option '" + argument + "'");
  }
  if (valued[4].seen) output = output_text;
  if (!folder) folder = ".";

  const auto failed = [&](const std::string& message) {
    err << "quilex-report: " << textio::ConsoleLines(message) << "\n";
    return kNotWritten;
  };
  std::error_code error;
  if (!fs::is_directory(*folder, error)) return failed(plot::Shown(*folder) + ": not a folder");
  const bool to_standard_output = output && *output == "-";
  const fs::path target = output ? fs::path(*output) : *folder / "report.html";
  if (!to_standard_output) {
    if (const std::optional<fs::path> input = plot::RunFileNamedBy(target, *folder)) {
      return failed(plot::Shown(target) + " is " + plot::Shown(*input) +
                    ", which the report is made from: give another output file");
    }
  }
  try {
    const std::string report = WriteReport(*folder, options);
    if (to_standard_output) {
      out << report;
      return kWritten;
    }
    const std::optional<std::string> failure = plot::WriteReplacing(target, report);
    return failure ? failed(*failure) : kWritten;
  } catch (const plot::InputError& failure) {
    return failed(failure.what());
  } catch (const textio::FileFailure& failure) {
    std::string message = failure.what();
    if (!message.empty() && message.back() == '\n') message.pop_back();
    return failed(message);
  }
}

}  // namespace

int RunReportCommand(std::span<const std::string> arguments, const std::string& today,
                     std::ostream& out, std::ostream& err) {
  try {
    return Run(arguments, today, out, err);
  } catch (const std::bad_alloc&) {
    err << "quilex-report: not enough memory\n";
    return kNotWritten;
  }
}

}  // namespace quilex::report
