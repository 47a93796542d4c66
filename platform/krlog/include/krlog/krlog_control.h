// Test and tool control of the logging stand-in. libkrprof_host.so never
// calls these; tests use them to set a logger's level and to capture its lines.
#pragma once

#include <krlog/krlog.h>

#include <functional>
#include <string_view>

namespace krlog::control {

KRLOG_API void setLevel(std::shared_ptr<api::krlogger> const& logger, krLevel_enum level);
KRLOG_API krLevel_enum level(std::shared_ptr<api::krlogger> const& logger);

// Receives each written line (the formatted text, nothing added).
using Sink = std::function<void(krLevel_enum level, std::string_view line)>;

// Sends the logger's lines to `sink` instead of standard error; an empty sink
// restores standard error.
KRLOG_API void setSink(std::shared_ptr<api::krlogger> const& logger, Sink sink);

} // namespace krlog::control
