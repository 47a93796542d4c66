// Image bytes to and from files, and their hex form for a terminal.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace krprof_tool {

using Bytes = std::vector<uint8_t>;

// Whole contents of `path`; throws std::runtime_error naming the file and
// the system's reason when it cannot be read.
Bytes readFileBytes(const std::string& path);

// Replaces `path` with `bytes`; throws std::runtime_error on failure.
void writeFileBytes(const std::string& path, const Bytes& bytes);

// Lowercase hex pairs separated by spaces, sixteen to a line, each line ended
// by a newline; nothing at all for no bytes.
void printHex(std::FILE* stream, const Bytes& bytes);

} // namespace krprof_tool
