// A run whose memory runs out, at any allocation: it ends with the message and status 2,
// never with an abort. A test program of its own, as it replaces the global operator new
// (AllocationBudget.cpp).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "AllocationBudget.hpp"
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

}  // namespace
}  // namespace quilex::program
