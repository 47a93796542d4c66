// `krprof dump FILE`: any of the three images as protobuf text or JSON.

#include <google/protobuf/text_format.h>
#include <google/protobuf/util/json_util.h>

#include <cstdio>
#include <stdexcept>

#include "command_line.h"
#include "file_bytes.h"
#include "file_report.h"
#include "image_kinds.h"
#include "schema_pool.h"

namespace krprof_tool {
namespace {

std::string toJson(const google::protobuf::Message& message) {
  google::protobuf::util::JsonPrintOptions options;
  options.add_whitespace = true;
  std::string json;
  const auto status = google::protobuf::util::MessageToJsonString(message, &json, options);
  if (!status.ok()) throw std::runtime_error("cannot print as JSON: " + status.ToString());
  return json;
}

std::string toText(const google::protobuf::Message& message) {
  std::string text;
  if (!google::protobuf::TextFormat::PrintToString(message, &text)) {
    throw std::runtime_error("cannot print as text");
  }
  return text;
}

// Why a file has no kind: it decodes as some kind only with fields unknown
// to it, which --as keeps, or it decodes as none.
std::string undetectedKind(const SchemaPool& pool, const std::string& path, const Bytes& bytes) {
  for (const char* name : {"image", "config", "prefix"}) {
    if (decodeImage(pool, *findImageKind(name), bytes)) {
      return path +
             " decodes as none of counter-data image, configuration image and counter-data prefix without "
             "unknown fields; name the kind with --as";
    }
  }
  return path +
         " does not decode as a counter-data image, a configuration image or a counter-data prefix; "
         "'krprof check " +
         path + "' says why";
}

int runDump(const ParsedArguments& args) {
  const std::string& path = args.operands()[0];
  const ImageKind* kind = imageKindOption(args.value("--as"));
  const Bytes bytes = readFileBytes(path);
  const SchemaPool pool;
  std::unique_ptr<google::protobuf::Message> message;
  if (kind != nullptr) {
    message = decodeImage(pool, *kind, bytes);
    if (!message) {
      throw std::runtime_error(path + " does not decode as a " + kind->description + " (" +
                               kind->messageType + "); 'krprof check --as " + kind->name + "' says why");
    }
  } else {
    kind = detectImageKind(pool, bytes, &message);
    if (kind == nullptr) throw std::runtime_error(undetectedKind(pool, path, bytes));
  }

  if (args.has("--json")) {
    std::fputs(toJson(*message).c_str(), stdout);
  } else {
    // A comment line, which the text format's own parser skips.
    std::printf("# %s (%s), %zu bytes\n", kind->description, kind->messageType, bytes.size());
    std::fputs(toText(*message).c_str(), stdout);
  }
  return kExitSuccess;
}

} // namespace

const Command kDumpCommand{"dump",
                           "decode an image file to text or JSON",
                           "usage: krprof dump FILE [--as config|prefix|image] [--json]\n",
                           "Decodes FILE (- for standard input) as a configuration image (config), a\n"
                           "counter-data prefix (prefix) or a counter-data image (image) and prints it\n"
                           "in protobuf's text format, after a comment line that names the kind, or as\n"
                           "JSON.\n"
                           "\n"
                           "Without --as the kind is found from the content: the first of image,\n"
                           "config and prefix that decodes with no field the schema does not define\n"
                           "for it. An empty file is an empty counter-data image. A file that holds\n"
                           "fields unknown to its kind needs --as, which keeps and prints them; for\n"
                           "a file that decodes as no kind, 'krprof check' says why.\n"
                           "\n"
                           "  --as KIND   decode as KIND: config, prefix or image\n"
                           "  --json      print protobuf's JSON form instead of the text format\n",
                           {{"--as", "KIND"}, {"--json", nullptr}},
                           1,
                           1,
                           &runDump};

} // namespace krprof_tool
