// Golden cases: a folder per whole run under a folder of cases, compared byte for byte.
#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace quilex::testing_support {

// The names of the case folders, sorted.
inline std::vector<std::string> CaseNames(const std::filesystem::path& cases) {
  std::vector<std::string> names;
  for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(cases)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A case name as a test name: every character but letters and digits becomes '_'.
inline std::string TestNameOf(std::string name) {
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

// Names the parameterised tests of cases given by name.
struct CaseTestName {
  template <class ParamInfo>
  std::string operator()(const ParamInfo& info) const {
    return TestNameOf(info.param);
  }
};

// Where a file that differs from its expected content differs first, for the message.
inline std::string FirstDifference(const std::string& name, const std::string& want,
                                   const std::string& got) {
  std::istringstream want_lines(want), got_lines(got);
  std::string want_line, got_line;
  for (int line = 1;; ++line) {
    const bool more_want = static_cast<bool>(std::getline(want_lines, want_line));
    const bool more_got = static_cast<bool>(std::getline(got_lines, got_line));
    if (!more_want && !more_got) break;
    if (more_want != more_got || want_line != got_line) {
      return name + " differs first at line " + std::to_string(line) +
             ":\n  want: " + (more_want ? want_line : "<end>") +
             "\n  got:  " + (more_got ? got_line : "<end>");
    }
  }
  return name + " differs in its bytes (" + std::to_string(want.size()) + " wanted, " +
         std::to_string(got.size()) + " written)";
}

}  // namespace quilex::testing_support
