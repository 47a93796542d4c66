// Decodes the images the loaded library hands out with a descriptor pool of
// this test's own, built from the schema's descriptor set, and dynamic
// messages: the library's compiled copy of the schema takes no part, and the
// test links none of its own.
#include <google/protobuf/descriptor.h>
#include <google/protobuf/descriptor.pb.h>
#include <google/protobuf/dynamic_message.h>
#include <google/protobuf/message.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "hex_bytes.h"
#include "image_entry_points.h"

namespace krprof_test {
namespace {

using google::protobuf::Descriptor;
using google::protobuf::DescriptorPool;
using google::protobuf::DynamicMessageFactory;
using google::protobuf::FieldDescriptor;
using google::protobuf::FileDescriptorSet;
using google::protobuf::Message;

// The schema as read from the descriptor set written at build time.
class OwnSchema {
public:
  OwnSchema() {
    std::ifstream file(KRPROF_SCHEMA_DESCRIPTOR_SET, std::ios::binary);
    FileDescriptorSet files;
    if (!files.ParseFromIstream(&file)) throw std::runtime_error("cannot read " KRPROF_SCHEMA_DESCRIPTOR_SET);
    for (const auto& fileProto : files.file()) {
      if (pool_.BuildFile(fileProto) == nullptr) throw std::runtime_error("cannot build " + fileProto.name());
    }
  }

  const DescriptorPool& pool() const { return pool_; }

