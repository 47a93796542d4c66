// The per-file reports of `krprof check` and `krprof eval`: one input file,
// its kind, the library's verdict, as text or as one JSON object a line.
#pragma once

#include <krprof/tprf_common.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "image_finding.h"
#include "image_kinds.h"
#include "schema_pool.h"

namespace krprof_tool {

// One operand of `check` or `eval`.
struct InputImage {
  std::string path;
  Bytes bytes;       // empty when too large
  uint64_t size = 0; // the file's size; kInputSizeLimit for a stream read up to the limit
  bool tooLarge = false;
  const ImageKind* kind = nullptr;
};

// Reads `path` ("-" for standard input). Its kind is `as` when given;
// otherwise the kind `dump` recognises, and a counter-data image when the
// bytes decode as no kind or are too large to read. Throws
// std::runtime_error when the file cannot be read.
InputImage readInputImage(const SchemaPool& pool, const std::string& path, const ImageKind* as);

// The --as option of `check` and `dump`: null when absent; throws UsageError
// for an unknown kind.
const ImageKind* imageKindOption(const std::string* as);

struct FileReport {
  std::string file;
  const ImageKind* kind = nullptr;
  uint64_t size = 0;
  std::optional<TPRA_Status> status; // none when the library was not asked
  bool ok = false;
  std::optional<double> total;
};

// The report as one line of JSON with the keys file, kind, size, status, ok,
// total (when the image is accepted), and problems and warnings when given.
std::string reportJson(const FileReport& report, const std::vector<Finding>* problems,
                       const std::vector<Finding>* warnings);

// The library's total as a whole number.
std::string totalText(double total);

} // namespace krprof_tool
