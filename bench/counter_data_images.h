// Counter-data images of a realistic shape for the benchmarks: one range of a
// few event groups, each holding dpcNum x instanceNum x 2 readings of the two
// read-sector counters, as the device side writes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace krprof_bench {

struct CounterDataImage {
  std::string bytes;
  uint64_t readings; // readings the evaluation adds up
  uint64_t total;    // their sum, the expected metric value
};

// An image of about `targetBytes` bytes (at least one instance per group),
// built once per size and kept for the rest of the run.
const CounterDataImage& counterDataImageOfSize(size_t targetBytes);

// The smallest image of the format: one group of readings 100 and 200.
const CounterDataImage& smallCounterDataImage();

} // namespace krprof_bench
