#include "device_simulation.h"

#include <climits>
#include <stdexcept>
#include <string>

#include "event_group_request.h"
#include "image_kinds.h"

namespace krprof_tool {
namespace {

using google::protobuf::Message;
using google::protobuf::Reflection;

constexpr const char* kRangeName = "demo";
constexpr const char* kChipName = "kora-sim";
constexpr uint32_t kMaxRangeNameLength = 64;

// Sectors that one event counted on one unit: varying with unit and event,
// and the same on every run.
uint64_t reading(uint64_t dpc, uint64_t instance, uint64_t event) {
  return 1000 + 97 * dpc + 13 * instance + 7 * event;
}

void setUInt32(Message& message, const char* fieldName, uint32_t value) {
  message.GetReflection()->SetUInt32(&message, &schemaField(message, fieldName), value);
}

} // namespace

DeviceRun simulateDevice(const SchemaPool& pool, const Bytes& configImage, const DeviceShape& shape) {
  const EventGroupRequest request = readEventGroupRequest(pool, configImage);
  DeviceRun run;
  run.domainId = request.domainId;
  run.eventIds = request.eventIds;

  std::unique_ptr<Message> image = pool.newMessage("tprf.pbCounterDataImage");
  const Reflection& reflection = *image->GetReflection();
  setUInt32(*image, "maxNumRanges", 1);
  setUInt32(*image, "maxNumRangeTreeNodes", 1);
  setUInt32(*image, "maxRangeNameLength", kMaxRangeNameLength);
  reflection.SetString(image.get(), &schemaField(*image, "chipName"), kChipName);

  Message& range = *reflection.AddMessage(image.get(), &schemaField(*image, "rangeDataImages"));
  range.GetReflection()->SetString(&range, &schemaField(range, "rangeName"), kRangeName);

  Message& group = *range.GetReflection()->AddMessage(&range, &schemaField(range, "EventGroupDataImage"));
  const Reflection& groupReflection = *group.GetReflection();
  setUInt32(group, "domainId", request.domainId);
  setUInt32(group, "dpcNum", shape.dpcs);
  setUInt32(group, "instanceNum", shape.instances);
  const google::protobuf::FieldDescriptor& eventIds = schemaField(group, "eventId");
  for (uint32_t eventId : request.eventIds) groupReflection.AddUInt32(&group, &eventIds, eventId);

  // Readings by DPC, then instance, then event; the evaluation only adds the
  // leading dpcNum x instanceNum x events of them, so any order would do.
  const google::protobuf::FieldDescriptor& values = schemaField(group, "value");
  for (uint32_t dpc = 0; dpc < shape.dpcs; ++dpc) {
    for (uint32_t instance = 0; instance < shape.instances; ++instance) {
      for (size_t event = 0; event < request.eventIds.size(); ++event) {
        const uint64_t sectors = reading(dpc, instance, event);
        groupReflection.AddUInt64(&group, &values, sectors);
        run.expectedTotal += sectors;
        ++run.numReadings;
      }
    }
  }

  const size_t size = image->ByteSizeLong();
  if (size > static_cast<size_t>(INT_MAX)) throw std::runtime_error("the counter-data image is too large");
  run.counterDataImage.resize(size);
  if (!image->SerializeToArray(run.counterDataImage.data(), static_cast<int>(size))) {
    throw std::runtime_error("the counter-data image could not be encoded");
  }
  return run;
}

} // namespace krprof_tool
