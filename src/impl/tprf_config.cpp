#include "tprf_config.h"

#include <pthread.h>

#include <climits>
#include <cstdint>
#include <optional>

#include "krpti_protobuf.pb.h"
#include "tprf_debug.h"
#include "tprf_impl.h"

namespace tprf {

// Static storage without run-time initialisation: the holder starts empty and
// the mutex unlocked before any code of the library runs.
std::unique_ptr<Context> Context::ctxInstance_;
std::mutex Context::ctxMutex_;

// Holds ctxMutex_ across fork(): the prepare handler takes it, and the parent
// and the child release it once the fork is done. A child therefore never
// inherits the mutex locked by a thread that does not exist in the child.
// Registered at load; the handlers stay registered for the life of the
// process, as the library stays loaded.
struct ContextForkHandlers {
  ContextForkHandlers() {
    pthread_atfork([] { Context::ctxMutex_.lock(); }, [] { Context::ctxMutex_.unlock(); },
                   [] { Context::ctxMutex_.unlock(); });
  }
};
static const ContextForkHandlers g_contextForkHandlers;

Context* Context::getInstance() {
  std::lock_guard<std::mutex> lock(ctxMutex_);
  if (!ctxInstance_) ctxInstance_.reset(new Context());
  return ctxInstance_.get();
}

Context::~Context() = default;

namespace {

constexpr uint32_t kDomainId = 6;
constexpr uint32_t kDpcIdMask = 255;
constexpr uint32_t kBlockIdMask = 255;
constexpr struct {
  const char* name;
  uint32_t id;
} kCounters[] = {
    {"fb_subp0_read_sectors", 9},
    {"fb_subp1_read_sectors", 10},
};
constexpr uint32_t kNumCounters = sizeof(kCounters) / sizeof(kCounters[0]);

void buildConfigImage(pbEventGroupSets& image) {
  pbEventGroup* group = image.add_eventgroupsets()->add_eventgroups();
  group->set_dpcidmask(kDpcIdMask);
  group->set_domainid(kDomainId);
  for (const auto& counter : kCounters) {
    pbCounter* added = group->add_counters();
    added->set_eventname(counter.name);
    added->set_eventid(counter.id);
  }
}

void buildCounterDataPrefix(pbCounterDataPrefix& prefix) {
  pbEventGroupDataPrefix* group = prefix.add_eventgroupdataprefixs();
  group->set_domainid(kDomainId);
  group->set_dpcidmask(kDpcIdMask);
  group->set_blockidmask(kBlockIdMask);
  group->set_eventnum(kNumCounters);
}

enum class Served { kDone, kRejected, kFailed };

// Serves one of the fixed images with the two-call size protocol: a null
// buffer asks for the size, which only this path writes; otherwise the
// encoding is copied to the start of a buffer of at least that size and the
// rest is left alone. The message is built anew for every call and lives on
// this frame only.
template <typename Message, typename Params>
Served serveFixedImage(void (*build)(Message&), Params* pParams) noexcept {
  if (pParams == nullptr) return Served::kRejected;
  try {
    Message image;
    build(image);
    const size_t size = image.ByteSizeLong();
    if (pParams->pBuffer == nullptr) {
      pParams->bytesCopied = size;
      return Served::kDone;
    }
    if (pParams->bytesAllocated < size) return Served::kRejected;
    if (size > static_cast<size_t>(INT_MAX) ||
        !image.SerializeToArray(pParams->pBuffer, static_cast<int>(size))) {
      return Served::kFailed;
    }
    return Served::kDone;
  } catch (...) { // no memory for the message
    return Served::kFailed;
  }
}

// Number of leading readings a group image contributes, in unsigned 32-bit
// arithmetic as the producer of the image forms it.
uint32_t readingCount(const pbEventGroupDataImage& group) {
  return group.dpcnum() * group.instancenum() * static_cast<uint32_t>(group.eventid_size());
}

bool holdsAllReadings(const pbRangeDataImage& range) {
  for (const pbEventGroupDataImage& group : range.eventgroupdataimage()) {
    if (readingCount(group) > static_cast<uint32_t>(group.value_size())) return false;
  }
  return true;
}

// The total of the readings of the image's first range, or nothing if the
// image does not decode, holds no range, or lacks readings its counts
// announce. Everything is checked before the first reading is added, so a
// rejected image raises no overflow warning. Throws only for want of memory.
std::optional<uint64_t> totalOfFirstRange(const uint8_t* data, int size) {
  pbCounterDataImage image;
  if (!image.ParseFromArray(data, size) || image.rangedataimages_size() == 0 ||
      !holdsAllReadings(image.rangedataimages(0))) {
    return std::nullopt;
  }
  uint64_t total = 0;
  for (const pbEventGroupDataImage& group : image.rangedataimages(0).eventgroupdataimage()) {
    const uint64_t* readings = group.value().data();
    const uint32_t count = readingCount(group);
    for (uint32_t j = 0; j < count; ++j) {
      if (__builtin_add_overflow(total, readings[j], &total)) {
        TPRF_LOG(LOG_ALWAYS, LOG_WARNING, "evaluateToGpuValues value overflow.");
      }
    }
  }
  return total;
}

} // namespace

TPRA_Status Context::getConfigImage(TPRF_RawMetricsConfig_GetConfigImage_Params* pParams) {
  switch (serveFixedImage(buildConfigImage, pParams)) {
  case Served::kRejected:
    TPRF_LOG(LOG_ALWAYS, LOG_ERROR, "getConfigImage parameter wrong.");
    return TPRA_STATUS_INVALID_ARGUMENT;
  case Served::kFailed:
    TPRF_LOG(LOG_ALWAYS, LOG_ERROR, "getConfigImage failed.");
    return TPRA_STATUS_ERROR;
  case Served::kDone:
    break;
  }
  return TPRA_STATUS_SUCCESS;
}

TPRA_Status Context::getCounterDataPrefix(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params* pParams) {
  switch (serveFixedImage(buildCounterDataPrefix, pParams)) {
  case Served::kRejected:
    TPRF_LOG(LOG_ALWAYS, LOG_ERROR, "getCounterDataPrefix parameter wrong.");
    return TPRA_STATUS_INVALID_ARGUMENT;
  case Served::kFailed:
    TPRF_LOG(LOG_ALWAYS, LOG_ERROR, "getCounterDataPrefix failed.");
    return TPRA_STATUS_ERROR;
  case Served::kDone:
    break;
  }
  return TPRA_STATUS_SUCCESS;
}

TPRA_Status Context::getCounterDataNumRanges(TPRF_CounterData_GetNumRanges_Params* pParams) {
  if (pParams == nullptr || pParams->pCounterDataImage == nullptr) {
    TPRF_LOG(LOG_ALWAYS, LOG_ERROR, "getCounterDataNumRanges parameter wrong.");
    return TPRA_STATUS_INVALID_ARGUMENT;
  }
  pParams->numRanges = 1;
  return TPRA_STATUS_SUCCESS;
}

TPRA_Status Context::evaluateToGpuValues(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params* pParams) {
  // The parser takes the length as a signed 32-bit integer: a longer image is
  // rejected rather than read as a shorter one.
  if (pParams == nullptr || pParams->pCounterDataImage == nullptr || pParams->pMetricValues == nullptr ||
      pParams->counterDataImageSize > static_cast<size_t>(INT_MAX)) {
    TPRF_LOG(LOG_ALWAYS, LOG_ERROR, "evaluateToGpuValues parameter wrong.");
    return TPRA_STATUS_INVALID_ARGUMENT;
  }
  const int imageSize = static_cast<int>(pParams->counterDataImageSize);
  std::optional<uint64_t> total;
  try {
    total = totalOfFirstRange(pParams->pCounterDataImage, imageSize);
  } catch (...) { // no memory for the parsed image
  }
  if (!total) {
    TPRF_LOG(LOG_ALWAYS, LOG_ERROR,
             "evaluateToGpuValues failed. pCounterDataImage:%p, counterDataImageSize:%d.",
             static_cast<const void*>(pParams->pCounterDataImage), imageSize);
    return TPRA_STATUS_INTERNAL_ERROR;
  }
  pParams->pMetricValues[0] = static_cast<double>(*total);
  return TPRA_STATUS_SUCCESS;
}

namespace {

// Context dispatch of every implementation entry: obtain the instance, run
// the operation on the caller's block. Obtaining the instance can fail only
// for want of memory or a broken mutex; that is reported as the operation's
// own failure status, since no exception may reach a C caller.
template <typename Params>
TPRA_Status dispatch(TPRA_Status (Context::*operation)(Params*), Params* pParams,
                     TPRA_Status failure) noexcept {
  Context* context = nullptr;
  try {
    context = Context::getInstance();
  } catch (...) {
    return failure;
  }
  return (context->*operation)(pParams);
}

} // namespace
} // namespace tprf

