// A tool loads the library when a profiling session starts and unloads it
// when the session ends, and may do so again for the next session. Here the
// host links no protobuf of its own.
#include <gtest/gtest.h>

#include "child_process.h"
#include "loaded_library.h"

namespace krprof_test {
namespace {

using namespace std::chrono_literals;

TEST(Reload, ThreeLoadEvaluateUnloadCycles) {
  const ChildOutcome outcome = runInChild([] { return loadEvaluateUnloadCycles(3); }, scaledDeadline(10s));
  EXPECT_TRUE(outcome.exitedWith(0)) << outcome.describe();
}

} // namespace
} // namespace krprof_test
