// quilex-combos as a whole beyond the golden runs: the bytes do not depend on the number of
// threads, an output that cannot be written stops it before any work, and the command line.
// (Outputs replaced whole: ReplacedFileTest.)
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "combos/CommandLine.hpp"
#include "combos/CommandOutput.hpp"
#include "support/Commands.hpp"
#include "support/Files.hpp"

namespace fs = std::filesystem;

namespace quilex::combos {
namespace {

using namespace testing_support;

class CombosCommand : public testing::Test {
 protected:
  // Copies the section of a golden run of the program.
  void UseSection(const char* case_name) {
    const fs::path source = fs::path(QUILEX_CASES_DIR) / case_name;
    fs::copy_file(source / "sezi.txt", work_ / "sezi.txt");
    fs::copy_file(source / "mate.txt", work_ / "mate.txt");
    WriteFile(work_ / "parm.txt", "1\n");
  }

  // A table of `rows` actions spread over the section's domain and beyond it.
  void WriteTable(int rows) {
    std::string table = "name,Ned,Med,Ved\n";
    std::uint64_t state = 12345;
    const auto next = [&](int range) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      return static_cast<long>((state >> 33) % static_cast<std::uint64_t>(2 * range + 1)) - range;
    };
    for (int k = 0; k < rows; ++k) {
      table.append("c")
          .append(std::to_string(k))
          .append(",")
          .append(std::to_string(next(3000) * 1000 - 1000000))
          .append(",")
          .append(std::to_string(next(300) * 1000000))
          .append(",")
          .append(std::to_string(next(150) * 1000))
          .append("\n");
    }
    WriteFile(work_ / "combinations.csv", table);
  }

  // Runs the command in the folder; the output files are renamed after the run.
  CommandResult Run(const std::string& arguments, const std::string& suffix) {
    const CommandResult run =
        RunIn(work_.path(), std::string(QUILEX_COMBOS_BINARY) + " " + arguments);
    for (const char* output : {"risu-combinations.csv", "risu.txt"}) {
      if (fs::exists(work_ / output)) fs::rename(work_ / output, work_ / (output + suffix));
    }
    return run;
  }

  ScratchFolder work_{"combos-command-" + CurrentTestName()};
};

TEST_F(CombosCommand, OneAndFourThreadsWriteTheSameBytes) {
  UseSection("ref-R");
  WriteTable(3000);
  const CommandResult one = Run("-j 1", "-1");
  const CommandResult four = Run("-j 4", "-4");
  EXPECT_EQ(one.status, 1);
  EXPECT_EQ(four.status, 1);
  EXPECT_EQ(ReadFile(work_ / "risu-combinations.csv-1"),
            ReadFile(work_ / "risu-combinations.csv-4"));
  EXPECT_EQ(one.out, four.out);
  EXPECT_EQ(four.err, "");
}

TEST_F(CombosCommand, OneAndFourThreadsWriteTheSameLog) {
  UseSection("ref-C-odd");
  WriteTable(40);
  EXPECT_EQ(Run("--log -j1 --quiet", "-1").status, 1);
  EXPECT_EQ(Run("--log -j4 --quiet", "-4").status, 1);
  EXPECT_EQ(ReadFile(work_ / "risu-combinations.csv-1"),
            ReadFile(work_ / "risu-combinations.csv-4"));
  const std::string log = ReadFile(work_ / "risu.txt-1");
  EXPECT_GT(log.size(), 40u * 10000u);
  EXPECT_TRUE(log == ReadFile(work_ / "risu.txt-4"));
}

TEST_F(CombosCommand, AFolderCannotBeReplaced) {
  fs::create_directories(work_ / "results.csv");
  try {
    CommandOutput file(work_ / "results.csv");
    ADD_FAILURE() << "a folder was opened for writing";
  } catch (const WriteError& error) {
    EXPECT_EQ(std::string(error.what()),
              "cannot write " + (work_ / "results.csv").string() + ": Is a directory");
  }
}

TEST(CommandLineTest, OptionsInTheirForms) {
  const Options options = ParseCommandLine(
      {"beam", "--units=kN", "--actions", "a.csv", "--output=o.csv", "-j3", "--log", "--quiet"});
  EXPECT_EQ(options.request, Options::Request::Run);
  EXPECT_EQ(options.folder, "beam");
  EXPECT_EQ(options.units, ActionUnits::KiloNewton);
  EXPECT_EQ(options.ActionsPath(), "a.csv");
  EXPECT_EQ(options.OutputPath(), "o.csv");
  EXPECT_EQ(options.LogPath(), "beam/risu.txt");
  EXPECT_EQ(options.jobs, 3u);
  EXPECT_TRUE(options.log && options.quiet);

  const Options defaults = ParseCommandLine({});
  EXPECT_EQ(defaults.ActionsPath(), "combinations.csv");
  EXPECT_EQ(defaults.OutputPath(), "risu-combinations.csv");
  EXPECT_EQ(defaults.jobs, 0u);
  EXPECT_EQ(ParseCommandLine({"--jobs", "2", "--", "-odd-folder"}).folder, "-odd-folder");
  EXPECT_EQ(ParseCommandLine({"-j", "2", "--help"}).request, Options::Request::Help);
}

TEST(CommandLineTest, UsageErrors) {
  const auto error_of = [](const std::vector<std::string>& arguments) -> std::string {
    try {
      ParseCommandLine(arguments);
    } catch (const UsageError& error) {
      return error.what();
    }
    return "no error";
  };
  EXPECT_EQ(error_of({"a", "b"}), "more than one folder: 'b'");
  EXPECT_EQ(error_of({"--units", "kn"}), "--units takes N or kN, not 'kn'");
  EXPECT_EQ(error_of({"--actions"}), "option --actions needs a value");
  EXPECT_EQ(error_of({"--output="}), "option --output needs a file name");
  EXPECT_EQ(error_of({"-j", "two"}), "-j needs a whole number of threads from 1, not 'two'");
  EXPECT_EQ(error_of({"-j2x"}), "-j needs a whole number of threads from 1, not '2x'");
  EXPECT_EQ(error_of({"--quiet=yes"}), "option --quiet takes no value");
}

}  // namespace
}  // namespace quilex::combos
