// Work on several threads taken in row order (the threads preset runs these under
// ThreadSanitizer): blocks arrive in order whatever finishes first, a failure stops the work
// and comes back to the caller, and the whole command on four threads.
#include "combos/OrderedBlocks.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "combos/CombinationsRun.hpp"
#include "support/Files.hpp"

namespace quilex::combos {
namespace {

using testing_support::ScratchFolder;
using testing_support::WriteFile;

struct Rows {
  std::size_t first = 0;
  std::size_t end = 0;
};

TEST(Threads, BlocksAreTakenInRowOrder) {
  std::vector<std::size_t> taken;
  ProcessInOrder<Rows>(
      1000, 7, 4,
      [](std::size_t first, std::size_t end, Rows& rows) {
        // Early blocks finish last.
        std::this_thread::sleep_for(std::chrono::microseconds(first < 50 ? 2000 : 10));
        rows = {first, end};
      },
      [&](Rows& rows) {
        EXPECT_EQ(rows.first, taken.empty() ? 0 : taken.back());
        taken.push_back(rows.end);
      });
  ASSERT_EQ(taken.size(), 143u);  // 142 blocks of 7 rows and one of 6
  EXPECT_EQ(taken.back(), 1000u);
}

TEST(Threads, AFailureStopsTheWorkAndReachesTheCaller) {
  std::atomic<int> worked{0};
  EXPECT_THROW(ProcessInOrder<Rows>(
                   100000, 10, 4,
                   [&](std::size_t first, std::size_t, Rows&) {
                     ++worked;
                     if (first == 200) throw std::runtime_error("row 200");
                   },
                   [](Rows&) {}),
               std::runtime_error);
  EXPECT_LT(worked.load(), 10000);  // the threads stop within their window
  int taken = 0;
  EXPECT_THROW(ProcessInOrder<Rows>(
                   1000, 10, 3, [](std::size_t, std::size_t, Rows&) {},
                   [&](Rows&) {
                     if (++taken == 5) throw std::runtime_error("disk full");
                   }),
               std::runtime_error);
  EXPECT_EQ(taken, 5);
}

// A system that starts `allowed` threads and refuses the next, as under a process limit.
struct StartAtMost {
  std::size_t allowed;
  std::size_t* started;
  template <class Body>
  JoiningThread operator()(const Body& body) const {
    if (*started == allowed) {
      throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
    ++*started;
    return JoiningThread(body);
  }
};

TEST(Threads, ThreadsThatCannotStartAreDoneWithout) {
  for (const std::size_t allowed : {0u, 2u}) {
    std::size_t started = 0;
    std::vector<std::size_t> taken;
    const ThreadsUsed used = ProcessInOrder<Rows>(
        1000, BlockPlan(7, 1), 8,
        [](std::size_t first, std::size_t end, Rows& rows) {
          rows = {first, end};
        },
        [&](Rows& rows) {
          EXPECT_EQ(rows.first, taken.empty() ? 0 : taken.back());
          taken.push_back(rows.end);
        },
        StartAtMost{allowed, &started});
    EXPECT_EQ(used.asked, 8u);
    EXPECT_EQ(used.started, allowed);
    ASSERT_EQ(taken.size(), 143u) << allowed << " threads";
    EXPECT_EQ(taken.back(), 1000u);
  }
}

TEST(Threads, CombinationsOnFourThreads) {
  const ScratchFolder folder("combos-threads");
  WriteFile(folder / "sezi.txt", "R\n300 500 40 50.27 2 150\n628.32 942.48\n");
  WriteFile(folder / "mate.txt", "IT\nB450C\n'C25/30'\n");
  std::string table = "Ned,Med,Ved\n";
  for (int k = 0; k < 1200; ++k) {
    table += std::to_string(-2000000 + k * 2000) + ',' + std::to_string((k % 50 - 25) * 10000000) +
             ",50000\n";
  }
  WriteFile(folder / "combinations.csv", table);
  Options options;
  options.folder = folder.path();
  options.jobs = 4;
  std::ostringstream out, err;
  EXPECT_EQ(RunCombinations(options, out, err), 1);
  EXPECT_EQ(err.str(), "");
  EXPECT_TRUE(out.str().starts_with("1200 combinations, "));
}

}  // namespace
}  // namespace quilex::combos
