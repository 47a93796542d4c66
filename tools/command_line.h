// Subcommands and their arguments: what a subcommand declares and what its
// run function receives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace krprof_tool {

enum ExitStatus : int {
  kExitSuccess = 0,
  kExitFailure = 1, // an operation failed
  kExitUsage = 2,   // the command line is wrong
};

// A wrong command line; the dispatcher prints it with the usage and exits 2.
// Any other std::exception from a run function is a failed operation (exit 1).
class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct Option {
  const char* name;      // "-o", "--as", ...
  const char* valueName; // "FILE" for an option that takes a value; null for a flag
};

class ParsedArguments {
public:
  bool has(const std::string& option) const { return options_.count(option) != 0; }
  // The option's value, or null when it was not given.
  const std::string* value(const std::string& option) const;
  const std::vector<std::string>& operands() const { return operands_; }

private:
  friend ParsedArguments parseArguments(const std::vector<std::string>&, const std::vector<Option>&, size_t,
                                        size_t);
  std::map<std::string, std::string> options_;
  std::vector<std::string> operands_;
};

// Splits `args` into the declared options and between `minOperands` and
// `maxOperands` operands; "--" ends the options. Throws UsageError for an
// undeclared option, a missing value, an option given twice or a wrong
// number of operands.
ParsedArguments parseArguments(const std::vector<std::string>& args, const std::vector<Option>& options,
                               size_t minOperands, size_t maxOperands);

// A decimal count from 1 to `max` given to `option`; throws UsageError.
uint32_t parseCount(const std::string& option, const std::string& text, uint32_t max);

struct Command {
  const char* name;
  const char* summary;     // one line for the top-level help
  const char* usage;       // "usage: krprof ..." line, with its newline
  const char* description; // the rest of the --help text
  std::vector<Option> options;
  size_t minOperands;
  size_t maxOperands;
  int (*run)(const ParsedArguments& args);
};

extern const Command kConfigImageCommand;
extern const Command kPrefixCommand;
extern const Command kEvalCommand;
extern const Command kDumpCommand;
extern const Command kCheckCommand;
extern const Command kDemoCommand;

} // namespace krprof_tool
