// `krprof config-image` and `krprof prefix`: the library's two fixed images.

#include <cstdio>

#include "command_line.h"
#include "file_bytes.h"
#include "host_calls.h"

namespace krprof_tool {
namespace {

int emitImage(Bytes (*fetch)(), const ParsedArguments& args) {
  const Bytes image = fetch();
  if (const std::string* output = args.value("-o")) {
    writeFileBytes(*output, image);
  } else {
    printHex(stdout, image);
  }
  return kExitSuccess;
}

int runConfigImage(const ParsedArguments& args) {
  return emitImage(&fetchConfigImage, args);
}

int runPrefix(const ParsedArguments& args) {
  return emitImage(&fetchCounterDataPrefix, args);
}

} // namespace

const Command kConfigImageCommand{
    "config-image",
    "the configuration image of the measurement",
    "usage: krprof config-image [-o FILE]\n",
    "Gets the configuration image of the read-sector measurement from the library\n"
    "(size query, then copy) and writes it to FILE as raw bytes, or to standard\n"
    "output as hex, sixteen bytes a line.\n"
    "\n"
    "  -o FILE   write the raw image to FILE\n",
    {{"-o", "FILE"}},
    0,
    0,
    &runConfigImage};

const Command kPrefixCommand{"prefix",
                             "the counter-data prefix of the measurement",
                             "usage: krprof prefix [-o FILE]\n",
                             "Gets the counter-data prefix of the read-sector measurement from the library\n"
                             "(size query, then copy) and writes it to FILE as raw bytes, or to standard\n"
                             "output as hex, sixteen bytes a line.\n"
                             "\n"
                             "  -o FILE   write the raw prefix to FILE\n",
                             {{"-o", "FILE"}},
                             0,
                             0,
                             &runPrefix};

} // namespace krprof_tool
