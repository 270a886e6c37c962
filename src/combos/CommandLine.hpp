// The command line of quilex-combos: its options and its help.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "combos/ActionsTable.hpp"
#include "quilex/verification.hpp"

namespace quilex::combos {

struct Options {
  enum class Request { Run, Help, Version };
  Request request = Request::Run;
  std::filesystem::path folder = ".";
  std::optional<std::filesystem::path> actions;  // --actions, else FOLDER/combinations.csv
  std::optional<std::filesystem::path> output;   // --output, else FOLDER/risu-combinations.csv
  ActionUnits units = ActionUnits::Newton;
  bool log = false;
  bool quiet = false;
  unsigned jobs = 0;                                  // 0: one per core
  ParabolaExponent exponent = ParabolaExponent::Two;  // --exponent

  std::filesystem::path ActionsPath() const;
  std::filesystem::path OutputPath() const;
  std::filesystem::path LogPath() const;
};

// A command line that cannot be followed; what() says why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Options ParseCommandLine(const std::vector<std::string>& arguments);

// The text of --help and of --version.
std::string HelpText();
std::string VersionText();

}  // namespace quilex::combos
