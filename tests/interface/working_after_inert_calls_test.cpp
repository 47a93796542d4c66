// The working entry points give the same results after any sequence of inert
// calls as in a process that made none: nothing an inert call does reaches
// the configuration image, the counter-data prefix or the evaluation.
#include <krprof/tprf_common.h>
#include <krprof/tprf_host.h>
#include <krprof/tprf_kr_host.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "expected_images.h"

namespace {

using krprof_test::kExpectedConfigImage;
using krprof_test::kExpectedCounterDataPrefix;
using krprof_test::kOneGroupCounterDataImage;

using Bytes = std::vector<uint8_t>;

// Handles no create call produced; inert entry points accept any value.
std::array<uint8_t, 8> g_handleStorage;
template <typename Handle>
Handle* foreignHandle() {
  return reinterpret_cast<Handle*>(g_handleStorage.data());
}

// Fetches an image through the two-call size protocol shared by the
// configuration image and the counter-data prefix.
template <typename Params>
Bytes fetchImage(TPRA_Status (*get)(Params*)) {
  Params query = {};
  query.structSize = sizeof query;
  EXPECT_EQ(get(&query), TPRA_STATUS_SUCCESS);
  Bytes image(query.bytesCopied);
  Params copy = {};
  copy.structSize = sizeof copy;
  copy.pBuffer = image.data();
  copy.bytesAllocated = image.size();
  EXPECT_EQ(get(&copy), TPRA_STATUS_SUCCESS);
  return image;
}

double evaluate(struct TPRF_MetricsEvaluator* evaluator) {
  double value = -1.0;
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params = {};
  params.structSize = sizeof params;
  params.pMetricsEvaluator = evaluator;
  params.pCounterDataImage = kOneGroupCounterDataImage.data();
  params.counterDataImageSize = kOneGroupCounterDataImage.size();
  params.pMetricValues = &value;
  EXPECT_EQ(TPRF_MetricsEvaluator_EvaluateToGpuValues(&params), TPRA_STATUS_SUCCESS);
  return value;
}

template <typename Params>
void callInert(TPRA_Status (*entryPoint)(Params*), Params params) {
  params.structSize = sizeof params;
  ASSERT_EQ(entryPoint(&params), TPRA_STATUS_SUCCESS);
}

// Creates, configures and destroys every kind of object the interface names,
// destroys some twice and leaves a pass group and a name list open.
void makeInertCalls() {
  TPRF_InitializeHost_Params initialize = {};
  callInert(TPRF_InitializeHost, initialize);

  TPRA_RawMetricsConfig* const config = foreignHandle<TPRA_RawMetricsConfig>();
  TPRA_RawMetricRequest request = {};
  request.structSize = sizeof request;
  request.pMetricName = "fb_subp0_read_sectors";
  TPRF_KORA_RawMetricsConfig_Create_Params createConfig = {};
  createConfig.activityKind = TPRA_ACTIVITY_KIND_PROFILER;
  createConfig.pChipName = "kr100";
  callInert(TPRF_KORA_RawMetricsConfig_Create, createConfig);
  TPRF_RawMetricsConfig_BeginPassGroup_Params beginPassGroup = {};
  beginPassGroup.pRawMetricsConfig = config;
  beginPassGroup.maxPassCount = 3;
  callInert(TPRF_RawMetricsConfig_BeginPassGroup, beginPassGroup);
  TPRF_RawMetricsConfig_AddMetrics_Params addToConfig = {};
  addToConfig.pRawMetricsConfig = config;
  addToConfig.pRawMetricRequests = &request;
  addToConfig.numMetricRequests = 1;
  callInert(TPRF_RawMetricsConfig_AddMetrics, addToConfig);
  TPRF_RawMetricsConfig_GenerateConfigImage_Params generate = {};
  generate.pRawMetricsConfig = config;
  callInert(TPRF_RawMetricsConfig_GenerateConfigImage, generate);
  TPRF_RawMetricsConfig_Destroy_Params destroyConfig = {};
  destroyConfig.pRawMetricsConfig = config;
  callInert(TPRF_RawMetricsConfig_Destroy, destroyConfig);
  callInert(TPRF_RawMetricsConfig_Destroy, destroyConfig);

  TPRA_CounterDataBuilder* const builder = foreignHandle<TPRA_CounterDataBuilder>();
  TPRF_CounterDataBuilder_Create_Params createBuilder = {};
  createBuilder.pChipName = "kr100";
  callInert(TPRF_CounterDataBuilder_Create, createBuilder);
  TPRF_CounterDataBuilder_AddMetrics_Params addToBuilder = {};
  addToBuilder.pCounterDataBuilder = builder;
  addToBuilder.pRawMetricRequests = &request;
  addToBuilder.numMetricRequests = 1;
  callInert(TPRF_CounterDataBuilder_AddMetrics, addToBuilder);
  TPRF_CounterDataBuilder_Destroy_Params destroyBuilder = {};
  destroyBuilder.pCounterDataBuilder = builder;
  callInert(TPRF_CounterDataBuilder_Destroy, destroyBuilder);
  callInert(TPRF_CounterDataBuilder_Destroy, destroyBuilder);

  struct TPRF_MetricsEvaluator* const evaluator = foreignHandle<struct TPRF_MetricsEvaluator>();
  TPRF_MetricsEvaluator_SetUserData_Params userData = {};
  userData.pMetricsEvaluator = evaluator;
  userData.frameDuration = 16.0;
  userData.regionDuration = 4.0;
  userData.isolated = 1;
  callInert(TPRF_MetricsEvaluator_SetUserData, userData);
  TPRF_MetricsEvaluator_SetDeviceAttributes_Params deviceAttributes = {};
  deviceAttributes.pMetricsEvaluator = evaluator;
  deviceAttributes.pCounterDataImage = kOneGroupCounterDataImage.data();
  deviceAttributes.counterDataImageSize = kOneGroupCounterDataImage.size();
  callInert(TPRF_MetricsEvaluator_SetDeviceAttributes, deviceAttributes);
  TPRF_MetricsEvaluator_Destroy_Params destroyEvaluator = {};
  destroyEvaluator.pMetricsEvaluator = evaluator;
  callInert(TPRF_MetricsEvaluator_Destroy, destroyEvaluator);
  callInert(TPRF_MetricsEvaluator_Destroy, destroyEvaluator);

  TPRF_MetricsContext_GetMetricNames_Begin_Params metricNames = {};
  metricNames.pMetricsContext = foreignHandle<TPRA_MetricsContext>();
  callInert(TPRF_MetricsContext_GetMetricNames_Begin, metricNames);
}

TEST(WorkingEntryPoints, SameResultsAfterInertCalls) {
  makeInertCalls();
  EXPECT_EQ(fetchImage(TPRF_RawMetricsConfig_GetConfigImage), kExpectedConfigImage);
  EXPECT_EQ(fetchImage(TPRF_CounterDataBuilder_GetCounterDataPrefix), kExpectedCounterDataPrefix);
  EXPECT_EQ(evaluate(nullptr), krprof_test::kOneGroupReadSectors);
  EXPECT_EQ(evaluate(foreignHandle<struct TPRF_MetricsEvaluator>()), krprof_test::kOneGroupReadSectors);
}

} // namespace
