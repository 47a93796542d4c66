// `krprof eval FILE`: the read-sector total of a counter-data image file.

#include <cstdio>

#include "command_line.h"
#include "file_bytes.h"
#include "host_calls.h"

namespace krprof_tool {
namespace {

int runEval(const ParsedArguments& args) {
  const double readSectors = evaluateReadSectors(readFileBytes(args.operands()[0]));
  // The library delivers the integer total as a double: print it whole.
  std::printf("%.0f\n", readSectors);
  return kExitSuccess;
}

} // namespace

const Command kEvalCommand{"eval",
                           "evaluate a counter-data image file",
                           "usage: krprof eval FILE\n",
                           "Evaluates the counter-data image in FILE with the library and prints the\n"
                           "read-sector total of its first range. When the library rejects the image,\n"
                           "prints the status it returned on standard error and exits with 1.\n",
                           {},
                           1,
                           1,
                           &runEval};

} // namespace krprof_tool
