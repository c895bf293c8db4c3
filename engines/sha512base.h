// TDigest_sha512base: what SHA-384 and SHA-512 (FIPS 180-2) share, which is
// everything but their initial values, output length and identity: the
// state with its 128-bit bit counter, AddData, WipeState and the block
// function.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engines/block_digest.h"

namespace ondrix {

struct Sha512Block {
  using Word = std::uint64_t;
  static constexpr std::size_t kBlockBytes = 128;
  static constexpr std::size_t kChainWords = 8;
  static constexpr std::uint8_t kPadByte = 0x80;
  static constexpr std::size_t kTailOffset = 112;
  static constexpr bool kBigEndianOutput = true;

  // The whole 128-bit bit count, big-endian, high half first.
  static void WriteTail(std::uint8_t* block, std::uint64_t bits_hi, std::uint64_t bits_lo) {
    store64_be(block + 112, bits_hi);
    store64_be(block + 120, bits_lo);
  }

  static void Compress(Word* h, const std::uint8_t* p);  // sha512.cpp
  static std::span<const EnginePath<CompressBlocksFn<Word>>> Paths();
};

class TDigest_sha512base : public TBlockDigest<Sha512Block> {
 protected:
  TDigest_sha512base(const ChecksumTypeInfo* type, const SelfCheckVectors* self_check,
                     const std::uint64_t (&initial)[Sha512Block::kChainWords],
                     std::size_t digest_bytes)
      : TBlockDigest(type, self_check, initial, digest_bytes) {}
};

}  // namespace ondrix
