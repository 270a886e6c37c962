// Work on many rows on several threads with the results taken in row order: the rows are cut
// into blocks, the threads take the next block free, and the calling thread receives the
// finished blocks one after the other in order, so that what it writes does not depend on
// the number of threads. Threads never run more than a few blocks ahead of the one awaited,
// which bounds the memory held by finished blocks. Threads that the system refuses to start
// are done without: the work goes on with those that started, or on the calling thread.
//
//   const ThreadsUsed used = ProcessInOrder<Rows>(rows, BlockPlan{256}, 8, work, take);
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace quilex::combos {

// How the rows are cut: `rows` a block, and how many blocks each thread may finish ahead of
// the one the caller awaits, but never fewer than `least_window` in all, so that a thread
// the caller keeps waiting for a moment (a core shared with the writing) does not stall
// the others. The finished blocks held are at most that window.
struct BlockPlan {
  BlockPlan(std::size_t rows_per_block, std::size_t ahead_per_thread = 4,
            std::size_t least_window = 1)
      : rows(std::max<std::size_t>(rows_per_block, 1)),
        ahead(std::max<std::size_t>(ahead_per_thread, 1)),
        least(std::max<std::size_t>(least_window, 1)) {}
  std::size_t rows;
  std::size_t ahead;
  std::size_t least;

  std::size_t Window(std::size_t threads) const { return std::max(ahead * threads, least); }
};

// A thread joined when it goes: std::jthread, or the same made of a std::thread by a C++
// library without one (libc++ 14, the WebAssembly build's).
#if defined(__cpp_lib_jthread)
using JoiningThread = std::jthread;
#else
class JoiningThread {
 public:
  template <class Body>
  explicit JoiningThread(const Body& body) : thread_(body) {}
  JoiningThread(JoiningThread&&) noexcept = default;
  JoiningThread& operator=(JoiningThread&&) = delete;
  ~JoiningThread() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};
#endif

// Starts a thread running `body`; throws std::system_error when the system refuses.
struct StartThread {
  template <class Body>
  JoiningThread operator()(const Body& body) const {
    return JoiningThread(body);
  }
};

// Whether the build can start threads at all: WebAssembly without its threads extension (the
// browser page's build) cannot, and its work runs on the calling thread, unannounced.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
inline constexpr bool kThreadsBuiltIn = false;
#else
inline constexpr bool kThreadsBuiltIn = true;
#endif

// The threads the work was given (no more than its blocks) and those the system started.
struct ThreadsUsed {
  std::size_t asked = 0;
  std::size_t started = 0;
};

// `work(first, end, block)` fills a Block from the rows first to end - 1 (on any thread);
// `take(block)` receives the blocks in order on the calling thread. An exception of either
// stops the work and is rethrown here once the threads have ended. Fewer threads than asked
// start when the system refuses more; none, and the calling thread does the work alone.
template <class Block, class Work, class Take, class Start = StartThread>
ThreadsUsed ProcessInOrder(std::size_t rows, BlockPlan plan, unsigned threads, const Work& work,
                           const Take& take, const Start& start = Start()) {
  const std::size_t block_rows = plan.rows;
  const std::size_t block_count = (rows + block_rows - 1) / block_rows;
  if (block_count == 0) return {};
  const std::size_t thread_count = std::clamp<std::size_t>(threads, 1, block_count);
  std::size_t window = plan.Window(thread_count);

  std::vector<Block> blocks(block_count);
  std::vector<char> finished(block_count, 0);
  std::mutex mutex;
  std::condition_variable block_finished;
  std::condition_variable block_taken;
  std::size_t next = 0;   // the next block to give to a thread
  std::size_t taken = 0;  // blocks handed to `take`
  bool stop = false;
  std::exception_ptr failure;

  const auto fail = [&](std::exception_ptr error) {
    const std::lock_guard lock(mutex);
    if (!failure) failure = error;
    stop = true;
    block_finished.notify_all();
    block_taken.notify_all();
  };

  const auto worker = [&] {
    for (;;) {
      std::size_t block = 0;
      {
        std::unique_lock lock(mutex);
        block_taken.wait(lock,
                         [&] { return stop || next >= block_count || next < taken + window; });
        if (stop || next >= block_count) return;
        block = next++;
      }
      try {
        const std::size_t first = block * block_rows;
        work(first, std::min(rows, first + block_rows), blocks[block]);
      } catch (...) {
        fail(std::current_exception());
        return;
      }
      const std::lock_guard lock(mutex);
      finished[block] = 1;
      block_finished.notify_all();
    }
  };

  std::size_t started = 0;
  {
    std::vector<JoiningThread> pool;
    pool.reserve(thread_count);
    try {
      for (; kThreadsBuiltIn && started < thread_count; ++started)
        pool.push_back(start(worker));
    } catch (const std::system_error&) {
      // No more threads (a process limit, no address space for a stack): those started do
      // the work, within the window of their number.
      const std::lock_guard lock(mutex);
      window = plan.Window(std::max<std::size_t>(started, 1));
    }
    if (started == 0) {
      for (std::size_t block = 0; block < block_count; ++block) {
        const std::size_t first = block * block_rows;
        work(first, std::min(rows, first + block_rows), blocks[block]);
        take(blocks[block]);
        [[maybe_unused]] const Block done = std::move(blocks[block]);
      }
      return {kThreadsBuiltIn ? thread_count : 0, 0};
    }
    for (std::size_t block = 0; block < block_count; ++block) {
      {
        std::unique_lock lock(mutex);
        block_finished.wait(lock, [&] { return stop || finished[block] != 0; });
        if (stop) break;
      }
      try {
        take(blocks[block]);
      } catch (...) {
        fail(std::current_exception());
        break;
      }
      {
        // Moved out and destroyed: assigning an empty block would keep the strings' memory.
        [[maybe_unused]] const Block done = std::move(blocks[block]);
      }
      const std::lock_guard lock(mutex);
      taken = block + 1;
      block_taken.notify_all();
    }
  }
  if (failure) std::rethrow_exception(failure);
  return {thread_count, started};
}

}  // namespace quilex::combos
