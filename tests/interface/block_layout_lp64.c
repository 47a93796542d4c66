/*
 * Compile-time checks of the LP64 layout of the parameter blocks and records
 * where a wrong type, a lost const or a swapped field is easy to miss.
 * Offsets are those of natural alignment: 8 for size_t, pointers, uint64_t
 * and double, 4 for uint32_t and the enumerations, 2 for uint16_t, 1 for
 * TPRA_Bool and the other 8-bit fields.
 */
#include <krprof/tprf_host.h>
#include <krprof/tprf_kr_host.h>

#include <stddef.h>

#if defined(__LP64__)

#define EXPECT_OFFSET(type, field, offset) _Static_assert(offsetof(type, field) == (offset), #type "." #field)
#define EXPECT_SIZE(type, size) _Static_assert(sizeof(type) == (size), "sizeof " #type)
/* Exact field type, qualifiers of the pointed-to type included. */
#define EXPECT_FIELD_TYPE(type, field, field_type)                         \
  _Static_assert(_Generic(((type*)0)->field, field_type : 1, default : 0), \
                 #type "." #field " is " #field_type)

EXPECT_SIZE(TPRA_Status, 4);
EXPECT_SIZE(TPRA_ActivityKind, 4);
EXPECT_SIZE(TPRA_Bool, 1);

EXPECT_OFFSET(TPRA_RawMetricRequest, pMetricName, 16);
EXPECT_OFFSET(TPRA_RawMetricRequest, isolated, 24);
EXPECT_OFFSET(TPRA_RawMetricRequest, keepInstances, 25);
EXPECT_SIZE(TPRA_RawMetricRequest, 32);

EXPECT_OFFSET(TPRF_MetricEvalRequest, metricIndex, 0);
EXPECT_OFFSET(TPRF_MetricEvalRequest, metricType, 8);
EXPECT_OFFSET(TPRF_MetricEvalRequest, rollupOp, 9);
EXPECT_OFFSET(TPRF_MetricEvalRequest, submetric, 10);
EXPECT_SIZE(TPRF_MetricEvalRequest, 16);

EXPECT_OFFSET(TPRF_DimUnitFactor, exponent, 4);
EXPECT_SIZE(TPRF_DimUnitFactor, 8);
EXPECT_FIELD_TYPE(TPRF_DimUnitFactor, exponent, int8_t);

/* Three uint32_t fields share two 8-byte slots before the next pointer. */
EXPECT_OFFSET(TPRF_CounterData_CalculateCounterDataImageCopySize_Params, maxNumRanges, 32);
EXPECT_OFFSET(TPRF_CounterData_CalculateCounterDataImageCopySize_Params, maxRangeNameLength, 40);
EXPECT_OFFSET(TPRF_CounterData_CalculateCounterDataImageCopySize_Params, pCounterDataSrc, 48);
EXPECT_OFFSET(TPRF_CounterData_CalculateCounterDataImageCopySize_Params, copyDataImageCounterSize, 56);
EXPECT_SIZE(TPRF_CounterData_CalculateCounterDataImageCopySize_Params, 64);

/* Integer multipliers and floating-point weights at the same places. */
EXPECT_OFFSET(TPRF_CounterDataCombiner_AccumulateIntoRange_Params, dstMultiplier, 32);
EXPECT_OFFSET(TPRF_CounterDataCombiner_AccumulateIntoRange_Params, pCounterDataSrc, 40);
EXPECT_OFFSET(TPRF_CounterDataCombiner_AccumulateIntoRange_Params, srcMultiplier, 56);
EXPECT_SIZE(TPRF_CounterDataCombiner_AccumulateIntoRange_Params, 64);
EXPECT_FIELD_TYPE(TPRF_CounterDataCombiner_AccumulateIntoRange_Params, srcMultiplier, uint32_t);
EXPECT_OFFSET(TPRF_CounterDataCombiner_WeightedSumIntoRange_Params, dstMultiplier, 32);
EXPECT_OFFSET(TPRF_CounterDataCombiner_WeightedSumIntoRange_Params, srcMultiplier, 56);
EXPECT_SIZE(TPRF_CounterDataCombiner_WeightedSumIntoRange_Params, 64);
EXPECT_FIELD_TYPE(TPRF_CounterDataCombiner_WeightedSumIntoRange_Params, srcMultiplier, double);

/* Query blocks hold the configuration as const, changing ones do not. */
EXPECT_FIELD_TYPE(TPRF_RawMetricsConfig_GetNumMetrics_Params, pRawMetricsConfig,
                  const TPRA_RawMetricsConfig*);
EXPECT_FIELD_TYPE(TPRF_RawMetricsConfig_AddMetrics_Params, pRawMetricsConfig, TPRA_RawMetricsConfig*);
EXPECT_FIELD_TYPE(TPRF_RawMetricsConfig_AddMetrics_Params, pRawMetricRequests, const TPRA_RawMetricRequest*);
EXPECT_FIELD_TYPE(TPRF_GetSupportedChipNames_Params, ppChipNames, const char* const*);

EXPECT_OFFSET(TPRF_KORA_RawMetricsConfig_Create_V2_Params, activityKind, 16);
EXPECT_OFFSET(TPRF_KORA_RawMetricsConfig_Create_V2_Params, pChipName, 24);
EXPECT_OFFSET(TPRF_KORA_RawMetricsConfig_Create_V2_Params, pCounterAvailabilityImage, 32);
EXPECT_OFFSET(TPRF_KORA_RawMetricsConfig_Create_V2_Params, pRawMetricsConfig, 40);
EXPECT_SIZE(TPRF_KORA_RawMetricsConfig_Create_V2_Params, 48);

/* Count, list, then four flags packed into one 8-byte slot. */
EXPECT_OFFSET(TPRF_MetricsContext_GetMetricNames_Begin_Params, numMetrics, 24);
EXPECT_OFFSET(TPRF_MetricsContext_GetMetricNames_Begin_Params, ppMetricNames, 32);
EXPECT_OFFSET(TPRF_MetricsContext_GetMetricNames_Begin_Params, hidePeakSubMetrics, 40);
EXPECT_OFFSET(TPRF_MetricsContext_GetMetricNames_Begin_Params, hidePctOfPeakSubMetricsOnThroughputs, 43);
EXPECT_SIZE(TPRF_MetricsContext_GetMetricNames_Begin_Params, 48);
EXPECT_FIELD_TYPE(TPRF_MetricsContext_GetMetricNames_Begin_Params, ppMetricNames, const char* const*);
EXPECT_OFFSET(TPRF_MetricsContext_GetMetricSuffix_Begin_Params, pMetricName, 24);
EXPECT_OFFSET(TPRF_MetricsContext_GetMetricSuffix_Begin_Params, numSuffixes, 32);
EXPECT_OFFSET(TPRF_MetricsContext_GetMetricSuffix_Begin_Params, hidePeakSubMetrics, 48);
EXPECT_SIZE(TPRF_MetricsContext_GetMetricSuffix_Begin_Params, 56);

EXPECT_OFFSET(TPRF_MetricsContext_GetMetricProperties_Begin_Params, gpuBurstRate, 56);
EXPECT_OFFSET(TPRF_MetricsContext_GetMetricProperties_Begin_Params, ppOptionalRawMetricDependencies, 72);
EXPECT_FIELD_TYPE(TPRF_MetricsContext_GetMetricProperties_Begin_Params, ppRawMetricDependencies,
                  const char**);

/* hwUnit: 32 bits in the counter and throughput blocks, 64 in the ratio one. */
EXPECT_FIELD_TYPE(TPRF_MetricsEvaluator_GetCounterProperties_Params, hwUnit, uint32_t);
EXPECT_OFFSET(TPRF_MetricsEvaluator_GetRatioMetricProperties_Params, pDescription, 32);
EXPECT_OFFSET(TPRF_MetricsEvaluator_GetRatioMetricProperties_Params, hwUnit, 40);
EXPECT_SIZE(TPRF_MetricsEvaluator_GetRatioMetricProperties_Params, 48);
EXPECT_FIELD_TYPE(TPRF_MetricsEvaluator_GetRatioMetricProperties_Params, hwUnit, uint64_t);
EXPECT_OFFSET(TPRF_MetricsEvaluator_GetThroughputMetricProperties_Params, hwUnit, 40);
EXPECT_OFFSET(TPRF_MetricsEvaluator_GetThroughputMetricProperties_Params, numCounters, 48);
EXPECT_OFFSET(TPRF_MetricsEvaluator_GetThroughputMetricProperties_Params, pSubThroughputIndices, 72);
EXPECT_SIZE(TPRF_MetricsEvaluator_GetThroughputMetricProperties_Params, 80);
EXPECT_FIELD_TYPE(TPRF_MetricsEvaluator_GetThroughputMetricProperties_Params, hwUnit, uint32_t);

EXPECT_FIELD_TYPE(TPRF_MetricsEvaluator_GetSupportedSubmetrics_Params, pSupportedSubmetrics, const uint16_t*);
EXPECT_FIELD_TYPE(TPRF_MetricsEvaluator_GetMetricDimUnits_Params, pMetricEvalRequest,
                  const struct TPRF_MetricEvalRequest*);
EXPECT_OFFSET(TPRF_MetricsEvaluator_GetMetricDimUnits_Params, dimUnitFactorStructSize, 56);
EXPECT_OFFSET(TPRF_MetricsEvaluator_GetMetricRawDependencies_Params, metricEvalRequestStrideSize, 48);
EXPECT_OFFSET(TPRF_MetricsEvaluator_GetMetricRawDependencies_Params, numOptionalRawDependencies, 80);
EXPECT_SIZE(TPRF_MetricsEvaluator_GetMetricRawDependencies_Params, 88);
EXPECT_OFFSET(TPRF_MetricsEvaluator_SetUserData_Params, isolated, 40);
EXPECT_SIZE(TPRF_MetricsEvaluator_SetUserData_Params, 48);

EXPECT_OFFSET(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, pMetricEvalRequests, 24);
EXPECT_OFFSET(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, pCounterDataImage, 56);
EXPECT_OFFSET(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, counterDataImageSize, 64);
EXPECT_OFFSET(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, rangeIndex, 72);
EXPECT_OFFSET(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, isolated, 80);
EXPECT_OFFSET(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, pMetricValues, 88);
EXPECT_SIZE(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params, 96);

EXPECT_OFFSET(TPRF_KORA_MetricsEvaluator_Initialize_Params, pScratchBuffer, 16);
EXPECT_OFFSET(TPRF_KORA_MetricsEvaluator_Initialize_Params, pChipName, 32);
EXPECT_OFFSET(TPRF_KORA_MetricsEvaluator_Initialize_Params, counterDataImageSize, 56);
EXPECT_OFFSET(TPRF_KORA_MetricsEvaluator_Initialize_Params, pMetricsEvaluator, 64);
EXPECT_SIZE(TPRF_KORA_MetricsEvaluator_Initialize_Params, 72);

#endif /* __LP64__ */
