/*
 * Host entry points of the KORA GPU performance-metrics interface, each with
 * its parameter block.
 *
 * Every entry point takes one pointer to its block and returns a TPRA_Status.
 * A block begins with structSize and pPriv, which no entry point reads;
 * results are written back into the block.
 *
 * Most entry points are accepted and ignored: they return
 * TPRA_STATUS_SUCCESS at once, also for a null block, and neither read nor
 * write the block or anything it points to, so every [out] field keeps the
 * caller's value. The working ones say so where they are declared.
 */
#ifndef KRPROF_TPRF_HOST_H
#define KRPROF_TPRF_HOST_H

#include <krprof/tprf_common.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TPRF_InitializeHost_Params {
  size_t structSize;
  void* pPriv;
} TPRF_InitializeHost_Params;

/* Accepted and ignored: the working entry points need no initialisation. */
TPRA_Status TPRF_InitializeHost(TPRF_InitializeHost_Params* pParams);

/* ---- Counter-data image copies ------------------------------------------- */
/* Accepted and ignored: no size is reported and no copy is laid out. */

typedef struct TPRF_CounterData_CalculateCounterDataImageCopySize_Params {
  size_t structSize;
  void* pPriv;
  const uint8_t* pCounterDataPrefix;
  size_t counterDataPrefixSize;
  uint32_t maxNumRanges;
  uint32_t maxNumRangeTreeNodes;
  uint32_t maxRangeNameLength;
  const uint8_t* pCounterDataSrc;
  size_t copyDataImageCounterSize; /* [out] size of the copy in bytes */
} TPRF_CounterData_CalculateCounterDataImageCopySize_Params;

TPRA_Status TPRF_CounterData_CalculateCounterDataImageCopySize(
    TPRF_CounterData_CalculateCounterDataImageCopySize_Params* pParams);

typedef struct TPRF_CounterData_InitializeCounterDataImageCopy_Params {
  size_t structSize;
  void* pPriv;
  const uint8_t* pCounterDataPrefix;
  size_t counterDataPrefixSize;
  uint32_t maxNumRanges;
  uint32_t maxNumRangeTreeNodes;
  uint32_t maxRangeNameLength;
  const uint8_t* pCounterDataSrc;
  uint8_t* pCounterDataDst; /* buffer that would receive the copy */
} TPRF_CounterData_InitializeCounterDataImageCopy_Params;

TPRA_Status TPRF_CounterData_InitializeCounterDataImageCopy(
    TPRF_CounterData_InitializeCounterDataImageCopy_Params* pParams);

/* ---- Counter-data combiner ----------------------------------------------- */
/* Accepted and ignored: no combiner is created and no range is combined. */

typedef struct TPRA_CounterDataCombiner TPRA_CounterDataCombiner;

typedef struct TPRF_CounterDataCombiner_Create_Params {
  size_t structSize;
  void* pPriv;
  uint8_t* pCounterDataDst;
  TPRA_CounterDataCombiner* pCounterDataCombiner; /* [out] the new combiner */
} TPRF_CounterDataCombiner_Create_Params;

TPRA_Status TPRF_CounterDataCombiner_Create(TPRF_CounterDataCombiner_Create_Params* pParams);

typedef struct TPRF_CounterDataCombiner_Destroy_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataCombiner* pCounterDataCombiner;
} TPRF_CounterDataCombiner_Destroy_Params;

TPRA_Status TPRF_CounterDataCombiner_Destroy(TPRF_CounterDataCombiner_Destroy_Params* pParams);

typedef struct TPRF_CounterDataCombiner_CreateRange_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataCombiner* pCounterDataCombiner;
  size_t numDescriptions;
  const char* const* ppDescriptions;
  size_t rangeIndexDst; /* [out] index of the new range */
} TPRF_CounterDataCombiner_CreateRange_Params;

TPRA_Status TPRF_CounterDataCombiner_CreateRange(TPRF_CounterDataCombiner_CreateRange_Params* pParams);

typedef struct TPRF_CounterDataCombiner_CopyIntoRange_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataCombiner* pCounterDataCombiner;
  size_t rangeIndexDst;
  const uint8_t* pCounterDataSrc;
  size_t rangeIndexSrc;
} TPRF_CounterDataCombiner_CopyIntoRange_Params;

TPRA_Status TPRF_CounterDataCombiner_CopyIntoRange(TPRF_CounterDataCombiner_CopyIntoRange_Params* pParams);

