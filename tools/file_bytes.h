// Image bytes to and from files, and their hex form for a terminal.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace krprof_tool {

using Bytes = std::vector<uint8_t>;

// Inputs are refused from this size on: the library takes images shorter
// than 2^31 bytes, and the three images are all it reads.
constexpr uint64_t kInputSizeLimit = uint64_t{1} << 31;

// An input of kInputSizeLimit bytes or more, found from its size where it
// has one, or when that many bytes have been read.
class InputTooLarge : public std::runtime_error {
public:
  InputTooLarge(const std::string& path, uint64_t size, bool sizeKnown);
  // The file's size, or kInputSizeLimit for an input read up to the limit.
  uint64_t size() const { return size_; }

private:
  uint64_t size_;
};

// Whole contents of `path`, or of standard input for "-"; throws
// InputTooLarge, or std::runtime_error naming the file and the system's
// reason when it cannot be read. Reads no byte past kInputSizeLimit.
Bytes readFileBytes(const std::string& path);

// Replaces `path` with `bytes`; throws std::runtime_error on failure.
void writeFileBytes(const std::string& path, const Bytes& bytes);

// Lowercase hex pairs separated by spaces, sixteen to a line, each line ended
// by a newline; nothing at all for no bytes.
void printHex(std::FILE* stream, const Bytes& bytes);

} // namespace krprof_tool
