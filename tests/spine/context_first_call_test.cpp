// Threads that make the process's first call of the host context at the same
// time all receive the one instance. This executable makes no other call, so
// the instance does not exist before the threads start.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tprf_config.h"

namespace {

TEST(HostContext, ConcurrentFirstCallsCreateOneInstance) {
  constexpr int kThreads = 16;
  std::atomic<int> waiting{kThreads};
  std::vector<tprf::Context*> seen(kThreads, nullptr);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      waiting.fetch_sub(1);
      while (waiting.load() > 0) std::this_thread::yield();
      seen[t] = tprf::Context::getInstance();
    });
  }
  for (auto& thread : threads) thread.join();

  ASSERT_NE(seen[0], nullptr);
  for (tprf::Context* context : seen) EXPECT_EQ(context, seen[0]);
  EXPECT_EQ(tprf::Context::getInstance(), seen[0]);
}

} // namespace
