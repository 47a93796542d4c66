/*
 * KORA-specific host entry points, each with its parameter block.
 */
#ifndef KRPROF_TPRF_KR_HOST_H
#define KRPROF_TPRF_KR_HOST_H

#include <krprof/tprf_host.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* KRPROF_TPRF_KR_HOST_H */