typedef struct TPRF_CounterDataCombiner_AccumulateIntoRange_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataCombiner* pCounterDataCombiner;
  size_t rangeIndexDst;
  uint32_t dstMultiplier;
  const uint8_t* pCounterDataSrc;
  size_t rangeIndexSrc;
  uint32_t srcMultiplier;
} TPRF_CounterDataCombiner_AccumulateIntoRange_Params;

TPRA_Status TPRF_CounterDataCombiner_AccumulateIntoRange(
    TPRF_CounterDataCombiner_AccumulateIntoRange_Params* pParams);

typedef struct TPRF_CounterDataCombiner_SumIntoRange_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataCombiner* pCounterDataCombiner;
  size_t rangeIndexDst;
  const uint8_t* pCounterDataSrc;
  size_t rangeIndexSrc;
} TPRF_CounterDataCombiner_SumIntoRange_Params;

TPRA_Status TPRF_CounterDataCombiner_SumIntoRange(TPRF_CounterDataCombiner_SumIntoRange_Params* pParams);

typedef struct TPRF_CounterDataCombiner_WeightedSumIntoRange_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataCombiner* pCounterDataCombiner;
  size_t rangeIndexDst;
  double dstMultiplier;
  const uint8_t* pCounterDataSrc;
  size_t rangeIndexSrc;
  double srcMultiplier;
} TPRF_CounterDataCombiner_WeightedSumIntoRange_Params;

TPRA_Status TPRF_CounterDataCombiner_WeightedSumIntoRange(
    TPRF_CounterDataCombiner_WeightedSumIntoRange_Params* pParams);

/* ---- Raw metrics configuration ------------------------------------------ */
/* Accepted and ignored, except TPRF_RawMetricsConfig_GetConfigImage: no
 * configuration is created, and no chip, metric or pass is reported. */

typedef struct TPRA_RawMetricsConfig TPRA_RawMetricsConfig;

/* One raw metric to add to a configuration or a counter-data builder. */
typedef struct TPRA_RawMetricRequest {
  size_t structSize;
  void* pPriv;
  const char* pMetricName;
  TPRA_Bool isolated;
  TPRA_Bool keepInstances;
} TPRA_RawMetricRequest;

typedef struct TPRF_GetSupportedChipNames_Params {
  size_t structSize;
  void* pPriv;
  const char* const* ppChipNames; /* [out] names of the supported chips */
  size_t numChipNames;            /* [out] number of entries in ppChipNames */
} TPRF_GetSupportedChipNames_Params;

TPRA_Status TPRF_GetSupportedChipNames(TPRF_GetSupportedChipNames_Params* pParams);

typedef struct TPRF_RawMetricsConfig_Destroy_Params {
  size_t structSize;
  void* pPriv;
  TPRA_RawMetricsConfig* pRawMetricsConfig;
} TPRF_RawMetricsConfig_Destroy_Params;

TPRA_Status TPRF_RawMetricsConfig_Destroy(TPRF_RawMetricsConfig_Destroy_Params* pParams);

typedef struct TPRF_RawMetricsConfig_SetCounterAvailability_Params {
  size_t structSize;
  void* pPriv;
  TPRA_RawMetricsConfig* pRawMetricsConfig;
  const uint8_t* pCounterAvailabilityImage;
} TPRF_RawMetricsConfig_SetCounterAvailability_Params;

TPRA_Status TPRF_RawMetricsConfig_SetCounterAvailability(
    TPRF_RawMetricsConfig_SetCounterAvailability_Params* pParams);

typedef struct TPRF_RawMetricsConfig_BeginPassGroup_Params {
  size_t structSize;
  void* pPriv;
  TPRA_RawMetricsConfig* pRawMetricsConfig;
  size_t maxPassCount;
} TPRF_RawMetricsConfig_BeginPassGroup_Params;

TPRA_Status TPRF_RawMetricsConfig_BeginPassGroup(TPRF_RawMetricsConfig_BeginPassGroup_Params* pParams);

typedef struct TPRF_RawMetricsConfig_EndPassGroup_Params {
  size_t structSize;
  void* pPriv;
  TPRA_RawMetricsConfig* pRawMetricsConfig;
} TPRF_RawMetricsConfig_EndPassGroup_Params;

TPRA_Status TPRF_RawMetricsConfig_EndPassGroup(TPRF_RawMetricsConfig_EndPassGroup_Params* pParams);

typedef struct TPRF_RawMetricsConfig_GetNumMetrics_Params {
  size_t structSize;
  void* pPriv;
  const TPRA_RawMetricsConfig* pRawMetricsConfig;
  size_t numMetrics; /* [out] number of metrics of the configuration */
} TPRF_RawMetricsConfig_GetNumMetrics_Params;

