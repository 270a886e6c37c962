// The replacement of the global operator new that lets a test make one allocation fail.
#pragma once

#include <atomic>

// The allocations still allowed before one fails with std::bad_alloc (one only: the later
// ones succeed again), or -1 for no failure; and the allocations made.
extern std::atomic<long> g_allocations_left;
extern std::atomic<long> g_allocations_made;
