// A built program run as a command in a folder, as a user runs it from a shell.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/Files.hpp"

namespace quilex::testing_support {

// `text` as one shell word.
inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char ch : text) {
    if (ch == '\'') {
      quoted += "'\\''";
    } else {
      quoted += ch;
    }
  }
  return quoted + "'";
}

struct CommandResult {
  bool exited = false;  // by exit(), not by a signal
  int status = -1;      // the exit status, when it exited
  std::string out;      // standard output
  std::string err;      // standard error
};

// Runs `command` (shell words, quoted where needed) in `folder`. Its standard output and
// error are kept there too, in stdout.out and stderr.out.
inline CommandResult RunIn(const std::filesystem::path& folder, const std::string& command) {
  const std::string line =
      "cd " + ShellQuoted(folder.string()) + " && " + command + " > stdout.out 2> stderr.out";
  const int raw = std::system(line.c_str());
  CommandResult result;
  result.exited = raw != -1 && WIFEXITED(raw);
  if (result.exited) result.status = WEXITSTATUS(raw);
  result.out = ReadFile(folder / "stdout.out");
  result.err = ReadFile(folder / "stderr.out");
  return result;
}

}  // namespace quilex::testing_support