TPRA_Status TPRF_RawMetricsConfig_GetNumMetrics(TPRF_RawMetricsConfig_GetNumMetrics_Params* pParams);

typedef struct TPRF_RawMetricsConfig_GetMetricProperties_Params {
  size_t structSize;
  void* pPriv;
  const TPRA_RawMetricsConfig* pRawMetricsConfig;
  size_t metricIndex;
  const char* pMetricName;     /* [out] */
  TPRA_Bool supportsPipelined; /* [out] */
  TPRA_Bool supportsIsolated;  /* [out] */
} TPRF_RawMetricsConfig_GetMetricProperties_Params;

TPRA_Status TPRF_RawMetricsConfig_GetMetricProperties(
    TPRF_RawMetricsConfig_GetMetricProperties_Params* pParams);

typedef struct TPRF_RawMetricsConfig_GetMetricProperties_V2_Params {
  size_t structSize;
  void* pPriv;
  const TPRA_RawMetricsConfig* pRawMetricsConfig;
  size_t metricIndex;
  const char* pMetricName; /* [out] */
} TPRF_RawMetricsConfig_GetMetricProperties_V2_Params;

TPRA_Status TPRF_RawMetricsConfig_GetMetricProperties_V2(
    TPRF_RawMetricsConfig_GetMetricProperties_V2_Params* pParams);

typedef struct TPRF_RawMetricsConfig_AddMetrics_Params {
  size_t structSize;
  void* pPriv;
  TPRA_RawMetricsConfig* pRawMetricsConfig;
  const TPRA_RawMetricRequest* pRawMetricRequests;
  size_t numMetricRequests;
} TPRF_RawMetricsConfig_AddMetrics_Params;

TPRA_Status TPRF_RawMetricsConfig_AddMetrics(TPRF_RawMetricsConfig_AddMetrics_Params* pParams);

typedef struct TPRF_RawMetricsConfig_IsAddMetricsPossible_Params {
  size_t structSize;
  void* pPriv;
  const TPRA_RawMetricsConfig* pRawMetricsConfig;
  const TPRA_RawMetricRequest* pRawMetricRequests;
  size_t numMetricRequests;
  TPRA_Bool isPossible; /* [out] */
} TPRF_RawMetricsConfig_IsAddMetricsPossible_Params;

TPRA_Status TPRF_RawMetricsConfig_IsAddMetricsPossible(
    TPRF_RawMetricsConfig_IsAddMetricsPossible_Params* pParams);

typedef struct TPRF_RawMetricsConfig_GenerateConfigImage_Params {
  size_t structSize;
  void* pPriv;
  TPRA_RawMetricsConfig* pRawMetricsConfig;
  TPRA_Bool mergeAllPassGroups;
} TPRF_RawMetricsConfig_GenerateConfigImage_Params;

TPRA_Status TPRF_RawMetricsConfig_GenerateConfigImage(
    TPRF_RawMetricsConfig_GenerateConfigImage_Params* pParams);

typedef struct TPRF_RawMetricsConfig_GetConfigImage_Params {
  size_t structSize;
  void* pPriv;
  /* [in] not read: every configuration gets the same image */
  const TPRA_RawMetricsConfig* pRawMetricsConfig;
  /* [in] capacity of pBuffer in bytes; read only when pBuffer is not null */
  size_t bytesAllocated;
  /* [in] destination of the image; null asks for the size only */
  uint8_t* pBuffer;
  /* [out] image size in bytes; written by the size query only */
  size_t bytesCopied;
} TPRF_RawMetricsConfig_GetConfigImage_Params;

/* Two-call size protocol: with pBuffer null, reports the image size in
 * bytesCopied; then copies the image into a buffer of at least that size.
 * TPRA_STATUS_INVALID_ARGUMENT when bytesAllocated is too small. */
TPRA_Status TPRF_RawMetricsConfig_GetConfigImage(TPRF_RawMetricsConfig_GetConfigImage_Params* pParams);

typedef struct TPRF_RawMetricsConfig_GetNumPasses_Params {
  size_t structSize;
  void* pPriv;
  const TPRA_RawMetricsConfig* pRawMetricsConfig;
  size_t numPipelinedPasses; /* [out] */
  size_t numIsolatedPasses;  /* [out] */
} TPRF_RawMetricsConfig_GetNumPasses_Params;

TPRA_Status TPRF_RawMetricsConfig_GetNumPasses(TPRF_RawMetricsConfig_GetNumPasses_Params* pParams);

