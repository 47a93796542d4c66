// Reads what `krprof dump` printed from standard input, parses it back with
// protobuf's own text or JSON parser as an image of KIND (config, prefix or
// image), and checks that its encoding equals the bytes of the dumped file.
//
//   dump_roundtrip_check KIND text|json FILE < dump
//
// Exit status 0 when the bytes are equal, 1 otherwise.

#include <google/protobuf/text_format.h>
#include <google/protobuf/util/json_util.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "file_bytes.h"
#include "image_kinds.h"
#include "schema_pool.h"

namespace {

bool parseDump(const std::string& format, const std::string& dump, google::protobuf::Message* message) {
  if (format == "text") return google::protobuf::TextFormat::ParseFromString(dump, message);
  if (format == "json") return google::protobuf::util::JsonStringToMessage(dump, message).ok();
  throw std::invalid_argument("format must be text or json, not " + format);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s KIND text|json FILE < dump\n", argv[0]);
    return 2;
  }
  const krprof_tool::ImageKind* kind = krprof_tool::findImageKind(argv[1]);
  if (kind == nullptr) {
    std::fprintf(stderr, "KIND must be config, prefix or image, not %s\n", argv[1]);
    return 2;
  }
  try {
    const krprof_tool::SchemaPool pool;
    std::unique_ptr<google::protobuf::Message> message = pool.newMessage(kind->messageType);
    const std::string dump{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    if (!parseDump(argv[2], dump, message.get())) {
      std::fprintf(stderr, "the %s dump does not parse as a %s\n", argv[2], kind->description);
      return 1;
    }
    std::string encoded;
    message->SerializeToString(&encoded);
    const krprof_tool::Bytes original = krprof_tool::readFileBytes(argv[3]);
    if (encoded != std::string(original.begin(), original.end())) {
      std::fprintf(stderr, "the %s dump encodes to %zu bytes that differ from the %zu bytes of %s\n", argv[2],
                   encoded.size(), original.size(), argv[3]);
      return 1;
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
