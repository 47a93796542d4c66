// The range count through its exported entry, its rejections and their log
// lines. Nothing here calls TPRF_InitializeHost: the working entry points must
// not depend on it.
#include <krprof/tprf_target.h>

#include <gtest/gtest.h>

#include <regex>

#include "quay_log.h"

namespace {

using krprof_test::QuayLog;

constexpr const char* kRejected = "getCounterDataNumRanges parameter wrong.";

// "<base name, left-justified in 25>:<line, left-justified in 4>: <message>\n\n"
void expectLogLine(const std::string& line, const std::string& message) {
  std::smatch match;
  ASSERT_TRUE(std::regex_match(line, match, std::regex("^(tprf_config\\.cpp {10}):([0-9]+ *): (.*)\n\n$")))
      << line;
  const std::string number = match[2].str();
  const size_t digits = number.find(' ') == std::string::npos ? number.size() : number.find(' ');
  EXPECT_EQ(number.size(), std::max<size_t>(digits, 4)) << "line number not padded to 4 columns: " << line;
  EXPECT_EQ(match[3].str(), message);
}

TEST(RangeCount, AnyNonNullImageHoldsOneRange) {
  const uint8_t zeroByte = 0;
  const char* notAnImage = "no counter data here";
  for (const void* image : {static_cast<const void*>(&zeroByte), static_cast<const void*>(notAnImage)}) {
    for (size_t structSize : {sizeof(TPRF_CounterData_GetNumRanges_Params), size_t{0}}) {
      TPRF_CounterData_GetNumRanges_Params params{};
      params.structSize = structSize;
      params.pPriv = reinterpret_cast<void*>(0x1234);
      params.pCounterDataImage = static_cast<const uint8_t*>(image);
      params.numRanges = 99;
      EXPECT_EQ(TPRF_CounterData_GetNumRanges_Impl(&params), TPRA_STATUS_SUCCESS);
      EXPECT_EQ(params.numRanges, 1u);
    }
  }
}

TEST(RangeCount, NullImageIsRejectedWithOneLineAndNothingWritten) {
  QuayLog log;
  TPRF_CounterData_GetNumRanges_Params params{};
  params.structSize = sizeof(params);
  params.numRanges = 7;
  EXPECT_EQ(TPRF_CounterData_GetNumRanges_Impl(&params), TPRA_STATUS_INVALID_ARGUMENT);
  EXPECT_EQ(params.numRanges, 7u);

  const auto lines = log.lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].level, krlog::err);
  expectLogLine(lines[0].text, kRejected);
}

TEST(RangeCount, NullParamsIsRejectedWithTheSameLine) {
  QuayLog log;
  EXPECT_EQ(TPRF_CounterData_GetNumRanges_Impl(nullptr), TPRA_STATUS_INVALID_ARGUMENT);
  const auto lines = log.texts();
  ASSERT_EQ(lines.size(), 1u);
  expectLogLine(lines[0], kRejected);
}

TEST(RangeCount, StatusDoesNotDependOnTheLevelTest) {
  QuayLog log;
  for (krlog::krLevel_enum level : {krlog::critical, krlog::off}) {
    log.setLevel(level);
    TPRF_CounterData_GetNumRanges_Params params{};
    params.numRanges = 7;
    EXPECT_EQ(TPRF_CounterData_GetNumRanges_Impl(&params), TPRA_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(TPRF_CounterData_GetNumRanges_Impl(nullptr), TPRA_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(params.numRanges, 7u);
  }
  EXPECT_TRUE(log.lines().empty());
}

} // namespace