typedef struct TPRF_RawMetricsConfig_GetNumPasses_V2_Params {
  size_t structSize;
  void* pPriv;
  const TPRA_RawMetricsConfig* pRawMetricsConfig;
  size_t numPasses; /* [out] */
} TPRF_RawMetricsConfig_GetNumPasses_V2_Params;

TPRA_Status TPRF_RawMetricsConfig_GetNumPasses_V2(TPRF_RawMetricsConfig_GetNumPasses_V2_Params* pParams);

typedef struct TPRF_PeriodicSampler_Config_GetSocEstimatedSampleSize_Params {
  size_t structSize;
  void* pPriv;
  const uint8_t* pConfig;
  size_t configSize;
  size_t sampleSize; /* [out] estimated sample size of the SoC sampler */
} TPRF_PeriodicSampler_Config_GetSocEstimatedSampleSize_Params;

TPRA_Status TPRF_PeriodicSampler_Config_GetSocEstimatedSampleSize(
    TPRF_PeriodicSampler_Config_GetSocEstimatedSampleSize_Params* pParams);

typedef struct TPRF_PeriodicSampler_Config_GetGpuEstimatedSampleSize_Params {
  size_t structSize;
  void* pPriv;
  const uint8_t* pConfig;
  size_t configSize;
  size_t sampleSize; /* [out] estimated sample size of the GPU sampler */
} TPRF_PeriodicSampler_Config_GetGpuEstimatedSampleSize_Params;

TPRA_Status TPRF_PeriodicSampler_Config_GetGpuEstimatedSampleSize(
    TPRF_PeriodicSampler_Config_GetGpuEstimatedSampleSize_Params* pParams);

typedef struct TPRF_Config_GetRawCounterInfo_Params {
  size_t structSize;
  void* pPriv;
  const uint8_t* pConfig;
  size_t configSize;
  const char* pRawCounterName;
  size_t* pPassIndices;  /* [out] caller's array of pass indices */
  size_t numPassIndices; /* [in/out] entries of pPassIndices */
} TPRF_Config_GetRawCounterInfo_Params;

TPRA_Status TPRF_Config_GetRawCounterInfo(TPRF_Config_GetRawCounterInfo_Params* pParams);

typedef struct TPRF_Config_GetRawCounters_Params {
  size_t structSize;
  void* pPriv;
  const uint8_t* pConfig;
  size_t configSize;
  size_t passIndex;
  const char** ppRawCounterNames; /* [out] caller's array of counter names */
  size_t numRawCounters;          /* [in/out] entries of ppRawCounterNames */
} TPRF_Config_GetRawCounters_Params;

TPRA_Status TPRF_Config_GetRawCounters(TPRF_Config_GetRawCounters_Params* pParams);

/* ---- Counter-data builder ------------------------------------------------ */
/* Accepted and ignored, except TPRF_CounterDataBuilder_GetCounterDataPrefix:
 * no builder is created, and the prefix does not depend on one. */

typedef struct TPRA_CounterDataBuilder TPRA_CounterDataBuilder;

typedef struct TPRF_CounterDataBuilder_Create_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataBuilder* pCounterDataBuilder; /* [out] the new builder */
  const char* pChipName;
} TPRF_CounterDataBuilder_Create_Params;

TPRA_Status TPRF_CounterDataBuilder_Create(TPRF_CounterDataBuilder_Create_Params* pParams);

typedef struct TPRF_CounterDataBuilder_Destroy_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataBuilder* pCounterDataBuilder;
} TPRF_CounterDataBuilder_Destroy_Params;

TPRA_Status TPRF_CounterDataBuilder_Destroy(TPRF_CounterDataBuilder_Destroy_Params* pParams);

typedef struct TPRF_CounterDataBuilder_AddMetrics_Params {
  size_t structSize;
  void* pPriv;
  TPRA_CounterDataBuilder* pCounterDataBuilder;
  const TPRA_RawMetricRequest* pRawMetricRequests;
  size_t numMetricRequests;
} TPRF_CounterDataBuilder_AddMetrics_Params;

TPRA_Status TPRF_CounterDataBuilder_AddMetrics(TPRF_CounterDataBuilder_AddMetrics_Params* pParams);

typedef struct TPRF_CounterDataBuilder_GetCounterDataPrefix_Params {
  size_t structSize;
  void* pPriv;
  /* [in] not read: every builder gets the same prefix */
  TPRA_CounterDataBuilder* pCounterDataBuilder;
  /* [in] capacity of pBuffer in bytes; read only when pBuffer is not null */
  size_t bytesAllocated;
  /* [in] destination of the prefix; null asks for the size only */
  uint8_t* pBuffer;
  /* [out] prefix size in bytes; written by the size query only */
  size_t bytesCopied;
} TPRF_CounterDataBuilder_GetCounterDataPrefix_Params;

