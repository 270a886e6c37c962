// The saved inputs of the fuzz targets, run as the targets run them: the seed corpus and
// every input that once made a target fail (fuzz/regressions). An input that breaks one of
// the targets' rules aborts this test.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FuzzInputs.hpp"
#include "support/Files.hpp"

namespace quilex::fuzz {
namespace {

namespace fs = std::filesystem;

// The contents of the saved inputs of one target, by file name.
std::vector<std::pair<std::string, std::string>> SavedInputs(const std::string& target) {
  std::vector<std::pair<std::string, std::string>> inputs;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path folder = fs::path(QUILEX_FUZZ_DIR) / kind / target;
    if (!fs::exists(folder)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      inputs.emplace_back(std::string(kind) + "/" + entry.path().filename().string(),
                          testing_support::ReadFile(entry.path()));
    }
  }
  return inputs;
}

TEST(FuzzRegression, SavedInputsOfTheReader) {
  const auto inputs = SavedInputs("reader");
  ASSERT_FALSE(inputs.empty());
  for (const auto& [name, content] : inputs) {
    SCOPED_TRACE(name);
    ReadAsInput(content);
  }
}

TEST(FuzzRegression, SavedInputsOfWholeRuns) {
  const auto inputs = SavedInputs("run");
  ASSERT_FALSE(inputs.empty());
  for (const auto& [name, content] : inputs) {
    const int status = RunOnInputs(content);
    EXPECT_TRUE(status == 0 || status == 2) << name;
  }
}

}  // namespace
}  // namespace quilex::fuzz
