#include <krlog/krlog.h>
#include <krlog/krlog_control.h>

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

} // namespace

namespace api {

krlogger::~krlogger() = default;

bool krlogger::shouldLog(krLevel_enum level) const {
  krLevel_enum threshold = static_cast<const Logger*>(this)->level_.load(std::memory_order_relaxed);
  return threshold != off && level >= threshold && level < off;
}

std::shared_ptr<krlogger> registerLogger(std::string name, bool /*enable*/) {
  static std::mutex registryMutex;
  static auto* registry = new std::map<std::string, std::shared_ptr<krlogger>>();
  std::lock_guard<std::mutex> lock(registryMutex);
  auto& slot = (*registry)[name];
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
