// The library's verdict on a counter-data image, as `krprof check` takes it:
// the status of the range count, then of the evaluation.
#pragma once

#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <cstdint>
#include <vector>

#include "quay_log.h"

namespace krprof_test {

// Evaluates with the library's lines captured, so that thousands of rejected
// images do not fill the test log.
inline TPRA_Status libraryStatus(const std::vector<uint8_t>& image, double* total = nullptr) {
  static QuayLog log;
  log.clear();
  static const uint8_t kNoBytes = 0;
  const uint8_t* data = image.empty() ? &kNoBytes : image.data();
  TPRF_CounterData_GetNumRanges_Params ranges{};
  ranges.structSize = sizeof ranges;
  ranges.pCounterDataImage = data;
  const TPRA_Status rangeStatus = TPRF_CounterData_GetNumRanges_Impl(&ranges);
  if (rangeStatus != TPRA_STATUS_SUCCESS) return rangeStatus;
  double value = 0.0;
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
  params.structSize = sizeof params;
  params.pCounterDataImage = data;
  params.counterDataImageSize = image.size();
  params.pMetricValues = &value;
  const TPRA_Status status = TPRF_MetricsEvaluator_EvaluateToGpuValues(&params);
  if (total != nullptr) *total = value;
  return status;
}

} // namespace krprof_test
