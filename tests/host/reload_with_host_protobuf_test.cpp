// Loading, unloading and loading the library again in a host that links and
// uses the protobuf runtime itself, and the host's look-ups of the library's
// schema in protobuf's generated pool once the library is unloaded.
#include <google/protobuf/descriptor.h>
#include <google/protobuf/descriptor.pb.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "loaded_library.h"

namespace krprof_test {
namespace {

using google::protobuf::DescriptorPool;
using namespace std::chrono_literals;

// The host's own protobuf work: a message of the runtime's own schema written
// and read back, and a look-up of that schema in the generated pool.
bool hostUsesProtobuf() {
  google::protobuf::FileDescriptorProto file;
  file.set_name("host_tool.proto");
  file.add_message_type()->set_name("Session");
  google::protobuf::FileDescriptorProto readBack;
  const std::string bytes = file.SerializeAsString();
  const bool ok = readBack.ParseFromString(bytes) && readBack.name() == "host_tool.proto" &&
                  readBack.message_type_size() == 1 &&
                  DescriptorPool::generated_pool()->FindMessageTypeByName(
                      "google.protobuf.FileDescriptorProto") != nullptr;
  if (!ok) std::fprintf(stderr, "the host's own protobuf work failed\n");
  return ok;
}

TEST(ReloadInProtobufHost, ThreeLoadEvaluateUnloadCyclesWhileTheHostUsesProtobuf) {
  const ChildOutcome outcome =
      runInChild([] { return hostUsesProtobuf() ? loadEvaluateUnloadCycles(3, hostUsesProtobuf) : 1; },
                 scaledDeadline(10s));
  EXPECT_TRUE(outcome.exitedWith(0)) << outcome.describe();
}

// Names of the messages of "krpti_protobuf.proto", in file order, and the
// fields of pbCounterDataImage, in field-number order.
const std::vector<std::string> kSchemaMessages = {
    "pbCounter",          "pbEventGroup",           "pbEventGroupSet",
    "pbEventGroupSets",   "pbEventGroupDataImage",  "pbRangeDataImage",
    "pbCounterDataImage", "pbEventGroupDataPrefix", "pbCounterDataPrefix"};
const std::vector<std::string> kCounterDataImageFields = {
    "maxNumRanges", "maxNumRangeTreeNodes", "maxRangeNameLength", "chipName", "rangeDataImages"};

bool sameNames(const char* what, const std::vector<std::string>& found,
               const std::vector<std::string>& expected) {
  if (found == expected) return true;
  std::fprintf(stderr, "%s differ\n", what);
  return false;
}

bool findsTheSchemaFile() {
  const google::protobuf::FileDescriptor* file =
      DescriptorPool::generated_pool()->FindFileByName("krpti_protobuf.proto");
  if (file == nullptr || file->package() != "tprf") return false;
  std::vector<std::string> names;
  for (int i = 0; i < file->message_type_count(); ++i) names.push_back(file->message_type(i)->name());
  return sameNames("messages", names, kSchemaMessages);
}

bool findsTheCounterDataImage() {
  const google::protobuf::Descriptor* type =
      DescriptorPool::generated_pool()->FindMessageTypeByName("tprf.pbCounterDataImage");
  if (type == nullptr) return false;
  std::vector<std::string> names;
  for (int i = 0; i < type->field_count(); ++i) names.push_back(type->field(i)->name());
  return sameNames("fields", names, kCounterDataImageFields);
}

// Each look-up is the first use of the schema's descriptors in its process,
// so the pool builds them from the registration the library made at load.
TEST(ReloadInProtobufHost, GeneratedPoolLookUpsAfterUnload) {
  const struct {
    const char* name;
    bool (*lookUp)();
  } cases[] = {{"FindFileByName", findsTheSchemaFile}, {"FindMessageTypeByName", findsTheCounterDataImage}};
  for (const auto& lookUpCase : cases) {
    const ChildOutcome outcome = runInChild(
        [&] {
          LoadedLibrary library;
          if (!library.loaded() || !library.evaluatesAndRefuses() || !library.unload()) return 1;
          return lookUpCase.lookUp() ? 0 : 2;
        },
        scaledDeadline(10s));
    EXPECT_TRUE(outcome.exitedWith(0)) << lookUpCase.name << ": " << outcome.describe();
  }
}

} // namespace
} // namespace krprof_test
