// SHA-384 and SHA-512 (FIPS 180-2): the shared block function, and the two
// engines, which differ only in initial values, output length and identity.
#include "engines/sha512base.h"

#include "engines/checksum_types.h"
#include "engines/engines.h"

namespace ondrix {
namespace {

#include "engines/tables/sha2_constants.inc"

constexpr char kTwoBlockText[] =
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqr"
    "lmnopqrsmnopqrstnopqrstu";

constexpr SelfCheckVectors kSelfCheck384 = {
    "abc",
    "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded163"
    "1a8b605a43ff5bed8086072ba1e7cc2358baeca134c825a7",
    kTwoBlockText,
    "09330c33f71147e83d192fc782cd1b4753111b173b3b05d2"
    "2fa08086e3b0f712fcc7c71a557e2db966c3e9fa91746039"};

constexpr SelfCheckVectors kSelfCheck512 = {
    "abc",
    "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
    "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f",
    kTwoBlockText,
    "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018"
    "501d289e4900f7e4331b99dec4b5433ac7d329eeb6dd26545e96e55b874be909"};

inline std::uint64_t Ch(std::uint64_t x, std::uint64_t y, std::uint64_t z) {
  return z ^ (x & (y ^ z));
}
inline std::uint64_t Maj(std::uint64_t x, std::uint64_t y, std::uint64_t z) {
  return (x & y) | (z & (x | y));
}
inline std::uint64_t BigSigma0(std::uint64_t x) {
  return rotr64<28>(x) ^ rotr64<34>(x) ^ rotr64<39>(x);
}
inline std::uint64_t BigSigma1(std::uint64_t x) {
  return rotr64<14>(x) ^ rotr64<18>(x) ^ rotr64<41>(x);
}
inline std::uint64_t SmallSigma0(std::uint64_t x) {
  return rotr64<1>(x) ^ rotr64<8>(x) ^ (x >> 7);
}
inline std::uint64_t SmallSigma1(std::uint64_t x) {
  return rotr64<19>(x) ^ rotr64<61>(x) ^ (x >> 6);
}

// W[t]: the 16 message words, then each later word derived in place in a
// ring of 16, so the schedule never needs more than the block's own words.
template <int t>
inline std::uint64_t Schedule(std::uint64_t (&w)[16]) {
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
[[gnu::always_inline]] inline void Step(std::uint64_t a, std::uint64_t b, std::uint64_t c,
                                        std::uint64_t& d, std::uint64_t e, std::uint64_t f,
                                        std::uint64_t g, std::uint64_t& h, std::uint64_t (&w)[16]) {
  const std::uint64_t t1 = h + BigSigma1(e) + Ch(e, f, g) + kSha512K[t] + Schedule<t>(w);
  d += t1;
  h = t1 + BigSigma0(a) + Maj(a, b, c);
}

// Eight steps bring the working words back to their starting places.
template <int t>
[[gnu::always_inline]] inline void EightSteps(std::uint64_t (&s)[8],
                                              std::uint64_t (&w)[16]) {
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

}  // namespace

void Sha512Block::Compress(Word* h, const std::uint8_t* p) {
  std::uint64_t w[16];
  for (int i = 0; i < 16; ++i) w[i] = load64_be(p + 8 * i);
  std::uint64_t s[8] = {h[0], h[1], h[2], h[3], h[4], h[5], h[6], h[7]};

  EightSteps<0>(s, w);   EightSteps<8>(s, w);   EightSteps<16>(s, w);  EightSteps<24>(s, w);
  EightSteps<32>(s, w);  EightSteps<40>(s, w);  EightSteps<48>(s, w);  EightSteps<56>(s, w);
  EightSteps<64>(s, w);  EightSteps<72>(s, w);

  for (int i = 0; i < 8; ++i) h[i] += s[i];
}

namespace {

class TDigest_sha384 final : public TDigest_sha512base {
 public:
  TDigest_sha384()
      : TDigest_sha512base(&TypeInfo(ChecksumType::SHA384), &kSelfCheck384, kSha384Initial, 48) {}
};

class TDigest_sha512 final : public TDigest_sha512base {
 public:
  TDigest_sha512()
      : TDigest_sha512base(&TypeInfo(ChecksumType::SHA512), &kSelfCheck512, kSha512Initial, 64) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_sha384() { return std::make_unique<TDigest_sha384>(); }
std::unique_ptr<TDigest> Create_sha512() { return std::make_unique<TDigest_sha512>(); }

}  // namespace ondrix
