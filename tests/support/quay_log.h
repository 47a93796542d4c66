// Captures the lines the library writes through its logger "QUAY".
//
// The stand-in logging library hands out one logger per name, so registering
// "QUAY" here returns the library's own logger; its lines are redirected to
// this capture for the capture's lifetime, and its level is restored after.
#pragma once

#include <krlog/krlog.h>
#include <krlog/krlog_control.h>

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace krprof_test {

struct LogLine {
  krlog::krLevel_enum level;
  std::string text;
};

class QuayLog {
public:
  QuayLog() : logger_(krlog::api::registerLogger("QUAY", true)), savedLevel_(krlog::control::level(logger_)) {
    krlog::control::setSink(logger_, [this](krlog::krLevel_enum level, std::string_view text) {
      std::lock_guard<std::mutex> lock(mutex_);
      lines_.push_back({level, std::string(text)});
    });
  }
  ~QuayLog() {
    krlog::control::setSink(logger_, nullptr);
    krlog::control::setLevel(logger_, savedLevel_);
  }
  QuayLog(const QuayLog&) = delete;
  QuayLog& operator=(const QuayLog&) = delete;

  void setLevel(krlog::krLevel_enum level) { krlog::control::setLevel(logger_, level); }

  std::vector<LogLine> lines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
  }

  // The texts alone, in the order written.
  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const LogLine& line : lines()) result.push_back(line.text);
    return result;
  }

  void clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
  }

private:
  std::shared_ptr<krlog::api::krlogger> logger_;
  krlog::krLevel_enum savedLevel_;
  mutable std::mutex mutex_;
  std::vector<LogLine> lines_;
};

// The message part of a line "<base name>:<line>: <message>\n\n", or the
// whole text if it has no such form.
inline std::string messageOf(const std::string& line) {
  const size_t separator = line.find(": ");
  std::string message = separator == std::string::npos ? line : line.substr(separator + 2);
  while (!message.empty() && message.back() == '\n') message.pop_back();
  return message;
}

} // namespace krprof_test
