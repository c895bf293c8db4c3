// RIPEMD-160 (Dobbertin, Bosselaers, Preneel, 1996; ISO/IEC 10118-3).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"
#include "engines/ripemd_common.h"

#include <utility>

namespace ondrix {
namespace {

using ripemd::Line;

constexpr int kRounds = 5;

// floor(2^30 × cbrt(n)) for n = 2, 3, 5, 7, and none in the last round.
constexpr std::uint32_t kRightConstant[kRounds] = {0x50A28BE6u, 0x5C4DD124u, 0x6D703EF3u,
                                                   0x7A6D76E9u, 0x00000000u};

constexpr std::uint32_t kInitial[5] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u,
                                       0xC3D2E1F0u};

constexpr SelfCheckVectors kSelfCheck = {
    "a", "0bdc9d2d256b3ee9daae347be6f4dc835a467ffe",
    "abcdefghijklmnopqrstuvwxyz", "f71c27109c692c1b56bbdceb5b9d2865b3708dbc"};

// Step i of round R on one line: a = (a + f(b, c, d) + x + k) <<< s + e, and
// c <<<= 10. The five words then change roles, which the callers express by
// rotating the arguments rather than by moving values.
template <Line L, int R, int I>
[[gnu::always_inline]] inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d,
                 std::uint32_t e, const std::uint32_t (&x)[16]) {
  constexpr int f = ripemd::FunctionOf(L, R, kRounds);
  constexpr int w = ripemd::WordOf(L, R, I);
  constexpr int s = ripemd::ShiftOf(L, R, I);
  constexpr std::uint32_t k = L == Line::kLeft ? ripemd::kLeftConstant[R] : kRightConstant[R];
  // The words off the critical path (a, the message word, the constant)
  // first; the new b of the step before joins last.
  a = rotl32<s>(ripemd::AddF<f>(a + x[w] + k, b, c, d)) + e;
  c = rotl32<10>(c);
}

// Step t (0..79) of one line on its five words: step t gives word
// (j - t) mod 5 the role of the j-th argument, so after eighty steps every
// word is back in its place.
template <Line L, int t>
[[gnu::always_inline]] inline void StepOf(std::uint32_t (&s)[5], const std::uint32_t (&x)[16]) {
  constexpr int r = t % 5;
  Step<L, t / 16, t % 16>(s[(5 - r) % 5], s[(6 - r) % 5], s[(7 - r) % 5], s[(8 - r) % 5],
                          s[(9 - r) % 5], x);
}

// The two lines step by step side by side: they are independent, so the
// processor works on both at once instead of waiting on one chain.
template <int... t>
[[gnu::always_inline]] inline void BothLines(std::uint32_t (&left)[5], std::uint32_t (&right)[5],
                                             const std::uint32_t (&x)[16],
                                             std::integer_sequence<int, t...>) {
  ((StepOf<Line::kLeft, t>(left, x), StepOf<Line::kRight, t>(right, x)), ...);
}

struct Ripemd160Block {
  using Word = std::uint32_t;
  static constexpr std::size_t kBlockBytes = 64;
  static constexpr std::size_t kChainWords = 5;
  static constexpr std::uint8_t kPadByte = 0x80;
  static constexpr std::size_t kTailOffset = 56;
  static constexpr bool kBigEndianOutput = false;

  static void WriteTail(std::uint8_t* block, std::uint64_t, std::uint64_t bits_lo) {
    WriteBitCountLE64(block + 56, bits_lo);
  }

  static void Compress(Word* h, const std::uint8_t* p) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = load32_le(p + 4 * i);

    std::uint32_t l[5] = {h[0], h[1], h[2], h[3], h[4]};
    std::uint32_t r[5] = {h[0], h[1], h[2], h[3], h[4]};
    BothLines(l, r, x, std::make_integer_sequence<int, 80>());
    const std::uint32_t al = l[0], bl = l[1], cl = l[2], dl = l[3], el = l[4];
    const std::uint32_t ar = r[0], br = r[1], cr = r[2], dr = r[3], er = r[4];

    const std::uint32_t t = h[1] + cl + dr;
    h[1] = h[2] + dl + er;
    h[2] = h[3] + el + ar;
    h[3] = h[4] + al + br;
    h[4] = h[0] + bl + cr;
    h[0] = t;
  }
};

class TDigest_ripemd160 final : public TBlockDigest<Ripemd160Block> {
 public:
  TDigest_ripemd160()
      : TBlockDigest(&TypeInfo(ChecksumType::RIPEMD160), &kSelfCheck, kInitial, 20) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_ripemd160() { return std::make_unique<TDigest_ripemd160>(); }

}  // namespace ondrix
