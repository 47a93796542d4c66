// `krprof eval FILE...`: the read-sector total of counter-data image files.

#include <cstdio>
#include <string>

#include "command_line.h"
#include "file_report.h"
#include "host_calls.h"

namespace krprof_tool {
namespace {

// Evaluates one file; says on standard error why there is no total.
FileReport evaluateFile(const SchemaPool& pool, const std::string& path) {
  const InputImage input = readInputImage(pool, path, nullptr);
  FileReport report{path, input.kind, input.size, std::nullopt, false, std::nullopt};
  if (input.tooLarge) {
    std::fprintf(stderr, "krprof eval: %s\n",
                 InputTooLarge(path, input.size, input.size != kInputSizeLimit).what());
  } else if (std::string(input.kind->name) != "image") {
    std::fprintf(stderr, "krprof eval: %s is a %s, not a counter-data image\n", path.c_str(),
                 input.kind->description);
  } else {
    const Evaluation evaluated = evaluation(input.bytes);
    report.status = evaluated.status;
    report.ok = evaluated.status == TPRA_STATUS_SUCCESS;
    if (report.ok) {
      report.total = evaluated.readSectors;
    } else {
      std::fprintf(stderr, "krprof eval: %s: the evaluation failed with %s\n", path.c_str(),
                   statusName(evaluated.status).c_str());
    }
  }
  return report;
}

int runEval(const ParsedArguments& args) {
  const SchemaPool pool;
  const bool severalFiles = args.operands().size() > 1;
  bool allEvaluated = true;
  for (const std::string& path : args.operands()) {
    FileReport report;
    try {
      report = evaluateFile(pool, path);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "krprof eval: %s\n", error.what());
      allEvaluated = false;
      continue;
    }
    allEvaluated = allEvaluated && report.ok;
    if (args.has("--json")) {
      std::printf("%s\n", reportJson(report, nullptr, nullptr).c_str());
    } else if (report.total) {
      // The library delivers the integer total as a double: print it whole.
      std::printf("%s%s\n", severalFiles ? (path + ": ").c_str() : "", totalText(*report.total).c_str());
    }
  }
  return allEvaluated ? kExitSuccess : kExitFailure;
}

} // namespace

const Command kEvalCommand{"eval",
                           "evaluate counter-data image files",
                           "usage: krprof eval FILE... [--json]\n",
                           "Evaluates the counter-data image in each FILE (- for standard input) with\n"
                           "the library and prints the read-sector total of its first range: alone for\n"
                           "one file, after the file's name for several. When the library rejects an\n"
                           "image, prints the status it returned on standard error; a configuration\n"
                           "image or a counter-data prefix is named as such and not evaluated. Exits\n"
                           "with 1 when any file has no total.\n"
                           "\n"
                           "  --json   one JSON object per file and line, with the keys file, kind,\n"
                           "           size, status, ok and total ('krprof check' says why an image\n"
                           "           is rejected)\n",
                           {{"--json", nullptr}},
                           1,
                           SIZE_MAX,
                           &runEval};

} // namespace krprof_tool
