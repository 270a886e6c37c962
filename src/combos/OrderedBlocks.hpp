// Work on many rows on several threads with the results taken in row order: the rows are cut
// into blocks, the threads take the next block free, and the calling thread receives the
// finished blocks one after the other in order, so that what it writes does not depend on
// the number of threads. Threads never run more than a few blocks ahead of the one awaited,
// which bounds the memory held by finished blocks.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace quilex::combos {

// `work(first, end, block)` fills a Block from the rows first to end - 1 (on any thread);
// `take(block)` receives the blocks in order on the calling thread. An exception of either
// stops the work and is rethrown here once the threads have ended.
template <class Block, class Work, class Take>
void ProcessInOrder(std::size_t rows, std::size_t block_rows, unsigned threads, const Work& work,
                    const Take& take) {
  const std::size_t block_count = (rows + block_rows - 1) / block_rows;
  if (block_count == 0) return;
  const std::size_t thread_count = std::clamp<std::size_t>(threads, 1, block_count);
  const std::size_t window = 4 * thread_count;

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

  {
    std::vector<std::jthread> pool;
    pool.reserve(thread_count);
    for (std::size_t t = 0; t < thread_count; ++t)
      pool.emplace_back(worker);
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
}

}  // namespace quilex::combos
