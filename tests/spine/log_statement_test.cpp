// The form of the library's log lines, from the log statement itself. The
// samples at the bottom of this file set their file name and line number with
// #line, so the padding rules can be checked for chosen values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quay_log.h"
#include "tprf_debug.h"

namespace {

void writeSamples();
void writeWarning();

using krprof_test::QuayLog;

TEST(LogStatement, LinesHaveTheBaseNameAndLinePaddedThenAnEmptyLine) {
  QuayLog log;
  log.setLevel(krlog::verbose);
  writeSamples();
  const std::vector<std::string> expected = {
      "a.cpp                    :7   : one digit, directory dropped\n\n",
      "name_of_exactly_25_ch.cpp:42  : two digits\n\n",
      "a_source_file_name_longer_than_25.cpp:1234: four digits, long name in full\n\n",
      "plain.cpp                :123456: wider than the field\n\n",
  };
  EXPECT_EQ(log.texts(), expected);
  for (const auto& line : log.lines()) EXPECT_EQ(line.level, krlog::err);
}

TEST(LogStatement, LevelReachesTheLoggerByValueAndIsTestedFirst) {
  QuayLog log;
  log.setLevel(krlog::warn);
  writeWarning();
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_EQ(log.lines()[0].level, krlog::warn);

  log.clear();
  log.setLevel(krlog::err);
  writeWarning();
  EXPECT_TRUE(log.lines().empty());
}

TEST(LogStatement, WritesNothingOnceTheHandleIsReleased) {
  QuayLog log;
  std::shared_ptr<krlog::api::krlogger> released;
  released.swap(tprf::g_quayLogger); // as after the handle's destruction at exit
  writeSamples();
  released.swap(tprf::g_quayLogger);
  EXPECT_TRUE(log.lines().empty());
}

TEST(LogStatement, LoggerIsRegisteredAtLoadUnderQuay) {
  ASSERT_NE(tprf::g_quayLogger, nullptr);
  EXPECT_EQ(tprf::g_quayLogger.get(), krlog::api::registerLogger("QUAY", true).get());
}

// clang-format off
void writeSamples() {
#line 7 "/some/dir/a.cpp"
  TPRF_LOG(tprf::LOG_ALWAYS, tprf::LOG_ERROR, "one digit, directory dropped");
#line 42 "name_of_exactly_25_ch.cpp"
  TPRF_LOG(tprf::LOG_ALWAYS, tprf::LOG_ERROR, "two digits");
#line 1234 "src/a_source_file_name_longer_than_25.cpp"
  TPRF_LOG(tprf::LOG_ALWAYS, tprf::LOG_ERROR, "four digits, long name in full");
#line 123456 "x/plain.cpp"
  TPRF_LOG(tprf::LOG_ALWAYS, tprf::LOG_ERROR, "wider than the field");
}

void writeWarning() {
  TPRF_LOG(tprf::LOG_ALWAYS, tprf::LOG_WARNING, "value overflow.");
}
// clang-format on

} // namespace
