// In a file of its own, so that the compiler sees no pairing of these with the library's
// own allocation functions.
#include "AllocationBudget.hpp"

#include <cstdlib>
#include <new>

std::atomic<long> g_allocations_left{-1};
std::atomic<long> g_allocations_made{0};

void* operator new(std::size_t size) {
  g_allocations_made.fetch_add(1);
  if (g_allocations_left.load() >= 0 && g_allocations_left.fetch_sub(1) == 0) {
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
