// A process that exits while two of its threads are inside the library
// writing log lines: the library's exit-time destruction runs beside them,
// and the process still ends with the status it asked for.
#include <krlog/krlog.h>
#include <krlog/krlog_control.h>

#include <gtest/gtest.h>

#include <krprof/tprf_host.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "expected_images.h"

namespace krprof_test {
namespace {

using namespace std::chrono_literals;

constexpr int kRuns = 200;

// The image the threads evaluate. Never freed: they read it until the very
// end of the process, after the program's own static objects are destroyed.
const std::vector<uint8_t>& imageThatOutlivesExit() {
  static const auto* image = new std::vector<uint8_t>(kOneGroupCounterDataImage);
  return *image;
}

void evaluate(size_t imageSize) {
  double value;
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
  params.pCounterDataImage = imageThatOutlivesExit().data();
  params.counterDataImageSize = imageSize;
  params.pMetricValues = &value;
  TPRF_MetricsEvaluator_EvaluateToGpuValues(&params);
}

// Two threads evaluate the image and the image cut short by one byte in
// turn, so that every other call writes its failure line; once both have
// made a call, the main thread waits 2 ms and exits with status 0.
[[noreturn]] void exitWhileTwoThreadsLog() {
  krlog::control::setLevel(krlog::api::registerLogger("QUAY", true), krlog::info);
  const size_t size = imageThatOutlivesExit().size();
  std::atomic<int> started{0};
  for (int thread = 0; thread < 2; ++thread) {
    std::thread([&started, size] {
      evaluate(size - 1);
      started.fetch_add(1);
      for (size_t call = 0;; ++call) evaluate(size - call % 2);
    }).detach();
  }
  while (started.load() < 2) std::this_thread::yield();
  std::this_thread::sleep_for(2ms);
  std::exit(0);
}

TEST(ExitWhileLogging, EveryExitEndsWithItsStatus) {
  int failed = 0;
  std::string first;
  for (int run = 0; run < kRuns; ++run) {
    const ChildOutcome outcome = runInChild([]() -> int { exitWhileTwoThreadsLog(); }, scaledDeadline(5s),
                                            ChildStandardError::kDiscarded);
    if (outcome.exitedWith(0)) continue;
    if (failed++ == 0) first = outcome.describe();
    if (outcome.hung) break;
  }
  EXPECT_EQ(failed, 0) << failed << " of " << kRuns << " exits went wrong; the first: " << first;
}

} // namespace
} // namespace krprof_test
