// The three images of a measurement and how to decode them.
#pragma once

#include <google/protobuf/message.h>

#include <memory>
#include <string>

#include "file_bytes.h"
#include "schema_pool.h"

namespace krprof_tool {

struct ImageKind {
  const char* name;        // the value of `dump --as`
  const char* description; // for people
  const char* reportName;  // in the reports of `check` and `eval`
  const char* messageType; // full name of the root message
};

// The kind named `name` ("image", "config" or "prefix"), or null.
const ImageKind* findImageKind(const std::string& name);

// `bytes` decoded as `kind`, or null when they do not decode. Throws
// std::runtime_error for an image too large for the decoder (2 GiB or more).
std::unique_ptr<google::protobuf::Message> decodeImage(const SchemaPool& pool, const ImageKind& kind,
                                                       const Bytes& bytes);

// Whether `message` or any message below it kept fields that its type does
// not define, or that came with another wire type than the schema's.
bool hasUnknownFields(const google::protobuf::Message& message);

// The protobuf wire format cannot tell the three images apart by itself: the
// decoder keeps what it does not recognise as unknown fields, so the bytes of
// one kind mostly decode as the others too. The kind is therefore the first
// of counter-data image, configuration image and prefix that decodes with no
// unknown field at any depth, which singles out each of the library's
// images. Zero bytes are an empty counter-data image. Returns null, and
// leaves `decoded` alone, when no kind fits.
const ImageKind* detectImageKind(const SchemaPool& pool, const Bytes& bytes,
                                 std::unique_ptr<google::protobuf::Message>* decoded);

} // namespace krprof_tool
