// RIPEMD-160 (Dobbertin, Bosselaers, Preneel, 1996; ISO/IEC 10118-3).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"
#include "engines/ripemd_common.h"

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
inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d,
                 std::uint32_t e, const std::uint32_t (&x)[16]) {
  constexpr int f = ripemd::FunctionOf(L, R, kRounds);
  constexpr int w = ripemd::WordOf(L, R, I);
  constexpr int s = ripemd::ShiftOf(L, R, I);
  constexpr std::uint32_t k = L == Line::kLeft ? ripemd::kLeftConstant[R] : kRightConstant[R];
  a = rotl32<s>(a + ripemd::F<f>(b, c, d) + x[w] + k) + e;
  c = rotl32<10>(c);
}

// Sixteen steps. 16 = 3 × 5 + 1, so the next round starts with the roles
// shifted by one word.
template <Line L, int R>
inline void Round(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
                  std::uint32_t& e, const std::uint32_t (&x)[16]) {
  Step<L, R, 0>(a, b, c, d, e, x);   Step<L, R, 1>(e, a, b, c, d, x);
  Step<L, R, 2>(d, e, a, b, c, x);   Step<L, R, 3>(c, d, e, a, b, x);
  Step<L, R, 4>(b, c, d, e, a, x);   Step<L, R, 5>(a, b, c, d, e, x);
  Step<L, R, 6>(e, a, b, c, d, x);   Step<L, R, 7>(d, e, a, b, c, x);
  Step<L, R, 8>(c, d, e, a, b, x);   Step<L, R, 9>(b, c, d, e, a, x);
  Step<L, R, 10>(a, b, c, d, e, x);  Step<L, R, 11>(e, a, b, c, d, x);
  Step<L, R, 12>(d, e, a, b, c, x);  Step<L, R, 13>(c, d, e, a, b, x);
  Step<L, R, 14>(b, c, d, e, a, x);  Step<L, R, 15>(a, b, c, d, e, x);
}

// Eighty steps, a multiple of five: the roles end where they began.
template <Line L>
inline void Run(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
                std::uint32_t& e, const std::uint32_t (&x)[16]) {
  Round<L, 0>(a, b, c, d, e, x);
  Round<L, 1>(e, a, b, c, d, x);
  Round<L, 2>(d, e, a, b, c, x);
  Round<L, 3>(c, d, e, a, b, x);
  Round<L, 4>(b, c, d, e, a, x);
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

    std::uint32_t al = h[0], bl = h[1], cl = h[2], dl = h[3], el = h[4];
    std::uint32_t ar = al, br = bl, cr = cl, dr = dl, er = el;
    Run<Line::kLeft>(al, bl, cl, dl, el, x);
    Run<Line::kRight>(ar, br, cr, dr, er, x);

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
