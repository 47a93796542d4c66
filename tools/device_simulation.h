// A simulated device side: collects the counters a configuration image asks
// for and writes them as a counter-data image, as the platform's device side
// does on the GPU.
#pragma once

#include <cstdint>
#include <vector>

#include "file_bytes.h"
#include "schema_pool.h"

namespace krprof_tool {

// The units the readings come from.
struct DeviceShape {
  uint32_t dpcs;
  uint32_t instances;
};

struct DeviceRun {
  uint32_t domainId = 0;
  std::vector<uint32_t> eventIds;
  uint64_t numReadings = 0;
  // Sum of every reading written, modulo 2^64 as the evaluation adds them.
  uint64_t expectedTotal = 0;
  Bytes counterDataImage;
};

// Reads the one event group of the configuration image and writes a
// counter-data image of one range holding that group's readings: one
// deterministic reading per DPC, instance and event. Throws
// std::runtime_error when the configuration image does not decode or does not
// hold exactly one event group.
DeviceRun simulateDevice(const SchemaPool& pool, const Bytes& configImage, const DeviceShape& shape);

} // namespace krprof_tool
