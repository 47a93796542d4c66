#include "heap_peak.h"

#include <malloc.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace krprof_bench {
namespace {

std::atomic<bool> g_counting{false};
std::atomic<int64_t> g_liveGrowth{0};
std::atomic<int64_t> g_peakGrowth{0};

// The allocator's own block sizes, so that a block freed during counting
// subtracts exactly what its allocation added.
void countAllocation(void* block) {
  if (!g_counting.load(std::memory_order_relaxed)) return;
  const auto size = static_cast<int64_t>(malloc_usable_size(block));
  const int64_t live = g_liveGrowth.fetch_add(size, std::memory_order_relaxed) + size;
  int64_t peak = g_peakGrowth.load(std::memory_order_relaxed);
  while (live > peak && !g_peakGrowth.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
}

void countRelease(void* block) {
  if (block == nullptr || !g_counting.load(std::memory_order_relaxed)) return;
  g_liveGrowth.fetch_sub(static_cast<int64_t>(malloc_usable_size(block)), std::memory_order_relaxed);
}

} // namespace

size_t peakHeapGrowth(const std::function<void()>& work) {
  g_liveGrowth.store(0);
  g_peakGrowth.store(0);
  g_counting.store(true);
  work();
  g_counting.store(false);
  return static_cast<size_t>(g_peakGrowth.load());
}

} // namespace krprof_bench

void* operator new(size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  krprof_bench::countAllocation(block);
  return block;
}

void operator delete(void* block) noexcept {
  krprof_bench::countRelease(block);
  std::free(block);
}

void operator delete(void* block, size_t) noexcept {
  operator delete(block);
}
