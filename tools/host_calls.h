// The tool's calls into libkrprof_host.so, through its public C entry points.
// A call that does not return TPRA_STATUS_SUCCESS throws std::runtime_error
// naming the call and the status, e.g. "the evaluation failed with
// TPRA_STATUS_INTERNAL_ERROR".
#pragma once

#include <krprof/tprf_common.h>

#include <cstddef>
#include <string>

#include "file_bytes.h"

namespace krprof_tool {

// "TPRA_STATUS_INTERNAL_ERROR" and so on; "TPRA_Status <n>" for a value the
// interface does not name.
std::string statusName(TPRA_Status status);

// The two fixed images, each with the two-call size protocol: a size query,
// then a copy into a buffer of exactly the reported size.
Bytes fetchConfigImage();
Bytes fetchCounterDataPrefix();

size_t countRanges(const Bytes& counterDataImage);

// The read-sector total of a counter-data image's first range.
double evaluateReadSectors(const Bytes& counterDataImage);

struct Evaluation {
  TPRA_Status status;
  double readSectors; // when the status is TPRA_STATUS_SUCCESS
};

// The evaluation of a counter-data image as the library returns it, and the
// status of its range count; neither throws.
Evaluation evaluation(const Bytes& counterDataImage);
TPRA_Status rangeCountStatus(const Bytes& counterDataImage);

} // namespace krprof_tool
