// Drives the configuration image, the counter-data prefix and the range count
// with buffer sizes, null or non-null pointers and prior block contents taken
// from the fuzz input, one call after another, and checks every call against
// the size protocol: status, bytes written, untouched tails and log lines.
#include <fuzzer/FuzzedDataProvider.h>
#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "expected_images.h"
#include "fuzz_check.h"
#include "quay_log.h"

namespace {

// The one line a rejected call writes.
void expectRejectedLine(const krprof_test::QuayLog& log, const char* message) {
  const std::vector<krprof_test::LogLine> lines = log.lines();
  KRPROF_FUZZ_CHECK(lines.size() == 1);
  KRPROF_FUZZ_CHECK(lines[0].level == krlog::err);
  KRPROF_FUZZ_CHECK(krprof_test::messageOf(lines[0].text) == message);
}

bool allBytesAre(const uint8_t* bytes, size_t size, uint8_t fill) {
  return std::all_of(bytes, bytes + size, [fill](uint8_t byte) { return byte == fill; });
}

// One call of an image entry point: a size query, or a copy into a buffer of
// exactly `bytesAllocated` bytes (so any write past it is an ASan report).
template <typename Params>
void checkImageEntry(FuzzedDataProvider& input, const krprof_test::QuayLog& log,
                     TPRA_Status (*entry)(Params*), const std::vector<uint8_t>& image,
                     const char* rejectedMessage) {
  const size_t imageSize = image.size();
  const bool sizeQuery = input.ConsumeBool();
  const size_t allocated = input.ConsumeIntegralInRange<size_t>(0, 2 * imageSize);
  const uint8_t fill = input.ConsumeIntegral<uint8_t>();
  const size_t copiedBefore = input.ConsumeIntegral<size_t>();
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[allocated]);
  std::memset(buffer.get(), fill, allocated);

  Params params{};
  params.bytesAllocated = allocated;
  params.pBuffer = sizeQuery ? nullptr : buffer.get();
  params.bytesCopied = copiedBefore;
  const TPRA_Status status = entry(&params);

  if (sizeQuery) {
    KRPROF_FUZZ_CHECK(status == TPRA_STATUS_SUCCESS);
    KRPROF_FUZZ_CHECK(params.bytesCopied == imageSize);
    KRPROF_FUZZ_CHECK(allBytesAre(buffer.get(), allocated, fill));
    KRPROF_FUZZ_CHECK(log.lines().empty());
  } else if (allocated < imageSize) {
    KRPROF_FUZZ_CHECK(status == TPRA_STATUS_INVALID_ARGUMENT);
    KRPROF_FUZZ_CHECK(params.bytesCopied == copiedBefore);
    KRPROF_FUZZ_CHECK(allBytesAre(buffer.get(), allocated, fill));
    expectRejectedLine(log, rejectedMessage);
  } else {
    KRPROF_FUZZ_CHECK(status == TPRA_STATUS_SUCCESS);
    KRPROF_FUZZ_CHECK(params.bytesCopied == copiedBefore);
    KRPROF_FUZZ_CHECK(std::memcmp(buffer.get(), image.data(), imageSize) == 0);
    KRPROF_FUZZ_CHECK(allBytesAre(buffer.get() + imageSize, allocated - imageSize, fill));
    KRPROF_FUZZ_CHECK(log.lines().empty());
  }
}

void checkConfigImage(FuzzedDataProvider& input, const krprof_test::QuayLog& log) {
  checkImageEntry(input, log, &TPRF_RawMetricsConfig_GetConfigImage, krprof_test::kExpectedConfigImage,
                  "getConfigImage parameter wrong.");
}

void checkCounterDataPrefix(FuzzedDataProvider& input, const krprof_test::QuayLog& log) {
  checkImageEntry(input, log, &TPRF_CounterDataBuilder_GetCounterDataPrefix,
                  krprof_test::kExpectedCounterDataPrefix, "getCounterDataPrefix parameter wrong.");
}

// The image is only tested for null, so any non-null pointer counts one range.
void checkRangeCount(FuzzedDataProvider& input, const krprof_test::QuayLog& log) {
  static const uint8_t kAnyByte = 0;
  const bool nullImage = input.ConsumeBool();
  const size_t rangesBefore = input.ConsumeIntegral<size_t>();

  TPRF_CounterData_GetNumRanges_Params params{};
  params.pCounterDataImage = nullImage ? nullptr : &kAnyByte;
  params.numRanges = rangesBefore;
  const TPRA_Status status = TPRF_CounterData_GetNumRanges_Impl(&params);

  if (nullImage) {
    KRPROF_FUZZ_CHECK(status == TPRA_STATUS_INVALID_ARGUMENT);
    KRPROF_FUZZ_CHECK(params.numRanges == rangesBefore);
    expectRejectedLine(log, "getCounterDataNumRanges parameter wrong.");
  } else {
    KRPROF_FUZZ_CHECK(status == TPRA_STATUS_SUCCESS);
    KRPROF_FUZZ_CHECK(params.numRanges == 1);
    KRPROF_FUZZ_CHECK(log.lines().empty());
  }
}

constexpr void (*kChecks[])(FuzzedDataProvider&, const krprof_test::QuayLog&) = {
    checkConfigImage, checkCounterDataPrefix, checkRangeCount};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static krprof_test::QuayLog log;
  log.setLevel(krlog::warn);

  FuzzedDataProvider input(data, size);
  while (input.remaining_bytes() > 0) {
    log.clear();
    input.PickValueInArray(kChecks)(input, log);
  }
  return 0;
}