/* Same two-call size protocol as TPRF_RawMetricsConfig_GetConfigImage. */
TPRA_Status TPRF_CounterDataBuilder_GetCounterDataPrefix(
    TPRF_CounterDataBuilder_GetCounterDataPrefix_Params* pParams);

/* ---- Metrics context ----------------------------------------------------- */
/* Accepted and ignored: no context exists, no script runs, no name list is
 * handed out and no metric value is written. Each _End pairs with the _Begin
 * before it and carries only the context handle. */

typedef struct TPRA_MetricsContext TPRA_MetricsContext;

typedef struct TPRF_MetricsContext_Destroy_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_Destroy_Params;

TPRA_Status TPRF_MetricsContext_Destroy(TPRF_MetricsContext_Destroy_Params* pParams);

typedef struct TPRF_MetricsContext_RunScript_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  TPRA_Bool printErrors;
  const char* pSource;
  const char* pFileName;
} TPRF_MetricsContext_RunScript_Params;

TPRA_Status TPRF_MetricsContext_RunScript(TPRF_MetricsContext_RunScript_Params* pParams);

typedef struct TPRF_MetricsContext_ExecScript_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  TPRA_Bool isStatement;
  TPRA_Bool printErrors;
  const char* pSource;
  const char* pFileName;
  const char* pResultStr; /* [out] result of the script as a string */
} TPRF_MetricsContext_ExecScript_Begin_Params;

TPRA_Status TPRF_MetricsContext_ExecScript_Begin(TPRF_MetricsContext_ExecScript_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_ExecScript_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_ExecScript_End_Params;

TPRA_Status TPRF_MetricsContext_ExecScript_End(TPRF_MetricsContext_ExecScript_End_Params* pParams);

typedef struct TPRF_MetricsContext_GetCounterNames_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  size_t numCounters;                /* [out] */
  const char* const* ppCounterNames; /* [out] */
} TPRF_MetricsContext_GetCounterNames_Begin_Params;

TPRA_Status TPRF_MetricsContext_GetCounterNames_Begin(
    TPRF_MetricsContext_GetCounterNames_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_GetCounterNames_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_GetCounterNames_End_Params;

TPRA_Status TPRF_MetricsContext_GetCounterNames_End(TPRF_MetricsContext_GetCounterNames_End_Params* pParams);

typedef struct TPRF_MetricsContext_GetThroughputNames_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  size_t numThroughputs;                /* [out] */
  const char* const* ppThroughputNames; /* [out] */
} TPRF_MetricsContext_GetThroughputNames_Begin_Params;

TPRA_Status TPRF_MetricsContext_GetThroughputNames_Begin(
    TPRF_MetricsContext_GetThroughputNames_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_GetThroughputNames_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_GetThroughputNames_End_Params;

TPRA_Status TPRF_MetricsContext_GetThroughputNames_End(
    TPRF_MetricsContext_GetThroughputNames_End_Params* pParams);

typedef struct TPRF_MetricsContext_GetRatioNames_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  size_t numRatios;                /* [out] */
  const char* const* ppRatioNames; /* [out] */
} TPRF_MetricsContext_GetRatioNames_Begin_Params;

TPRA_Status TPRF_MetricsContext_GetRatioNames_Begin(TPRF_MetricsContext_GetRatioNames_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_GetRatioNames_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_GetRatioNames_End_Params;

TPRA_Status TPRF_MetricsContext_GetRatioNames_End(TPRF_MetricsContext_GetRatioNames_End_Params* pParams);

typedef struct TPRF_MetricsContext_GetMetricNames_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  size_t numMetrics;                /* [out] */
  const char* const* ppMetricNames; /* [out] */
  TPRA_Bool hidePeakSubMetrics;
  TPRA_Bool hidePerCycleSubMetrics;
  TPRA_Bool hidePctOfPeakSubMetrics;
  TPRA_Bool hidePctOfPeakSubMetricsOnThroughputs;
} TPRF_MetricsContext_GetMetricNames_Begin_Params;

TPRA_Status TPRF_MetricsContext_GetMetricNames_Begin(
    TPRF_MetricsContext_GetMetricNames_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_GetMetricNames_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_GetMetricNames_End_Params;

TPRA_Status TPRF_MetricsContext_GetMetricNames_End(TPRF_MetricsContext_GetMetricNames_End_Params* pParams);

typedef struct TPRF_MetricsContext_GetThroughputBreakdown_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  const char* pThroughputName;
  const char* const* ppCounterNames;       /* [out] */
  const char* const* ppSubThroughputNames; /* [out] */
} TPRF_MetricsContext_GetThroughputBreakdown_Begin_Params;

