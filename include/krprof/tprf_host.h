/*
 * Host entry points of the KORA GPU performance-metrics interface, each with
 * its parameter block.
 *
 * Every entry point takes one pointer to its block and returns a TPRA_Status.
 * A block begins with structSize and pPriv, which no entry point reads;
 * results are written back into the block.
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

/* ---- Raw metrics configuration ------------------------------------------ */

typedef struct TPRA_RawMetricsConfig TPRA_RawMetricsConfig;

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

/* ---- Counter data builder ------------------------------------------------ */

typedef struct TPRA_CounterDataBuilder TPRA_CounterDataBuilder;

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

/* ---- Metrics evaluator --------------------------------------------------- */

typedef struct TPRF_MetricEvalRequest {
  size_t metricIndex;
  uint8_t metricType;
  uint8_t rollupOp;
  uint16_t submetric;
} TPRF_MetricEvalRequest;

typedef struct TPRF_DimUnitFactor {
  uint32_t dimUnit;
  int8_t exponent;
} TPRF_DimUnitFactor;

struct TPRF_MetricsEvaluator;

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

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* KRPROF_TPRF_HOST_H */
