// The contract of the logging stand-in that the tests and tools rely on:
// level filtering, KRLOG_LEVEL, one logger per name, and lines written whole
// to standard error even when many threads write at once.
#include <krlog/krlog.h>
#include <krlog/krlog_control.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using krlog::krLevel_enum;

std::shared_ptr<krlog::api::krlogger> loggerWithEnvironment(const std::string& name, const char* value) {
  if (value == nullptr) {
    unsetenv("KRLOG_LEVEL");
  } else {
    setenv("KRLOG_LEVEL", value, 1);
  }
  auto logger = krlog::api::registerLogger(name, true);
  unsetenv("KRLOG_LEVEL");
  return logger;
}

TEST(LoggingStandIn, ThresholdComesFromTheEnvironmentAtRegistration) {
  struct Case {
    const char* value;
    krLevel_enum threshold;
  };
  const Case cases[] = {
      {nullptr, krlog::info},        {"verbose", krlog::verbose},
      {"debug", krlog::debug},       {"info", krlog::info},
      {"warn", krlog::warn},         {"err", krlog::err},
      {"critical", krlog::critical}, {"off", krlog::off},
      {"loud", krlog::info},         {"", krlog::info},
      {"ERR", krlog::info},
  };
  int serial = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(unset)");
    auto logger = loggerWithEnvironment("env-" + std::to_string(serial++), c.value);
    EXPECT_EQ(krlog::control::level(logger), c.threshold);
    for (int level = krlog::verbose; level <= krlog::off; ++level) {
      const bool expected = c.threshold != krlog::off && level >= c.threshold && level != krlog::off;
      EXPECT_EQ(logger->shouldLog(static_cast<krLevel_enum>(level)), expected) << "level " << level;
    }
  }
}

TEST(LoggingStandIn, RegisteringANameTwiceReturnsTheSameLogger) {
  auto first = krlog::api::registerLogger("twice", true);
  auto second = krlog::api::registerLogger(std::string("twice"), false);
  EXPECT_EQ(first.get(), second.get());
  EXPECT_NE(first.get(), krlog::api::registerLogger("other", true).get());
}

TEST(LoggingStandIn, SinkReceivesTheFormattedLineAsIs) {
  auto logger = krlog::api::registerLogger("sink", true);
  std::vector<std::pair<krLevel_enum, std::string>> lines;
  krlog::control::setSink(logger, [&](krLevel_enum level, std::string_view text) {
    lines.emplace_back(level, std::string(text));
  });
  krlog::api::krLog(logger, krlog::warn, "%-6s|%-3d|%p|\n\n", "ab", 7, static_cast<void*>(nullptr));
  krlog::control::setSink(logger, nullptr);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].first, krlog::warn);
  char expected[64];
  std::snprintf(expected, sizeof(expected), "ab    |7  |%p|\n\n", static_cast<void*>(nullptr));
  EXPECT_EQ(lines[0].second, expected);
}

// Redirects standard error to a file for the fixture's lifetime.
class StandardErrorFile : public ::testing::Test {
protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "krlog_stderr_" + std::to_string(getpid());
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    FILE* file = std::fopen(path_.c_str(), "w");
    ASSERT_NE(file, nullptr);
    dup2(fileno(file), STDERR_FILENO);
    std::fclose(file);
  }
  void TearDown() override {
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    std::remove(path_.c_str());
  }
  std::string written() {
    std::ifstream in(path_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string path_;
  int saved_ = -1;
};

TEST_F(StandardErrorFile, LinesOfConcurrentThreadsNeverInterleave) {
  auto logger = krlog::api::registerLogger("threads", true);
  constexpr int kThreads = 8;
  constexpr int kLines = 400;
  const std::string payload(300, 'x'); // long enough that a split write would show
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kLines; ++i) {
        krlog::api::krLog(logger, krlog::err, "thread %d line %d %s end\n", t, i, payload.c_str());
      }
    });
  }
  for (auto& thread : threads) thread.join();

  std::istringstream text(written());
  std::map<int, int> nextLine;
  std::string line;
  int count = 0;
  while (std::getline(text, line)) {
    int thread = -1;
    int number = -1;
    char rest[400] = {};
    ASSERT_EQ(std::sscanf(line.c_str(), "thread %d line %d %399s", &thread, &number, rest), 3) << line;
    EXPECT_EQ(line, "thread " + std::to_string(thread) + " line " + std::to_string(number) + " " + payload +
                        " end");
    EXPECT_EQ(number, nextLine[thread]++) << "lines of one thread out of order";
    ++count;
  }
  EXPECT_EQ(count, kThreads * kLines);
}

TEST_F(StandardErrorFile, WritesExactlyTheFormattedTextWithNothingAdded) {
  auto logger = krlog::api::registerLogger("plain", true);
  krlog::api::krLog(logger, krlog::err, "%s:%-4d: %s\n\n", "file.cpp", 12, "message");
  krlog::api::krLog(logger, krlog::critical, "second\n");
  EXPECT_EQ(written(), "file.cpp:12  : message\n\nsecond\n");
}

} // namespace
