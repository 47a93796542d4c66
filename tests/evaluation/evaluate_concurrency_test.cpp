// Threads that evaluate one shared image at once, while others build the two
// images and count ranges, all get the right results. The first working call
// of the process is among them, so the host context is created under
// contention too.
#include <gtest/gtest.h>

#include <krprof/tprf_target.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "evaluation_harness.h"
#include "expected_images.h"

namespace krprof_test {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 1000;

// Wrong results seen by all threads, by kind.
struct Mistakes {
  std::atomic<int> totals{0};
  std::atomic<int> overflowTotals{0};
  std::atomic<int> configImages{0};
  std::atomic<int> prefixes{0};
  std::atomic<int> rangeCounts{0};
};

double evaluate(const Bytes& image) {
  double value = kUntouched;
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
  params.pCounterDataImage = image.data();
  params.counterDataImageSize = image.size();
  params.pMetricValues = &value;
  return TPRF_MetricsEvaluator_EvaluateToGpuValues(&params) == TPRA_STATUS_SUCCESS ? value : kUntouched;
}

// The two-call size protocol: size query, then a copy into a buffer of that size.
template <typename Params, typename EntryPoint>
Bytes fetch(EntryPoint entryPoint) {
  Params params{};
  if (entryPoint(&params) != TPRA_STATUS_SUCCESS) return {};
  Bytes buffer(params.bytesCopied);
  params.pBuffer = buffer.data();
  params.bytesAllocated = buffer.size();
  if (entryPoint(&params) != TPRA_STATUS_SUCCESS) return {};
  return buffer;
}

size_t countRanges(const Bytes& image) {
  TPRF_CounterData_GetNumRanges_Params params{};
  params.pCounterDataImage = image.data();
  return TPRF_CounterData_GetNumRanges_Impl(&params) == TPRA_STATUS_SUCCESS ? params.numRanges : 0;
}

TEST(EvaluationConcurrency, SharedImageEvaluatedByManyThreads) {
  QuayLog log;
  log.setLevel(krlog::warn);
  const Bytes image = imageOf({GroupImage{6, {9, 10}, 2, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}});
  const Bytes overflowing = imageOf({GroupImage{6, {9, 10}, 1, 1, {UINT64_MAX, 2}}});
  const Bytes& configImage = kExpectedConfigImage;
  const Bytes& prefix = kExpectedCounterDataPrefix;
  Mistakes mistakes;
  std::atomic<bool> start{false};

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      while (!start.load()) std::this_thread::yield();
      for (int round = 0; round < kRounds; ++round) {
        if (evaluate(image) != 78.0) ++mistakes.totals;
        if (evaluate(overflowing) != 1.0) ++mistakes.overflowTotals;
        if (fetch<TPRF_RawMetricsConfig_GetConfigImage_Params>(TPRF_RawMetricsConfig_GetConfigImage) !=
            configImage) {
          ++mistakes.configImages;
        }
        if (fetch<TPRF_CounterDataBuilder_GetCounterDataPrefix_Params>(
                TPRF_CounterDataBuilder_GetCounterDataPrefix) != prefix) {
          ++mistakes.prefixes;
        }
        if (countRanges(image) != 1) ++mistakes.rangeCounts;
      }
    });
  }
  start = true;
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(mistakes.totals.load(), 0);
  EXPECT_EQ(mistakes.overflowTotals.load(), 0);
  EXPECT_EQ(mistakes.configImages.load(), 0);
  EXPECT_EQ(mistakes.prefixes.load(), 0);
  EXPECT_EQ(mistakes.rangeCounts.load(), 0);
  // Each overflowing evaluation carries once.
  EXPECT_EQ(messagesOf(log), repeated({krlog::warn, kValueOverflow}, size_t{kThreads} * kRounds));
}

} // namespace
} // namespace krprof_test
