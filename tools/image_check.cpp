#include "image_check.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "wire_walk.h"

namespace krprof_tool {
namespace {

using google::protobuf::Message;

std::string hexByte(uint8_t byte) {
  static const char kDigits[] = "0123456789abcdef";
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0xf];
}

std::string idList(const std::vector<uint32_t>& ids) {
  std::string text;
  for (uint32_t id : ids) text += (text.empty() ? "" : ", ") + std::to_string(id);
  return "[" + text + "]";
}

// What the evaluation reads of one group image of the first range.
struct GroupImage {
  std::string path;
  uint64_t offset;
  uint32_t domainId;
  uint32_t dpcNum;
  uint32_t instanceNum;
  std::vector<uint32_t> eventIds;
  std::vector<uint64_t> values;

  // In unsigned 32-bit arithmetic, as the library forms it.
  uint32_t readingCount() const { return dpcNum * instanceNum * static_cast<uint32_t>(eventIds.size()); }
  bool countWraps() const {
    uint64_t product = 0;
    return __builtin_mul_overflow(uint64_t{dpcNum} * instanceNum, uint64_t{eventIds.size()}, &product) ||
           product > UINT32_MAX;
  }
  std::string countFormula() const {
    return "dpcNum " + std::to_string(dpcNum) + " x instanceNum " + std::to_string(instanceNum) + " x " +
           std::to_string(eventIds.size()) + " eventIds";
  }
};

// A counter-data image that decodes, with where its elements stand.
struct DecodedImage {
  WireWalk walk;
  std::unique_ptr<Message> image;
  int ranges = 0;
  std::vector<GroupImage> firstRangeGroups;
};

uint32_t uint32Field(const Message& message, const char* name) {
  return message.GetReflection()->GetUInt32(message, &schemaField(message, name));
}

template <typename T>
std::vector<T> repeatedField(const Message& message, const char* name) {
  const auto list = message.GetReflection()->GetRepeatedFieldRef<T>(message, &schemaField(message, name));
  return std::vector<T>(list.begin(), list.end());
}

// Walks the image; decodes it when the walk finds it well formed.
DecodedImage decodeCounterData(const SchemaPool& pool, const Bytes& bytes) {
  const ImageKind& kind = *findImageKind("image");
  DecodedImage decoded;
  decoded.walk = walkWire(pool.messageType(kind.messageType), bytes.data(), bytes.size());
  if (decoded.walk.malformed) return decoded;
  decoded.image = decodeImage(pool, kind, bytes);
  if (!decoded.image) throw std::runtime_error("the image is well formed on the wire but does not decode");
  const Message& image = *decoded.image;
  const auto& rangesField = schemaField(image, "rangeDataImages");
  decoded.ranges = image.GetReflection()->FieldSize(image, &rangesField);
  if (decoded.ranges == 0) return decoded;
  const Message& range = image.GetReflection()->GetRepeatedMessage(image, &rangesField, 0);
  const auto& groupsField = schemaField(range, "EventGroupDataImage");
  std::unordered_map<std::string, uint64_t> tagOffsets;
  for (const FieldSpan& field : decoded.walk.fields) tagOffsets.emplace(field.path, field.begin);
  for (int i = 0; i < range.GetReflection()->FieldSize(range, &groupsField); ++i) {
    const Message& group = range.GetReflection()->GetRepeatedMessage(range, &groupsField, i);
    const std::string path = "rangeDataImages[0].EventGroupDataImage[" + std::to_string(i) + "]";
    decoded.firstRangeGroups.push_back(
        GroupImage{path, tagOffsets[path], uint32Field(group, "domainId"), uint32Field(group, "dpcNum"),
                   uint32Field(group, "instanceNum"), repeatedField<uint32_t>(group, "eventId"),
                   repeatedField<uint64_t>(group, "value")});
  }
  return decoded;
}

bool isMeasurementGroup(const GroupImage& group, const EventGroupRequest& measurement) {
  std::vector<uint32_t> ids = group.eventIds;
  std::vector<uint32_t> wanted = measurement.eventIds;
  std::sort(ids.begin(), ids.end());
  std::sort(wanted.begin(), wanted.end());
  return group.domainId == measurement.domainId && ids == wanted;
}

// Warnings about one group: how it differs from the measurement, how its
// reading count is formed, and every addition of one of its readings that
// wraps `total`.
void addGroupWarnings(const GroupImage& group, const EventGroupRequest& measurement, uint64_t* total,
                      std::vector<Finding>* warnings) {
  const uint32_t count = group.readingCount();
  if (!isMeasurementGroup(group, measurement)) {
    warnings->push_back({group.offset, group.path, "foreign-group",
                         "domain " + std::to_string(group.domainId) + ", event ids " +
                             idList(group.eventIds) + " where the measurement has domain " +
                             std::to_string(measurement.domainId) + " and event ids " +
                             idList(measurement.eventIds) + "; the library adds its " +
                             std::to_string(count) + " readings all the same"});
  }
  if (group.countWraps()) {
    warnings->push_back({group.offset, group.path, "count-wraps",
                         group.countFormula() + " wraps to " + std::to_string(count) +
                             " in 32 bits: the group adds " + std::to_string(count) + " readings"});
  }
  if (group.values.size() > count) {
    warnings->push_back({group.offset, group.path, "extra-values",
                         "value holds " + std::to_string(group.values.size()) +
                             " entries for a reading count of " + std::to_string(count) + " (" +
                             group.countFormula() + "); " + std::to_string(group.values.size() - count) +
                             " are ignored"});
  }
  for (uint32_t j = 0; j < count; ++j) {
    if (__builtin_add_overflow(*total, group.values[j], total)) {
      warnings->push_back({group.offset, group.path + ".value[" + std::to_string(j) + "]", "value-overflow",
                           "adding reading " + std::to_string(j) + " (" + std::to_string(group.values[j]) +
                               ") wraps the 64-bit total, which goes on from " + std::to_string(*total)});
    }
  }
}

} // namespace

