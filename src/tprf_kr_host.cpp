#include <krprof/tprf_kr_host.h>

#include "inert_entry_point.h"

#include "tprf_kr_host_inert.def"
