// Stand-in for the KORA platform's logging library (libkranalyzer.so.1.10).
//
// It provides only what libkrprof_host.so calls: the level enumeration, the
// logger class with its level test, logger registration and the printf-style
// line writer. Lines that pass the level test go to standard error exactly as
// formatted, one write() per line.
#pragma once

#include <memory>
#include <string>

#define KRLOG_API __attribute__((visibility("default")))

namespace krlog {

enum krLevel_enum : int {
  verbose = 0,
  debug = 1,
  info = 2,
  warn = 3,
  err = 4,
  critical = 5,
  off = 6,
  n_levels = 7,
};

namespace api {

class KRLOG_API krlogger {
public:
  virtual ~krlogger();
  bool shouldLog(krLevel_enum level) const;

protected:
  krlogger() = default;
};

// Returns the logger registered under `name`, creating it on the first call.
// Its level comes from the environment variable KRLOG_LEVEL, read then.
KRLOG_API std::shared_ptr<krlogger> registerLogger(std::string name, bool enable);

KRLOG_API void krLog(std::shared_ptr<krlogger> const& logger, krLevel_enum level, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

} // namespace api
} // namespace krlog
