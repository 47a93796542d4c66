#include "file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <sys/stat.h>

namespace krprof_tool {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::runtime_error fileError(const char* action, const std::string& path, int error) {
  return std::runtime_error(std::string("cannot ") + action + " " + path + ": " + std::strerror(error));
}

File openFile(const std::string& path, const char* mode, const char* action) {
  File file(std::fopen(path.c_str(), mode), &std::fclose);
  if (!file) throw fileError(action, path, errno);
  return file;
}

} // namespace

InputTooLarge::InputTooLarge(const std::string& path, uint64_t size, bool sizeKnown)
    : std::runtime_error(path + ": too large: " + (sizeKnown ? "" : "at least ") + std::to_string(size) +
                         " bytes, where the library takes images shorter than 2^31 bytes"),
      size_(size) {}

Bytes readFileBytes(const std::string& path) {
  const bool standardInput = path == "-";
  File file = standardInput ? File(stdin, [](std::FILE*) { return 0; }) : openFile(path, "rb", "read");
  Bytes bytes;
  struct stat status;
  if (fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode)) {
    const auto size = static_cast<uint64_t>(status.st_size);
    if (size >= kInputSizeLimit) throw InputTooLarge(path, size, true);
    bytes.reserve(size);
  }
  // Pipes and devices have no size: reading stops at the limit.
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, std::min<uint64_t>(sizeof chunk, kInputSizeLimit - bytes.size()),
                           file.get())) > 0) {
    if (bytes.size() + got == kInputSizeLimit) throw InputTooLarge(path, kInputSizeLimit, false);
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) throw fileError("read", path, errno);
  return bytes;
}

void writeFileBytes(const std::string& path, const Bytes& bytes) {
  File file = openFile(path, "wb", "write");
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    throw fileError("write", path, errno);
  }
  // Closing flushes: a full disk shows up here, not at the write.
  if (std::fclose(file.release()) != 0) throw fileError("write", path, errno);
}

void printHex(std::FILE* stream, const Bytes& bytes) {
  constexpr size_t kBytesPerLine = 16;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const bool endsLine = (i + 1) % kBytesPerLine == 0 || i + 1 == bytes.size();
    std::fprintf(stream, "%02x%c", bytes[i], endsLine ? '\n' : ' ');
  }
}

} // namespace krprof_tool
