// Implementation entries: each obtains the host context and runs one
// operation on the caller's block. Exported; the public entry points of the
// same name without the suffix forward to them.
#pragma once

#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include "tprf_export.h"

extern "C" {

TPRF_EXPORT TPRA_Status
TPRF_RawMetricsConfig_GetConfigImage_Impl(TPRF_RawMetricsConfig_GetConfigImage_Params* pParams);

TPRF_EXPORT TPRA_Status TPRF_CounterDataBuilder_GetCounterDataPrefix_Impl(
    TPRF_CounterDataBuilder_GetCounterDataPrefix_Params* pParams);

TPRF_EXPORT TPRA_Status
TPRF_MetricsEvaluator_EvaluateToGpuValues_Impl(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params* pParams);

} // extern "C"
