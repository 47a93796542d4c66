#include "image_kinds.h"

#include <google/protobuf/stubs/logging.h>

#include <climits>
#include <stdexcept>
#include <vector>

namespace krprof_tool {
namespace {

// In the order that detectImageKind tries them.
const ImageKind kImageKinds[] = {
    {"image", "counter-data image", "counter-data-image", "tprf.pbCounterDataImage"},
    {"config", "configuration image", "config-image", "tprf.pbEventGroupSets"},
    {"prefix", "counter-data prefix", "counter-data-prefix", "tprf.pbCounterDataPrefix"},
};

} // namespace

const ImageKind* findImageKind(const std::string& name) {
  for (const ImageKind& kind : kImageKinds) {
    if (name == kind.name) return &kind;
  }
  return nullptr;
}

std::unique_ptr<google::protobuf::Message> decodeImage(const SchemaPool& pool, const ImageKind& kind,
                                                       const Bytes& bytes) {
  if (bytes.size() > static_cast<size_t>(INT_MAX)) {
    throw std::runtime_error("an image of " + std::to_string(bytes.size()) + " bytes is too large to decode");
  }
  std::unique_ptr<google::protobuf::Message> message = pool.newMessage(kind.messageType);
  // The tool says itself why bytes do not decode (and `check` says where):
  // protobuf's own report of a trial decoding would only repeat it.
  const google::protobuf::LogSilencer quiet;
  if (!message->ParseFromArray(bytes.data(), static_cast<int>(bytes.size()))) return nullptr;
  return message;
}

bool hasUnknownFields(const google::protobuf::Message& message) {
  const google::protobuf::Reflection& reflection = *message.GetReflection();
  if (!reflection.GetUnknownFields(message).empty()) return true;
  std::vector<const google::protobuf::FieldDescriptor*> fields;
  reflection.ListFields(message, &fields);
  for (const google::protobuf::FieldDescriptor* field : fields) {
    if (field->cpp_type() != google::protobuf::FieldDescriptor::CPPTYPE_MESSAGE) continue;
    if (!field->is_repeated()) {
      if (hasUnknownFields(reflection.GetMessage(message, field))) return true;
      continue;
    }
    for (int i = 0; i < reflection.FieldSize(message, field); ++i) {
      if (hasUnknownFields(reflection.GetRepeatedMessage(message, field, i))) return true;
    }
  }
  return false;
}

const ImageKind* detectImageKind(const SchemaPool& pool, const Bytes& bytes,
                                 std::unique_ptr<google::protobuf::Message>* decoded) {
  for (const ImageKind& kind : kImageKinds) {
    std::unique_ptr<google::protobuf::Message> message = decodeImage(pool, kind, bytes);
    if (message && !hasUnknownFields(*message)) {
      *decoded = std::move(message);
      return &kind;
    }
  }
  return nullptr;
}

} // namespace krprof_tool
