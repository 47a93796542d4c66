// One thing `krprof check` reports about an image: a problem that explains
// why the library rejects it, or a warning about an image it accepts.
#pragma once

#include <cstdint>
#include <string>

namespace krprof_tool {

struct Finding {
  uint64_t offset = 0; // of the tag of the field concerned; 0 for the image as a whole
  std::string path;    // the field in the schema's names with element indexes; empty for the image
  std::string rule;    // "truncated", "short-value-list", "value-overflow", ...
  std::string detail;  // for people
};

} // namespace krprof_tool
