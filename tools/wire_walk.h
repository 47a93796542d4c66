// A walk over the protobuf wire format of an image, field by field, that
// finds where and why the bytes do not decode, following the decoding rules of
// protobuf's own parser.
#pragma once

#include <google/protobuf/descriptor.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image_finding.h"

namespace krprof_tool {

// The bytes of one field, from its tag to its last byte.
struct FieldSpan {
  uint64_t begin;
  uint64_t end; // one past the last byte
  std::string path;
};

struct WireWalk {
  // The first rule the bytes break, where decoding stops; none when they
  // decode. Its rule is one of "truncated", "bad-varint", "bad-wire-type",
  // "bad-field-number", "length-overrun", "unmatched-group",
  // "recursion-limit" and "invalid-utf8".
  std::optional<Finding> malformed;
  // Every field walked to its end, inner fields before the fields that hold
  // them. A message element's path carries its index
  // ("rangeDataImages[0].EventGroupDataImage[1]"); a scalar's, a packed
  // list's and a string's do not; an unknown field is named by its number.
  std::vector<FieldSpan> fields;
};

// The tag offset of the field walked under `path`, or none.
std::optional<uint64_t> tagOffsetOf(const WireWalk& walk, const std::string& path);

// The innermost field walked whose bytes hold `offset`, or null.
const FieldSpan* fieldHolding(const WireWalk& walk, uint64_t offset);

// Walks `size` bytes as an encoding of the message `root`. Sizes of 2^31
// bytes or more are beyond the parser and must not be passed.
WireWalk walkWire(const google::protobuf::Descriptor& root, const uint8_t* data, size_t size);

} // namespace krprof_tool
