#include "command_line.h"

#include <cerrno>
#include <cstdlib>

namespace krprof_tool {
namespace {

const Option* findOption(const std::vector<Option>& options, const std::string& name) {
  for (const Option& option : options) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

bool looksLikeOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-';
}

} // namespace

const std::string* ParsedArguments::value(const std::string& option) const {
  const auto found = options_.find(option);
  return found == options_.end() ? nullptr : &found->second;
}

ParsedArguments parseArguments(const std::vector<std::string>& args, const std::vector<Option>& options,
                               size_t minOperands, size_t maxOperands) {
  ParsedArguments parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !looksLikeOption(arg)) {
      parsed.operands_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const Option* option = findOption(options, arg);
    if (option == nullptr) throw UsageError("unknown option " + arg);
    if (parsed.has(arg)) throw UsageError("option " + arg + " given twice");
    std::string value;
    if (option->valueName != nullptr) {
      if (i + 1 == args.size()) throw UsageError("option " + arg + " needs a value " + option->valueName);
      value = args[++i];
    }
    parsed.options_.emplace(arg, value);
  }
  const size_t count = parsed.operands_.size();
  if (count < minOperands) throw UsageError("missing operand");
  if (count > maxOperands) throw UsageError("unexpected operand " + parsed.operands_[maxOperands]);
  return parsed;
}

uint32_t parseCount(const std::string& option, const std::string& text, uint32_t max) {
  const std::string range = "a count from 1 to " + std::to_string(max);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
    throw UsageError(option + " takes " + range + ", not '" + text + "'");
  }
  errno = 0;
  const unsigned long long count = std::strtoull(text.c_str(), nullptr, 10);
  if (errno == ERANGE || count < 1 || count > max) {
    throw UsageError(option + " takes " + range + ", not " + text);
  }
  return static_cast<uint32_t>(count);
}

} // namespace krprof_tool
