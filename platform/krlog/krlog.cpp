#include <krlog/krlog.h>
#include <krlog/krlog_control.h>

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace krlog {
namespace {

krLevel_enum levelFromEnvironment() {
  static constexpr struct {
    const char* name;
    krLevel_enum level;
  } kNames[] = {{"verbose", verbose}, {"debug", debug},       {"info", info}, {"warn", warn},
                {"err", err},         {"critical", critical}, {"off", off}};
  const char* value = std::getenv("KRLOG_LEVEL");
  if (value != nullptr) {
    for (const auto& entry : kNames) {
      if (std::strcmp(value, entry.name) == 0) return entry.level;
    }
  }
  return info;
}

class Logger final : public api::krlogger {
public:
  explicit Logger(krLevel_enum level) : level_(level) {}

  std::atomic<krLevel_enum> level_;
  std::mutex sinkMutex_;
  control::Sink sink_;
};

Logger& impl(const std::shared_ptr<api::krlogger>& logger) {
  return static_cast<Logger&>(*logger);
}

void writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

void deliver(Logger& target, krLevel_enum level, std::string_view line) {
  control::Sink sink;
  {
    std::lock_guard<std::mutex> lock(target.sinkMutex_);
    sink = target.sink_;
  }
  if (sink) {
    sink(level, line);
  } else {
    writeAll(STDERR_FILENO, line.data(), line.size());
  }
}

// Every logger, by name. Never destroyed: a logger outlives every handle to
// it, whatever order libraries release their handles in at exit.
struct Registry {
  std::mutex mutex;
  std::map<std::string, std::shared_ptr<Logger>> loggers;
};

Registry& registry() {
  static auto* instance = new Registry();
  return *instance;
}

// Hold the registry's mutex and every logger's sink mutex across fork(), so
// that a child never inherits one of them locked by a thread it does not
// have (one registering a logger or writing a line at the moment of the
// fork). Loggers are only added under the registry's mutex, which is taken
// first, so every sink mutex is covered.
void lockForFork() {
  Registry& all = registry();
  all.mutex.lock();
  for (auto& entry : all.loggers) entry.second->sinkMutex_.lock();
}

void unlockAfterFork() {
  Registry& all = registry();
  for (auto& entry : all.loggers) entry.second->sinkMutex_.unlock();
  all.mutex.unlock();
}

// Registered when the library is loaded, before any logger exists.
struct ForkHandlers {
  ForkHandlers() {
    registry();
    pthread_atfork(lockForFork, unlockAfterFork, unlockAfterFork);
  }
};
const ForkHandlers forkHandlers;

} // namespace

namespace api {

krlogger::~krlogger() = default;

bool krlogger::shouldLog(krLevel_enum level) const {
  krLevel_enum threshold = static_cast<const Logger*>(this)->level_.load(std::memory_order_relaxed);
  return threshold != off && level >= threshold && level < off;
}

std::shared_ptr<krlogger> registerLogger(std::string name, bool /*enable*/) {
  Registry& all = registry();
  std::lock_guard<std::mutex> lock(all.mutex);
  auto& slot = all.loggers[name];
  if (!slot) slot = std::make_shared<Logger>(levelFromEnvironment());
  return slot;
}

// A log call cannot fail: a line that cannot be formatted or delivered (no
// memory, a throwing sink) is dropped.
void krLog(std::shared_ptr<krlogger> const& logger, krLevel_enum level, const char* format, ...) {
  va_list args;
  va_start(args, format);
  try {
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (length >= 0) {
      std::vector<char> line(static_cast<size_t>(length) + 1);
      std::vsnprintf(line.data(), line.size(), format, args);
      deliver(impl(logger), level, std::string_view(line.data(), static_cast<size_t>(length)));
    }
  } catch (...) {
  }
  va_end(args);
}

} // namespace api

namespace control {

void setLevel(std::shared_ptr<api::krlogger> const& logger, krLevel_enum level) {
  impl(logger).level_.store(level, std::memory_order_relaxed);
}

krLevel_enum level(std::shared_ptr<api::krlogger> const& logger) {
  return impl(logger).level_.load(std::memory_order_relaxed);
}

void setSink(std::shared_ptr<api::krlogger> const& logger, Sink sink) {
  Logger& target = impl(logger);
  std::lock_guard<std::mutex> lock(target.sinkMutex_);
  target.sink_ = std::move(sink);
}

} // namespace control
} // namespace krlog
