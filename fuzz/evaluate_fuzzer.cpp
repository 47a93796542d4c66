// Evaluates the fuzz input as a counter-data image through the exported entry
// point. Whatever the bytes, the call either succeeds, writing the first metric
// value only and logging nothing but overflow warnings, or reports
// TPRA_STATUS_INTERNAL_ERROR with one failure line and the values untouched.
#include <krprof/tprf_host.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "quay_log.h"

namespace {

// No total is negative, so a negative value can only be the caller's own.
constexpr double kUntouched = -1.0;

// The failure line's message for this call's image pointer and size.
std::string failureMessage(const uint8_t* image, size_t size) {
  char message[160];
  std::snprintf(message, sizeof message,
                "evaluateToGpuValues failed. pCounterDataImage:%p, counterDataImageSize:%d.",
                static_cast<const void*>(image), static_cast<int>(size));
  return message;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static krprof_test::QuayLog log;
  log.setLevel(krlog::warn);
  log.clear();

  static const uint8_t kNoBytes = 0;
  double values[2] = {kUntouched, kUntouched};
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
  params.pCounterDataImage = size > 0 ? data : &kNoBytes;
  params.counterDataImageSize = size;
  params.pMetricValues = values;

  const TPRA_Status status = TPRF_MetricsEvaluator_EvaluateToGpuValues(&params);

  const std::vector<krprof_test::LogLine> lines = log.lines();
  KRPROF_FUZZ_CHECK(values[1] == kUntouched);
  if (status == TPRA_STATUS_SUCCESS) {
    KRPROF_FUZZ_CHECK(values[0] >= 0.0);
    for (const krprof_test::LogLine& line : lines) {
      KRPROF_FUZZ_CHECK(line.level == krlog::warn);
      KRPROF_FUZZ_CHECK(krprof_test::messageOf(line.text) == "evaluateToGpuValues value overflow.");
    }
  } else {
    KRPROF_FUZZ_CHECK(status == TPRA_STATUS_INTERNAL_ERROR);
    KRPROF_FUZZ_CHECK(values[0] == kUntouched);
    KRPROF_FUZZ_CHECK(lines.size() == 1);
    KRPROF_FUZZ_CHECK(lines[0].level == krlog::err);
    KRPROF_FUZZ_CHECK(krprof_test::messageOf(lines[0].text) ==
                      failureMessage(params.pCounterDataImage, size));
  }
  return 0;
}
