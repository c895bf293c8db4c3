// What both benchmark programs share: the 64 MiB message, the way our
// engines are fed (8192-byte pieces, as the product reads a file), and the
// page-cached copy of the message on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engines/checksum_types.h"
#include "engines/crc32.h"
#include "engines/digest.h"

namespace ondrix::bench {

inline constexpr std::size_t kMessageBytes = std::size_t(64) << 20;
inline constexpr std::size_t kPieceBytes = TDigest::kReadBlockSize;
static_assert(kPieceBytes == 8192 && kMessageBytes % kPieceBytes == 0);

// Pseudo-random bytes (xorshift64*), the same on every run, so that no
// engine or peer meets a conveniently regular input.
inline std::vector<std::uint8_t> MakeMessage(std::size_t size = kMessageBytes) {
  std::vector<std::uint8_t> bytes(size);
  std::uint64_t x = 0x9E3779B97F4A7C15ull;
  for (std::size_t i = 0; i < size; i += 8) {
    x ^= x >> 12;
    x ^= x << 25;
    x ^= x >> 27;
    const std::uint64_t r = x * 0x2545F4914F6CDD1Dull;
    for (std::size_t k = 0; k < 8 && i + k < size; ++k) bytes[i + k] = std::uint8_t(r >> (8 * k));
  }
  return bytes;
}

// Whether this build has an engine for the row (CRC-32 always has one). The
// benchmarks skip a type without one instead of failing as a whole.
inline bool HasEngine(const ChecksumTypeInfo& type) {
  return type.IsCrc() || type.create_engine() != nullptr;
}

// The CRC register in display order: most significant byte first.
inline std::vector<std::uint8_t> CrcBytes(std::uint32_t crc) {
  return {std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8),
          std::uint8_t(crc)};
}

// Our checksum of `data`, fed in 8192-byte pieces (the last one shorter).
// `engine` is reused across calls; it must come from `type`'s factory.
inline std::vector<std::uint8_t> OurChecksum(const ChecksumTypeInfo& type, TDigest* engine,
                                             const std::uint8_t* data, std::size_t size) {
  if (type.IsCrc()) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t at = 0; at < size; at += kPieceBytes)
      crc = Crc32Update(crc, data + at, size - at < kPieceBytes ? size - at : kPieceBytes);
    return CrcBytes(~crc);
  }
  std::vector<std::uint8_t> digest(std::size_t(type.digest_bytes));
  engine->BeginDigest();
  for (std::size_t at = 0; at < size; at += kPieceBytes)
    engine->AddData(data + at, std::int64_t(size - at < kPieceBytes ? size - at : kPieceBytes));
  engine->EndDigest(digest.data());
  return digest;
}

// Writes `bytes` to `path` and reads the file back once, so that later reads
// come from the page cache and measure the engine, not the disk.
inline void WriteCachedFile(const std::filesystem::path& path,
                            const std::vector<std::uint8_t>& bytes) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
  }
  std::ifstream in(path, std::ios::binary);
  std::vector<char> chunk(1 << 20);
  std::size_t total = 0;
  while (in.read(chunk.data(), std::streamsize(chunk.size())) || in.gcount() > 0)
    total += std::size_t(in.gcount());
  if (total != bytes.size()) throw std::runtime_error("short read back of " + path.string());
}

}  // namespace ondrix::bench
