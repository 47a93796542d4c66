/*
 * Prints the layout of the parameter blocks the Python package declares, as
 * the C compiler lays them out: one line "Block size" per block, then one line
 * "Block.field offset size" per field. The Python tests compare their ctypes
 * declarations with it.
 */
#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <stddef.h>
#include <stdio.h>

#define BLOCK(type) printf("%s %zu\n", #type, sizeof(type))
#define FIELD(type, field) \
  printf("%s.%s %zu %zu\n", #type, #field, offsetof(type, field), sizeof(((type*)0)->field))

int main(void) {
  BLOCK(TPRF_RawMetricsConfig_GetConfigImage_Params);
  FIELD(TPRF_RawMetricsConfig_GetConfigImage_Params, structSize);
  FIELD(TPRF_RawMetricsConfig_GetConfigImage_Params, pPriv);
  FIELD(TPRF_RawMetricsConfig_GetConfigImage_Params, pRawMetricsConfig);
  FIELD(TPRF_RawMetricsConfig_GetConfigImage_Params, bytesAllocated);
  FIELD(TPRF_RawMetricsConfig_GetConfigImage_Params, pBuffer);
  FIELD(TPRF_RawMetricsConfig_GetConfigImage_Params, bytesCopied);

  BLOCK(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params);
  FIELD(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params, structSize);
  FIELD(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params, pPriv);
  FIELD(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params, pCounterDataBuilder);
  FIELD(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params, bytesAllocated);
  FIELD(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params, pBuffer);
  FIELD(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params, bytesCopied);

  BLOCK(TPRF_CounterData_GetNumRanges_Params);
  FIELD(TPRF_CounterData_GetNumRanges_Params, structSize);
  FIELD(TPRF_CounterData_GetNumRanges_Params, pPriv);
  FIELD(TPRF_CounterData_GetNumRanges_Params, pCounterDataImage);
  FIELD(TPRF_CounterData_GetNumRanges_Params, numRanges);

  BLOCK(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, structSize);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, pPriv);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, pMetricsEvaluator);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, pMetricEvalRequests);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, numMetricEvalRequests);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, metricEvalRequestStructSize);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, metricEvalRequestStrideSize);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, pCounterDataImage);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, counterDataImageSize);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, rangeIndex);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, isolated);
  FIELD(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, pMetricValues);
  return 0;
}
