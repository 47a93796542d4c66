// `krprof demo`: the road of one measurement through the library's public
// entry points, with a simulated device side in place of the GPU.

#include <cinttypes>
#include <cstdio>
#include <string>

#include "command_line.h"
#include "device_simulation.h"
#include "file_bytes.h"
#include "host_calls.h"
#include "schema_pool.h"

namespace krprof_tool {
namespace {

constexpr uint32_t kDefaultDpcs = 4;
constexpr uint32_t kDefaultInstances = 8;
// Keeps the image and the readings the device holds to a few megabytes.
constexpr uint32_t kMaxUnits = 1024;

// The copy is made into a buffer of exactly the size the query reported.
Bytes fetchStep(int step, const char* description, Bytes (*fetch)()) {
  Bytes image = fetch();
  std::printf("%d. %-21s size query: %zu bytes, copied %zu bytes\n", step, description, image.size(),
              image.size());
  return image;
}

std::string joined(const std::vector<uint32_t>& ids) {
  std::string text;
  for (uint32_t id : ids) text += (text.empty() ? "" : ", ") + std::to_string(id);
  return "[" + text + "]";
}

DeviceShape shapeFrom(const ParsedArguments& args) {
  DeviceShape shape{kDefaultDpcs, kDefaultInstances};
  if (const std::string* dpcs = args.value("--dpcs")) shape.dpcs = parseCount("--dpcs", *dpcs, kMaxUnits);
  if (const std::string* instances = args.value("--instances")) {
    shape.instances = parseCount("--instances", *instances, kMaxUnits);
  }
  return shape;
}

int runDemo(const ParsedArguments& args) {
  const DeviceShape shape = shapeFrom(args);
  std::printf("Read sectors of one measurement on %" PRIu32 " DPCs x %" PRIu32 " instances\n", shape.dpcs,
              shape.instances);

  const Bytes configImage = fetchStep(1, "configuration image", &fetchConfigImage);
  fetchStep(2, "counter-data prefix", &fetchCounterDataPrefix);

  const SchemaPool pool;
  const DeviceRun device = simulateDevice(pool, configImage, shape);
  std::printf("3. %-21s domain %" PRIu32 ", events %s: %" PRIu64
              " readings in a %zu-byte counter-data image\n",
              "device side", device.domainId, joined(device.eventIds).c_str(), device.numReadings,
              device.counterDataImage.size());
  if (const std::string* output = args.value("-o")) {
    writeFileBytes(*output, device.counterDataImage);
    std::printf("   %-21s saved to %s\n", "", output->c_str());
  }

  std::printf("4. %-21s %zu\n", "range count", countRanges(device.counterDataImage));

  const double readSectors = evaluateReadSectors(device.counterDataImage);
  // The library hands the 64-bit total over as a double, so the device's
  // total is compared after the same conversion.
  const bool matches = readSectors == static_cast<double>(device.expectedTotal);
  std::printf("5. %-21s %.0f (expected %" PRIu64 "): %s\n", "read sectors", readSectors, device.expectedTotal,
              matches ? "match" : "MISMATCH");

  // A transfer cut short: the library rejects the image with a status and a
  // log line of its own, written to standard error between these two lines.
  const Bytes cutShort(device.counterDataImage.begin(), device.counterDataImage.end() - 1);
  std::printf("6. %-21s the same image cut short by one byte:\n", "rejected request");
  std::fflush(stdout);
  const TPRA_Status rejected = evaluation(cutShort).status;
  std::printf("   %-21s %s\n", "", statusName(rejected).c_str());
  return matches && rejected == TPRA_STATUS_INTERNAL_ERROR ? kExitSuccess : kExitFailure;
}

} // namespace

const Command kDemoCommand{"demo",
                           "run one measurement end to end with a simulated device",
                           "usage: krprof demo [--dpcs N] [--instances M] [-o FILE]\n",
                           "Runs one read-sector measurement through the library's public entry points\n"
                           "and prints each step:\n"
                           "  1. size query and copy of the configuration image\n"
                           "  2. size query and copy of the counter-data prefix\n"
                           "  3. a simulated device side reads the event group of the configuration\n"
                           "     image and writes a counter-data image of one range, with one\n"
                           "     deterministic reading per DPC, instance and event\n"
                           "  4. the range count of that image\n"
                           "  5. the evaluated read-sector total, beside the total the device expects\n"
                           "     from its own readings\n"
                           "  6. the evaluation of the same image cut short by one byte, which the\n"
                           "     library rejects with a status and a log line on standard error\n"
                           "Exits with 1 when the two totals differ or the cut image is not rejected.\n"
                           "\n"
                           "  --dpcs N        DPC units the readings come from, 1 to 1024 (default 4)\n"
                           "  --instances M   instances per DPC, 1 to 1024 (default 8)\n"
                           "  -o FILE         save the counter-data image to FILE\n",
                           {{"--dpcs", "N"}, {"--instances", "M"}, {"-o", "FILE"}},
                           0,
                           0,
                           &runDemo};

} // namespace krprof_tool
