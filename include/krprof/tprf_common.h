/*
 * Common declarations of the KORA GPU performance-metrics host interface:
 * status codes, activity kinds, the boolean and generic function types, and
 * the loader entry points.
 */
#ifndef KRPROF_TPRF_COMMON_H
#define KRPROF_TPRF_COMMON_H

#include <stddef.h>
#include <stdint.h>
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Result of every entry point but TPRA_GetProcAddress. */
typedef enum TPRA_Status {
  TPRA_STATUS_SUCCESS = 0,
  TPRA_STATUS_ERROR = 1,
  TPRA_STATUS_INTERNAL_ERROR = 2,
  TPRA_STATUS_NOT_INITIALIZED = 3,
  TPRA_STATUS_NOT_LOADED = 4,
  TPRA_STATUS_FUNCTION_NOT_FOUND = 5,
  TPRA_STATUS_NOT_SUPPORTED = 6,
  TPRA_STATUS_NOT_IMPLEMENTED = 7,
  TPRA_STATUS_INVALID_ARGUMENT = 8,
  TPRA_STATUS_INVALID_METRIC_ID = 9,
  TPRA_STATUS_DRIVER_NOT_LOADED = 10,
  TPRA_STATUS_OUT_OF_MEMORY = 11,
  TPRA_STATUS_INVALID_THREAD_STATE = 12,
  TPRA_STATUS_FAILED_CONTEXT_ALLOC = 13,
  TPRA_STATUS_UNSUPPORTED_GPU = 14,
  TPRA_STATUS_INSUFFICIENT_DRIVER_VERSION = 15,
  TPRA_STATUS_OBJECT_NOT_REGISTERED = 16,
  TPRA_STATUS_INSUFFICIENT_PRIVILEGE = 17,
  TPRA_STATUS_INVALID_CONTEXT_STATE = 18,
  TPRA_STATUS_INVALID_OBJECT_STATE = 19,
  TPRA_STATUS_RESOURCE_UNAVAILABLE = 20,
  TPRA_STATUS_DRIVER_LOADED_TOO_LATE = 21,
  TPRA_STATUS_INSUFFICIENT_SPACE = 22,
  TPRA_STATUS_OBJECT_MISMATCH = 23,
  TPRA_STATUS_VIRTUALIZED_DEVICE_NOT_SUPPORTED = 24,
  TPRA_STATUS_PROFILING_NOT_ALLOWED = 25,
  TPRA_STATUS__COUNT = 26
} TPRA_Status;

/* Kind of activity a raw metrics configuration is created for. */
typedef enum TPRA_ActivityKind {
  TPRA_ACTIVITY_KIND_INVALID = 0,
  TPRA_ACTIVITY_KIND_PROFILER = 1,
  TPRA_ACTIVITY_KIND_REALTIME_SAMPLED = 2,
  TPRA_ACTIVITY_KIND_REALTIME_PROFILER = 3,
  TPRA_ACTIVITY_KIND__COUNT = 4
} TPRA_ActivityKind;

/* 8-bit flag of parameter blocks and records. */
typedef uint8_t TPRA_Bool;

/* Function pointer handed out by TPRA_GetProcAddress. */
typedef TPRA_Status (*TPRA_GenericFn)(void);

typedef struct TPRF_SetLibraryLoadPaths_Params {
  size_t structSize;
  void* pPriv;
  size_t numPaths;
  const char** ppPaths;
} TPRF_SetLibraryLoadPaths_Params;

typedef struct TPRF_SetLibraryLoadPathsW_Params {
  size_t structSize;
  void* pPriv;
  size_t numPaths;
  const wchar_t** ppwPaths;
} TPRF_SetLibraryLoadPathsW_Params;

/* Always returns null: no entry point is handed out by name. */
TPRA_GenericFn TPRA_GetProcAddress(const char* pFunctionName);

/* Accepted and ignored. */
TPRA_Status TPRF_SetLibraryLoadPaths(TPRF_SetLibraryLoadPaths_Params* pParams);
TPRA_Status TPRF_SetLibraryLoadPathsW(TPRF_SetLibraryLoadPathsW_Params* pParams);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* KRPROF_TPRF_COMMON_H */