TPRA_Status TPRF_MetricsContext_GetThroughputBreakdown_Begin(
    TPRF_MetricsContext_GetThroughputBreakdown_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_GetThroughputBreakdown_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_GetThroughputBreakdown_End_Params;

TPRA_Status TPRF_MetricsContext_GetThroughputBreakdown_End(
    TPRF_MetricsContext_GetThroughputBreakdown_End_Params* pParams);

typedef struct TPRF_MetricsContext_GetMetricProperties_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  const char* pMetricName;
  const char* pDescription;                     /* [out] */
  const char* pDimUnits;                        /* [out] */
  const char** ppRawMetricDependencies;         /* [out] */
  double gpuBurstRate;                          /* [out] */
  double gpuSustainedRate;                      /* [out] */
  const char** ppOptionalRawMetricDependencies; /* [out] */
} TPRF_MetricsContext_GetMetricProperties_Begin_Params;

TPRA_Status TPRF_MetricsContext_GetMetricProperties_Begin(
    TPRF_MetricsContext_GetMetricProperties_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_GetMetricProperties_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_GetMetricProperties_End_Params;

TPRA_Status TPRF_MetricsContext_GetMetricProperties_End(
    TPRF_MetricsContext_GetMetricProperties_End_Params* pParams);

typedef struct TPRF_MetricsContext_SetCounterData_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  const uint8_t* pCounterDataImage;
  size_t rangeIndex;
  TPRA_Bool isolated;
} TPRF_MetricsContext_SetCounterData_Params;

TPRA_Status TPRF_MetricsContext_SetCounterData(TPRF_MetricsContext_SetCounterData_Params* pParams);

typedef struct TPRF_MetricsContext_SetUserData_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  double frameDuration;
  double regionDuration;
} TPRF_MetricsContext_SetUserData_Params;

TPRA_Status TPRF_MetricsContext_SetUserData(TPRF_MetricsContext_SetUserData_Params* pParams);

typedef struct TPRF_MetricsContext_EvaluateToGpuValues_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  size_t numMetrics;
  const char* const* ppMetricNames;
  double* pMetricValues; /* [out] caller's array of numMetrics values */
} TPRF_MetricsContext_EvaluateToGpuValues_Params;

TPRA_Status TPRF_MetricsContext_EvaluateToGpuValues(TPRF_MetricsContext_EvaluateToGpuValues_Params* pParams);

typedef struct TPRF_MetricsContext_GetMetricSuffix_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  const char* pMetricName;
  size_t numSuffixes;            /* [out] */
  const char* const* ppSuffixes; /* [out] */
  TPRA_Bool hidePeakSubMetrics;
  TPRA_Bool hidePerCycleSubMetrics;
  TPRA_Bool hidePctOfPeakSubMetrics;
  TPRA_Bool hidePctOfPeakSubMetricsOnThroughputs;
} TPRF_MetricsContext_GetMetricSuffix_Begin_Params;

TPRA_Status TPRF_MetricsContext_GetMetricSuffix_Begin(
    TPRF_MetricsContext_GetMetricSuffix_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_GetMetricSuffix_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_GetMetricSuffix_End_Params;

TPRA_Status TPRF_MetricsContext_GetMetricSuffix_End(TPRF_MetricsContext_GetMetricSuffix_End_Params* pParams);

typedef struct TPRF_MetricsContext_GetMetricBaseNames_Begin_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
  size_t numMetricBaseNames;            /* [out] */
  const char* const* ppMetricBaseNames; /* [out] */
} TPRF_MetricsContext_GetMetricBaseNames_Begin_Params;

TPRA_Status TPRF_MetricsContext_GetMetricBaseNames_Begin(
    TPRF_MetricsContext_GetMetricBaseNames_Begin_Params* pParams);

typedef struct TPRF_MetricsContext_GetMetricBaseNames_End_Params {
  size_t structSize;
  void* pPriv;
  TPRA_MetricsContext* pMetricsContext;
} TPRF_MetricsContext_GetMetricBaseNames_End_Params;

TPRA_Status TPRF_MetricsContext_GetMetricBaseNames_End(
    TPRF_MetricsContext_GetMetricBaseNames_End_Params* pParams);

/* ---- Metrics evaluator --------------------------------------------------- */
/* Accepted and ignored, except TPRF_MetricsEvaluator_EvaluateToGpuValues: no
 * evaluator exists, and the evaluation does not depend on one. */

/* One metric to evaluate. Blocks carry the record size as the caller knows
 * it beside every pointer to these records. */