  // The image decoded as `messageName`; fails the test if it does not decode.
  std::unique_ptr<Message> decode(const char* messageName, const std::vector<uint8_t>& bytes) {
    const Descriptor* type = pool_.FindMessageTypeByName(messageName);
    if (type == nullptr) throw std::runtime_error(std::string("no message ") + messageName);
    std::unique_ptr<Message> message(factory_.GetPrototype(type)->New());
    EXPECT_TRUE(message->ParseFromArray(bytes.data(), static_cast<int>(bytes.size())))
        << messageName << " from " << hexOf(bytes);
    return message;
  }

private:
  DescriptorPool pool_;
  DynamicMessageFactory factory_{&pool_};
};

OwnSchema& schema() {
  static OwnSchema instance;
  return instance;
}

// Field access by the schema's field names, so that a misspelt or missing
// field fails the test instead of reading a default.
const FieldDescriptor& fieldOf(const Message& message, const char* name, FieldDescriptor::CppType type) {
  const FieldDescriptor* field = message.GetDescriptor()->FindFieldByName(name);
  if (field == nullptr || field->cpp_type() != type) {
    throw std::runtime_error(message.GetTypeName() + " has no field " + name + " of the expected type");
  }
  return *field;
}

uint32_t u32(const Message& message, const char* name) {
  return message.GetReflection()->GetUInt32(message,
                                            &fieldOf(message, name, FieldDescriptor::CPPTYPE_UINT32));
}

std::string text(const Message& message, const char* name) {
  return message.GetReflection()->GetString(message,
                                            &fieldOf(message, name, FieldDescriptor::CPPTYPE_STRING));
}

int count(const Message& message, const char* name) {
  return message.GetReflection()->FieldSize(message,
                                            &fieldOf(message, name, FieldDescriptor::CPPTYPE_MESSAGE));
}

// The only element of a repeated message field; fails the test if there are
// more or fewer.
const Message& onlyElement(const Message& message, const char* name) {
  const FieldDescriptor& field = fieldOf(message, name, FieldDescriptor::CPPTYPE_MESSAGE);
  const int size = message.GetReflection()->FieldSize(message, &field);
  if (size != 1)
    throw std::runtime_error(message.GetTypeName() + "." + name + " holds " + std::to_string(size));
  return message.GetReflection()->GetRepeatedMessage(message, &field, 0);
}

const Message& element(const Message& message, const char* name, int index) {
  return message.GetReflection()->GetRepeatedMessage(
      message, &fieldOf(message, name, FieldDescriptor::CPPTYPE_MESSAGE), index);
}

// Every byte was read as a known field of the schema.
void expectNoUnknownFields(const Message& message) {
  EXPECT_TRUE(message.GetReflection()->GetUnknownFields(message).empty()) << message.GetTypeName();
}

TEST(ImageSchemaDecodingTest, PoolIsTheTestsOwn) {
  const Descriptor* root = schema().pool().FindMessageTypeByName("tprf.pbEventGroupSets");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->file()->pool(), &schema().pool());
  EXPECT_NE(root->file()->pool(), DescriptorPool::generated_pool());
  EXPECT_EQ(root->file()->name(), "krpti_protobuf.proto");
}

TEST(ImageSchemaDecodingTest, ConfigImageHoldsOneGroupOfTwoCounters) {
  const std::vector<uint8_t> bytes = fetchImage(kConfigImage);
  ASSERT_FALSE(bytes.empty());
  const std::unique_ptr<Message> root = schema().decode("tprf.pbEventGroupSets", bytes);
  EXPECT_EQ(root->GetDescriptor()->full_name(), "tprf.pbEventGroupSets");
  expectNoUnknownFields(*root);

  const Message& set = onlyElement(*root, "eventGroupSets");
  EXPECT_EQ(set.GetDescriptor()->full_name(), "tprf.pbEventGroupSet");
  expectNoUnknownFields(set);

  const Message& group = onlyElement(set, "eventGroups");
  EXPECT_EQ(group.GetDescriptor()->full_name(), "tprf.pbEventGroup");
  expectNoUnknownFields(group);
  EXPECT_EQ(u32(group, "dpcIdMask"), 255u);
  EXPECT_EQ(u32(group, "blockIdMask"), 0u);
  EXPECT_EQ(u32(group, "duration"), 0u);
  EXPECT_EQ(u32(group, "domainId"), 6u);

  const struct {
    const char* eventName;
    uint32_t eventId;
  } kCounters[] = {{"fb_subp0_read_sectors", 9}, {"fb_subp1_read_sectors", 10}};
  ASSERT_EQ(count(group, "counters"), 2);
  for (int i = 0; i < 2; ++i) {
    const Message& counter = element(group, "counters", i);
    EXPECT_EQ(counter.GetDescriptor()->full_name(), "tprf.pbCounter");
    expectNoUnknownFields(counter);
    EXPECT_EQ(text(counter, "eventName"), kCounters[i].eventName) << "counter " << i;
    EXPECT_EQ(u32(counter, "eventId"), kCounters[i].eventId) << "counter " << i;
  }

  EXPECT_EQ(hexOf(root->SerializeAsString()), hexOf(bytes)) << "the content encodes back to other bytes";
}

TEST(ImageSchemaDecodingTest, CounterDataPrefixHoldsOneGroupOfTwoEvents) {
  const std::vector<uint8_t> bytes = fetchImage(kCounterDataPrefix);
  ASSERT_FALSE(bytes.empty());
  const std::unique_ptr<Message> root = schema().decode("tprf.pbCounterDataPrefix", bytes);
  EXPECT_EQ(root->GetDescriptor()->full_name(), "tprf.pbCounterDataPrefix");
  expectNoUnknownFields(*root);

  const Message& group = onlyElement(*root, "eventGroupDataPrefixs");
  EXPECT_EQ(group.GetDescriptor()->full_name(), "tprf.pbEventGroupDataPrefix");
  expectNoUnknownFields(group);
  EXPECT_EQ(u32(group, "domainId"), 6u);
  EXPECT_EQ(u32(group, "dpcIdMask"), 255u);
  EXPECT_EQ(u32(group, "blockIdMask"), 255u);
  EXPECT_EQ(u32(group, "eventNum"), 2u);

  EXPECT_EQ(hexOf(root->SerializeAsString()), hexOf(bytes)) << "the content encodes back to other bytes";
}

} // namespace
} // namespace krprof_test
