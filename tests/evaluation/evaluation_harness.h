// One call of TPRF_MetricsEvaluator_EvaluateToGpuValues on an image, with a
// block and a result array the test can inspect afterwards, and the messages
// the library writes for it.
#pragma once

#include <krprof/tprf_host.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "counter_data_encoder.h"
#include "quay_log.h"

namespace krprof_test {

inline constexpr char kParameterWrong[] = "evaluateToGpuValues parameter wrong.";
inline constexpr char kValueOverflow[] = "evaluateToGpuValues value overflow.";

// What a result slot holds before the call. The library only ever stores a
// total, which is never negative, so this value shows a slot was not written.
inline constexpr double kUntouched = -12345.5;

struct Evaluation {
  static constexpr size_t kValueSlots = 6;

  explicit Evaluation(Bytes imageBytes) : image(std::move(imageBytes)) {
    params.structSize = sizeof(params);
    // An empty vector may have no storage; a zero-byte image still needs a
    // non-null pointer to be an image at all.
    params.pCounterDataImage = image.empty() ? &spareByte_ : image.data();
    params.counterDataImageSize = image.size();
    params.pMetricValues = values.data();
  }
  Evaluation(const Evaluation&) = delete;
  Evaluation& operator=(const Evaluation&) = delete;

  TPRA_Status run() { return TPRF_MetricsEvaluator_EvaluateToGpuValues(&params); }

  // The result slots of a call that wrote nothing.
  static std::array<double, kValueSlots> untouchedValues() {
    std::array<double, kValueSlots> result;
    result.fill(kUntouched);
    return result;
  }

  // The failure message for this block: the image pointer as printf's %p
  // prints it and the size as a signed 32-bit number.
  std::string failureMessage() const {
    char text[160];
    std::snprintf(
        text, sizeof(text), "evaluateToGpuValues failed. pCounterDataImage:%p, counterDataImageSize:%d.",
        static_cast<const void*>(params.pCounterDataImage), static_cast<int>(params.counterDataImageSize));
    return text;
  }

  Bytes image;
  std::array<double, kValueSlots> values = untouchedValues();
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};

private:
  uint8_t spareByte_ = 0;
};

struct LoggedMessage {
  krlog::krLevel_enum level;
  std::string message;

  bool operator==(const LoggedMessage& other) const {
    return level == other.level && message == other.message;
  }
};

inline std::ostream& operator<<(std::ostream& out, const LoggedMessage& logged) {
  return out << "level " << static_cast<int>(logged.level) << " \"" << logged.message << "\"";
}

// The captured lines as level and message, in the order written.
inline std::vector<LoggedMessage> messagesOf(const QuayLog& log) {
  std::vector<LoggedMessage> result;
  for (const LogLine& line : log.lines()) result.push_back({line.level, messageOf(line.text)});
  return result;
}

inline std::vector<LoggedMessage> repeated(const LoggedMessage& logged, size_t times) {
  return std::vector<LoggedMessage>(times, logged);
}

} // namespace krprof_test
