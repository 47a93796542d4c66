// Writes the configuration image and the counter-data prefix, as the library
// hands them out, to the two files named on the command line, so that a
// decoder outside the library can read them.
#include <cstdio>
#include <fstream>
#include <vector>

#include "image_entry_points.h"

namespace {

bool writeImage(const krprof_test::ImageEntryPoint& entryPoint, const char* path) {
  const std::vector<uint8_t> image = krprof_test::fetchImage(entryPoint);
  if (image.empty()) {
    std::fprintf(stderr, "image_dump: the library gave no %s\n", entryPoint.name);
    return false;
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  if (!file.flush()) {
    std::fprintf(stderr, "image_dump: cannot write %s\n", path);
    return false;
  }
  return true;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: image_dump CONFIG_IMAGE_FILE COUNTER_DATA_PREFIX_FILE\n");
    return 2;
  }
  const bool written =
      writeImage(krprof_test::kConfigImage, argv[1]) && writeImage(krprof_test::kCounterDataPrefix, argv[2]);
  return written ? 0 : 1;
}
