// The two images the library builds for its one measurement, byte for byte:
// the 63-byte configuration image and the 12-byte counter-data prefix.
#pragma once

#include <cstdint>
#include <string>

#include "counter_data_encoder.h"

namespace krprof_test {

inline Bytes expectedConfigImage() {
  // One set, one group (dpcIdMask 255, domainId 6), two counters.
  Bytes image{0x0a, 0x3d, 0x0a, 0x3b, 0x08, 0xff, 0x01, 0x20, 0x06};
  const struct {
    const char* name;
    uint8_t id;
  } counters[] = {{"fb_subp0_read_sectors", 0x09}, {"fb_subp1_read_sectors", 0x0a}};
  for (const auto& counter : counters) {
    const std::string name = counter.name;
    image.insert(image.end(), {0x2a, 0x19, 0x0a, 0x15});
    image.insert(image.end(), name.begin(), name.end());
    image.insert(image.end(), {0x10, counter.id});
  }
  return image;
}

inline Bytes expectedCounterDataPrefix() {
  return {0x0a, 0x0a, 0x08, 0x06, 0x10, 0xff, 0x01, 0x18, 0xff, 0x01, 0x20, 0x02};
}

} // namespace krprof_test
