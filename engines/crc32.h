// CRC-32 as used by zip, PNG and IEEE 802.3: reflected polynomial EDB88320,
// initial value and final XOR all ones.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engines/byte_stream.h"
#include "engines/engine_path.h"

namespace ondrix {

inline constexpr std::uint32_t kCrc32Polynomial = 0xEDB88320u;

constexpr std::array<std::uint32_t, 256> MakeCrc32Table() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ kCrc32Polynomial : c >> 1;
    table[i] = c;
  }
  return table;
}

inline constexpr std::array<std::uint32_t, 256> kCrc32Table = MakeCrc32Table();

// Tables for eight bytes at a time: entry [k][i] is the register after byte i
// followed by k zero bytes, so eight lookups replace eight dependent steps.
constexpr std::array<std::array<std::uint32_t, 256>, 8> MakeCrc32SliceTables() {
  std::array<std::array<std::uint32_t, 256>, 8> t{};
  t[0] = MakeCrc32Table();
  for (std::size_t k = 1; k < 8; ++k)
    for (std::size_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

// Running register form: start from 0xFFFFFFFF, invert at the end. Runs on
// the fastest path the processor has (carry-less multiplication where it
// exists), unless a path is forced (engines/engine_path.h).
std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size);
// The path Crc32Update takes now: "avx512", "pclmul" or "portable".
std::string_view Crc32PathName();
void AppendCrc32Paths(std::vector<EnginePathRow>& rows);

// Whole-buffer CRC-32.
inline std::uint32_t Crc32(const void* data, std::size_t size) {
  return ~Crc32Update(0xFFFFFFFFu, static_cast<const std::uint8_t*>(data), size);
}

// Reads `stream` from its position to its end (both asked anew before every
// block, so a growing file is read to its new end) and returns the CRC-32.
// Adds each read's byte count to `bytes_read`. When `stop` is set the loop
// ends before the next block; the caller, who set it, discards the value.
// A failed read is not absorbed: EStreamError leaves the routine.
std::uint32_t CrcOfStream(IByteStream& stream, std::atomic<std::int64_t>& bytes_read,
                          const std::atomic<bool>* stop = nullptr);

}  // namespace ondrix
