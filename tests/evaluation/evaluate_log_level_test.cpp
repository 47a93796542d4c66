// The logger's level decides which lines are written, never the status or
// the result: with err enabled but not warn, only the overflow warning goes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "case_name.h"
#include "evaluation_harness.h"

namespace krprof_test {
namespace {

enum class Expect { kOverflowWarning, kFailureLine };

struct LevelCase {
  std::string name;
  krlog::krLevel_enum level;
  Expect outcome;
  bool lineWritten;
  friend void PrintTo(const LevelCase& tested, std::ostream* out) { *out << tested.name; }
};

class EvaluationLogLevelTest : public testing::TestWithParam<LevelCase> {};

TEST_P(EvaluationLogLevelTest, FiltersLinesOnly) {
  QuayLog log;
  log.setLevel(GetParam().level);
  const bool overflow = GetParam().outcome == Expect::kOverflowWarning;
  // Overflow: readings 2^64 - 1 and 2 wrap to 1. Failure: one reading short.
  Evaluation call(imageOf({GroupImage{
      6, {9, 10}, 1, 1, overflow ? std::vector<uint64_t>{UINT64_MAX, 2} : std::vector<uint64_t>{100}}}));

  const TPRA_Status status = call.run();

  std::vector<LoggedMessage> expectedMessages;
  std::array<double, Evaluation::kValueSlots> expectedValues = Evaluation::untouchedValues();
  if (overflow) {
    EXPECT_EQ(status, TPRA_STATUS_SUCCESS);
    expectedValues[0] = 1.0;
    if (GetParam().lineWritten) expectedMessages.push_back({krlog::warn, kValueOverflow});
  } else {
    EXPECT_EQ(status, TPRA_STATUS_INTERNAL_ERROR);
    if (GetParam().lineWritten) expectedMessages.push_back({krlog::err, call.failureMessage()});
  }
  EXPECT_EQ(call.values, expectedValues);
  EXPECT_EQ(messagesOf(log), expectedMessages);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, EvaluationLogLevelTest,
    testing::Values(LevelCase{"WarnLetsTheWarningThrough", krlog::warn, Expect::kOverflowWarning, true},
                    LevelCase{"ErrDropsTheWarning", krlog::err, Expect::kOverflowWarning, false},
                    LevelCase{"ErrLetsTheFailureThrough", krlog::err, Expect::kFailureLine, true},
                    LevelCase{"CriticalDropsTheFailure", krlog::critical, Expect::kFailureLine, false},
                    LevelCase{"OffDropsTheWarning", krlog::off, Expect::kOverflowWarning, false}),
    CaseName());

} // namespace
} // namespace krprof_test
