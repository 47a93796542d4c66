// The encoding rules the library relies on, checked on the generated message
// classes: each case decodes a byte string and either fails or re-encodes to
// the canonical form.
#include <google/protobuf/stubs/logging.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "hex_bytes.h"
#include "krpti_protobuf.pb.h"

namespace krprof_test {
namespace {

using google::protobuf::Message;

template <typename T>
std::unique_ptr<Message> make() {
  return std::make_unique<T>();
}

// Collects the error reports of the protobuf runtime while it lives.
class RuntimeReports {
public:
  RuntimeReports() : previous_(google::protobuf::SetLogHandler(&collect)) { reports().clear(); }
  ~RuntimeReports() { google::protobuf::SetLogHandler(previous_); }
  RuntimeReports(const RuntimeReports&) = delete;
  RuntimeReports& operator=(const RuntimeReports&) = delete;

  // Whether a report collected so far names `field`.
  bool anyNames(const std::string& field) const {
    for (const std::string& report : reports()) {
      if (report.find(field) != std::string::npos) return true;
    }
    return false;
  }

private:
  // The runtime takes a plain function as handler, so the reports live in
  // static storage.
  static std::vector<std::string>& reports() {
    static std::vector<std::string> collected;
    return collected;
  }

  static void collect(google::protobuf::LogLevel level, const char*, int, const std::string& message) {
    if (level >= google::protobuf::LOGLEVEL_ERROR) reports().push_back(message);
  }

