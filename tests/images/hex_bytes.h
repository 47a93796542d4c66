// Byte strings written the way the image formats list them: two hex digits per
// byte, separated by spaces ("0a 3d 0a 3b").
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace krprof_test {

// The bytes of a hex listing; spaces are skipped.
inline std::vector<uint8_t> bytesFromHex(std::string_view hex) {
  auto nibble = [hex](char digit) -> uint8_t {
    if (digit >= '0' && digit <= '9') return static_cast<uint8_t>(digit - '0');
    if (digit >= 'a' && digit <= 'f') return static_cast<uint8_t>(digit - 'a' + 10);
    throw std::invalid_argument("not a hex listing: " + std::string(hex));
  };
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < hex.size(); ++i) {
    if (hex[i] == ' ') continue;
    if (i + 1 == hex.size()) throw std::invalid_argument("odd hex digit in: " + std::string(hex));
    bytes.push_back(static_cast<uint8_t>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
    ++i;
  }
  return bytes;
}

// The listing of `size` bytes at `data`, for readable comparisons.
inline std::string hexOf(const void* data, size_t size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  const auto* bytes = static_cast<const uint8_t*>(data);
  std::string hex;
  for (size_t i = 0; i < size; ++i) {
    if (i != 0) hex += ' ';
    hex += kDigits[bytes[i] >> 4];
    hex += kDigits[bytes[i] & 0x0f];
  }
  return hex;
}

template <typename Bytes>
std::string hexOf(const Bytes& bytes) {
  return hexOf(bytes.data(), bytes.size());
}

// A listing in the one canonical spacing, so listings compare as strings.
inline std::string canonicalHex(std::string_view hex) {
  return hexOf(bytesFromHex(hex));
}

} // namespace krprof_test
