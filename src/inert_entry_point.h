// Defines an inert entry point: exported with C linkage, it returns success at
// once without reading or writing its block, locking, logging or allocating.
// The block type is the entry point's name with the suffix _Params.
#pragma once

#include "impl/tprf_export.h"

#define TPRF_INERT_ENTRY_POINT(name)                                    \
  extern "C" TPRF_EXPORT TPRA_Status name(name##_Params* /*pParams*/) { \
    return TPRA_STATUS_SUCCESS;                                         \
  }