typedef struct TPRF_MetricEvalRequest {
  size_t metricIndex;
  uint8_t metricType;
  uint8_t rollupOp;
  uint16_t submetric;
} TPRF_MetricEvalRequest;

/* One factor of a metric's dimensional unit: dimUnit to the power exponent. */
typedef struct TPRF_DimUnitFactor {
  uint32_t dimUnit;
  int8_t exponent;
} TPRF_DimUnitFactor;

struct TPRF_MetricsEvaluator;

typedef struct TPRF_MetricsEvaluator_Destroy_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
} TPRF_MetricsEvaluator_Destroy_Params;

TPRA_Status TPRF_MetricsEvaluator_Destroy(TPRF_MetricsEvaluator_Destroy_Params* pParams);

typedef struct TPRF_MetricsEvaluator_GetMetricNames_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  uint8_t metricType;
  const char* pMetricNames;              /* [out] all names in one buffer */
  const size_t* pMetricNameBeginIndices; /* [out] where each name begins */
  size_t numMetrics;                     /* [out] */
} TPRF_MetricsEvaluator_GetMetricNames_Params;

TPRA_Status TPRF_MetricsEvaluator_GetMetricNames(TPRF_MetricsEvaluator_GetMetricNames_Params* pParams);

typedef struct TPRF_MetricsEvaluator_GetMetricTypeAndIndex_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  const char* pMetricName;
  uint8_t metricType; /* [out] */
  size_t metricIndex; /* [out] */
} TPRF_MetricsEvaluator_GetMetricTypeAndIndex_Params;

TPRA_Status TPRF_MetricsEvaluator_GetMetricTypeAndIndex(
    TPRF_MetricsEvaluator_GetMetricTypeAndIndex_Params* pParams);

typedef struct TPRF_MetricsEvaluator_ConvertMetricNameToMetricEvalRequest_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  const char* pMetricName;
  struct TPRF_MetricEvalRequest* pMetricEvalRequest; /* [out] caller's record */
  size_t metricEvalRequestStructSize;
} TPRF_MetricsEvaluator_ConvertMetricNameToMetricEvalRequest_Params;

TPRA_Status TPRF_MetricsEvaluator_ConvertMetricNameToMetricEvalRequest(
    TPRF_MetricsEvaluator_ConvertMetricNameToMetricEvalRequest_Params* pParams);

typedef struct TPRF_MetricsEvaluator_HwUnitToString_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  uint32_t hwUnit;
  const char* pHwUnitName; /* [out] */
} TPRF_MetricsEvaluator_HwUnitToString_Params;

TPRA_Status TPRF_MetricsEvaluator_HwUnitToString(TPRF_MetricsEvaluator_HwUnitToString_Params* pParams);

typedef struct TPRF_MetricsEvaluator_GetCounterProperties_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  size_t counterIndex;
  const char* pDescription; /* [out] */
  uint32_t hwUnit;          /* [out] */
} TPRF_MetricsEvaluator_GetCounterProperties_Params;

TPRA_Status TPRF_MetricsEvaluator_GetCounterProperties(
    TPRF_MetricsEvaluator_GetCounterProperties_Params* pParams);

typedef struct TPRF_MetricsEvaluator_GetRatioMetricProperties_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  size_t ratioMetricIndex;
  const char* pDescription; /* [out] */
  uint64_t hwUnit;          /* [out] 64 bits wide here, 32 bits elsewhere */
} TPRF_MetricsEvaluator_GetRatioMetricProperties_Params;

TPRA_Status TPRF_MetricsEvaluator_GetRatioMetricProperties(
    TPRF_MetricsEvaluator_GetRatioMetricProperties_Params* pParams);

typedef struct TPRF_MetricsEvaluator_GetThroughputMetricProperties_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  size_t throughputMetricIndex;
  const char* pDescription;            /* [out] */
  uint32_t hwUnit;                     /* [out] */
  size_t numCounters;                  /* [out] */
  const size_t* pCounterIndices;       /* [out] */
  size_t numSubThroughputs;            /* [out] */
  const size_t* pSubThroughputIndices; /* [out] */
} TPRF_MetricsEvaluator_GetThroughputMetricProperties_Params;

TPRA_Status TPRF_MetricsEvaluator_GetThroughputMetricProperties(
    TPRF_MetricsEvaluator_GetThroughputMetricProperties_Params* pParams);

typedef struct TPRF_MetricsEvaluator_GetSupportedSubmetrics_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  uint8_t metricType;
  const uint16_t* pSupportedSubmetrics; /* [out] */
  size_t numSupportedSubmetrics;        /* [out] */
} TPRF_MetricsEvaluator_GetSupportedSubmetrics_Params;

