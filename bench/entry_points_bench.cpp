// Time per call of the entry points that serve constant images, each beside
// the bare protobuf work it stands on: building the same message and
// serializing it into the same buffer, with no library code.
#include <benchmark/benchmark.h>
#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <cstdint>

#include "krpti_protobuf.pb.h"

namespace {

constexpr size_t kConfigImageSize = 63;
constexpr size_t kCounterDataPrefixSize = 12;

// Copies an image through its entry point into a buffer of exactly its size.
template <typename Params, size_t kSize>
void copyThroughEntryPoint(benchmark::State& state, TPRA_Status (*entry)(Params*)) {
  uint8_t buffer[kSize];
  Params params{};
  params.bytesAllocated = kSize;
  params.pBuffer = buffer;
  for (auto _ : state) {
    if (entry(&params) != TPRA_STATUS_SUCCESS) {
      state.SkipWithError("the entry point failed");
      break;
    }
    benchmark::DoNotOptimize(buffer);
  }
}

// Serializes a freshly built message into a buffer of exactly its size.
template <size_t kSize, typename Build>
void serializeBareMessage(benchmark::State& state, Build build) {
  uint8_t buffer[kSize];
  for (auto _ : state) {
    auto message = build();
    const size_t size = message.ByteSizeLong();
    if (size != kSize || !message.SerializeToArray(buffer, static_cast<int>(size))) {
      state.SkipWithError("serializing failed");
      break;
    }
    benchmark::DoNotOptimize(buffer);
  }
}

tprf::pbEventGroupSets configImageMessage() {
  tprf::pbEventGroupSets image;
  tprf::pbEventGroup* group = image.add_eventgroupsets()->add_eventgroups();
  group->set_dpcidmask(255);
  group->set_domainid(6);
  tprf::pbCounter* counter = group->add_counters();
  counter->set_eventname("fb_subp0_read_sectors");
  counter->set_eventid(9);
  counter = group->add_counters();
  counter->set_eventname("fb_subp1_read_sectors");
  counter->set_eventid(10);
  return image;
}

tprf::pbCounterDataPrefix counterDataPrefixMessage() {
  tprf::pbCounterDataPrefix prefix;
  tprf::pbEventGroupDataPrefix* group = prefix.add_eventgroupdataprefixs();
  group->set_domainid(6);
  group->set_dpcidmask(255);
  group->set_blockidmask(255);
  group->set_eventnum(2);
  return prefix;
}

void BM_ConfigImageCopy(benchmark::State& state) {
  copyThroughEntryPoint<TPRF_RawMetricsConfig_GetConfigImage_Params, kConfigImageSize>(
      state, &TPRF_RawMetricsConfig_GetConfigImage);
}
void BM_ConfigImageBareProtobuf(benchmark::State& state) {
  serializeBareMessage<kConfigImageSize>(state, configImageMessage);
}
void BM_CounterDataPrefixCopy(benchmark::State& state) {
  copyThroughEntryPoint<TPRF_CounterDataBuilder_GetCounterDataPrefix_Params, kCounterDataPrefixSize>(
      state, &TPRF_CounterDataBuilder_GetCounterDataPrefix);
}
void BM_CounterDataPrefixBareProtobuf(benchmark::State& state) {
  serializeBareMessage<kCounterDataPrefixSize>(state, counterDataPrefixMessage);
}

void BM_RangeCount(benchmark::State& state) {
  static const uint8_t kAnyByte = 0;
  TPRF_CounterData_GetNumRanges_Params params{};
  params.pCounterDataImage = &kAnyByte;
  for (auto _ : state) {
    if (TPRF_CounterData_GetNumRanges_Impl(&params) != TPRA_STATUS_SUCCESS) {
      state.SkipWithError("the range count failed");
      break;
    }
    benchmark::DoNotOptimize(params.numRanges);
  }
}

BENCHMARK(BM_ConfigImageCopy);
BENCHMARK(BM_ConfigImageBareProtobuf);
BENCHMARK(BM_CounterDataPrefixCopy);
BENCHMARK(BM_CounterDataPrefixBareProtobuf);
BENCHMARK(BM_RangeCount);

} // namespace
