// krprof: command-line access to libkrprof_host.so for authors of profiling
// tools. Dispatches to one subcommand per operation of the library.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "command_line.h"

namespace krprof_tool {
namespace {

const Command* const kCommands[] = {&kConfigImageCommand, &kPrefixCommand, &kEvalCommand,
                                    &kDumpCommand,        &kCheckCommand,  &kDemoCommand};

void printTopLevelHelp(std::FILE* stream) {
  std::fputs(
      "usage: krprof COMMAND [OPTIONS]\n"
      "\n"
      "Works with the images of the read-sector measurement of libkrprof_host.so.\n"
      "\n"
      "Commands:\n",
      stream);
  for (const Command* command : kCommands) {
    std::fprintf(stream, "  %-14s%s\n", command->name, command->summary);
  }
  std::fputs(
      "\n"
      "'krprof help COMMAND' or 'krprof COMMAND --help' describes a command;\n"
      "'krprof --version' prints the version of krprof and of the library it\n"
      "belongs to.\n"
      "Exit status: 0 on success, 1 when an operation fails, 2 on bad usage.\n",
      stream);
}

const Command* findCommand(const std::string& name) {
  for (const Command* command : kCommands) {
    if (name == command->name) return command;
  }
  return nullptr;
}

bool asksForHelp(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") return false;
    if (arg == "--help" || arg == "-h") return true;
  }
  return false;
}

int runCommand(const Command& command, const std::vector<std::string>& args) {
  if (asksForHelp(args)) {
    std::printf("%s\n%s", command.usage, command.description);
    return kExitSuccess;
  }
  try {
    return command.run(parseArguments(args, command.options, command.minOperands, command.maxOperands));
  } catch (const UsageError& error) {
    std::fprintf(stderr, "krprof %s: %s\n%s'krprof %s --help' describes the command.\n", command.name,
                 error.what(), command.usage, command.name);
    return kExitUsage;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "krprof %s: %s\n", command.name, error.what());
    return kExitFailure;
  }
}

int runKrprof(std::vector<std::string> args) {
  if (args.empty()) {
    printTopLevelHelp(stderr);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args == std::vector<std::string>{"help"}) {
    printTopLevelHelp(stdout);
    return kExitSuccess;
  }
  if (args[0] == "--version") {
    std::printf("krprof %s\n", KRPROF_VERSION);
    return kExitSuccess;
  }
  // `krprof help COMMAND` is `krprof COMMAND --help`.
  if (args[0] == "help") {
    if (args.size() > 2) {
      std::fprintf(stderr, "krprof help: unexpected operand %s\nusage: krprof help [COMMAND]\n",
                   args[2].c_str());
      return kExitUsage;
    }
    args = {args[1], "--help"};
  }
  const Command* command = findCommand(args[0]);
  if (command == nullptr) {
    std::fprintf(stderr, "krprof: unknown command '%s'\n\n", args[0].c_str());
    printTopLevelHelp(stderr);
    return kExitUsage;
  }
  return runCommand(*command, std::vector<std::string>(args.begin() + 1, args.end()));
}

} // namespace
} // namespace krprof_tool

int main(int argc, char** argv) {
  using namespace krprof_tool;
  int status = runKrprof(std::vector<std::string>(argv + 1, argv + argc));
  // Output that did not reach standard output (a full disk, a closed
  // descriptor) is a failure, not an empty success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "krprof: cannot write to standard output: %s\n", std::strerror(errno));
    if (status == kExitSuccess) status = kExitFailure;
  }
  return status;
}
