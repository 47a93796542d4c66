// Evaluation of counter-data images through the exported entry point, beside
// its floor: the same bytes parsed into the generated message and summed with
// no library code. Reports throughput (bytes/s, readings/s), the peak heap
// growth of one call and, over the size series, the fitted cost per byte.
#include <benchmark/benchmark.h>
#include <krprof/tprf_host.h>

#include <cstdint>

#include "counter_data_images.h"
#include "heap_peak.h"
#include "krpti_protobuf.pb.h"

namespace {

using krprof_bench::CounterDataImage;

// Sum of the readings of the first range, each group's reading count taken
// from its counts, with nothing checked.
uint64_t parseAndSum(const CounterDataImage& image) {
  tprf::pbCounterDataImage message;
  if (!message.ParseFromArray(image.bytes.data(), static_cast<int>(image.bytes.size()))) return 0;
  uint64_t total = 0;
  for (const tprf::pbEventGroupDataImage& group : message.rangedataimages(0).eventgroupdataimage()) {
    const uint32_t count = group.dpcnum() * group.instancenum() * static_cast<uint32_t>(group.eventid_size());
    for (uint32_t j = 0; j < count; ++j) total += group.value(static_cast<int>(j));
  }
  return total;
}

double evaluate(const CounterDataImage& image) {
  double value = -1.0;
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
  params.pCounterDataImage = reinterpret_cast<const uint8_t*>(image.bytes.data());
  params.counterDataImageSize = image.bytes.size();
  params.pMetricValues = &value;
  return TPRF_MetricsEvaluator_EvaluateToGpuValues(&params) == TPRA_STATUS_SUCCESS ? value : -1.0;
}

void reportThroughput(benchmark::State& state, const CounterDataImage& image) {
  const auto iterations = static_cast<int64_t>(state.iterations());
  state.SetBytesProcessed(iterations * static_cast<int64_t>(image.bytes.size()));
  state.counters["readings"] = benchmark::Counter(
      static_cast<double>(iterations) * static_cast<double>(image.readings), benchmark::Counter::kIsRate);
  state.counters["image_bytes"] = static_cast<double>(image.bytes.size());
  state.SetComplexityN(static_cast<int64_t>(image.bytes.size()));
}

void reportPeakHeap(benchmark::State& state, size_t peak) {
  state.counters["peak_heap"] = benchmark::Counter(static_cast<double>(peak), benchmark::Counter::kDefaults,
                                                   benchmark::Counter::kIs1024);
}

// Times `run` on `image`, after one untimed call that checks its result and
// measures its peak heap growth.
template <typename Run>
void measureEvaluation(benchmark::State& state, const CounterDataImage& image, Run run) {
  double result = 0;
  reportPeakHeap(state, krprof_bench::peakHeapGrowth([&] { result = static_cast<double>(run(image)); }));
  if (result != static_cast<double>(image.total)) {
    state.SkipWithError("wrong total");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(run(image));
  reportThroughput(state, image);
}

const CounterDataImage& imageOfArgument(const benchmark::State& state) {
  return krprof_bench::counterDataImageOfSize(static_cast<size_t>(state.range(0)));
}

void BM_Evaluate(benchmark::State& state) {
  measureEvaluation(state, imageOfArgument(state), evaluate);
}
void BM_ParseAndSumFloor(benchmark::State& state) {
  measureEvaluation(state, imageOfArgument(state), parseAndSum);
}
void BM_EvaluateSmallImage(benchmark::State& state) {
  measureEvaluation(state, krprof_bench::smallCounterDataImage(), evaluate);
}
void BM_ParseAndSumSmallImage(benchmark::State& state) {
  measureEvaluation(state, krprof_bench::smallCounterDataImage(), parseAndSum);
}

void imageSizes(benchmark::internal::Benchmark* benchmark) {
  for (int64_t size :
       {int64_t{1} << 10, int64_t{64} << 10, int64_t{1} << 20, int64_t{16} << 20, int64_t{64} << 20}) {
    benchmark->Arg(size);
  }
  benchmark->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);
}

BENCHMARK(BM_EvaluateSmallImage);
BENCHMARK(BM_ParseAndSumSmallImage);
BENCHMARK(BM_Evaluate)->Apply(imageSizes);
BENCHMARK(BM_ParseAndSumFloor)->Apply(imageSizes);

} // namespace
