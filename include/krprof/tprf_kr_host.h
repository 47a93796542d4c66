/*
 * KORA-specific host entry points, each with its parameter block. The blocks
 * name the handle types by their structure tags.
 *
 * All of them are accepted and ignored: they return TPRA_STATUS_SUCCESS at
 * once, also for a null block, and neither read nor write the block or
 * anything it points to. No configuration, context, builder or evaluator is
 * created, no size is reported and the scratch buffer is left as it is.
 */
#ifndef KRPROF_TPRF_KR_HOST_H
#define KRPROF_TPRF_KR_HOST_H

#include <krprof/tprf_host.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TPRF_KORA_MetricsContext_Create_Params {
  size_t structSize;
  void* pPriv;
  const char* pChipName;
  struct TPRA_MetricsContext* pMetricsContext; /* [out] the new context */
} TPRF_KORA_MetricsContext_Create_Params;

TPRA_Status TPRF_KORA_MetricsContext_Create(TPRF_KORA_MetricsContext_Create_Params* pParams);

typedef struct TPRF_KORA_RawMetricsConfig_Create_Params {
  size_t structSize;
  void* pPriv;
  TPRA_ActivityKind activityKind;
  const char* pChipName;
  struct TPRA_RawMetricsConfig* pRawMetricsConfig; /* [out] the new configuration */
} TPRF_KORA_RawMetricsConfig_Create_Params;

TPRA_Status TPRF_KORA_RawMetricsConfig_Create(TPRF_KORA_RawMetricsConfig_Create_Params* pParams);

typedef struct TPRF_KORA_RawMetricsConfig_Create_V2_Params {
  size_t structSize;
  void* pPriv;
  TPRA_ActivityKind activityKind;
  const char* pChipName;
  const uint8_t* pCounterAvailabilityImage;
  struct TPRA_RawMetricsConfig* pRawMetricsConfig; /* [out] the new configuration */
} TPRF_KORA_RawMetricsConfig_Create_V2_Params;

TPRA_Status TPRF_KORA_RawMetricsConfig_Create_V2(TPRF_KORA_RawMetricsConfig_Create_V2_Params* pParams);

typedef struct TPRF_KORA_CounterDataBuilder_Create_Params {
  size_t structSize;
  void* pPriv;
  const char* pChipName;
  const uint8_t* pCounterAvailabilityImage;
  struct TPRA_CounterDataBuilder* pCounterDataBuilder; /* [out] the new builder */
} TPRF_KORA_CounterDataBuilder_Create_Params;

TPRA_Status TPRF_KORA_CounterDataBuilder_Create(TPRF_KORA_CounterDataBuilder_Create_Params* pParams);

typedef struct TPRF_KORA_MetricsEvaluator_CalculateScratchBufferSize_Params {
  size_t structSize;
  void* pPriv;
  const char* pChipName;
  const uint8_t* pCounterAvailabilityImage;
  size_t scratchBufferSize; /* [out] scratch size an evaluator needs */
} TPRF_KORA_MetricsEvaluator_CalculateScratchBufferSize_Params;

TPRA_Status TPRF_KORA_MetricsEvaluator_CalculateScratchBufferSize(
    TPRF_KORA_MetricsEvaluator_CalculateScratchBufferSize_Params* pParams);

typedef struct TPRF_KORA_MetricsEvaluator_Initialize_Params {
  size_t structSize;
  void* pPriv;
  uint8_t* pScratchBuffer;
  size_t scratchBufferSize;
  const char* pChipName;
  const uint8_t* pCounterAvailabilityImage;
  const uint8_t* pCounterDataImage;
  size_t counterDataImageSize;
  struct TPRF_MetricsEvaluator* pMetricsEvaluator; /* [out] the new evaluator */
} TPRF_KORA_MetricsEvaluator_Initialize_Params;

TPRA_Status TPRF_KORA_MetricsEvaluator_Initialize(TPRF_KORA_MetricsEvaluator_Initialize_Params* pParams);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* KRPROF_TPRF_KR_HOST_H */
