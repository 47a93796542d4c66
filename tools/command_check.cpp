// `krprof check FILE...`: whether the library accepts each image, and why
// not, or what in it a user would not expect.

#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "event_group_request.h"
#include "file_report.h"
#include "host_calls.h"
#include "image_check.h"

namespace krprof_tool {
namespace {

struct CheckedFile {
  FileReport report;
  std::vector<Finding> problems;
  std::vector<Finding> warnings;
};

// The verdict is the library's: its range count and evaluation of the bytes;
// the walk of the bytes explains it.
void checkCounterData(const SchemaPool& pool, const InputImage& input, CheckedFile* checked) {
  if (input.tooLarge) {
    checked->problems.push_back({0, "", "too-large",
                                 (input.size == kInputSizeLimit ? "at least " : "") +
                                     std::to_string(input.size) +
                                     " bytes, where the parser takes images shorter than 2^31 bytes"});
    return;
  }
  TPRA_Status status = rangeCountStatus(input.bytes);
  const Evaluation evaluated = evaluation(input.bytes);
  if (status == TPRA_STATUS_SUCCESS) status = evaluated.status;
  checked->report.status = status;
  checked->report.ok = status == TPRA_STATUS_SUCCESS;
  if (!checked->report.ok) {
    checked->problems = counterDataProblems(pool, input.bytes);
    return;
  }
  checked->report.total = evaluated.readSectors;
  checked->warnings = counterDataWarnings(pool, input.bytes, readEventGroupRequest(pool, fetchConfigImage()));
}

// A configuration image or a prefix is accepted when it is the library's own.
void checkFixedImage(const SchemaPool& pool, const InputImage& input, CheckedFile* checked) {
  const bool config = std::string(input.kind->name) == "config";
  const Bytes expected = config ? fetchConfigImage() : fetchCounterDataPrefix();
  if (input.tooLarge) {
    checked->problems.push_back(longerThanFixedImage(*input.kind, expected.size()));
  } else {
    checked->problems = fixedImageDifferences(pool, *input.kind, expected, input.bytes);
  }
  checked->report.ok = checked->problems.empty();
}

void printFindings(const char* label, const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    std::printf("  %s at offset %llu, %s: %s: %s\n", label, static_cast<unsigned long long>(finding.offset),
                finding.path.empty() ? "the image" : finding.path.c_str(), finding.rule.c_str(),
                finding.detail.c_str());
  }
}

void printText(const CheckedFile& checked) {
  const FileReport& report = checked.report;
  std::string verdict = report.ok ? "accepted" : "rejected";
  if (report.status) verdict += ", " + statusName(*report.status);
  if (report.total) verdict += ", total " + totalText(*report.total);
  if (!report.status && report.ok) verdict += ", the library's own " + std::string(report.kind->description);
  std::printf("%s: %s, %llu %s: %s\n", report.file.c_str(), report.kind->description,
              static_cast<unsigned long long>(report.size), report.size == 1 ? "byte" : "bytes",
              verdict.c_str());
  printFindings("problem", checked.problems);
  printFindings("warning", checked.warnings);
}

int runCheck(const ParsedArguments& args) {
  const ImageKind* as = imageKindOption(args.value("--as"));
  const SchemaPool pool;
  bool allAccepted = true;
  for (const std::string& path : args.operands()) {
    CheckedFile checked;
    try {
      const InputImage input = readInputImage(pool, path, as);
      checked.report.file = path;
      checked.report.kind = input.kind;
      checked.report.size = input.size;
      if (std::string(input.kind->name) == "image") {
        checkCounterData(pool, input, &checked);
      } else {
        checkFixedImage(pool, input, &checked);
      }
    } catch (const std::exception& error) {
      std::fprintf(stderr, "krprof check: %s\n", error.what());
      allAccepted = false;
      continue;
    }
    allAccepted = allAccepted && checked.report.ok;
    if (args.has("--json")) {
      std::printf("%s\n", reportJson(checked.report, &checked.problems, &checked.warnings).c_str());
    } else {
      printText(checked);
    }
  }
  return allAccepted ? kExitSuccess : kExitFailure;
}

} // namespace

const Command kCheckCommand{"check",
                            "say whether the library accepts image files, and why not",
                            "usage: krprof check FILE... [--as config|prefix|image] [--json]\n",
                            "Checks each FILE (- for standard input) as the library sees it.\n"
                            "\n"
                            "A counter-data image is handed to the library's range count and\n"
                            "evaluation, whose status is the verdict. For a rejected image, a walk of\n"
                            "its bytes says which rule they break and where: the offset of the tag of\n"
                            "the field, its path in the schema's names, and one of the rules truncated,\n"
                            "bad-varint, bad-wire-type, bad-field-number, length-overrun,\n"
                            "unmatched-group, recursion-limit, invalid-utf8, no-range,\n"
                            "short-value-list and too-large. For an accepted image it warns of groups\n"
                            "that are not the measurement's (foreign-group), reading counts that wrap\n"
                            "in 32 bits (count-wraps), readings beyond the reading count\n"
                            "(extra-values), additions that wrap the 64-bit total (value-overflow), a\n"
                            "total above 2^53 (inexact-total) and ranges that are not evaluated\n"
                            "(ranges-ignored).\n"
                            "\n"
                            "A configuration image or a counter-data prefix is accepted when it is the\n"
                            "library's own image byte for byte; otherwise the first differing byte and\n"
                            "the field of the library's image it belongs to are shown (differs).\n"
                            "\n"
                            "Without --as the kind is found as 'krprof dump' finds it; a file that\n"
                            "decodes as no kind is checked as a counter-data image.\n"
                            "Exits with 0 when every file is accepted, 1 otherwise.\n"
                            "\n"
                            "  --as KIND   check as KIND: config, prefix or image\n"
                            "  --json      one JSON object per file and line, with the keys file, kind,\n"
                            "              size, status, ok, total, problems and warnings\n",
                            {{"--as", "KIND"}, {"--json", nullptr}},
                            1,
                            SIZE_MAX,
                            &runCheck};

} // namespace krprof_tool
