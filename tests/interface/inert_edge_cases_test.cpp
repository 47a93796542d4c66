// Inert entry points with typed blocks: what they leave alone beyond the block
// itself (buffers and records it points to), and the loader's name lookup.
#include <krprof/tprf_common.h>
#include <krprof/tprf_host.h>
#include <krprof/tprf_kr_host.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

TEST(InertEdgeCases, GetProcAddressHandsOutNothing) {
  for (const char* name :
       {"TPRF_InitializeHost", "TPRA_GetProcAddress", "", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(name == nullptr ? "(null)" : name);
    EXPECT_EQ(TPRA_GetProcAddress(name), nullptr);
  }
}

TEST(InertEdgeCases, EvaluatorInitializeLeavesScratchBufferAndHandle) {
  std::array<uint8_t, 64> scratch;
  scratch.fill(0x5A);
  TPRF_KORA_MetricsEvaluator_Initialize_Params params = {};
  params.structSize = sizeof params;
  params.pScratchBuffer = scratch.data();
  params.scratchBufferSize = scratch.size();
  EXPECT_EQ(TPRF_KORA_MetricsEvaluator_Initialize(&params), TPRA_STATUS_SUCCESS);
  for (uint8_t byte : scratch) EXPECT_EQ(byte, 0x5A);
  EXPECT_EQ(params.pMetricsEvaluator, nullptr);

  params.pScratchBuffer = nullptr;
  params.scratchBufferSize = 0;
  EXPECT_EQ(TPRF_KORA_MetricsEvaluator_Initialize(&params), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(params.pMetricsEvaluator, nullptr);
}

TEST(InertEdgeCases, CounterDataImageCopyLeavesDestination) {
  std::array<uint8_t, 64> destination;
  destination.fill(0xC3);
  TPRF_CounterData_InitializeCounterDataImageCopy_Params params = {};
  params.structSize = sizeof params;
  params.maxNumRanges = 1;
  params.pCounterDataDst = destination.data();
  EXPECT_EQ(TPRF_CounterData_InitializeCounterDataImageCopy(&params), TPRA_STATUS_SUCCESS);
  for (uint8_t byte : destination) EXPECT_EQ(byte, 0xC3);
}

TEST(InertEdgeCases, MetricsContextEvaluationWritesNoValue) {
  const char* const names[] = {"a", "b", "c"};
  std::array<double, 3> values;
  values.fill(std::numeric_limits<double>::quiet_NaN());
  TPRF_MetricsContext_EvaluateToGpuValues_Params params = {};
  params.structSize = sizeof params;
  params.numMetrics = values.size();
  params.ppMetricNames = names;
  params.pMetricValues = values.data();
  EXPECT_EQ(TPRF_MetricsContext_EvaluateToGpuValues(&params), TPRA_STATUS_SUCCESS);
  for (double value : values) EXPECT_TRUE(std::isnan(value));

  params.ppMetricNames = nullptr;
  params.pMetricValues = nullptr;
  EXPECT_EQ(TPRF_MetricsContext_EvaluateToGpuValues(&params), TPRA_STATUS_SUCCESS);
}

// A name-list _Begin member on a zeroed block hands out no list.
template <typename Params>
void expectNoNameList(TPRA_Status (*begin)(Params*), size_t Params::*count,
                      const char* const* Params::*list) {
  Params params;
  std::memset(&params, 0, sizeof params);
  EXPECT_EQ(begin(&params), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(params.*count, 0u);
  EXPECT_EQ(params.*list, nullptr);
}

TEST(InertEdgeCases, NameListsStayEmpty) {
  using CounterNames = TPRF_MetricsContext_GetCounterNames_Begin_Params;
  using ThroughputNames = TPRF_MetricsContext_GetThroughputNames_Begin_Params;
  using RatioNames = TPRF_MetricsContext_GetRatioNames_Begin_Params;
  using MetricNames = TPRF_MetricsContext_GetMetricNames_Begin_Params;
  using MetricSuffix = TPRF_MetricsContext_GetMetricSuffix_Begin_Params;
  using MetricBaseNames = TPRF_MetricsContext_GetMetricBaseNames_Begin_Params;
  using ChipNames = TPRF_GetSupportedChipNames_Params;
  expectNoNameList(TPRF_MetricsContext_GetCounterNames_Begin, &CounterNames::numCounters,
                   &CounterNames::ppCounterNames);
  expectNoNameList(TPRF_MetricsContext_GetThroughputNames_Begin, &ThroughputNames::numThroughputs,
                   &ThroughputNames::ppThroughputNames);
  expectNoNameList(TPRF_MetricsContext_GetRatioNames_Begin, &RatioNames::numRatios,
                   &RatioNames::ppRatioNames);
  expectNoNameList(TPRF_MetricsContext_GetMetricNames_Begin, &MetricNames::numMetrics,
                   &MetricNames::ppMetricNames);
  expectNoNameList(TPRF_MetricsContext_GetMetricSuffix_Begin, &MetricSuffix::numSuffixes,
                   &MetricSuffix::ppSuffixes);
  expectNoNameList(TPRF_MetricsContext_GetMetricBaseNames_Begin, &MetricBaseNames::numMetricBaseNames,
                   &MetricBaseNames::ppMetricBaseNames);
  expectNoNameList(TPRF_GetSupportedChipNames, &ChipNames::numChipNames, &ChipNames::ppChipNames);
}

} // namespace
