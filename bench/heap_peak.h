// Peak heap use of a piece of code, counted by this program's replacement of
// the global operator new and delete (which also serves the protobuf runtime).
#pragma once

#include <cstddef>
#include <functional>

namespace krprof_bench {

// The most by which the live heap grew over its size at the start while
// `work` ran. Counting is on only during the call, so timed loops pay nothing
// beyond one relaxed load per allocation.
size_t peakHeapGrowth(const std::function<void()>& work);

} // namespace krprof_bench
