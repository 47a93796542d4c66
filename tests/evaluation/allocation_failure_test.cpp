// Running out of memory inside an operation is reported as the operation's
// failure status, with nothing written, and no exception leaves the entry
// point.
//
// The global allocator is replaced by one that can be armed to fail the
// allocation after the first N. Each test sweeps N from 0 upwards, so every
// allocation an operation makes fails once, and stops at the first N the
// operation gets through without failing.
#include <gtest/gtest.h>

#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <cstddef>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <tuple>
#include <vector>

#include "evaluation_harness.h"
#include "expected_images.h"

#if defined(__SANITIZE_ADDRESS__)
#define KRPROF_TEST_LEAK_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KRPROF_TEST_LEAK_CHECKER 1
#endif
#endif
#ifdef KRPROF_TEST_LEAK_CHECKER
#include <sanitizer/lsan_interface.h>
#endif

namespace {

enum class Failure {
  kOnce,      // only the chosen allocation fails
  kFromThenOn // the chosen allocation and every one after it fail
};

void PrintTo(Failure failure, std::ostream* out) {
  *out << (failure == Failure::kOnce ? "once" : "from then on");
}

// Only the test's own thread allocates while the allocator is armed.
struct Injection {
  long allocationsBeforeFailure = -1; // negative while disarmed
  Failure failure = Failure::kOnce;
  bool fired = false;
};
Injection g_injection;

void arm(long allocationsBeforeFailure, Failure failure) {
  g_injection = Injection{allocationsBeforeFailure, failure, false};
}

// Disarms the allocator and tells whether the chosen allocation was reached.
bool disarm() {
  const bool fired = g_injection.fired;
  g_injection = Injection{};
  return fired;
}

void* allocate(std::size_t size, std::size_t alignment) {
  if (g_injection.fired && g_injection.failure == Failure::kFromThenOn) throw std::bad_alloc();
  if (g_injection.allocationsBeforeFailure == 0) {
    g_injection.allocationsBeforeFailure = -1;
    g_injection.fired = true;
    throw std::bad_alloc();
  }
  if (g_injection.allocationsBeforeFailure > 0) --g_injection.allocationsBeforeFailure;
  const std::size_t bytes = size == 0 ? 1 : size;
  void* memory = nullptr;
  if (alignment <= alignof(std::max_align_t)) {
    memory = std::malloc(bytes);
  } else if (posix_memalign(&memory, alignment, bytes) != 0) {
    memory = nullptr;
  }
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

void* allocateOrNull(std::size_t size, std::size_t alignment) noexcept {
  try {
    return allocate(size, alignment);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

} // namespace

void* operator new(std::size_t size) {
  return allocate(size, 0);
}
void* operator new[](std::size_t size) {
  return allocate(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocateOrNull(size, 0);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocateOrNull(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocateOrNull(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocateOrNull(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
  std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(memory);
}

namespace krprof_test {
namespace {

// The protobuf runtime (3.21) is not leak-free when an allocation throws: it
// creates the element it is adding and only then grows its array of element
// pointers (RepeatedPtrFieldBase::Add, UnknownFieldSet::AddLengthDelimited),
// so a failure of the growth loses that one element. Those leaks are the
// runtime's, so the leak checker ignores what a swept call allocates; memory
// errors are still caught.
struct RuntimeLeaksIgnored {
#ifdef KRPROF_TEST_LEAK_CHECKER
  RuntimeLeaksIgnored() {
    __lsan_disable();
  }
  ~RuntimeLeaksIgnored() {
    __lsan_enable();
  }
#endif
};

// One operation call and what it must have done, on success and on failure.
class SweptCall {
public:
  virtual ~SweptCall() = default;
  virtual TPRA_Status run() = 0;
  virtual TPRA_Status failureStatus() const = 0;
  virtual std::string failureMessage() const = 0;
  // The caller's block and buffers hold what they held before the call.
  virtual bool untouched() const = 0;
  // The results of a successful call are the right ones.
  virtual bool correct() const = 0;
};

class EvaluateCall final : public SweptCall {
public:
  EvaluateCall(Bytes image, double expected) : evaluation_(std::move(image)), expected_(expected) {}

  TPRA_Status run() override { return evaluation_.run(); }
  TPRA_Status failureStatus() const override { return TPRA_STATUS_INTERNAL_ERROR; }
  std::string failureMessage() const override { return evaluation_.failureMessage(); }
  bool untouched() const override { return evaluation_.values == Evaluation::untouchedValues(); }
  bool correct() const override { return evaluation_.values[0] == expected_; }

private:
  Evaluation evaluation_;
  double expected_;
};

// A size query (no buffer) or a copy into a buffer one byte larger than the
// image, of either image builder.
template <typename Params>
class ImageCall final : public SweptCall {
public:
  using EntryPoint = TPRA_Status (*)(Params*);
  static constexpr size_t kUntouchedSize = 777;
  static constexpr uint8_t kUntouchedByte = 0xee;

  ImageCall(EntryPoint entryPoint, std::string failureMessage, Bytes expected, bool sizeQuery)
      : entryPoint_(entryPoint),
        failureMessage_(std::move(failureMessage)),
        expected_(std::move(expected)),
        sizeQuery_(sizeQuery),
        buffer_(expected_.size() + 1, kUntouchedByte) {
    params_.bytesCopied = kUntouchedSize;
    if (!sizeQuery_) {
      params_.pBuffer = buffer_.data();
      params_.bytesAllocated = buffer_.size();
    }
  }

  TPRA_Status run() override { return entryPoint_(&params_); }
  TPRA_Status failureStatus() const override { return TPRA_STATUS_ERROR; }
  std::string failureMessage() const override { return failureMessage_; }
  bool untouched() const override {
    return params_.bytesCopied == kUntouchedSize && buffer_ == Bytes(buffer_.size(), kUntouchedByte);
  }
  bool correct() const override {
    if (sizeQuery_) return params_.bytesCopied == expected_.size();
    Bytes written = expected_;
    written.push_back(kUntouchedByte);
    return params_.bytesCopied == kUntouchedSize && buffer_ == written;
  }

private:
  EntryPoint entryPoint_;
  std::string failureMessage_;
  Bytes expected_;
  bool sizeQuery_;
  Bytes buffer_;
  Params params_{};
};

using ConfigImageCall = ImageCall<TPRF_RawMetricsConfig_GetConfigImage_Params>;
using PrefixCall = ImageCall<TPRF_CounterDataBuilder_GetCounterDataPrefix_Params>;

// An image that makes the parser allocate in every way it can: strings,
// several ranges and groups, packed and unpacked lists, unknown fields.
Bytes richImage() {
  const RangeImage first{"range 0",
                         {GroupImage{6, {9, 10}, 2, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
                          GroupImage{6, {9, 10}, 1, 1, {100, 200}}}};
  return CounterDataImage{4, 8, 32, "KR-chip", {first, first}}
      .encode()
      .message(field::image::kRangeDataImages,
               WireMessage().message(field::range::kEventGroupDataImage,
                                     WireMessage()
                                         .varint(1, 5)
                                         .unpacked(field::group::kEventId, {9, 10})
                                         .unpacked(field::group::kValue, {1, 2, 3})))
      .string(15, "trailer")
      .bytes();
}

struct OperationCase {
  std::string name;
  std::function<std::unique_ptr<SweptCall>()> make;
  friend void PrintTo(const OperationCase& tested, std::ostream* out) { *out << tested.name; }
};

const OperationCase kOperations[] = {
    {"Evaluate", [] { return std::make_unique<EvaluateCall>(richImage(), 378.0); }},
    {"ConfigImageSize",
     [] {
       return std::make_unique<ConfigImageCall>(TPRF_RawMetricsConfig_GetConfigImage,
                                                "getConfigImage failed.", kExpectedConfigImage, true);
     }},
    {"ConfigImageCopy",
     [] {
       return std::make_unique<ConfigImageCall>(TPRF_RawMetricsConfig_GetConfigImage,
                                                "getConfigImage failed.", kExpectedConfigImage, false);
     }},
    {"PrefixSize",
     [] {
       return std::make_unique<PrefixCall>(TPRF_CounterDataBuilder_GetCounterDataPrefix,
                                           "getCounterDataPrefix failed.", kExpectedCounterDataPrefix, true);
     }},
    {"PrefixCopy",
     [] {
       return std::make_unique<PrefixCall>(TPRF_CounterDataBuilder_GetCounterDataPrefix,
                                           "getCounterDataPrefix failed.", kExpectedCounterDataPrefix, false);
     }},
};

// More allocations than any of the operations makes.
constexpr long kSweepLimit = 10000;

class AllocationFailureTest : public testing::TestWithParam<std::tuple<OperationCase, Failure>> {};

TEST_P(AllocationFailureTest, EveryAllocationFailsCleanly) {
  const OperationCase& operation = std::get<0>(GetParam());
  const Failure failure = std::get<1>(GetParam());
  // The host context is created first: the sweep is about the operation.
  const uint8_t anyByte = 0;
  TPRF_CounterData_GetNumRanges_Params rangeCount{};
  rangeCount.pCounterDataImage = &anyByte;
  ASSERT_EQ(TPRF_CounterData_GetNumRanges_Impl(&rangeCount), TPRA_STATUS_SUCCESS);
  QuayLog log;
  log.setLevel(krlog::err);

  for (long allocationsBeforeFailure = 0;; ++allocationsBeforeFailure) {
    ASSERT_LT(allocationsBeforeFailure, kSweepLimit) << "the operation never got through";
    std::unique_ptr<SweptCall> call = operation.make();
    log.clear();

    TPRA_Status status;
    bool failed;
    {
      [[maybe_unused]] RuntimeLeaksIgnored runtimeLeaks;
      arm(allocationsBeforeFailure, failure);
      status = call->run();
      failed = disarm();
    }

    if (!failed) {
      ASSERT_GT(allocationsBeforeFailure, 0) << "the operation allocates nothing";
      EXPECT_EQ(status, TPRA_STATUS_SUCCESS);
      EXPECT_TRUE(call->correct());
      break;
    }
    ASSERT_EQ(status, call->failureStatus()) << "allocation " << allocationsBeforeFailure << " failed";
    ASSERT_TRUE(call->untouched()) << "allocation " << allocationsBeforeFailure << " failed";
    // Once memory is gone for good, the logging library cannot format the
    // line either; only a single failing allocation leaves room for it.
    if (failure == Failure::kOnce) {
      ASSERT_EQ(messagesOf(log), (std::vector<LoggedMessage>{{krlog::err, call->failureMessage()}}))
          << "allocation " << allocationsBeforeFailure << " failed";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Operations, AllocationFailureTest,
                         testing::Combine(testing::ValuesIn(kOperations),
                                          testing::Values(Failure::kOnce, Failure::kFromThenOn)),
                         [](const testing::TestParamInfo<std::tuple<OperationCase, Failure>>& tested) {
                           return std::get<0>(tested.param).name +
                                  (std::get<1>(tested.param) == Failure::kOnce ? "FailingOnce"
                                                                               : "FailingFromThenOn");
                         });

} // namespace
} // namespace krprof_test
