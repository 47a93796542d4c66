/*
 * Range count of counter data. Callers call TPRF_CounterData_GetNumRanges_Impl
 * itself: the library exports the range count under that name only.
 */
#ifndef KRPROF_TPRF_TARGET_H
#define KRPROF_TPRF_TARGET_H

#include <krprof/tprf_common.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TPRF_CounterData_GetNumRanges_Params {
  size_t structSize;
  void* pPriv;
  /* [in] counter-data image; only tested for null, never read */
  const uint8_t* pCounterDataImage;
  /* [out] number of ranges in the image (1); written on success only */
  size_t numRanges;
} TPRF_CounterData_GetNumRanges_Params;

/* Sets numRanges to 1 for every non-null image. TPRA_STATUS_INVALID_ARGUMENT
 * when pParams or pCounterDataImage is null. */
TPRA_Status TPRF_CounterData_GetNumRanges_Impl(TPRF_CounterData_GetNumRanges_Params* pParams);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* KRPROF_TPRF_TARGET_H */
