// SHA-256 (FIPS 180-2).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"

namespace ondrix {
namespace {

#include "engines/tables/sha2_constants.inc"

constexpr SelfCheckVectors kSelfCheck = {
    "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
    "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
    "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"};

inline std::uint32_t Ch(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return z ^ (x & (y ^ z));
}
inline std::uint32_t Maj(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  return (x & y) | (z & (x | y));
}
inline std::uint32_t BigSigma0(std::uint32_t x) {
  return rotr32<2>(x) ^ rotr32<13>(x) ^ rotr32<22>(x);
}
inline std::uint32_t BigSigma1(std::uint32_t x) {
  return rotr32<6>(x) ^ rotr32<11>(x) ^ rotr32<25>(x);
}
inline std::uint32_t SmallSigma0(std::uint32_t x) {
  return rotr32<7>(x) ^ rotr32<18>(x) ^ (x >> 3);
}
inline std::uint32_t SmallSigma1(std::uint32_t x) {
  return rotr32<17>(x) ^ rotr32<19>(x) ^ (x >> 10);
}

// W[t]: the 16 message words, then each later word derived in place in a
// ring of 16, so the schedule never needs more than the block's own words.
template <int t>
inline std::uint32_t Schedule(std::uint32_t (&w)[16]) {
  if constexpr (t >= 16)
    w[t & 15] += SmallSigma1(w[(t - 2) & 15]) + w[(t - 7) & 15] + SmallSigma0(w[(t - 15) & 15]);
  return w[t & 15];
}

// One step: d += T1, h = T1 + T2. The eight working words then move one
// place; callers rotate the arguments instead.
// Forced inline, like the groups below: the unrolled block function grows
// past the compiler's own inlining limits, and a call per step would send
// the working words through memory.
template <int t>
[[gnu::always_inline]] inline void Step(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                        std::uint32_t& d, std::uint32_t e, std::uint32_t f,
                                        std::uint32_t g, std::uint32_t& h, std::uint32_t (&w)[16]) {
  const std::uint32_t t1 = h + BigSigma1(e) + Ch(e, f, g) + kSha256K[t] + Schedule<t>(w);
  d += t1;
  h = t1 + BigSigma0(a) + Maj(a, b, c);
}

// Eight steps bring the working words back to their starting places.
template <int t>
[[gnu::always_inline]] inline void EightSteps(std::uint32_t (&s)[8],
                                              std::uint32_t (&w)[16]) {
  auto& [a, b, c, d, e, f, g, h] = s;
  Step<t>(a, b, c, d, e, f, g, h, w);
  Step<t + 1>(h, a, b, c, d, e, f, g, w);
  Step<t + 2>(g, h, a, b, c, d, e, f, w);
  Step<t + 3>(f, g, h, a, b, c, d, e, w);
  Step<t + 4>(e, f, g, h, a, b, c, d, w);
  Step<t + 5>(d, e, f, g, h, a, b, c, w);
  Step<t + 6>(c, d, e, f, g, h, a, b, w);
  Step<t + 7>(b, c, d, e, f, g, h, a, w);
}

struct Sha256Block {
  using Word = std::uint32_t;
  static constexpr std::size_t kBlockBytes = 64;
  static constexpr std::size_t kChainWords = 8;
  static constexpr std::uint8_t kPadByte = 0x80;
  static constexpr std::size_t kTailOffset = 56;
  static constexpr bool kBigEndianOutput = true;

  static void WriteTail(std::uint8_t* block, std::uint64_t, std::uint64_t bits_lo) {
    WriteBitCountBE64(block + 56, bits_lo);
  }

  static void Compress(Word* h, const std::uint8_t* p) {
    std::uint32_t w[16];
    for (int i = 0; i < 16; ++i) w[i] = load32_be(p + 4 * i);
    std::uint32_t s[8] = {h[0], h[1], h[2], h[3], h[4], h[5], h[6], h[7]};

    EightSteps<0>(s, w);   EightSteps<8>(s, w);   EightSteps<16>(s, w);  EightSteps<24>(s, w);
    EightSteps<32>(s, w);  EightSteps<40>(s, w);  EightSteps<48>(s, w);  EightSteps<56>(s, w);

    for (int i = 0; i < 8; ++i) h[i] += s[i];
  }
};

class TDigest_sha256 final : public TBlockDigest<Sha256Block> {
 public:
  TDigest_sha256()
      : TBlockDigest(&TypeInfo(ChecksumType::SHA256), &kSelfCheck, kSha256Initial, 32) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_sha256() { return std::make_unique<TDigest_sha256>(); }

}  // namespace ondrix
