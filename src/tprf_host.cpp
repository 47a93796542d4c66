#include <krprof/tprf_host.h>

#include "impl/tprf_impl.h"
#include "inert_entry_point.h"

// The three public working entry points hand their block to the
// implementation entry of the same name and return its status.

extern "C" TPRF_EXPORT TPRA_Status
TPRF_RawMetricsConfig_GetConfigImage(TPRF_RawMetricsConfig_GetConfigImage_Params* pParams) {
  return TPRF_RawMetricsConfig_GetConfigImage_Impl(pParams);
}

extern "C" TPRF_EXPORT TPRA_Status
TPRF_CounterDataBuilder_GetCounterDataPrefix(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params* pParams) {
  return TPRF_CounterDataBuilder_GetCounterDataPrefix_Impl(pParams);
}

extern "C" TPRF_EXPORT TPRA_Status
TPRF_MetricsEvaluator_EvaluateToGpuValues(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params* pParams) {
  return TPRF_MetricsEvaluator_EvaluateToGpuValues_Impl(pParams);
}

#include "tprf_host_inert.def"
