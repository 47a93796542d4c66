// The event group that a configuration image asks the device side to collect.
#pragma once

#include <cstdint>
#include <vector>

#include "file_bytes.h"
#include "schema_pool.h"

namespace krprof_tool {

struct EventGroupRequest {
  uint32_t domainId;
  std::vector<uint32_t> eventIds;
};

// The one event group of `configImage`, its domain and the ids of its
// counters in order. Throws std::runtime_error when the image does not decode
// or does not hold exactly one event-group set of one event group.
EventGroupRequest readEventGroupRequest(const SchemaPool& pool, const Bytes& configImage);

} // namespace krprof_tool