extern "C" {

TPRF_EXPORT TPRA_Status
TPRF_RawMetricsConfig_GetConfigImage_Impl(TPRF_RawMetricsConfig_GetConfigImage_Params* pParams) {
  return tprf::dispatch(&tprf::Context::getConfigImage, pParams, TPRA_STATUS_ERROR);
}

TPRF_EXPORT TPRA_Status TPRF_CounterDataBuilder_GetCounterDataPrefix_Impl(
    TPRF_CounterDataBuilder_GetCounterDataPrefix_Params* pParams) {
  return tprf::dispatch(&tprf::Context::getCounterDataPrefix, pParams, TPRA_STATUS_ERROR);
}

TPRF_EXPORT TPRA_Status TPRF_CounterData_GetNumRanges_Impl(TPRF_CounterData_GetNumRanges_Params* pParams) {
  return tprf::dispatch(&tprf::Context::getCounterDataNumRanges, pParams, TPRA_STATUS_ERROR);
}

TPRF_EXPORT TPRA_Status
TPRF_MetricsEvaluator_EvaluateToGpuValues_Impl(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params* pParams) {
  return tprf::dispatch(&tprf::Context::evaluateToGpuValues, pParams, TPRA_STATUS_INTERNAL_ERROR);
}

} // extern "C"
