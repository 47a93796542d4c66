#include <krprof/tprf_common.h>

#include "impl/tprf_export.h"
#include "inert_entry_point.h"

// No entry point is handed out by name; the argument is not read.
extern "C" TPRF_EXPORT TPRA_GenericFn TPRA_GetProcAddress(const char* /*pFunctionName*/) {
  return nullptr;
}

#include "tprf_common_inert.def"
