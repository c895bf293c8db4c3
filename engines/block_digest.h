// The streaming core shared by the digest engines: buffering, the bit-length
// counter and the padding skeleton live here once. An engine supplies a small
// traits struct with its block function and layout; its own file then holds
// only constants, initial values and that block function.
//
// Traits members:
//   using Word                      32- or 64-bit chaining word
//   kBlockBytes, kChainWords
//   kPadByte                        first padding byte (0x80, Tiger 0x01)
//   kTailOffset                     where the tail (length, HAVAL's extra bytes)
//                                   starts; a pad byte at or past it needs an
//                                   extra block
//   kBigEndianOutput                chaining words copied out big-endian?
//   static void Compress(Word* chain, const std::uint8_t* block)
//                                   the portable block function
//   static std::span<const EnginePath<CompressBlocksFn<Word>>> Paths()
//                                   optional: the engine's ways of compressing
//                                   runs of blocks, fastest first, portable
//                                   last; without it the portable block
//                                   function is the only path
//   static void WriteTail(std::uint8_t* block, std::uint64_t bits_hi,
//                         std::uint64_t bits_lo)
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

#include "engines/byte_order.h"
#include "engines/digest.h"
#include "engines/engine_path.h"

namespace ondrix {

// Compresses `blocks` consecutive whole blocks into the chaining values. A
// whole run in one call lets a hardware path keep its state in registers.
template <class Word>
using CompressBlocksFn = void (*)(Word* chain, const std::uint8_t* data, std::size_t blocks);

// The run form of a one-block function.
template <class Word, std::size_t kBlockBytes, void (*Block)(Word*, const std::uint8_t*)>
void CompressEach(Word* chain, const std::uint8_t* data, std::size_t blocks) {
  for (; blocks != 0; --blocks, data += kBlockBytes) Block(chain, data);
}

template <class Traits>
std::span<const EnginePath<CompressBlocksFn<typename Traits::Word>>> PathsOf() {
  using Word = typename Traits::Word;
  if constexpr (requires { Traits::Paths(); }) {
    return Traits::Paths();
  } else {
    static constexpr EnginePath<CompressBlocksFn<Word>> kOnly[] = {
        {kPortablePath, AlwaysUsable, &CompressEach<Word, Traits::kBlockBytes, &Traits::Compress>}};
    return kOnly;
  }
}

template <class Traits>
class TBlockDigest : public TDigest {
 public:
  using Word = typename Traits::Word;

  ~TBlockDigest() override {
    if (HashReady) TBlockDigest::WipeState();
  }

  void BeginDigest() override {
    WipeState();
    std::memcpy(chain_, initial_, sizeof chain_);
    HashReady = 1;
  }

  void AddData(const void* buffer, std::int64_t size) override {
    if (!HashReady) throw EDigest();
    if (size <= 0) return;
    AddBits(std::uint64_t(size));
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::uint64_t left = std::uint64_t(size);
    if (index_ != 0) {
      const std::uint64_t room = Traits::kBlockBytes - index_;
      const std::uint64_t take = left < room ? left : room;
      std::memcpy(block_ + index_, in, std::size_t(take));
      index_ += std::uint32_t(take);
      in += take;
      left -= take;
      if (index_ < Traits::kBlockBytes) return;
      ProcessBuffer();
    }
    // Whole blocks straight from the caller's memory, in one run: no copy.
    if (const std::uint64_t blocks = left / Traits::kBlockBytes) {
      path_->fn(chain_, in, std::size_t(blocks));
      in += blocks * Traits::kBlockBytes;
      left -= blocks * Traits::kBlockBytes;
    }
    if (left) {
      std::memcpy(block_, in, std::size_t(left));
      index_ = std::uint32_t(left);
    }
  }

  void EndDigest(std::uint8_t* digest) override {
    if (!HashReady) throw EDigest();
    const std::uint32_t pad_at = index_;
    block_[pad_at] = Traits::kPadByte;
    if (pad_at >= Traits::kTailOffset) ProcessBuffer();
    Traits::WriteTail(block_, bits_hi_, bits_lo_);
    ProcessBuffer();
    const std::size_t word_bytes = sizeof(Word);
    for (std::size_t i = 0; i * word_bytes < digest_bytes_; ++i) {
      std::uint8_t word[sizeof(Word)];
      if constexpr (Traits::kBigEndianOutput)
        store_be(word, chain_[i]);
      else
        store_le(word, chain_[i]);
      const std::size_t n = digest_bytes_ - i * word_bytes < word_bytes
                                ? digest_bytes_ - i * word_bytes
                                : word_bytes;
      std::memcpy(digest + i * word_bytes, word, n);
    }
    WipeState();
  }

  void WipeState() override {
    SecureWipe(&bits_hi_, sizeof bits_hi_);
    SecureWipe(&bits_lo_, sizeof bits_lo_);
    SecureWipe(&index_, sizeof index_);
    SecureWipe(chain_, sizeof chain_);
    SecureWipe(block_, sizeof block_);
    HashReady = 0;
  }

  std::string_view EnginePathName() const override { return path_->name; }
  void AppendPaths(std::vector<EnginePathRow>& rows, std::string_view key) const override {
    AppendPathRows(rows, key, PathsOf<Traits>());
  }

 protected:
  TBlockDigest(const ChecksumTypeInfo* type, const SelfCheckVectors* self_check,
               const Word (&initial)[Traits::kChainWords], std::size_t digest_bytes)
      : TDigest(type, self_check),
        initial_(initial),
        digest_bytes_(digest_bytes),
        path_(&PickPath(PathsOf<Traits>())) {}

 private:
  void AddBits(std::uint64_t bytes) {
    // 8 × bytes as a 128-bit quantity: the top three bits carry over.
    const std::uint64_t lo_add = bytes << 3;
    const std::uint64_t old = bits_lo_;
    bits_lo_ += lo_add;
    bits_hi_ += (bytes >> 61) + (bits_lo_ < old ? 1 : 0);
  }

  void ProcessBuffer() {
    path_->fn(chain_, block_, 1);
    index_ = 0;
    std::memset(block_, 0, sizeof block_);
  }

  const Word (&initial_)[Traits::kChainWords];
  const std::size_t digest_bytes_;
  // Chosen when the engine is made, from what the processor offers.
  const EnginePath<CompressBlocksFn<Word>>* const path_;
  // Engine state, in the order the engines declare it.
  std::uint64_t bits_hi_ = 0, bits_lo_ = 0;
  std::uint32_t index_ = 0;
  Word chain_[Traits::kChainWords] = {};
  std::uint8_t block_[Traits::kBlockBytes] = {};
};

// Tail writers shared by several engines.
inline void WriteBitCountLE64(std::uint8_t* at, std::uint64_t bits_lo) { store64_le(at, bits_lo); }
inline void WriteBitCountBE64(std::uint8_t* at, std::uint64_t bits_lo) { store64_be(at, bits_lo); }

}  // namespace ondrix
