// Tiger (Anderson and Biham, 1996): 192-bit output, 3 passes, padding byte
// 0x01 as first published (the later Tiger2 pads with 0x80).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"
#include "engines/x86_paths.h"

namespace ondrix {
namespace {

constexpr std::uint64_t kSbox[4][256] = {
#include "engines/tables/tiger_sboxes.inc"
};

constexpr std::uint64_t kInitial[3] = {0x0123456789ABCDEFull, 0xFEDCBA9876543210ull,
                                       0xF096A5B4C3B2E187ull};

constexpr SelfCheckVectors kSelfCheck = {
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-",
    "f71c8583902afb879edfe610f82c0d4786a3a534504486b5",
    "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham",
    "8a866829040a410c729ad23f5ada711603b3cdd357e4c15e"};

// Byte N of a word, the index into an S-box: a shift and a zero-extension.
struct ShiftedBytes {
  template <int N>
  static std::size_t Of(std::uint64_t v) {
    return std::size_t(v >> (8 * N)) & 0xFF;
  }
};

#if ONDRIX_X86_PATHS
// The same by BMI1's bextr, one instruction instead of two for the bytes in
// the middle: the lookups of one round wait for these, and the next round
// waits for the lookups. Written in assembly because the compiler never
// picks bextr for a shift and a mask; the path is chosen only on processors
// that have it.
struct ExtractedBytes {
  template <int N>
  [[gnu::always_inline]] static std::size_t Of(std::uint64_t v) {
    if constexpr (N == 0 || N == 7) {
      return ShiftedBytes::Of<N>(v);
    } else {
      std::uint64_t byte;
      asm("bextr %2, %1, %0" : "=r"(byte) : "r"(v), "r"(std::uint64_t(8 << 8 | 8 * N)));
      return std::size_t(byte);
    }
  }
};
#endif

// One round: the even bytes of c pick from t1..t4 for a, the odd bytes from
// t4..t1 for b. Passes call it with rotated arguments.
//
// The four words of a side are combined as a tree, (t1 ^ t2) ^ (t3 ^ t4):
// left to itself the compiler folds them one after the other into a chain
// of XORs with memory operands, one step longer, and the lookups for a are
// what the next round waits for. The empty asm keeps the two halves apart.
template <class Bytes, std::uint64_t mul>
[[gnu::always_inline]] inline void Round(std::uint64_t& a, std::uint64_t& b, std::uint64_t& c,
                                         std::uint64_t x) {
  c ^= x;
  std::uint64_t even_lo = kSbox[0][Bytes::template Of<0>(c)] ^ kSbox[1][Bytes::template Of<2>(c)];
  std::uint64_t even_hi = kSbox[2][Bytes::template Of<4>(c)] ^ kSbox[3][Bytes::template Of<6>(c)];
  asm("" : "+r"(even_lo), "+r"(even_hi));
  a -= even_lo ^ even_hi;
  b += kSbox[3][Bytes::template Of<1>(c)] ^ kSbox[2][Bytes::template Of<3>(c)] ^
       kSbox[1][Bytes::template Of<5>(c)] ^ kSbox[0][Bytes::template Of<7>(c)];
  b *= mul;
}

template <class Bytes, std::uint64_t mul>
[[gnu::always_inline]] inline void Pass(std::uint64_t& a, std::uint64_t& b, std::uint64_t& c,
                                        const std::uint64_t (&x)[8]) {
  Round<Bytes, mul>(a, b, c, x[0]);
  Round<Bytes, mul>(b, c, a, x[1]);
  Round<Bytes, mul>(c, a, b, x[2]);
  Round<Bytes, mul>(a, b, c, x[3]);
  Round<Bytes, mul>(b, c, a, x[4]);
  Round<Bytes, mul>(c, a, b, x[5]);
  Round<Bytes, mul>(a, b, c, x[6]);
  Round<Bytes, mul>(b, c, a, x[7]);
}

// Mixes the message words between passes so that no pass sees sparse input.
inline void KeySchedule(std::uint64_t (&x)[8]) {
  x[0] -= x[7] ^ 0xA5A5A5A5A5A5A5A5ull;
  x[1] ^= x[0];
  x[2] += x[1];
  x[3] -= x[2] ^ (~x[1] << 19);
  x[4] ^= x[3];
  x[5] += x[4];
  x[6] -= x[5] ^ (~x[4] >> 23);
  x[7] ^= x[6];
  x[0] += x[7];
  x[1] -= x[0] ^ (~x[7] << 19);
  x[2] ^= x[1];
  x[3] += x[2];
  x[4] -= x[3] ^ (~x[2] >> 23);
  x[5] ^= x[4];
  x[6] += x[5];
  x[7] -= x[6] ^ 0x0123456789ABCDEFull;
}

struct TigerBlock {
  using Word = std::uint64_t;
  static constexpr std::size_t kBlockBytes = 64;
  static constexpr std::size_t kChainWords = 3;
  static constexpr std::uint8_t kPadByte = 0x01;
  static constexpr std::size_t kTailOffset = 56;
  static constexpr bool kBigEndianOutput = false;

  static void WriteTail(std::uint8_t* block, std::uint64_t, std::uint64_t bits_lo) {
    WriteBitCountLE64(block + 56, bits_lo);
  }

  static std::span<const EnginePath<CompressBlocksFn<Word>>> Paths() {
    static constexpr EnginePath<CompressBlocksFn<Word>> kPaths[] = {
#if ONDRIX_X86_PATHS
        {"bmi1", [](const CpuFeatures& c) { return c.bmi1; },
         &CompressEach<Word, kBlockBytes, &CompressWith<ExtractedBytes>>},
#endif
        {kPortablePath, AlwaysUsable, &CompressEach<Word, kBlockBytes, &Compress>}};
    return kPaths;
  }

  static void Compress(Word* h, const std::uint8_t* p) { CompressWith<ShiftedBytes>(h, p); }

  template <class Bytes>
  static void CompressWith(Word* h, const std::uint8_t* p) {
    std::uint64_t x[8];
    for (int i = 0; i < 8; ++i) x[i] = load64_le(p + 8 * i);
    std::uint64_t a = h[0], b = h[1], c = h[2];

    Pass<Bytes, 5>(a, b, c, x);
    KeySchedule(x);
    Pass<Bytes, 7>(c, a, b, x);
    KeySchedule(x);
    Pass<Bytes, 9>(b, c, a, x);

    // Feed-forward: each word is combined with its value before the block
    // by a different operation.
    h[0] ^= a;
    h[1] = b - h[1];
    h[2] += c;
  }
};

class TDigest_tiger final : public TBlockDigest<TigerBlock> {
 public:
  TDigest_tiger() : TBlockDigest(&TypeInfo(ChecksumType::TIGER), &kSelfCheck, kInitial, 24) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_tiger() { return std::make_unique<TDigest_tiger>(); }

}  // namespace ondrix
