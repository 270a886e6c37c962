#include "combos/CommandLine.hpp"

#include <charconv>
#include <string_view>

#include "quilex/version.hpp"

namespace quilex::combos {
namespace {

constexpr std::string_view kHelp =
    R"(Usage: quilex-combos [options] [FOLDER]

Verifies the section of sezi.txt and mate.txt in FOLDER (default: the current
folder) for every load combination of a table of design actions, with the same
numbers as the program quilex gives for each combination alone.

Input:  sezi.txt and mate.txt, read as quilex reads them, and the table
        combinations.csv: a header line naming the columns, in any order and
        case: Ned, Med, Ved (sections R, T, C) or Ned, Mx, My, Vx, Vy
        (section D), optionally name (or combination); other columns are
        ignored. Separator: tab, semicolon or comma, taken from the header
        line; with a semicolon, a decimal comma is accepted. Fields may be
        quoted ("ULS 1, wind"). Blank lines and lines starting with # are
        skipped. Rows without a name are named by their number from 1.
Output: risu-combinations.csv, one row per combination in input order: the
        name, the actions (kN, kN·m), the results block of risu-MN.txt for
        that combination (two decimals, without the field width limit),
        verified (yes/no) and the reason for a no. A combination is verified
        when its design point lies inside the M-N domain at its Ned (for D,
        inside the contour of resisting moments at its Ned), rho_M <= 1, the
        shear resistance is not 0 and rho_V <= 1. Records end with CR LF.

Options:
  --actions FILE  read the actions from FILE instead of FOLDER/combinations.csv
                  (a named pipe is read until its writer closes it; one without
                  a writer reads as an empty table)
  --output FILE   write the results to FILE instead of
                  FOLDER/risu-combinations.csv; - for the standard output (the
                  summary then goes to the standard error); an output that is
                  one of the inputs or the log is refused
  --units N       the table is in N and N·mm, as slu-max.txt (the default)
  --units kN      the table is in kN and kN·m: values are converted to N and
                  N·mm by multiplication by 1000 and 1000000, done exactly on
                  the written digits (1.005 kN is the 1005 N of slu-max.txt)
  --log           also write FOLDER/risu.txt: for each combination in turn,
                  what quilex writes to risu.txt for that combination alone
                  (with the echo when parm.txt holds 1, read as quilex reads
                  it); about 120 KB per R, T or C combination
  -j N, --jobs N  use N threads (default: one per core); the output does not
                  depend on N
  --exponent 2    the concrete parabola's exponent is 2 for every class, as
                  in quilex (the default)
  --exponent en1992
                  the exponent of EN 1992-1-1, Table 3.1: 2 up to C50/60
                  (the same numbers), less above (1.44 for C70/85), which
                  lowers the resistance near pure compression
  --quiet         print no summary
  --help          print this help
  --version       print the version

The summary names the combinations that govern bending (largest rho_M) and
shear (largest rho_V); a combination without a resistance to compare with
governs before any ratio. An output file is replaced whole or not at all.

Exit status: 0 every combination verified, 1 some not verified, 2 an input
error: a table that breaks a rule (the message names the file, line and
column), or a section or material error (the message is the line quilex
writes to risu-MN.txt); nothing is written then.
)";

// The value of an option given as "--name VALUE", "--name=VALUE" or, for -j, "-jVALUE".
class ArgumentList {
 public:
  explicit ArgumentList(const std::vector<std::string>& arguments) : arguments_(arguments) {}

  bool done() const { return next_ >= arguments_.size(); }
  const std::string& Take() { return arguments_[next_++]; }

  std::string ValueOf(const std::string& option, std::string_view inline_value, bool has_inline) {
    if (has_inline) return std::string(inline_value);
    if (done()) throw UsageError("option " + option + " needs a value");
    return Take();
  }

 private:
  const std::vector<std::string>& arguments_;
  std::size_t next_ = 0;
};

unsigned ParseJobs(const std::string& text) {
  unsigned jobs = 0;
  const char* end = text.data() + text.size();
  const std::from_chars_result parsed = std::from_chars(text.data(), end, jobs);
  if (parsed.ec != std::errc() || parsed.ptr != end || jobs < 1) {
    throw UsageError("-j needs a whole number of threads from 1, not '" + text + "'");
  }
  return jobs;
}

}  // namespace

std::filesystem::path Options::ActionsPath() const {
  return actions ? *actions : (folder / "combinations.csv").lexically_normal();
}

std::filesystem::path Options::OutputPath() const {
  return output ? *output : (folder / "risu-combinations.csv").lexically_normal();
}

std::filesystem::path Options::LogPath() const {
  return (folder / "risu.txt").lexically_normal();
}

Options ParseCommandLine(const std::vector<std::string>& arguments) {
  Options options;
  ArgumentList list(arguments);
  bool folder_given = false;
  bool options_end = false;
  while (!list.done()) {
    const std::string& argument = list.Take();
    if (options_end || argument.empty() || argument[0] != '-' || argument == "-") {
      if (folder_given) throw UsageError("more than one folder: '" + argument + "'");
      options.folder = argument;
      folder_given = true;
      continue;
    }
    if (argument == "--") {
      options_end = true;
      continue;
    }
    if (argument.size() > 2 && argument.starts_with("-j")) {
      options.jobs = ParseJobs(argument.substr(2));
      continue;
    }
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const bool has_inline = equals != std::string::npos;
    const std::string_view inline_value =
        has_inline ? std::string_view(argument).substr(equals + 1) : std::string_view();
    const auto no_value = [&] {
      if (has_inline) throw UsageError("option " + name + " takes no value");
    };
    if (name == "--help" || name == "-h") {
      no_value();
      options.request = Options::Request::Help;
    } else if (name == "--version") {
      no_value();
      options.request = Options::Request::Version;
    } else if (name == "--quiet" || name == "-q") {
      no_value();
      options.quiet = true;
    } else if (name == "--log") {
      no_value();
      options.log = true;
    } else if (name == "--actions" || name == "--output") {
      const std::string file = list.ValueOf(name, inline_value, has_inline);
      if (file.empty()) throw UsageError("option " + name + " needs a file name");
      (name == "--actions" ? options.actions : options.output) = file;
    } else if (name == "--units") {
      const std::string units = list.ValueOf(name, inline_value, has_inline);
      if (units == "N") {
        options.units = ActionUnits::Newton;
      } else if (units == "kN") {
        options.units = ActionUnits::KiloNewton;
      } else {
        throw UsageError("--units takes N or kN, not '" + units + "'");
      }
    } else if (name == "--exponent") {
      const std::string exponent = list.ValueOf(name, inline_value, has_inline);
      if (exponent == "2") {
        options.exponent = ParabolaExponent::Two;
      } else if (exponent == "en1992") {
        options.exponent = ParabolaExponent::EN1992;
      } else {
        throw UsageError("--exponent takes 2 or en1992, not '" + exponent + "'");
      }
    } else if (name == "-j" || name == "--jobs") {
      options.jobs = ParseJobs(list.ValueOf(name, inline_value, has_inline));
    } else {
      throw UsageError("unknown option '" + argument + "'");
    }
  }
  return options;
}

std::string HelpText() {
  return std::string(kHelp);
}

std::string VersionText() {
  return QUILEX_VERSION_LINES("quilex-combos");
}

}  // namespace quilex::combos
