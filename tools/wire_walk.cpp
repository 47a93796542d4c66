#include "wire_walk.h"

#include <google/protobuf/io/coded_stream.h>
#include <google/protobuf/stubs/common.h>
#include <google/protobuf/wire_format_lite.h>

#include <climits>
#include <map>

namespace krprof_tool {
namespace {

using google::protobuf::Descriptor;
using google::protobuf::FieldDescriptor;
using google::protobuf::internal::WireFormatLite;
using google::protobuf::io::CodedInputStream;

// The limits of protobuf's parser: messages and groups nest at most 100 deep
// below the root, a tag and a length take at most five bytes, any other
// varint at most ten.
constexpr int kRecursionLimit = 100;
constexpr int kMaxTagOrLengthBytes = 5;
constexpr int kMaxVarintBytes = 10;

std::string childPath(const std::string& path, const std::string& name) {
  return path.empty() ? name : path + "." + name;
}

bool isPacked(const FieldDescriptor& field, WireFormatLite::WireType wireType) {
  return field.is_packable() && wireType == WireFormatLite::WIRETYPE_LENGTH_DELIMITED;
}

// Whether a field of the schema takes a field on the wire with this wire
// type; a packable repeated scalar also takes its packed form. Fields with
// another wire type are kept as unknown fields.
bool takesWireType(const FieldDescriptor& field, WireFormatLite::WireType wireType) {
  const auto own = WireFormatLite::WireTypeForFieldType(static_cast<WireFormatLite::FieldType>(field.type()));
  return wireType == own || isPacked(field, wireType);
}

// A walk over one image. Every walk function returns false once the bytes
// break a rule, with the finding stored.
class Walker {
public:
  Walker(const uint8_t* data, int size) : input_(data, size) {
    input_.SetRecursionLimit(kRecursionLimit);
    input_.PushLimit(size);
  }

  WireWalk run(const Descriptor& root) {
    walkFields(&root, "", 0, 0);
    return std::move(walk_);
  }

private:
  // The context of the field being read, for its finding.
  struct Field {
    int tagOffset;
    std::string path;
  };

  void record(const Field& field) {
    walk_.fields.push_back(FieldSpan{static_cast<uint64_t>(field.tagOffset),
                                     static_cast<uint64_t>(input_.CurrentPosition()), field.path});
  }

  bool fail(const Field& at, const char* rule, std::string detail) {
    walk_.malformed = Finding{static_cast<uint64_t>(at.tagOffset), at.path, rule, std::move(detail)};
    return false;
  }

  // What the end of the data is called where a field runs into it.
  std::string enclosingEnd(const std::string& messagePath) const {
    return messagePath.empty() ? "the end of the image" : "the end of " + messagePath;
  }

  // A varint of at most `maxBytes` bytes before the current limit.
  bool readVarint(const Field& at, int maxBytes, const char* what, uint64_t* value) {
    const int available = input_.BytesUntilLimit();
    const int start = input_.CurrentPosition();
    if (input_.ReadVarint64(value) && input_.CurrentPosition() - start <= maxBytes) return true;
    // Past the limit or past ten bytes the read fails; the parser also fails
    // when it sees `maxBytes` bytes that all announce another one.
    if (input_.CurrentPosition() - start > maxBytes || available >= maxBytes) {
      return fail(at, "bad-varint",
                  std::string(what) + " longer than " + std::to_string(maxBytes) + " bytes");
    }
    return fail(at, "truncated", std::string("the data end inside ") + what);
  }

  // The length of a length-delimited field, which must end within its
  // enclosing message; the limit is pushed.
  bool pushLength(const Field& at, const std::string& messagePath, CodedInputStream::Limit* limit) {
    uint64_t length = 0;
    if (!readVarint(at, kMaxTagOrLengthBytes, "a length", &length)) return false;
    const int available = input_.BytesUntilLimit();
    if (length > static_cast<uint64_t>(available)) {
      return fail(at, "length-overrun",
                  "a length of " + std::to_string(length) + " bytes where " + std::to_string(available) +
                      " remain before " + enclosingEnd(messagePath));
    }
    *limit = input_.PushLimit(static_cast<int>(length));
    return true;
  }

  bool skip(const Field& at, int bytes, const char* what) {
    if (input_.Skip(bytes)) return true;
    return fail(at, "truncated", std::string("the data end inside ") + what);
  }

  bool enterNested(const Field& at) {
    if (input_.IncrementRecursionDepth()) return true;
    return fail(at, "recursion-limit",
                "messages and groups nested more than " + std::to_string(kRecursionLimit) + " deep");
  }

