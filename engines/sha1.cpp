// SHA-1 (FIPS 180).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"
#include "engines/x86_paths.h"

namespace ondrix {
namespace {

constexpr std::uint32_t kInitial[5] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u,
                                       0xC3D2E1F0u};

constexpr SelfCheckVectors kSelfCheck = {
    "abc", "a9993e364706816aba3e25717850c26c9cd0d89d",
    "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
    "84983e441c3bd26ebaae4aa1f95129e5e54670f1"};

inline std::uint32_t Ch(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return z ^ (x & (y ^ z));
}
inline std::uint32_t Parity(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return x ^ y ^ z;
}
inline std::uint32_t Maj(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (x & y) | (z & (x | y));
}

// Per group of 20 steps: the round function and its constant, the leading
// bits of the square roots of 2, 3, 5 and 10.
template <int t>
inline std::uint32_t RoundFunction(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  if constexpr (t < 20) return Ch(x, y, z);
  else if constexpr (t < 40 || t >= 60) return Parity(x, y, z);
  else return Maj(x, y, z);
}
template <int t>
constexpr std::uint32_t kRoundConstant = t < 20 ? 0x5A827999u
                                       : t < 40 ? 0x6ED9EBA1u
                                       : t < 60 ? 0x8F1BBCDCu
                                                : 0xCA62C1D6u;

// W[t]: the 16 message words, then each later word derived in place in a
// ring of 16, so the schedule never needs more than the block's own words.
template <int t>
inline std::uint32_t Schedule(std::uint32_t (&w)[16]) {
  if constexpr (t >= 16)
    w[t & 15] = rotl32<1>(w[(t - 3) & 15] ^ w[(t - 8) & 15] ^ w[(t - 14) & 15] ^ w[t & 15]);
  return w[t & 15];
}

// One step: e += (a <<< 5) + f(b, c, d) + K + W[t], b <<<= 30. The five
// working words then move one place; callers rotate the arguments instead.
// Forced inline, like the groups below: the unrolled block function grows
// past the compiler's own inlining limits, and a call per step would send
// the working words through memory.
template <int t>
[[gnu::always_inline]] inline void Step(std::uint32_t a, std::uint32_t& b, std::uint32_t c,
                                        std::uint32_t d, std::uint32_t& e,
                                        std::uint32_t (&w)[16]) {
  e += rotl32<5>(a) + RoundFunction<t>(b, c, d) + kRoundConstant<t> + Schedule<t>(w);
  b = rotl32<30>(b);
}

// Five steps bring the working words back to their starting places.
template <int t>
[[gnu::always_inline]] inline void FiveSteps(std::uint32_t& a, std::uint32_t& b,
                                             std::uint32_t& c, std::uint32_t& d,
                                             std::uint32_t& e, std::uint32_t (&w)[16]) {
  Step<t>(a, b, c, d, e, w);
  Step<t + 1>(e, a, b, c, d, w);
  Step<t + 2>(d, e, a, b, c, w);
  Step<t + 3>(c, d, e, a, b, w);
  Step<t + 4>(b, c, d, e, a, w);
}

struct Sha1Block {
  using Word = std::uint32_t;
  static constexpr std::size_t kBlockBytes = 64;
  static constexpr std::size_t kChainWords = 5;
  static constexpr std::uint8_t kPadByte = 0x80;
  static constexpr std::size_t kTailOffset = 56;
  static constexpr bool kBigEndianOutput = true;

  static void WriteTail(std::uint8_t* block, std::uint64_t, std::uint64_t bits_lo) {
    WriteBitCountBE64(block + 56, bits_lo);
  }

  static std::span<const EnginePath<CompressBlocksFn<Word>>> Paths() {
    static constexpr EnginePath<CompressBlocksFn<Word>> kPaths[] = {
#if ONDRIX_X86_PATHS
        {"shani", [](const CpuFeatures& c) { return c.sha; }, &Sha1CompressShaNi},
#endif
        {kPortablePath, AlwaysUsable, &CompressEach<Word, kBlockBytes, &Compress>}};
    return kPaths;
  }

  static void Compress(Word* h, const std::uint8_t* p) {
    std::uint32_t w[16];
    for (int i = 0; i < 16; ++i) w[i] = load32_be(p + 4 * i);
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];

    FiveSteps<0>(a, b, c, d, e, w);   FiveSteps<5>(a, b, c, d, e, w);
    FiveSteps<10>(a, b, c, d, e, w);  FiveSteps<15>(a, b, c, d, e, w);
    FiveSteps<20>(a, b, c, d, e, w);  FiveSteps<25>(a, b, c, d, e, w);
    FiveSteps<30>(a, b, c, d, e, w);  FiveSteps<35>(a, b, c, d, e, w);
    FiveSteps<40>(a, b, c, d, e, w);  FiveSteps<45>(a, b, c, d, e, w);
    FiveSteps<50>(a, b, c, d, e, w);  FiveSteps<55>(a, b, c, d, e, w);
    FiveSteps<60>(a, b, c, d, e, w);  FiveSteps<65>(a, b, c, d, e, w);
    FiveSteps<70>(a, b, c, d, e, w);  FiveSteps<75>(a, b, c, d, e, w);

    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
    h[4] += e;
  }
};

class TDigest_sha1 final : public TBlockDigest<Sha1Block> {
 public:
  TDigest_sha1() : TBlockDigest(&TypeInfo(ChecksumType::SHA1), &kSelfCheck, kInitial, 20) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_sha1() { return std::make_unique<TDigest_sha1>(); }

}  // namespace ondrix
