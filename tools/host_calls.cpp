#include "host_calls.h"

#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <iterator>
#include <stdexcept>

namespace krprof_tool {
namespace {

// Every entry point rejects a null image pointer, and an empty vector may
// hand out one; an empty image is passed as zero bytes at a valid address.
const uint8_t* imageAddress(const Bytes& image) {
  static const uint8_t kNoBytes = 0;
  return image.empty() ? &kNoBytes : image.data();
}

void check(TPRA_Status status, const char* call) {
  if (status != TPRA_STATUS_SUCCESS) {
    throw std::runtime_error(std::string(call) + " failed with " + statusName(status));
  }
}

// Both image builders share one block layout and one protocol.
template <typename Params>
Bytes fetchImage(TPRA_Status (*entryPoint)(Params*), const char* sizeQuery, const char* copy) {
  Params params{};
  params.structSize = sizeof params;
  check(entryPoint(&params), sizeQuery);
  Bytes image(params.bytesCopied);
  params.pBuffer = image.data();
  params.bytesAllocated = image.size();
  check(entryPoint(&params), copy);
  return image;
}

TPRA_Status evaluate(const Bytes& counterDataImage, double* readSectors) {
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
  params.structSize = sizeof params;
  params.pCounterDataImage = imageAddress(counterDataImage);
  params.counterDataImageSize = counterDataImage.size();
  params.pMetricValues = readSectors;
  return TPRF_MetricsEvaluator_EvaluateToGpuValues(&params);
}

TPRA_Status rangeCount(const Bytes& counterDataImage, size_t* ranges) {
  TPRF_CounterData_GetNumRanges_Params params{};
  params.structSize = sizeof params;
  params.pCounterDataImage = imageAddress(counterDataImage);
  const TPRA_Status status = TPRF_CounterData_GetNumRanges_Impl(&params);
  *ranges = params.numRanges;
  return status;
}

} // namespace

std::string statusName(TPRA_Status status) {
  static const char* const kNames[] = {
      "TPRA_STATUS_SUCCESS",
      "TPRA_STATUS_ERROR",
      "TPRA_STATUS_INTERNAL_ERROR",
      "TPRA_STATUS_NOT_INITIALIZED",
      "TPRA_STATUS_NOT_LOADED",
      "TPRA_STATUS_FUNCTION_NOT_FOUND",
      "TPRA_STATUS_NOT_SUPPORTED",
      "TPRA_STATUS_NOT_IMPLEMENTED",
      "TPRA_STATUS_INVALID_ARGUMENT",
      "TPRA_STATUS_INVALID_METRIC_ID",
      "TPRA_STATUS_DRIVER_NOT_LOADED",
      "TPRA_STATUS_OUT_OF_MEMORY",
      "TPRA_STATUS_INVALID_THREAD_STATE",
      "TPRA_STATUS_FAILED_CONTEXT_ALLOC",
      "TPRA_STATUS_UNSUPPORTED_GPU",
      "TPRA_STATUS_INSUFFICIENT_DRIVER_VERSION",
      "TPRA_STATUS_OBJECT_NOT_REGISTERED",
      "TPRA_STATUS_INSUFFICIENT_PRIVILEGE",
      "TPRA_STATUS_INVALID_CONTEXT_STATE",
      "TPRA_STATUS_INVALID_OBJECT_STATE",
      "TPRA_STATUS_RESOURCE_UNAVAILABLE",
      "TPRA_STATUS_DRIVER_LOADED_TOO_LATE",
      "TPRA_STATUS_INSUFFICIENT_SPACE",
      "TPRA_STATUS_OBJECT_MISMATCH",
      "TPRA_STATUS_VIRTUALIZED_DEVICE_NOT_SUPPORTED",
      "TPRA_STATUS_PROFILING_NOT_ALLOWED",
  };
  static_assert(std::size(kNames) == TPRA_STATUS__COUNT, "one name for every status code");
  const auto index = static_cast<size_t>(status);
  if (index < std::size(kNames)) return kNames[index];
  return "TPRA_Status " + std::to_string(static_cast<int>(status));
}

Bytes fetchConfigImage() {
  return fetchImage(&TPRF_RawMetricsConfig_GetConfigImage, "the size query for the configuration image",
                    "the copy of the configuration image");
}

Bytes fetchCounterDataPrefix() {
  return fetchImage(&TPRF_CounterDataBuilder_GetCounterDataPrefix,
                    "the size query for the counter-data prefix", "the copy of the counter-data prefix");
}

size_t countRanges(const Bytes& counterDataImage) {
  size_t ranges = 0;
  check(rangeCount(counterDataImage, &ranges), "the range count");
  return ranges;
}

TPRA_Status rangeCountStatus(const Bytes& counterDataImage) {
  size_t ranges = 0;
  return rangeCount(counterDataImage, &ranges);
}

double evaluateReadSectors(const Bytes& counterDataImage) {
  double readSectors = 0.0;
  check(evaluate(counterDataImage, &readSectors), "the evaluation");
  return readSectors;
}

Evaluation evaluation(const Bytes& counterDataImage) {
  Evaluation result{TPRA_STATUS_SUCCESS, 0.0};
  result.status = evaluate(counterDataImage, &result.readSectors);
  return result;
}

} // namespace krprof_tool
