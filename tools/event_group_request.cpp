#include "event_group_request.h"

#include <stdexcept>
#include <string>

#include "image_kinds.h"

namespace krprof_tool {
namespace {

using google::protobuf::Message;
using google::protobuf::Reflection;

const Message& onlyElement(const Message& message, const char* fieldName) {
  const Reflection& reflection = *message.GetReflection();
  const google::protobuf::FieldDescriptor& field = schemaField(message, fieldName);
  const int count = reflection.FieldSize(message, &field);
  if (count != 1) {
    throw std::runtime_error("the configuration image holds " + std::to_string(count) + " " + fieldName +
                             " elements where the device expects one");
  }
  return reflection.GetRepeatedMessage(message, &field, 0);
}

} // namespace

EventGroupRequest readEventGroupRequest(const SchemaPool& pool, const Bytes& configImage) {
  const std::unique_ptr<Message> sets = decodeImage(pool, *findImageKind("config"), configImage);
  if (!sets) throw std::runtime_error("the configuration image does not decode");
  const Message& group = onlyElement(onlyElement(*sets, "eventGroupSets"), "eventGroups");
  const Reflection& reflection = *group.GetReflection();
  EventGroupRequest request{reflection.GetUInt32(group, &schemaField(group, "domainId")), {}};
  const google::protobuf::FieldDescriptor& counters = schemaField(group, "counters");
  for (int i = 0; i < reflection.FieldSize(group, &counters); ++i) {
    const Message& counter = reflection.GetRepeatedMessage(group, &counters, i);
    request.eventIds.push_back(counter.GetReflection()->GetUInt32(counter, &schemaField(counter, "eventId")));
  }
  return request;
}

} // namespace krprof_tool
