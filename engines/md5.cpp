// MD5 (RFC 1321).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"

namespace ondrix {
namespace {

constexpr std::uint32_t kSine[64] = {
#include "engines/tables/md5_sine.inc"
};

constexpr std::uint32_t kInitial[4] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};

constexpr SelfCheckVectors kSelfCheck = {
    "abc", "900150983cd24fb0d6963f7d28e17f72",
    "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"};

inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return z ^ (x & (y ^ z)); }
// x, the word the step before produced, comes last: one operation on the
// critical path instead of two.
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (y ^ z) ^ x; }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

// One step: a = b + ((a + f(b, c, d) + x + t) <<< s). Rounds call it with
// rotated arguments instead of shuffling the four words. The sum of the
// words known early is formed first, so only f waits for the step before.
template <std::uint32_t (*f)(std::uint32_t, std::uint32_t, std::uint32_t), int s>
[[gnu::always_inline]] inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t c,
                                        std::uint32_t d, std::uint32_t x, std::uint32_t t) {
  a = b + rotl32<s>((a + x + t) + f(b, c, d));
}

// Round 2 adds G = (b & d) | (c & ~d) as two halves: they share no bits, so OR is
// addition, and the half without b, (c & ~d), joins before b is known.
template <int s>
[[gnu::always_inline]] inline void StepG(std::uint32_t& a, std::uint32_t b, std::uint32_t c,
                                         std::uint32_t d, std::uint32_t x, std::uint32_t t) {
  a = b + rotl32<s>(((a + x + t) + (c & ~d)) + (b & d));
}

struct Md5Block {
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

    Step<F, 7>(a, b, c, d, x[0], kSine[0]);     Step<F, 12>(d, a, b, c, x[1], kSine[1]);
    Step<F, 17>(c, d, a, b, x[2], kSine[2]);    Step<F, 22>(b, c, d, a, x[3], kSine[3]);
    Step<F, 7>(a, b, c, d, x[4], kSine[4]);     Step<F, 12>(d, a, b, c, x[5], kSine[5]);
    Step<F, 17>(c, d, a, b, x[6], kSine[6]);    Step<F, 22>(b, c, d, a, x[7], kSine[7]);
    Step<F, 7>(a, b, c, d, x[8], kSine[8]);     Step<F, 12>(d, a, b, c, x[9], kSine[9]);
    Step<F, 17>(c, d, a, b, x[10], kSine[10]);  Step<F, 22>(b, c, d, a, x[11], kSine[11]);
    Step<F, 7>(a, b, c, d, x[12], kSine[12]);   Step<F, 12>(d, a, b, c, x[13], kSine[13]);
    Step<F, 17>(c, d, a, b, x[14], kSine[14]);  Step<F, 22>(b, c, d, a, x[15], kSine[15]);

    StepG<5>(a, b, c, d, x[1], kSine[16]);    StepG<9>(d, a, b, c, x[6], kSine[17]);
    StepG<14>(c, d, a, b, x[11], kSine[18]);  StepG<20>(b, c, d, a, x[0], kSine[19]);
    StepG<5>(a, b, c, d, x[5], kSine[20]);    StepG<9>(d, a, b, c, x[10], kSine[21]);
    StepG<14>(c, d, a, b, x[15], kSine[22]);  StepG<20>(b, c, d, a, x[4], kSine[23]);
    StepG<5>(a, b, c, d, x[9], kSine[24]);    StepG<9>(d, a, b, c, x[14], kSine[25]);
    StepG<14>(c, d, a, b, x[3], kSine[26]);   StepG<20>(b, c, d, a, x[8], kSine[27]);
    StepG<5>(a, b, c, d, x[13], kSine[28]);   StepG<9>(d, a, b, c, x[2], kSine[29]);
    StepG<14>(c, d, a, b, x[7], kSine[30]);   StepG<20>(b, c, d, a, x[12], kSine[31]);

    Step<H, 4>(a, b, c, d, x[5], kSine[32]);    Step<H, 11>(d, a, b, c, x[8], kSine[33]);
    Step<H, 16>(c, d, a, b, x[11], kSine[34]);  Step<H, 23>(b, c, d, a, x[14], kSine[35]);
    Step<H, 4>(a, b, c, d, x[1], kSine[36]);    Step<H, 11>(d, a, b, c, x[4], kSine[37]);
    Step<H, 16>(c, d, a, b, x[7], kSine[38]);   Step<H, 23>(b, c, d, a, x[10], kSine[39]);
    Step<H, 4>(a, b, c, d, x[13], kSine[40]);   Step<H, 11>(d, a, b, c, x[0], kSine[41]);
    Step<H, 16>(c, d, a, b, x[3], kSine[42]);   Step<H, 23>(b, c, d, a, x[6], kSine[43]);
    Step<H, 4>(a, b, c, d, x[9], kSine[44]);    Step<H, 11>(d, a, b, c, x[12], kSine[45]);
    Step<H, 16>(c, d, a, b, x[15], kSine[46]);  Step<H, 23>(b, c, d, a, x[2], kSine[47]);

    Step<I, 6>(a, b, c, d, x[0], kSine[48]);    Step<I, 10>(d, a, b, c, x[7], kSine[49]);
    Step<I, 15>(c, d, a, b, x[14], kSine[50]);  Step<I, 21>(b, c, d, a, x[5], kSine[51]);
    Step<I, 6>(a, b, c, d, x[12], kSine[52]);   Step<I, 10>(d, a, b, c, x[3], kSine[53]);
    Step<I, 15>(c, d, a, b, x[10], kSine[54]);  Step<I, 21>(b, c, d, a, x[1], kSine[55]);
    Step<I, 6>(a, b, c, d, x[8], kSine[56]);    Step<I, 10>(d, a, b, c, x[15], kSine[57]);
    Step<I, 15>(c, d, a, b, x[6], kSine[58]);   Step<I, 21>(b, c, d, a, x[13], kSine[59]);
    Step<I, 6>(a, b, c, d, x[4], kSine[60]);    Step<I, 10>(d, a, b, c, x[11], kSine[61]);
    Step<I, 15>(c, d, a, b, x[2], kSine[62]);   Step<I, 21>(b, c, d, a, x[9], kSine[63]);

    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
  }
};

class TDigest_md5 final : public TBlockDigest<Md5Block> {
 public:
  TDigest_md5() : TBlockDigest(&TypeInfo(ChecksumType::MD5), &kSelfCheck, kInitial, 16) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_md5() { return std::make_unique<TDigest_md5>(); }

}  // namespace ondrix
