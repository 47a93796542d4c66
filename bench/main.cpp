// Runs the benchmarks with the library's logger "QUAY" switched off (the level
// test still runs, but no line is formatted or written while measuring) and
// with glibc malloc's thresholds fixed.
//
// By default glibc raises its mmap and trim thresholds as large blocks are
// freed, so the first benchmark to parse images of a new size pays page faults
// that the next one, run on the warmed heap, does not: the library and its
// floor would be compared under different allocator states depending on their
// order. Fixed thresholds make every benchmark see the same allocator. Blocks
// above the largest mmap threshold glibc allows (32 MiB) are still mapped and
// unmapped on every call, by the library and by the floor alike.
#include <benchmark/benchmark.h>
#include <krlog/krlog.h>
#include <krlog/krlog_control.h>
#include <malloc.h>

#include <cstdio>

namespace {

constexpr int kMmapThreshold = 32 << 20;
constexpr int kTrimThreshold = 1 << 30;

} // namespace

int main(int argc, char** argv) {
  if (mallopt(M_MMAP_THRESHOLD, kMmapThreshold) == 0 || mallopt(M_TRIM_THRESHOLD, kTrimThreshold) == 0) {
    std::fprintf(stderr, "krprof_bench: cannot fix the malloc thresholds\n");
    return 1;
  }
  krlog::control::setLevel(krlog::api::registerLogger("QUAY", true), krlog::off);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