  // The fields of a message of `type` (null for an unknown group) up to the
  // current limit, or up to the end tag of the group `groupNumber`.
  bool walkFields(const Descriptor* type, const std::string& path, int groupNumber, int groupTagOffset) {
    std::map<int, int> elementCounts;
    while (input_.BytesUntilLimit() > 0) {
      const Field tagAt{input_.CurrentPosition(), path};
      uint64_t tagValue = 0;
      if (!readVarint(tagAt, kMaxTagOrLengthBytes, "a tag", &tagValue)) return false;
      // The parser keeps the low 32 bits of a five-byte tag.
      const auto tag = static_cast<uint32_t>(tagValue);
      const int number = WireFormatLite::GetTagFieldNumber(tag);
      const WireFormatLite::WireType wireType = WireFormatLite::GetTagWireType(tag);
      const FieldDescriptor* field = type == nullptr ? nullptr : type->FindFieldByNumber(number);
      const Field at{tagAt.tagOffset, childPath(path, field ? field->name() : std::to_string(number))};
      if (number == 0) {
        return fail(at, "bad-field-number", "field number 0, wire type " + std::to_string(wireType));
      }
      if (wireType == WireFormatLite::WIRETYPE_END_GROUP) {
        if (number == groupNumber) return true;
        return fail(at, "unmatched-group",
                    "the end of group " + std::to_string(number) +
                        (groupNumber == 0 ? std::string(" where no group is open")
                                          : " inside group " + std::to_string(groupNumber)));
      }
      if (wireType > WireFormatLite::WIRETYPE_FIXED32) {
        return fail(at, "bad-wire-type",
                    "wire type " + std::to_string(wireType) + " for field " + std::to_string(number));
      }
      const bool known = field != nullptr && takesWireType(*field, wireType);
      if (!(known ? walkKnownField(*field, wireType, at, path, &elementCounts)
                  : walkByWireType(number, wireType, at, path))) {
        return false;
      }
      if (!(known && field->type() == FieldDescriptor::TYPE_MESSAGE)) record(at);
    }
    if (groupNumber != 0) {
      return fail(
          Field{groupTagOffset, path}, "unmatched-group",
          "group " + std::to_string(groupNumber) + " does not end before the end of its enclosing message");
    }
    return true;
  }

  bool walkKnownField(const FieldDescriptor& field, WireFormatLite::WireType wireType, const Field& at,
                      const std::string& messagePath, std::map<int, int>* elementCounts) {
    CodedInputStream::Limit limit;
    if (isPacked(field, wireType)) {
      if (!pushLength(at, messagePath, &limit)) return false;
      uint64_t value = 0;
      while (input_.BytesUntilLimit() > 0) {
        if (!readVarint(at, kMaxVarintBytes, "an element of the packed list", &value)) return false;
      }
      input_.PopLimit(limit);
      return true;
    }
    switch (field.type()) {
    case FieldDescriptor::TYPE_MESSAGE: {
      const Field element{at.tagOffset,
                          at.path + "[" + std::to_string((*elementCounts)[field.number()]++) + "]"};
      if (!pushLength(element, messagePath, &limit) || !enterNested(element)) return false;
      if (!walkFields(field.message_type(), element.path, 0, 0)) return false;
      input_.DecrementRecursionDepth();
      input_.PopLimit(limit);
      record(element);
      return true;
    }
    case FieldDescriptor::TYPE_STRING: {
      if (!pushLength(at, messagePath, &limit)) return false;
      std::string text;
      input_.ReadString(&text, input_.BytesUntilLimit());
      input_.PopLimit(limit);
      // A proto3 string must hold UTF-8; the parser fails where it does not.
      if (field.file()->syntax() == google::protobuf::FileDescriptor::SYNTAX_PROTO3 &&
          !google::protobuf::internal::IsStructurallyValidUTF8(text.data(), static_cast<int>(text.size()))) {
        return fail(at, "invalid-utf8", field.full_name() + " holds bytes that are not UTF-8");
      }
      return true;
    }
    default: // a scalar: the wire type says how to read it
      return walkByWireType(field.number(), wireType, at, messagePath);
    }
  }

  // A field that the schema does not give a message or string type, read as
  // its wire type says; an unknown group is walked to its end tag.
  bool walkByWireType(int number, WireFormatLite::WireType wireType, const Field& at,
                      const std::string& messagePath) {
    uint64_t value = 0;
    CodedInputStream::Limit limit;
    switch (wireType) {
    case WireFormatLite::WIRETYPE_VARINT:
      return readVarint(at, kMaxVarintBytes, "a varint", &value);
    case WireFormatLite::WIRETYPE_FIXED64:
      return skip(at, 8, "a 64-bit value");
    case WireFormatLite::WIRETYPE_FIXED32:
      return skip(at, 4, "a 32-bit value");
    case WireFormatLite::WIRETYPE_LENGTH_DELIMITED:
      if (!pushLength(at, messagePath, &limit)) return false;
      input_.Skip(input_.BytesUntilLimit());
      input_.PopLimit(limit);
      return true;
    case WireFormatLite::WIRETYPE_START_GROUP:
      if (!enterNested(at) || !walkFields(nullptr, at.path, number, at.tagOffset)) return false;
      input_.DecrementRecursionDepth();
      return true;
    default: // the end-group tag is handled by the caller
      return fail(at, "bad-wire-type", "wire type " + std::to_string(wireType));
    }
  }

  CodedInputStream input_;
  WireWalk walk_;
};

} // namespace

std::optional<uint64_t> tagOffsetOf(const WireWalk& walk, const std::string& path) {
  for (const FieldSpan& field : walk.fields) {
    if (field.path == path) return field.begin;
  }
  return std::nullopt;
}

const FieldSpan* fieldHolding(const WireWalk& walk, uint64_t offset) {
  const FieldSpan* innermost = nullptr;
  for (const FieldSpan& field : walk.fields) {
    if (field.begin <= offset && offset < field.end &&
        (innermost == nullptr || field.begin > innermost->begin)) {
      innermost = &field;
    }
  }
  return innermost;
}

WireWalk walkWire(const Descriptor& root, const uint8_t* data, size_t size) {
  static const uint8_t kNoBytes = 0;
  if (size > static_cast<size_t>(INT_MAX)) {
    WireWalk walk;
    walk.malformed = Finding{0, "", "too-large", std::to_string(size) + " bytes, 2^31 or more"};
    return walk;
  }
  return Walker(data == nullptr ? &kNoBytes : data, static_cast<int>(size)).run(root);
}

} // namespace krprof_tool
