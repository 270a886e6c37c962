// A run whose memory runs out, at any allocation: it ends with the message and status 2,
// never with an abort. A test program of its own, as it replaces the global operator new
// (AllocationBudget.cpp).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "AllocationBudget.hpp"
#include "combos/CombinationsRun.hpp"
#include "plot/PlotCommand.hpp"
#include "program/ProgramRun.hpp"

namespace quilex::program {
namespace {

struct Outcome {
  int status;
  std::string console;
  std::string risu_mn;
  long allocations;  // made by the run
};

// The bundled rectangle in memory; `failing` is the allocation that fails (-1: none).
Outcome RunFailingAt(long failing) {
  RunFiles files{textio::InputFile(10, "parm.txt", "1\n"),
                 textio::InputFile(11, "sezi.txt", "R\n300 500 40 50.27 2 150\n628.32 942.48\n"),
                 textio::InputFile(12, "mate.txt", "IT\nB450C\n'C25/30'\n"),
                 textio::InputFile(13, "slu-max.txt", "-500000 150000000 100000\n"),
                 textio::OutputFile(20),
                 textio::OutputFile(21),
                 textio::OutputFile(22)};
  std::ostringstream console;
  console << std::string(256, ' ');  // room for the message without a new allocation
  console.str("");
  g_allocations_made = 0;
  g_allocations_left = failing;
  const int status = RunQuilex(files, console);
  g_allocations_left = -1;
  const long allocations = g_allocations_made;
  return {status, console.str(), files.risu_mn.text(), allocations};
}

TEST(OutOfMemory, EveryAllocationOfARunMayFail) {
  RunFailingAt(-1);  // whatever a first run allocates once for good is not counted
  const Outcome whole = RunFailingAt(-1);
  const long allocations = whole.allocations;
  ASSERT_EQ(whole.status, 0);
  ASSERT_EQ(whole.risu_mn.substr(0, 20), "Mrd     =   237.89\r\n");
  ASSERT_GT(allocations, 20);
  // Every one of the first hundred allocations, then two hundred spread over the run.
  const long stride = allocations / 200 + 1;
  for (long failing = 0; failing < allocations; failing += failing < 100 ? 1 : stride) {
    const Outcome cut = RunFailingAt(failing);
    EXPECT_EQ(cut.status, 2) << "allocation " << failing;
    EXPECT_EQ(cut.console, kOutOfMemoryMessage) << "allocation " << failing;
  }
  // Beyond the last allocation the run is whole again.
  const Outcome after = RunFailingAt(allocations);
  EXPECT_EQ(after.status, 0);
  EXPECT_EQ(after.risu_mn, whole.risu_mn);
}

// The same run in a folder: the opening, replacing and closing of the files may fail as well,
// and no temporary file stays behind.
TEST(OutOfMemory, EveryAllocationOfARunInAFolderMayFail) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("quilex-out-of-memory-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const auto write = [&folder](const char* name, const char* content) {
    std::ofstream(folder / name, std::ios::binary) << content;
  };
  write("parm.txt", "1\n");
  write("sezi.txt", "R\n300 500 40 50.27 2 150\n628.32 942.48\n");
  write("mate.txt", "IT\nB450C\n'C25/30'\n");
  write("slu-max.txt", "-500000 150000000 100000\n");
  const auto run = [&folder](long failing) {
    std::ostringstream console;
    console << std::string(256, ' ');
    console.str("");
    g_allocations_made = 0;
    g_allocations_left = failing;
    const int status = RunQuilex(folder, console);
    g_allocations_left = -1;
    return std::make_pair(status, console.str());
  };
  ASSERT_EQ(run(-1).first, 0);
  const long allocations = g_allocations_made;
  const long stride = allocations / 100 + 1;
  for (long failing = 0; failing < allocations; failing += stride) {
    const auto [status, console] = run(failing);
    EXPECT_EQ(status, 2) << "allocation " << failing;
    EXPECT_EQ(console, kOutOfMemoryMessage) << "allocation " << failing;
    int files = 0;
    for ([[maybe_unused]] const fs::directory_entry& entry : fs::directory_iterator(folder))
      ++files;
    EXPECT_EQ(files, 7) << "allocation " << failing;
  }
  fs::remove_all(folder);
}

// The commands on that folder: a failure anywhere ends with the message and status 2, the
// outputs of an earlier run kept and no temporary file left.
TEST(OutOfMemory, EveryAllocationOfTheCommandsMayFail) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("quilex-commands-out-of-memory-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const auto write = [&folder](const char* name, const std::string& content) {
    std::ofstream(folder / name, std::ios::binary) << content;
  };
  const auto read = [&folder](const char* name) {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  write("parm.txt", "1\n");
  write("sezi.txt", "R\n300 500 40 50.27 2 150\n628.32 942.48\n");
  write("mate.txt", "IT\nB450C\n'C25/30'\n");
  write("slu-max.txt", "-500000 150000000 100000\n");
  std::ostringstream quiet;
  ASSERT_EQ(RunQuilex(folder, quiet), 0);
  write("combinations.csv",
        "name,Ned,Med,Ved\nULS 1,-500000,150000000,100000\n"
        "ULS 2,-200000,-120000000,80000\nULS 3,0,90000000,50000\n");
  write("domplot.svg", "earlier");

  combos::Options options;
  options.folder = folder;
  options.log = true;
  options.jobs = 2;
  const std::vector<std::string> plot_arguments = {folder.string()};
  const struct {
    const char* name;
    std::function<int(std::ostream&, std::ostream&)> run;
    std::string prefix;  // of the message, which ends "not enough memory"
  } commands[] = {
      {"quilex-combos",
       [&](std::ostream& out, std::ostream& err) {
         return combos::RunCombinations(options, out, err);
       },
       "quilex-combos: "},
      {"quilex-plot",
       [&](std::ostream& out, std::ostream& err) {
         return plot::RunPlotCommand(plot_arguments, out, err);
       },
       "quilex-plot: "},
  };
  for (const auto& command : commands) {
    // The status, the message, and whether the allocation chosen to fail was made at all:
    // on two threads a run may make fewer than the first one.
    struct Run {
      int status;
      std::string message;
      bool failed;
    };
    const auto run = [&](long failing) {
      std::ostringstream out, err;
      out << std::string(512, ' ');
      out.str("");
      err << std::string(512, ' ');
      err.str("");
      g_allocations_made = 0;
      g_allocations_left = failing;
      const int status = command.run(out, err);
      const bool failed = g_allocations_left.exchange(-1) < 0;
      return Run{status, err.str(), failed};
    };
    // What an earlier run left: the outputs are set back to it after a first run.
    const auto earlier = [&] {
      return std::vector<std::string>{read("risu-combinations.csv"), read("risu.txt"),
                                      read("domplot.svg")};
    };
    const std::vector<std::string> before = earlier();
    ASSERT_NE(run(-1).status, 2) << command.name;
    const long allocations = g_allocations_made;
    write("risu-combinations.csv", before[0]);
    write("risu.txt", before[1]);
    write("domplot.svg", before[2]);
    const long stride = allocations / 100 + 1;
    for (long failing = 0; failing < allocations; failing += stride) {
      const auto [status, message, failed] = run(failing);
      if (!failed) continue;
      EXPECT_EQ(status, 2) << command.name << ", allocation " << failing;
      EXPECT_TRUE(message.starts_with(command.prefix) && message.ends_with("not enough memory\n"))
          << message << " at allocation " << failing;
      EXPECT_TRUE(earlier() == before) << command.name << ", allocation " << failing;
      int files = 0;
      for ([[maybe_unused]] const fs::directory_entry& entry : fs::directory_iterator(folder))
        ++files;
      EXPECT_EQ(files, 10) << command.name << ", allocation " << failing;
    }
    ASSERT_NE(run(-1).status, 2) << command.name;  // its outputs for the next command
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace quilex::program
