#include "file_report.h"

#include <cstdio>

#include "command_line.h"
#include "host_calls.h"

namespace krprof_tool {
namespace {

std::string jsonString(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string jsonFindings(const std::vector<Finding>& findings) {
  std::string json = "[";
  for (const Finding& finding : findings) {
    if (json.size() > 1) json += ",";
    json += "{\"offset\":" + std::to_string(finding.offset) + ",\"path\":" + jsonString(finding.path) +
            ",\"rule\":" + jsonString(finding.rule) + ",\"detail\":" + jsonString(finding.detail) + "}";
  }
  return json + "]";
}

} // namespace

InputImage readInputImage(const SchemaPool& pool, const std::string& path, const ImageKind* as) {
  InputImage input;
  input.path = path;
  try {
    input.bytes = readFileBytes(path);
    input.size = input.bytes.size();
  } catch (const InputTooLarge& tooLarge) {
    input.size = tooLarge.size();
    input.tooLarge = true;
  }
  input.kind = as;
  if (input.kind == nullptr && !input.tooLarge) {
    std::unique_ptr<google::protobuf::Message> decoded;
    input.kind = detectImageKind(pool, input.bytes, &decoded);
  }
  if (input.kind == nullptr) input.kind = findImageKind("image");
  return input;
}

const ImageKind* imageKindOption(const std::string* as) {
  if (as == nullptr) return nullptr;
  const ImageKind* kind = findImageKind(*as);
  if (kind == nullptr) throw UsageError("--as takes config, prefix or image, not '" + *as + "'");
  return kind;
}

std::string reportJson(const FileReport& report, const std::vector<Finding>* problems,
                       const std::vector<Finding>* warnings) {
  std::string json = "{\"file\":" + jsonString(report.file) +
                     ",\"kind\":" + jsonString(report.kind->reportName) +
                     ",\"size\":" + std::to_string(report.size) +
                     ",\"status\":" + (report.status ? jsonString(statusName(*report.status)) : "null") +
                     ",\"ok\":" + (report.ok ? "true" : "false");
  if (report.total) json += ",\"total\":" + totalText(*report.total);
  if (problems != nullptr) json += ",\"problems\":" + jsonFindings(*problems);
  if (warnings != nullptr) json += ",\"warnings\":" + jsonFindings(*warnings);
  return json + "}";
}

std::string totalText(double total) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0f", total);
  return text;
}

} // namespace krprof_tool
