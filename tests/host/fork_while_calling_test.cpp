// Processes that fork while another of their threads is inside the library
// (launchers, Python multiprocessing, MPI): every child can use the library
// and the logging library at once, however the fork fell. Each child makes a
// successful and a rejected call, and registers a logger of its own.
#include <krlog/krlog.h>
#include <krlog/krlog_control.h>

#include <gtest/gtest.h>

#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "child_process.h"
#include "expected_images.h"

namespace krprof_test {
namespace {

using namespace std::chrono_literals;

constexpr int kForks = 200;
constexpr char kRejectedLine[] = "getCounterDataNumRanges parameter wrong.\n\n";

std::shared_ptr<krlog::api::krlogger> quayLogger() {
  return krlog::api::registerLogger("QUAY", true);
}

TPRA_Status countRanges(const void* image) {
  TPRF_CounterData_GetNumRanges_Params params{sizeof(params), nullptr, static_cast<const uint8_t*>(image), 7};
  return TPRF_CounterData_GetNumRanges_Impl(&params);
}

// What each forked child does: 0 if all of it worked.
int useTheLibraryAfterFork() {
  if (countRanges(nullptr) != TPRA_STATUS_INVALID_ARGUMENT) return 1;
  double value = -1;
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
  params.pCounterDataImage = kOneGroupCounterDataImage.data();
  params.counterDataImageSize = kOneGroupCounterDataImage.size();
  params.pMetricValues = &value;
  if (TPRF_MetricsEvaluator_EvaluateToGpuValues(&params) != TPRA_STATUS_SUCCESS ||
      value != kOneGroupReadSectors) {
    return 2;
  }
  return krlog::api::registerLogger("FORKED_CHILD", true) ? 0 : 3;
}

// Its rejected call wrote exactly its one line, and nothing else was written.
bool wroteItsOneLine(const ChildOutcome& child) {
  const std::string& text = child.standardError;
  return text.size() > sizeof(kRejectedLine) &&
         text.compare(text.size() - (sizeof(kRejectedLine) - 1), std::string::npos, kRejectedLine) == 0 &&
         text.find('\n') == text.size() - 2;
}

// Starts a thread that calls `call` without pause, then forks kForks
// children one after the other while it runs. Stops at the first child that
// hangs or fails; 0 if none did.
int forkWhileAnotherThreadCalls(void (*call)()) {
  krlog::control::setLevel(quayLogger(), krlog::info);
  std::atomic<bool> stop{false};
  std::atomic<bool> running{false};
  std::thread caller([&] {
    while (!stop.load()) {
      call();
      running.store(true);
    }
  });
  while (!running.load()) std::this_thread::yield();
  int result = 0;
  for (int fork = 1; fork <= kForks && result == 0; ++fork) {
    const ChildOutcome child = runInChild(useTheLibraryAfterFork, scaledDeadline(5s));
    if (!child.exitedWith(0) || !wroteItsOneLine(child)) {
      std::printf("child %d of %d: %s\n", fork, kForks, child.describe().c_str());
      result = 1;
    }
  }
  stop.store(true);
  caller.join();
  return result;
}

TEST(ForkWhileCalling, EveryForkedChildUsesTheLibrary) {
  static const uint8_t kAnyByte = 0;
  const struct {
    const char* otherThread;
    void (*call)();
  } cases[] = {
      {"counts ranges", [] { countRanges(&kAnyByte); }},
      {"writes log lines", [] { countRanges(nullptr); }},
      {"registers a logger", [] { krlog::api::registerLogger("HOST_THREAD", true); }},
  };
  for (const auto& forkCase : cases) {
    const ChildOutcome outcome = runInChild([&] { return forkWhileAnotherThreadCalls(forkCase.call); },
                                            scaledDeadline(60s), ChildStandardError::kDiscarded);
    EXPECT_TRUE(outcome.exitedWith(0))
        << "while another thread " << forkCase.otherThread << ": " << outcome.describe();
  }
}

} // namespace
} // namespace krprof_test
