// krprof: command-line access to libkrprof_host.so for authors of profiling
// tools. Dispatches to one subcommand per operation of the library.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command_line.h"

namespace krprof_tool {
namespace {

const Command* const kCommands[] = {&kConfigImageCommand, &kPrefixCommand, &kEvalCommand, &kDumpCommand,
                                    &kDemoCommand};

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
      "'krprof COMMAND --help' describes a command; 'krprof --version' prints the\n"
      "version of krprof and of the library it belongs to.\n"
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

} // namespace
} // namespace krprof_tool

int main(int argc, char** argv) {
  using namespace krprof_tool;
  if (argc < 2) {
    printTopLevelHelp(stderr);
    return kExitUsage;
  }
  const std::string name = argv[1];
  if (name == "--help" || name == "-h") {
    printTopLevelHelp(stdout);
    return kExitSuccess;
  }
  if (name == "--version") {
    std::printf("krprof %s\n", KRPROF_VERSION);
    return kExitSuccess;
  }
  const Command* command = findCommand(name);
  if (command == nullptr) {
    std::fprintf(stderr, "krprof: unknown command '%s'\n\n", name.c_str());
    printTopLevelHelp(stderr);
    return kExitUsage;
  }
  return runCommand(*command, std::vector<std::string>(argv + 2, argv + argc));
}