  google::protobuf::LogHandler* previous_;
};

struct WireCase {
  const char* name;
  std::unique_ptr<Message> (*make)();
  const char* input;
  const char* reencoded;     // null: the input must not decode
  const char* reportedField; // full name of the field the runtime's error report names, if any
};

// The group data image with domainId 6, eventId [9, 10], dpcNum 1,
// instanceNum 1 and value [100, 200], in the packed form the runtime writes.
#define PACKED_GROUP_IMAGE "10 06 1a 02 09 0a 20 01 28 01 32 03 64 c8 01"

const WireCase kWireCases[] = {
    {"ZeroBytesAreAnEmptyMessage", make<tprf::pbEventGroupSets>, "", "", nullptr},
    {"FieldsComeOutInFieldNumberOrder", make<tprf::pbEventGroup>, "20 06 08 ff 01", "08 ff 01 20 06",
     nullptr},
    {"ZeroScalarsAreOmitted", make<tprf::pbEventGroup>, "10 00 18 00 08 ff 01 20 06", "08 ff 01 20 06",
     nullptr},
    {"ElementWithAllFieldsUnsetIsKept", make<tprf::pbEventGroupSet>, "0a 00", "0a 00", nullptr},
    {"RepeatedSingularFieldTakesTheLastValue", make<tprf::pbCounter>, "10 05 10 07", "10 07", nullptr},
    {"WideVarintKeepsTheLow32Bits", make<tprf::pbCounter>, "10 ff ff ff ff 1f", "10 ff ff ff ff 0f", nullptr},
    {"UnknownFieldIsWrittenAfterKnownFields", make<tprf::pbEventGroup>, "30 01 08 ff 01 2a 02 10 09",
     "08 ff 01 2a 02 10 09 30 01", nullptr},
    {"GroupImageFieldOneIsUnknown", make<tprf::pbEventGroupDataImage>, "08 05 10 06", "10 06 08 05", nullptr},
    {"PackedGroupImageRoundTrips", make<tprf::pbEventGroupDataImage>, PACKED_GROUP_IMAGE, PACKED_GROUP_IMAGE,
     nullptr},
    {"UnpackedGroupImageIsWrittenPacked", make<tprf::pbEventGroupDataImage>,
     "10 06 18 09 18 0a 20 01 28 01 30 64 30 c8 01", PACKED_GROUP_IMAGE, nullptr},
    {"PackedRunAndSingleElementAppend", make<tprf::pbEventGroupDataImage>, "1a 01 09 18 0a", "1a 02 09 0a",
     nullptr},
    {"CounterDataImageNestsTheGroupImage", make<tprf::pbCounterDataImage>, "2a 11 12 0f " PACKED_GROUP_IMAGE,
     "2a 11 12 0f " PACKED_GROUP_IMAGE, nullptr},
    {"InvalidUtf8EventNameFails", make<tprf::pbCounter>, "0a 01 ff", nullptr, "tprf.pbCounter.eventName"},
    {"InvalidUtf8RangeNameFails", make<tprf::pbCounterDataImage>, "2a 03 0a 01 ff", nullptr,
     "tprf.pbRangeDataImage.rangeName"},
    {"TruncatedTagFails", make<tprf::pbCounter>, "10", nullptr, nullptr},
};

void PrintTo(const WireCase& wire, std::ostream* out) {
  *out << wire.name;
}

class WireEncodingTest : public testing::TestWithParam<WireCase> {};

TEST_P(WireEncodingTest, DecodesAndReencodes) {
  const WireCase& wire = GetParam();
  RuntimeReports reports;
  const std::vector<uint8_t> input = bytesFromHex(wire.input);
  const std::unique_ptr<Message> message = wire.make();
  const bool decoded = message->ParseFromArray(input.data(), static_cast<int>(input.size()));
  if (wire.reencoded == nullptr) {
    EXPECT_FALSE(decoded);
  } else {
    ASSERT_TRUE(decoded);
    EXPECT_EQ(hexOf(message->SerializeAsString()), canonicalHex(wire.reencoded));
  }
  if (wire.reportedField != nullptr) {
    EXPECT_TRUE(reports.anyNames(wire.reportedField)) << wire.reportedField;
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, WireEncodingTest, testing::ValuesIn(kWireCases),
                         [](const testing::TestParamInfo<WireCase>& caseInfo) {
                           return std::string(caseInfo.param.name);
                         });

// What the library builds, encoded: unset scalars stay off the wire, and the
// same domain has another tag in the configuration group than in the prefix
// group.
TEST(WireEncodingBuildTest, GroupsEncodeOnlyTheirSetFields) {
  tprf::pbEventGroup group;
  group.set_dpcidmask(255);
  group.set_domainid(6);
  EXPECT_EQ(hexOf(group.SerializeAsString()), "08 ff 01 20 06");

  tprf::pbEventGroup domainOnly;
  domainOnly.set_domainid(6);
  EXPECT_EQ(hexOf(domainOnly.SerializeAsString()), "20 06");

  tprf::pbEventGroupDataPrefix prefixDomainOnly;
  prefixDomainOnly.set_domainid(6);
  EXPECT_EQ(hexOf(prefixDomainOnly.SerializeAsString()), "08 06");
}

// Invalid UTF-8 held in memory is reported but written all the same.
TEST(WireEncodingBuildTest, InvalidUtf8NameIsReportedAndWritten) {
  RuntimeReports reports;
  tprf::pbCounter counter;
  counter.set_eventname("\xff");
  EXPECT_EQ(hexOf(counter.SerializeAsString()), "0a 01 ff");
  EXPECT_TRUE(reports.anyNames("tprf.pbCounter.eventName"));
}

// The schema is registered under its bare file name, in package tprf, with
// its nine messages in file order.
TEST(GeneratedSchemaTest, RegisteredUnderTheSchemaFileName) {
  const google::protobuf::FileDescriptor* file = tprf::pbCounter::descriptor()->file();
  EXPECT_EQ(file->name(), "krpti_protobuf.proto");
  EXPECT_EQ(file->package(), "tprf");
  EXPECT_EQ(file->syntax(), google::protobuf::FileDescriptor::SYNTAX_PROTO3);
  const std::vector<std::string> expected = {
      "pbCounter",          "pbEventGroup",           "pbEventGroupSet",
      "pbEventGroupSets",   "pbEventGroupDataImage",  "pbRangeDataImage",
      "pbCounterDataImage", "pbEventGroupDataPrefix", "pbCounterDataPrefix"};
  std::vector<std::string> names;
  for (int i = 0; i < file->message_type_count(); ++i) names.push_back(file->message_type(i)->name());
  EXPECT_EQ(names, expected);
  EXPECT_EQ(google::protobuf::DescriptorPool::generated_pool()->FindFileByName("krpti_protobuf.proto"), file);
}

} // namespace
} // namespace krprof_test
