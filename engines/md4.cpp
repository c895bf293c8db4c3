// MD4 (RFC 1320).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"

namespace ondrix {
namespace {

// Added in rounds 2 and 3: floor(2^30 × sqrt(2)) and floor(2^30 × sqrt(3)).
constexpr std::uint32_t kRound2 = 0x5A827999u;
constexpr std::uint32_t kRound3 = 0x6ED9EBA1u;

constexpr std::uint32_t kInitial[4] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};

constexpr SelfCheckVectors kSelfCheck = {
    "abc", "a448017aaf21d8525fc10ae87aa6729d",
    "abcdefghijklmnopqrstuvwxyz", "d79e1c308aa5bbcdeea8ed63df412da9"};

inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return z ^ (x & (y ^ z)); }
// x, the word the step before produced, comes last: one operation on the
// critical path instead of two.
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (y ^ z) ^ x; }

// One step: a = (a + f(b, c, d) + x + t) <<< s. Rounds call it with rotated
// arguments instead of shuffling the four words. The sum of the words known
// early is formed first, so only f waits for the step before.
template <std::uint32_t (*f)(std::uint32_t, std::uint32_t, std::uint32_t), int s>
[[gnu::always_inline]] inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t c,
                                        std::uint32_t d, std::uint32_t x, std::uint32_t t) {
  a = rotl32<s>((a + x + t) + f(b, c, d));
}

// Round 2 adds the majority, (b & c) | (b & d) | (c & d), in two parts that share no bits, so OR is
// addition: (c & d) joins before b is known, b & (c ^ d) after.
template <int s>
[[gnu::always_inline]] inline void StepG(std::uint32_t& a, std::uint32_t b, std::uint32_t c,
                                         std::uint32_t d, std::uint32_t x, std::uint32_t t) {
  a = rotl32<s>(((a + x + t) + (c & d)) + (b & (c ^ d)));
}

struct Md4Block {
  using Word = std::uint32_t;
  static constexpr std::size_t kBlockBytes = 64;
  static constexpr std::size_t kChainWords = 4;
  static constexpr std::uint8_t kPadByte = 0x80;
  static constexpr std::size_t kTailOffset = 56;
  static constexpr bool kBigEndianOutput = false;

  static void WriteTail(std::uint8_t* block, std::uint64_t, std::uint64_t bits_lo) {
    WriteBitCountLE64(block + 56, bits_lo);
  }

  static void Compress(Word* h, const std::uint8_t* p) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = load32_le(p + 4 * i);
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3];

    Step<F, 3>(a, b, c, d, x[0], 0);    Step<F, 7>(d, a, b, c, x[1], 0);
    Step<F, 11>(c, d, a, b, x[2], 0);   Step<F, 19>(b, c, d, a, x[3], 0);
    Step<F, 3>(a, b, c, d, x[4], 0);    Step<F, 7>(d, a, b, c, x[5], 0);
    Step<F, 11>(c, d, a, b, x[6], 0);   Step<F, 19>(b, c, d, a, x[7], 0);
    Step<F, 3>(a, b, c, d, x[8], 0);    Step<F, 7>(d, a, b, c, x[9], 0);
    Step<F, 11>(c, d, a, b, x[10], 0);  Step<F, 19>(b, c, d, a, x[11], 0);
    Step<F, 3>(a, b, c, d, x[12], 0);   Step<F, 7>(d, a, b, c, x[13], 0);
    Step<F, 11>(c, d, a, b, x[14], 0);  Step<F, 19>(b, c, d, a, x[15], 0);

    StepG<3>(a, b, c, d, x[0], kRound2);   StepG<5>(d, a, b, c, x[4], kRound2);
    StepG<9>(c, d, a, b, x[8], kRound2);   StepG<13>(b, c, d, a, x[12], kRound2);
    StepG<3>(a, b, c, d, x[1], kRound2);   StepG<5>(d, a, b, c, x[5], kRound2);
    StepG<9>(c, d, a, b, x[9], kRound2);   StepG<13>(b, c, d, a, x[13], kRound2);
    StepG<3>(a, b, c, d, x[2], kRound2);   StepG<5>(d, a, b, c, x[6], kRound2);
    StepG<9>(c, d, a, b, x[10], kRound2);  StepG<13>(b, c, d, a, x[14], kRound2);
    StepG<3>(a, b, c, d, x[3], kRound2);   StepG<5>(d, a, b, c, x[7], kRound2);
    StepG<9>(c, d, a, b, x[11], kRound2);  StepG<13>(b, c, d, a, x[15], kRound2);

    Step<H, 3>(a, b, c, d, x[0], kRound3);   Step<H, 9>(d, a, b, c, x[8], kRound3);
    Step<H, 11>(c, d, a, b, x[4], kRound3);  Step<H, 15>(b, c, d, a, x[12], kRound3);
    Step<H, 3>(a, b, c, d, x[2], kRound3);   Step<H, 9>(d, a, b, c, x[10], kRound3);
    Step<H, 11>(c, d, a, b, x[6], kRound3);  Step<H, 15>(b, c, d, a, x[14], kRound3);
    Step<H, 3>(a, b, c, d, x[1], kRound3);   Step<H, 9>(d, a, b, c, x[9], kRound3);
    Step<H, 11>(c, d, a, b, x[5], kRound3);  Step<H, 15>(b, c, d, a, x[13], kRound3);
    Step<H, 3>(a, b, c, d, x[3], kRound3);   Step<H, 9>(d, a, b, c, x[11], kRound3);
    Step<H, 11>(c, d, a, b, x[7], kRound3);  Step<H, 15>(b, c, d, a, x[15], kRound3);

    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
  }
};

class TDigest_md4 final : public TBlockDigest<Md4Block> {
 public:
  TDigest_md4() : TBlockDigest(&TypeInfo(ChecksumType::MD4), &kSelfCheck, kInitial, 16) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_md4() { return std::make_unique<TDigest_md4>(); }

}  // namespace ondrix
