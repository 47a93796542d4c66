// A small protobuf wire encoder for counter-data images in tests.
//
// It is independent of the protobuf library, so that tests can write images
// the generated code would never write: unpacked or mixed lists, fields out of
// order or repeated, unknown fields, wrong wire types, over-long varints and
// plain malformed bytes. `WireMessage` appends fields exactly as told;
// `GroupImage`, `RangeImage` and `CounterDataImage` write the canonical form
// of the three image messages (ascending field numbers, zero and empty fields
// left out, packed lists).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace krprof_test {

using Bytes = std::vector<uint8_t>;

enum class WireType : uint8_t {
  kVarint = 0,
  kFixed64 = 1,
  kLengthDelimited = 2,
  kStartGroup = 3,
  kEndGroup = 4,
  kFixed32 = 5,
};

// Field numbers of the counter-data image messages.
namespace field {
namespace group {
constexpr uint32_t kDomainId = 2;
constexpr uint32_t kEventId = 3;
constexpr uint32_t kDpcNum = 4;
constexpr uint32_t kInstanceNum = 5;
constexpr uint32_t kValue = 6;
} // namespace group
namespace range {
constexpr uint32_t kRangeName = 1;
constexpr uint32_t kEventGroupDataImage = 2;
} // namespace range
namespace image {
constexpr uint32_t kMaxNumRanges = 1;
constexpr uint32_t kMaxNumRangeTreeNodes = 2;
constexpr uint32_t kMaxRangeNameLength = 3;
constexpr uint32_t kChipName = 4;
constexpr uint32_t kRangeDataImages = 5;
} // namespace image
} // namespace field

inline void appendVarint(Bytes& out, uint64_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<uint8_t>(value | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<uint8_t>(value));
}

inline void appendTag(Bytes& out, uint32_t fieldNumber, WireType type) {
  appendVarint(out, (static_cast<uint64_t>(fieldNumber) << 3) | static_cast<uint64_t>(type));
}

// One protobuf message, its fields appended in call order.
class WireMessage {
public:
  WireMessage() = default;

  WireMessage& varint(uint32_t fieldNumber, uint64_t value) {
    appendTag(bytes_, fieldNumber, WireType::kVarint);
    appendVarint(bytes_, value);
    return *this;
  }

  WireMessage& lengthDelimited(uint32_t fieldNumber, const Bytes& payload) {
    appendTag(bytes_, fieldNumber, WireType::kLengthDelimited);
    appendVarint(bytes_, payload.size());
    return raw(payload);
  }

  WireMessage& string(uint32_t fieldNumber, const std::string& text) {
    return lengthDelimited(fieldNumber, Bytes(text.begin(), text.end()));
  }

  WireMessage& message(uint32_t fieldNumber, const WireMessage& nested) {
    return lengthDelimited(fieldNumber, nested.bytes());
  }

  // One packed run: a single length-delimited field holding the varints.
  WireMessage& packed(uint32_t fieldNumber, const std::vector<uint64_t>& values) {
    Bytes payload;
    for (uint64_t value : values) appendVarint(payload, value);
    return lengthDelimited(fieldNumber, payload);
  }

  // Each element as a field of its own.
  WireMessage& unpacked(uint32_t fieldNumber, const std::vector<uint64_t>& values) {
    for (uint64_t value : values) varint(fieldNumber, value);
    return *this;
  }

  WireMessage& fixed64(uint32_t fieldNumber, uint64_t value) {
    appendTag(bytes_, fieldNumber, WireType::kFixed64);
    return littleEndian(value, 8);
  }

  WireMessage& fixed32(uint32_t fieldNumber, uint32_t value) {
    appendTag(bytes_, fieldNumber, WireType::kFixed32);
    return littleEndian(value, 4);
  }

  // Bytes as they are, for anything the calls above cannot express.
  WireMessage& raw(const Bytes& data) {
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return *this;
  }

  const Bytes& bytes() const { return bytes_; }

private:
  WireMessage& littleEndian(uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }

  Bytes bytes_;
};

// pbEventGroupDataImage.
struct GroupImage {
  uint32_t domainId = 0;
  std::vector<uint64_t> eventId;
  uint32_t dpcNum = 0;
  uint32_t instanceNum = 0;
  std::vector<uint64_t> value;

  WireMessage encode() const {
    WireMessage message;
    if (domainId != 0) message.varint(field::group::kDomainId, domainId);
    if (!eventId.empty()) message.packed(field::group::kEventId, eventId);
    if (dpcNum != 0) message.varint(field::group::kDpcNum, dpcNum);
    if (instanceNum != 0) message.varint(field::group::kInstanceNum, instanceNum);
    if (!value.empty()) message.packed(field::group::kValue, value);
    return message;
  }
};

// pbRangeDataImage.
struct RangeImage {
  std::string rangeName;
  std::vector<GroupImage> groups;

  WireMessage encode() const {
    WireMessage message;
    if (!rangeName.empty()) message.string(field::range::kRangeName, rangeName);
    for (const GroupImage& group : groups)
      message.message(field::range::kEventGroupDataImage, group.encode());
    return message;
  }
};

// pbCounterDataImage.
struct CounterDataImage {
  uint32_t maxNumRanges = 0;
  uint32_t maxNumRangeTreeNodes = 0;
  uint32_t maxRangeNameLength = 0;
  std::string chipName;
  std::vector<RangeImage> ranges;

  WireMessage encode() const {
    WireMessage message;
    if (maxNumRanges != 0) message.varint(field::image::kMaxNumRanges, maxNumRanges);
    if (maxNumRangeTreeNodes != 0) message.varint(field::image::kMaxNumRangeTreeNodes, maxNumRangeTreeNodes);
    if (maxRangeNameLength != 0) message.varint(field::image::kMaxRangeNameLength, maxRangeNameLength);
    if (!chipName.empty()) message.string(field::image::kChipName, chipName);
    for (const RangeImage& range : ranges) message.message(field::image::kRangeDataImages, range.encode());
    return message;
  }
};

// An image of one range holding the given group images.
inline Bytes imageOf(std::vector<GroupImage> groups) {
  return CounterDataImage{0, 0, 0, {}, {RangeImage{{}, std::move(groups)}}}.encode().bytes();
}

// An image of one range holding one group image given as raw wire bytes.
inline Bytes imageOfRawGroup(const WireMessage& group) {
  return WireMessage()
      .message(field::image::kRangeDataImages,
               WireMessage().message(field::range::kEventGroupDataImage, group))
      .bytes();
}

} // namespace krprof_test
