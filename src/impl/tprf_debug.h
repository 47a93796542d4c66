// The library's log statement and the logger it writes through.
#pragma once

#include <krlog/krlog.h>

#include <cstdint>
#include <memory>
#include <mutex>

namespace tprf {

// Severities; each has the value of the logging library's level of the same
// rank, so a level is passed on by value without translation.
enum LogLevel : uint32_t {
  LOG_NONE = 6,
  LOG_CRITICAL = 5,
  LOG_ERROR = 4,
  LOG_WARNING = 3,
  LOG_INFO = 2,
  LOG_DEBUG = 1,
  LOG_VERBOSE = 0,
};

// Categories; every statement is in LOG_ALWAYS, which filters nothing.
enum LogMask : uint32_t {
  LOG_ALWAYS = 0xFFFFFFFFu,
};

// The logger "QUAY", registered while the library is loaded and emptied at
// exit. Read and emptied only under g_quayLoggerMutex, as threads may still
// be logging while the process exits.
extern std::shared_ptr<krlog::api::krlogger> g_quayLogger;

// Held while a log statement takes its own reference to the logger, while
// the handle is emptied at exit, and across fork(). It is never held while a
// line is written. A plain mutex rather than std::atomic_load: the C++
// runtime guards atomic shared_ptr access with a process-wide pool of locks
// that the host's own code shares and that no fork handler can hold, so a
// child forked while any thread held one of them would hang on its first
// log line.
extern std::mutex g_quayLoggerMutex;

// The log statement's own reference to the logger: it keeps the logger while
// the line is written, and is empty once the handle was released at exit.
inline std::shared_ptr<krlog::api::krlogger> quayLoggerReference() {
  std::lock_guard<std::mutex> lock(g_quayLoggerMutex);
  return g_quayLogger;
}

// Part of a path after its last '/', worked out at compile time.
constexpr const char* baseName(const char* path) {
  const char* base = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/') base = p + 1;
  }
  return base;
}

} // namespace tprf

// Writes one line "<base name padded to 25>:<line padded to 4>: <message>"
// followed by an empty line, if the logger lets the level through. The level
// test comes first, so a dropped line costs no formatting. The statement
// takes its own reference to the logger, so the handle's release at process
// exit cannot pull the logger from under a line being written; a statement
// that runs after the release writes nothing. One whose logger throws (out of
// memory, say) is dropped: logging never fails the caller's operation.
#define TPRF_LOG(mask, level, message, ...)                                                                  \
  do {                                                                                                       \
    static_assert(static_cast<uint32_t>(mask) == ::tprf::LOG_ALWAYS, "unknown log category");                \
    constexpr const char* tprfBaseName_ = ::tprf::baseName(__FILE__);                                        \
    constexpr auto tprfLevel_ = static_cast<::krlog::krLevel_enum>(level);                                   \
    try {                                                                                                    \
      const auto tprfLogger_ = ::tprf::quayLoggerReference();                                                \
      if (tprfLogger_ && tprfLogger_->shouldLog(tprfLevel_)) {                                               \
        ::krlog::api::krLog(tprfLogger_, tprfLevel_, "%-25s:%-4d: " message "\n\n", tprfBaseName_, __LINE__, \
                            ##__VA_ARGS__);                                                                  \
      }                                                                                                      \
    } catch (...) {                                                                                          \
    }                                                                                                        \
  } while (0)
