// The library's log statement and the logger it writes through.
#pragma once

#include <krlog/krlog.h>

#include <cstdint>
#include <memory>

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

// The logger "QUAY", registered while the library is loaded.
extern std::shared_ptr<krlog::api::krlogger> g_quayLogger;

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
// test comes first, so a dropped line costs no formatting. A statement that
// runs after the handle was released at process exit writes nothing, and one
// whose logger throws (out of memory, say) is dropped: logging never fails
// the caller's operation.
#define TPRF_LOG(mask, level, message, ...)                                                                  \
  do {                                                                                                       \
    static_assert(static_cast<uint32_t>(mask) == ::tprf::LOG_ALWAYS, "unknown log category");                \
    constexpr const char* tprfBaseName_ = ::tprf::baseName(__FILE__);                                        \
    constexpr auto tprfLevel_ = static_cast<::krlog::krLevel_enum>(level);                                   \
    const auto& tprfLogger_ = ::tprf::g_quayLogger;                                                          \
    try {                                                                                                    \
      if (tprfLogger_ && tprfLogger_->shouldLog(tprfLevel_)) {                                               \
        ::krlog::api::krLog(tprfLogger_, tprfLevel_, "%-25s:%-4d: " message "\n\n", tprfBaseName_, __LINE__, \
                            ##__VA_ARGS__);                                                                  \
      }                                                                                                      \
    } catch (...) {                                                                                          \
    }                                                                                                        \
  } while (0)
