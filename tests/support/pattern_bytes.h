// Test bytes of any length. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ondrix::test {

// Bytes that differ from block to block, so a skipped or repeated block
// changes every digest.
inline std::string PatternBytes(std::size_t size, std::uint32_t seed = 1) {
  std::string bytes(size, '\0');
  std::uint32_t x = seed * 2654435761u + 1;
  for (char& c : bytes) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = char(x >> 24);
  }
  return bytes;
}

}  // namespace ondrix::test
