// The library's two image entry points, configuration image and counter-data
// prefix, behind one call shape, so that one table of cases covers both.
#pragma once

#include <krprof/tprf_host.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace krprof_test {

// The fields a caller sets and reads in either parameter block; `handle` is
// the configuration or builder handle, as a number since the library never
// dereferences it.
struct ImageRequest {
  uintptr_t handle = 0;
  size_t bytesAllocated = 0;
  uint8_t* pBuffer = nullptr;
  size_t bytesCopied = 0;

  bool operator==(const ImageRequest& other) const {
    return handle == other.handle && bytesAllocated == other.bytesAllocated && pBuffer == other.pBuffer &&
           bytesCopied == other.bytesCopied;
  }
};

struct ImageEntryPoint {
  const char* name;
  // Fills a block from the request, calls the entry point and copies every
  // field of the block back into the request. A null request passes a null
  // block.
  TPRA_Status (*call)(ImageRequest* request);
};

namespace detail {

template <typename Params, auto handleField, TPRA_Status (*entryPoint)(Params*)>
TPRA_Status callImageEntryPoint(ImageRequest* request) {
  if (request == nullptr) return entryPoint(nullptr);
  using Handle = std::remove_reference_t<decltype(std::declval<Params&>().*handleField)>;
  Params params{};
  params.structSize = sizeof(params);
  params.*handleField = reinterpret_cast<Handle>(request->handle);
  params.bytesAllocated = request->bytesAllocated;
  params.pBuffer = request->pBuffer;
  params.bytesCopied = request->bytesCopied;
  const TPRA_Status status = entryPoint(&params);
  request->handle = reinterpret_cast<uintptr_t>(params.*handleField);
  request->bytesAllocated = params.bytesAllocated;
  request->pBuffer = params.pBuffer;
  request->bytesCopied = params.bytesCopied;
  return status;
}

} // namespace detail

inline constexpr ImageEntryPoint kConfigImage{
    "ConfigImage",
    &detail::callImageEntryPoint<TPRF_RawMetricsConfig_GetConfigImage_Params,
                                 &TPRF_RawMetricsConfig_GetConfigImage_Params::pRawMetricsConfig,
                                 &TPRF_RawMetricsConfig_GetConfigImage>};

inline constexpr ImageEntryPoint kCounterDataPrefix{
    "CounterDataPrefix",
    &detail::callImageEntryPoint<TPRF_CounterDataBuilder_GetCounterDataPrefix_Params,
                                 &TPRF_CounterDataBuilder_GetCounterDataPrefix_Params::pCounterDataBuilder,
                                 &TPRF_CounterDataBuilder_GetCounterDataPrefix>};

// The image obtained the way a tool obtains it: a size query, then a copy into
// a buffer of exactly that size. Empty if either call fails.
inline std::vector<uint8_t> fetchImage(const ImageEntryPoint& entryPoint) {
  ImageRequest request;
  if (entryPoint.call(&request) != TPRA_STATUS_SUCCESS) return {};
  std::vector<uint8_t> image(request.bytesCopied);
  request.bytesAllocated = image.size();
  request.pBuffer = image.data();
  if (entryPoint.call(&request) != TPRA_STATUS_SUCCESS) return {};
  return image;
}

} // namespace krprof_test
