// RIPEMD-128 (Dobbertin, Bosselaers, Preneel, 1996).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"
#include "engines/ripemd_common.h"

namespace ondrix {
namespace {

using ripemd::Line;

constexpr int kRounds = 4;

// floor(2^30 × cbrt(n)) for n = 2, 3, 5, and none in the last round.
constexpr std::uint32_t kRightConstant[kRounds] = {0x50A28BE6u, 0x5C4DD124u, 0x6D703EF3u,
                                                   0x00000000u};

constexpr std::uint32_t kInitial[4] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};

constexpr SelfCheckVectors kSelfCheck = {
    "a", "86be7afa339d0fc7cfc785e72f578d33",
    "abcdefghijklmnopqrstuvwxyz", "fd2aa607f71dc8f510714922b371834e"};

// Step i of round R on one line: a = (a + f(b, c, d) + x + k) <<< s. The four
// words then change roles, which the callers express by rotating the
// arguments; sixteen steps bring them back to where the round began.
template <Line L, int R, int I>
inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                 const std::uint32_t (&x)[16]) {
  constexpr int f = ripemd::FunctionOf(L, R, kRounds);
  constexpr int w = ripemd::WordOf(L, R, I);
  constexpr int s = ripemd::ShiftOf(L, R, I);
  constexpr std::uint32_t k = L == Line::kLeft ? ripemd::kLeftConstant[R] : kRightConstant[R];
  a = rotl32<s>(a + ripemd::F<f>(b, c, d) + x[w] + k);
}

template <Line L, int R>
inline void Round(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
                  const std::uint32_t (&x)[16]) {
  Step<L, R, 0>(a, b, c, d, x);   Step<L, R, 1>(d, a, b, c, x);
  Step<L, R, 2>(c, d, a, b, x);   Step<L, R, 3>(b, c, d, a, x);
  Step<L, R, 4>(a, b, c, d, x);   Step<L, R, 5>(d, a, b, c, x);
  Step<L, R, 6>(c, d, a, b, x);   Step<L, R, 7>(b, c, d, a, x);
  Step<L, R, 8>(a, b, c, d, x);   Step<L, R, 9>(d, a, b, c, x);
  Step<L, R, 10>(c, d, a, b, x);  Step<L, R, 11>(b, c, d, a, x);
  Step<L, R, 12>(a, b, c, d, x);  Step<L, R, 13>(d, a, b, c, x);
  Step<L, R, 14>(c, d, a, b, x);  Step<L, R, 15>(b, c, d, a, x);
}

template <Line L>
inline void Run(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
                const std::uint32_t (&x)[16]) {
  Round<L, 0>(a, b, c, d, x);
  Round<L, 1>(a, b, c, d, x);
  Round<L, 2>(a, b, c, d, x);
  Round<L, 3>(a, b, c, d, x);
}

struct Ripemd128Block {
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

    std::uint32_t al = h[0], bl = h[1], cl = h[2], dl = h[3];
    std::uint32_t ar = al, br = bl, cr = cl, dr = dl;
    Run<Line::kLeft>(al, bl, cl, dl, x);
    Run<Line::kRight>(ar, br, cr, dr, x);

    const std::uint32_t t = h[1] + cl + dr;
    h[1] = h[2] + dl + ar;
    h[2] = h[3] + al + br;
    h[3] = h[0] + bl + cr;
    h[0] = t;
  }
};

class TDigest_ripemd128 final : public TBlockDigest<Ripemd128Block> {
 public:
  TDigest_ripemd128()
      : TBlockDigest(&TypeInfo(ChecksumType::RIPEMD128), &kSelfCheck, kInitial, 16) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_ripemd128() { return std::make_unique<TDigest_ripemd128>(); }

}  // namespace ondrix