TPRA_Status TPRF_MetricsEvaluator_GetSupportedSubmetrics(
    TPRF_MetricsEvaluator_GetSupportedSubmetrics_Params* pParams);

typedef struct TPRF_MetricsEvaluator_GetMetricRawDependencies_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  const struct TPRF_MetricEvalRequest* pMetricEvalRequests;
  size_t numMetricEvalRequests;
  size_t metricEvalRequestStructSize;
  size_t metricEvalRequestStrideSize;
  const char** ppRawDependencies;         /* [out] caller's array of names */
  size_t numRawDependencies;              /* [in/out] entries of ppRawDependencies */
  const char** ppOptionalRawDependencies; /* [out] caller's array of names */
  size_t numOptionalRawDependencies;      /* [in/out] entries of ppOptionalRawDependencies */
} TPRF_MetricsEvaluator_GetMetricRawDependencies_Params;

TPRA_Status TPRF_MetricsEvaluator_GetMetricRawDependencies(
    TPRF_MetricsEvaluator_GetMetricRawDependencies_Params* pParams);

typedef struct TPRF_MetricsEvaluator_DimUnitToString_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  uint32_t dimUnit;
  const char* pSingularName; /* [out] */
  const char* pPluralName;   /* [out] */
} TPRF_MetricsEvaluator_DimUnitToString_Params;

TPRA_Status TPRF_MetricsEvaluator_DimUnitToString(TPRF_MetricsEvaluator_DimUnitToString_Params* pParams);

typedef struct TPRF_MetricsEvaluator_GetMetricDimUnits_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  const struct TPRF_MetricEvalRequest* pMetricEvalRequest;
  size_t metricEvalRequestStructSize;
  TPRF_DimUnitFactor* pDimUnits; /* [out] caller's array of factors */
  size_t numDimUnits;            /* [in/out] entries of pDimUnits */
  size_t dimUnitFactorStructSize;
} TPRF_MetricsEvaluator_GetMetricDimUnits_Params;

TPRA_Status TPRF_MetricsEvaluator_GetMetricDimUnits(TPRF_MetricsEvaluator_GetMetricDimUnits_Params* pParams);

typedef struct TPRF_MetricsEvaluator_SetUserData_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  double frameDuration;
  double regionDuration;
  TPRA_Bool isolated;
} TPRF_MetricsEvaluator_SetUserData_Params;

TPRA_Status TPRF_MetricsEvaluator_SetUserData(TPRF_MetricsEvaluator_SetUserData_Params* pParams);

typedef struct TPRF_MetricsEvaluator_EvaluateToGpuValues_Params {
  size_t structSize;
  void* pPriv;
  /* [in] not read */
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  /* [in] not read */
  const struct TPRF_MetricEvalRequest* pMetricEvalRequests;
  /* [in] not read */
  size_t numMetricEvalRequests;
  /* [in] not read */
  size_t metricEvalRequestStructSize;
  /* [in] not read */
  size_t metricEvalRequestStrideSize;
  /* [in] serialized counter-data image; must not be null */
  const uint8_t* pCounterDataImage;
  /* [in] length of the image in bytes, below 2^31 */
  size_t counterDataImageSize;
  /* [in] not read: the first range is evaluated */
  size_t rangeIndex;
  /* [in] not read */
  TPRA_Bool isolated;
  /* [out] receives the read-sector total in its first element only */
  double* pMetricValues;
} TPRF_MetricsEvaluator_EvaluateToGpuValues_Params;

/* Stores the total of the readings of the image's first range in
 * pMetricValues[0]. TPRA_STATUS_INVALID_ARGUMENT for a null pointer or an
 * image of 2^31 bytes or more, TPRA_STATUS_INTERNAL_ERROR for an image that
 * does not decode or does not hold the readings it announces. */
TPRA_Status TPRF_MetricsEvaluator_EvaluateToGpuValues(
    TPRF_MetricsEvaluator_EvaluateToGpuValues_Params* pParams);

typedef struct TPRF_MetricsEvaluator_SetDeviceAttributes_Params {
  size_t structSize;
  void* pPriv;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator;
  const uint8_t* pCounterDataImage;
  size_t counterDataImageSize;
} TPRF_MetricsEvaluator_SetDeviceAttributes_Params;

TPRA_Status TPRF_MetricsEvaluator_SetDeviceAttributes(
    TPRF_MetricsEvaluator_SetDeviceAttributes_Params* pParams);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* KRPROF_TPRF_HOST_H */
