// Byte-order and rotation helpers. Engines read and write multi-byte words
// only through these, never through pointer casts, so the code is free of
// alignment and aliasing traps and reads the same on any host.
#pragma once

#include <cstdint>

namespace ondrix {

inline std::uint32_t load32_le(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
inline std::uint32_t load32_be(const std::uint8_t* p) {
  return std::uint32_t(p[3]) | std::uint32_t(p[2]) << 8 | std::uint32_t(p[1]) << 16 |
         std::uint32_t(p[0]) << 24;
}
inline std::uint64_t load64_le(const std::uint8_t* p) {
  return std::uint64_t(load32_le(p)) | std::uint64_t(load32_le(p + 4)) << 32;
}
inline std::uint64_t load64_be(const std::uint8_t* p) {
  return std::uint64_t(load32_be(p)) << 32 | std::uint64_t(load32_be(p + 4));
}

inline void store32_le(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
  p[2] = std::uint8_t(v >> 16);
  p[3] = std::uint8_t(v >> 24);
}
inline void store32_be(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v >> 24);
  p[1] = std::uint8_t(v >> 16);
  p[2] = std::uint8_t(v >> 8);
  p[3] = std::uint8_t(v);
}
inline void store64_le(std::uint8_t* p, std::uint64_t v) {
  store32_le(p, std::uint32_t(v));
  store32_le(p + 4, std::uint32_t(v >> 32));
}
inline void store64_be(std::uint8_t* p, std::uint64_t v) {
  store32_be(p, std::uint32_t(v >> 32));
  store32_be(p + 4, std::uint32_t(v));
}

// Overloads by word type, so block-generic code can pick the right width.
inline void store_le(std::uint8_t* p, std::uint32_t v) { store32_le(p, v); }
inline void store_le(std::uint8_t* p, std::uint64_t v) { store64_le(p, v); }
inline void store_be(std::uint8_t* p, std::uint32_t v) { store32_be(p, v); }
inline void store_be(std::uint8_t* p, std::uint64_t v) { store64_be(p, v); }

template <int N>
constexpr std::uint32_t rotl32(std::uint32_t x) {
  static_assert(N > 0 && N < 32);
  return (x << N) | (x >> (32 - N));
}
template <int N>
constexpr std::uint32_t rotr32(std::uint32_t x) {
  static_assert(N > 0 && N < 32);
  return (x >> N) | (x << (32 - N));
}
template <int N>
constexpr std::uint64_t rotr64(std::uint64_t x) {
  static_assert(N > 0 && N < 64);
  return (x >> N) | (x << (64 - N));
}
// Run-time counts, for the few algorithms whose rotation varies per step
// in a way that is clearer as data than as template arguments.
constexpr std::uint32_t rotl32(std::uint32_t x, unsigned n) {
  n &= 31;
  return n == 0 ? x : (x << n) | (x >> (32 - n));
}

}  // namespace ondrix
