// The safe way for a host to decode the images itself: a descriptor pool of
// its own, built from the schema's descriptor set, with dynamic messages (as
// the krprof tool does). It works beside the loaded library, whose compiled
// copy of the schema lives in protobuf's generated pool.
#include <gtest/gtest.h>

#include <google/protobuf/message.h>

#include <cstdint>
#include <cstdio>

#include "child_process.h"
#include "loaded_library.h"
#include "schema_pool.h"

namespace krprof_test {
namespace {

using namespace std::chrono_literals;

// The host's reading of an image: the readings of its first range added up.
uint64_t totalOfFirstRange(const krprof_tool::SchemaPool& pool, const std::vector<uint8_t>& bytes) {
  using google::protobuf::Message;
  std::unique_ptr<Message> image = pool.newMessage("tprf.pbCounterDataImage");
  if (!image->ParseFromArray(bytes.data(), static_cast<int>(bytes.size()))) return 0;
  const auto& ranges = krprof_tool::schemaField(*image, "rangeDataImages");
  if (image->GetReflection()->FieldSize(*image, &ranges) == 0) return 0;
  const Message& range = image->GetReflection()->GetRepeatedMessage(*image, &ranges, 0);
  const auto& groups = krprof_tool::schemaField(range, "EventGroupDataImage");
  uint64_t total = 0;
  for (int g = 0; g < range.GetReflection()->FieldSize(range, &groups); ++g) {
    const Message& group = range.GetReflection()->GetRepeatedMessage(range, &groups, g);
    const auto& values = krprof_tool::schemaField(group, "value");
    for (int v = 0; v < group.GetReflection()->FieldSize(group, &values); ++v) {
      total += group.GetReflection()->GetRepeatedUInt64(group, &values, v);
    }
  }
  return total;
}

TEST(OwnDescriptorPool, DecodesImagesBesideTheLoadedLibrary) {
  const ChildOutcome outcome = runInChild(
      [] {
        LoadedLibrary library;
        if (!library.loaded() || !library.evaluatesAndRefuses()) return 1;
        const krprof_tool::SchemaPool pool;
        const uint64_t total = totalOfFirstRange(pool, kOneGroupCounterDataImage);
        if (total != kOneGroupReadSectors) {
          std::fprintf(stderr, "the host read a total of %llu\n", static_cast<unsigned long long>(total));
          return 2;
        }
        return library.evaluatesAndRefuses() && library.unload() ? 0 : 3;
      },
      scaledDeadline(10s));
  EXPECT_TRUE(outcome.exitedWith(0)) << outcome.describe();
}

} // namespace
} // namespace krprof_test
