// HAVAL (Zheng, Pieprzyk and Seberry, 1992) with 256-bit output and 5 passes.
//
// The "HAVAL 256,5" checksum type writes 0x80 as its first padding byte where
// published HAVAL writes 0x01, so every digest it shows differs from the
// published HAVAL-256/5 value of the same message; those 0x80 digests are what
// the type stands for. The block function, the constants and the rest of the
// tail are published HAVAL, and a second engine with the published 0x01 byte
// (engines/haval.h) shares them so the tests can hold the block function to
// the published vectors.
#include "engines/haval.h"

#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"

namespace ondrix {
namespace {

// Words 0-7 of the fraction of pi are the initial values, words 8-135 the
// step constants of passes 2 to 5.
constexpr std::uint32_t kPi[136] = {
#include "engines/tables/haval_pi.inc"
};

constexpr std::uint32_t kInitial[8] = {kPi[0], kPi[1], kPi[2], kPi[3],
                                       kPi[4], kPi[5], kPi[6], kPi[7]};

// Message word order of each pass.
constexpr std::uint8_t kOrder[5][32] = {
    {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
     16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
    {5,  14, 26, 18, 11, 28, 7,  16, 0,  23, 20, 22, 1,  10, 4,  8,
     30, 3,  21, 9,  17, 24, 29, 6,  19, 12, 15, 13, 2,  25, 31, 27},
    {19, 9,  4,  20, 28, 17, 8,  22, 29, 14, 25, 12, 24, 30, 16, 26,
     31, 15, 7,  3,  1,  0,  18, 27, 13, 6,  21, 10, 23, 11, 5,  2},
    {24, 4,  0,  14, 2,  7,  28, 23, 26, 6,  30, 20, 18, 25, 19, 3,
     22, 11, 31, 21, 8,  27, 12, 9,  1,  29, 5,  15, 17, 10, 16, 13},
    {27, 3,  21, 26, 17, 11, 20, 29, 19, 0,  12, 7,  13, 8,  31, 10,
     5,  9,  14, 30, 18, 6,  28, 24, 2,  23, 16, 22, 4,  1,  25, 15},
};

constexpr bool EveryPassReadsEveryWordOnce() {
  for (const auto& pass : kOrder) {
    std::uint32_t seen = 0;
    for (std::uint8_t w : pass) seen |= std::uint32_t(1) << w;
    if (seen != 0xFFFFFFFFu) return false;
  }
  return true;
}
static_assert(EveryPassReadsEveryWordOnce());

constexpr SelfCheckVectors kSelfCheck = {
    "abcdefghijklmnopqrstuvwxyz",
    "1a1dc8099bdaa7f35b4da4e805f1a28fee909d8dee920198185cbcaed8a10a8d",
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
    "c5647fc6c1877fff96742f27e9266b6874894f41a08f5913033d9d532aeddb39"};

using u32 = std::uint32_t;

// The five Boolean functions, each over (x6, x5, x4, x3, x2, x1, x0) as in
// the paper; written here in factored form. A step's function depends on the
// word the step before it wrote, so that word enters each form as late as
// possible: through one AND into the last XOR (F1: x3, F2: x3, F3: x4, F4:
// x2, F5: x4, which is where each pass's permutation puts it). The parentheses
// keep that order; the rest of the form is ready while the word is computed.
inline u32 F1(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return ((x1 & (x0 ^ x4)) ^ (x2 & x5) ^ x0) ^ (x3 & x6);
}
inline u32 F2(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return ((x2 & ((x4 & x5) ^ x1 ^ x6 ^ x0)) ^ (x4 & (x1 ^ x5)) ^ x0) ^ (x3 & ((x1 & x2) ^ x5));
}
inline u32 F3(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return ((x3 & ((x1 & x2) ^ x6 ^ x0)) ^ (x2 & x5) ^ x0) ^ (x1 & x4);
}
inline u32 F4(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return ((x4 & (x5 ^ (x3 | x6) ^ x1 ^ x0)) ^ (x3 & (x5 ^ x6)) ^ x0) ^
         (x2 & ((x4 & x5) ^ (x1 & x3) ^ x6));
}
inline u32 F5(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return ((x0 & ~((x1 & x2 & x3) ^ x5)) ^ (x2 & x5) ^ (x3 & x6)) ^ (x1 & x4);
}

// Each pass feeds its function the seven words through the input
// permutation phi of that pass (the 5-pass set).
inline u32 Phi1(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return F1(x3, x4, x1, x0, x5, x2, x6);
}
inline u32 Phi2(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return F2(x6, x2, x1, x0, x3, x4, x5);
}
inline u32 Phi3(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return F3(x2, x6, x0, x4, x3, x1, x5);
}
inline u32 Phi4(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return F4(x1, x5, x3, x2, x0, x4, x6);
}
inline u32 Phi5(u32 x6, u32 x5, u32 x4, u32 x3, u32 x2, u32 x1, u32 x0) {
  return F5(x2, x5, x0, x6, x4, x3, x1);
}

using Mix = u32 (*)(u32, u32, u32, u32, u32, u32, u32);

// Step constant j of pass p (0-based): none in the first pass.
constexpr u32 K(int p, int j) { return p == 0 ? 0 : kPi[8 + 32 * (p - 1) + j]; }

// One step: t7 = (phi(t6..t0) >>> 7) + (t7 >>> 11) + w + k. The sum of the
// last three does not wait for the step before, so it is formed first.
template <Mix phi>
inline void Step(u32& t7, u32 t6, u32 t5, u32 t4, u32 t3, u32 t2, u32 t1, u32 t0, u32 w, u32 k) {
  t7 = (rotr32<11>(t7) + w + k) + rotr32<7>(phi(t6, t5, t4, t3, t2, t1, t0));
}

// Steps j..j+7 of pass p: each replaces the next word down, t7 first, with
// the others passed on rotated.
template <Mix phi, int p, int j>
inline void EightSteps(u32& t0, u32& t1, u32& t2, u32& t3, u32& t4, u32& t5, u32& t6, u32& t7,
                       const u32* w) {
  Step<phi>(t7, t6, t5, t4, t3, t2, t1, t0, w[kOrder[p][j + 0]], K(p, j + 0));
  Step<phi>(t6, t5, t4, t3, t2, t1, t0, t7, w[kOrder[p][j + 1]], K(p, j + 1));
  Step<phi>(t5, t4, t3, t2, t1, t0, t7, t6, w[kOrder[p][j + 2]], K(p, j + 2));
  Step<phi>(t4, t3, t2, t1, t0, t7, t6, t5, w[kOrder[p][j + 3]], K(p, j + 3));
  Step<phi>(t3, t2, t1, t0, t7, t6, t5, t4, w[kOrder[p][j + 4]], K(p, j + 4));
  Step<phi>(t2, t1, t0, t7, t6, t5, t4, t3, w[kOrder[p][j + 5]], K(p, j + 5));
  Step<phi>(t1, t0, t7, t6, t5, t4, t3, t2, w[kOrder[p][j + 6]], K(p, j + 6));
  Step<phi>(t0, t7, t6, t5, t4, t3, t2, t1, w[kOrder[p][j + 7]], K(p, j + 7));
}

template <Mix phi, int p>
inline void Pass(u32& t0, u32& t1, u32& t2, u32& t3, u32& t4, u32& t5, u32& t6, u32& t7,
                 const u32* w) {
  EightSteps<phi, p, 0>(t0, t1, t2, t3, t4, t5, t6, t7, w);
  EightSteps<phi, p, 8>(t0, t1, t2, t3, t4, t5, t6, t7, w);
  EightSteps<phi, p, 16>(t0, t1, t2, t3, t4, t5, t6, t7, w);
  EightSteps<phi, p, 24>(t0, t1, t2, t3, t4, t5, t6, t7, w);
}

void HavalCompress(u32* h, const std::uint8_t* p) {
  u32 w[32];
  for (int i = 0; i < 32; ++i) w[i] = load32_le(p + 4 * i);
  u32 t0 = h[0], t1 = h[1], t2 = h[2], t3 = h[3], t4 = h[4], t5 = h[5], t6 = h[6], t7 = h[7];

  Pass<Phi1, 0>(t0, t1, t2, t3, t4, t5, t6, t7, w);
  Pass<Phi2, 1>(t0, t1, t2, t3, t4, t5, t6, t7, w);
  Pass<Phi3, 2>(t0, t1, t2, t3, t4, t5, t6, t7, w);
  Pass<Phi4, 3>(t0, t1, t2, t3, t4, t5, t6, t7, w);
  Pass<Phi5, 4>(t0, t1, t2, t3, t4, t5, t6, t7, w);

  h[0] += t0;
  h[1] += t1;
  h[2] += t2;
  h[3] += t3;
  h[4] += t4;
  h[5] += t5;
  h[6] += t6;
  h[7] += t7;
}

template <std::uint8_t kPad>
struct HavalBlock {
  using Word = std::uint32_t;
  static constexpr std::size_t kBlockBytes = 128;
  static constexpr std::size_t kChainWords = 8;
  static constexpr std::uint8_t kPadByte = kPad;
  static constexpr std::size_t kTailOffset = 118;
  static constexpr bool kBigEndianOutput = false;

  static void WriteTail(std::uint8_t* block, std::uint64_t, std::uint64_t bits_lo) {
    // The tail names the variant: version 1, 5 passes, 256-bit output.
    block[118] = std::uint8_t((256 % 4) << 6 | 5 << 3 | 1);  // 0x29
    block[119] = std::uint8_t(256 / 4);                       // 0x40
    WriteBitCountLE64(block + 120, bits_lo);
  }

  static void Compress(Word* h, const std::uint8_t* p) { HavalCompress(h, p); }
};

class TDigest_haval final : public TBlockDigest<HavalBlock<0x80>> {
 public:
  TDigest_haval() : TBlockDigest(&TypeInfo(ChecksumType::HAVAL), &kSelfCheck, kInitial, 32) {}
};

class THavalPublishedPadding final : public TBlockDigest<HavalBlock<0x01>> {
 public:
  // No self-check of its own: RunSelfCheck builds its instances from the
  // catalogue row, which is the 0x80 engine.
  THavalPublishedPadding() : TBlockDigest(&TypeInfo(ChecksumType::HAVAL), nullptr, kInitial, 32) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_haval() { return std::make_unique<TDigest_haval>(); }

std::unique_ptr<TDigest> CreateHavalPublishedPadding() {
  return std::make_unique<THavalPublishedPadding>();
}

}  // namespace ondrix
