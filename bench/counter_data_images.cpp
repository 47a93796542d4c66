#include "counter_data_images.h"

#include <map>
#include <memory>
#include <mutex>

#include "krpti_protobuf.pb.h"

namespace krprof_bench {
namespace {

constexpr int kGroups = 4;
constexpr uint32_t kDpcNum = 8;
constexpr uint32_t kEventIds[] = {9, 10};
constexpr uint32_t kDomainId = 6;
// Readings below 2^28 take four bytes or fewer as varints, mostly four.
constexpr uint64_t kReadingMask = (uint64_t{1} << 28) - 1;
constexpr size_t kBytesPerReading = 4;
constexpr size_t kReadingsPerInstance = kDpcNum * (sizeof(kEventIds) / sizeof(kEventIds[0]));

// Deterministic readings, so every run measures the same bytes.
class Readings {
public:
  uint64_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_ & kReadingMask;
  }

private:
  uint64_t state_ = 0x9e3779b97f4a7c15;
};

CounterDataImage buildImage(uint32_t instanceNum) {
  tprf::pbCounterDataImage message;
  message.set_maxnumranges(1);
  message.set_chipname("kora");
  tprf::pbRangeDataImage* range = message.add_rangedataimages();
  range->set_rangename("frame");
  Readings readings;
  CounterDataImage image{};
  for (int g = 0; g < kGroups; ++g) {
    tprf::pbEventGroupDataImage* group = range->add_eventgroupdataimage();
    group->set_domainid(kDomainId);
    for (uint32_t id : kEventIds) group->add_eventid(id);
    group->set_dpcnum(kDpcNum);
    group->set_instancenum(instanceNum);
    const uint64_t count = uint64_t{instanceNum} * kReadingsPerInstance;
    group->mutable_value()->Reserve(static_cast<int>(count));
    for (uint64_t j = 0; j < count; ++j) {
      const uint64_t reading = readings.next();
      group->add_value(reading);
      image.total += reading;
    }
    image.readings += count;
  }
  message.SerializeToString(&image.bytes);
  return image;
}

} // namespace

const CounterDataImage& counterDataImageOfSize(size_t targetBytes) {
  static std::mutex mutex;
  static std::map<size_t, std::unique_ptr<CounterDataImage>> images;
  std::lock_guard<std::mutex> lock(mutex);
  std::unique_ptr<CounterDataImage>& image = images[targetBytes];
  if (!image) {
    const size_t perInstance = kGroups * kReadingsPerInstance * kBytesPerReading;
    const auto instanceNum = static_cast<uint32_t>(targetBytes / perInstance);
    image = std::make_unique<CounterDataImage>(buildImage(instanceNum > 0 ? instanceNum : 1));
  }
  return *image;
}

const CounterDataImage& smallCounterDataImage() {
  static const CounterDataImage image{
      std::string("\x2a\x11\x12\x0f\x10\x06\x1a\x02\x09\x0a\x20\x01\x28\x01\x32\x03\x64\xc8\x01", 19), 2,
      300};
  return image;
}

} // namespace krprof_bench