std::vector<Finding> counterDataProblems(const SchemaPool& pool, const Bytes& image) {
  const DecodedImage decoded = decodeCounterData(pool, image);
  if (decoded.walk.malformed) return {*decoded.walk.malformed};
  if (decoded.ranges == 0) {
    return {{0, "rangeDataImages", "no-range", "the image holds no range; the evaluation takes the first"}};
  }
  std::vector<Finding> problems;
  for (const GroupImage& group : decoded.firstRangeGroups) {
    if (group.values.size() < group.readingCount()) {
      problems.push_back({group.offset, group.path, "short-value-list",
                          "reading count " + group.countFormula() + " = " +
                              std::to_string(group.readingCount()) +
                              (group.countWraps() ? " in 32 bits" : "") + ", but value holds " +
                              std::to_string(group.values.size())});
    }
  }
  return problems;
}

std::vector<Finding> counterDataWarnings(const SchemaPool& pool, const Bytes& image,
                                         const EventGroupRequest& measurement) {
  const DecodedImage decoded = decodeCounterData(pool, image);
  if (decoded.walk.malformed || decoded.ranges == 0) {
    throw std::runtime_error("warnings asked for an image that the evaluation cannot accept");
  }
  std::vector<Finding> warnings;
  uint64_t total = 0;
  for (const GroupImage& group : decoded.firstRangeGroups)
    addGroupWarnings(group, measurement, &total, &warnings);
  constexpr uint64_t kExactDoubleLimit = uint64_t{1} << 53;
  if (total > kExactDoubleLimit) {
    // The double nearest the total may be 2^64, beyond every uint64_t.
    char stored[32];
    std::snprintf(stored, sizeof stored, "%.0f", static_cast<double>(total));
    warnings.push_back(
        {0, "", "inexact-total",
         "the total " + std::to_string(total) + " is above 2^53, where a double does not hold every integer" +
             (stored == std::to_string(total) ? std::string("")
                                              : std::string("; the library stores it as ") + stored)});
  }
  if (decoded.ranges > 1) {
    warnings.push_back({tagOffsetOf(decoded.walk, "rangeDataImages[1]").value_or(0), "rangeDataImages[1]",
                        "ranges-ignored",
                        "the image holds " + std::to_string(decoded.ranges) +
                            " ranges; the library evaluates only the first"});
  }
  return warnings;
}

Finding longerThanFixedImage(const ImageKind& kind, size_t expectedSize) {
  return {expectedSize, "", "differs",
          "the file goes on after the " + std::to_string(expectedSize) + " bytes of the library's " +
              kind.description};
}

std::vector<Finding> fixedImageDifferences(const SchemaPool& pool, const ImageKind& kind,
                                           const Bytes& expected, const Bytes& bytes) {
  const auto mismatch = std::mismatch(expected.begin(), expected.end(), bytes.begin(), bytes.end());
  if (mismatch.first == expected.end()) {
    if (mismatch.second == bytes.end()) return {};
    return {longerThanFixedImage(kind, expected.size())};
  }
  const auto offset = static_cast<uint64_t>(mismatch.first - expected.begin());
  const WireWalk walk = walkWire(pool.messageType(kind.messageType), expected.data(), expected.size());
  const FieldSpan* field = fieldHolding(walk, offset);
  return {{offset, field == nullptr ? "" : field->path, "differs",
           (mismatch.second == bytes.end() ? std::string("the file ends") : hexByte(*mismatch.second)) +
               " where the library's " + kind.description + " has " + hexByte(*mismatch.first)}};
}

} // namespace krprof_tool
