// CRC-32 by folding with carry-less multiplication. The data is taken 16 (or
// 64) bytes per register; a register is moved D bits further down the message
// by multiplying its two halves by x^(D+32) and x^(D-32) mod P, which leaves a
// value with the same remainder, and XORed onto the data D bits later. At the
// end one register is left, reduced to 32 bits by one more fold and a Barrett
// reduction. Bits are reflected throughout, like the register itself.
#include "engines/x86_paths.h"

#if ONDRIX_X86_PATHS
#include <immintrin.h>

#include "engines/crc32.h"

// GCC 12's AVX-512 intrinsics fill unused operands with an "undefined"
// value that its own flow analysis then reports as uninitialised.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace ondrix {
namespace {

// Reflected x^n mod P, shifted left by one: the form the reflected
// multiplication needs.
constexpr std::uint64_t FoldConstant(int n) {
  std::uint64_t r = 1;  // x^0
  for (int i = 0; i < n; ++i) {
    r <<= 1;
    if (r & (std::uint64_t(1) << 32)) r ^= 0x104C11DB7ull;
  }
  std::uint64_t reflected = 0;
  for (int bit = 0; bit < 32; ++bit)
    if (r & (std::uint64_t(1) << bit)) reflected |= std::uint64_t(1) << (31 - bit);
  return reflected << 1;
}

// The well-known 4 × 128-bit folding constants, as a check on the formula.
static_assert(FoldConstant(4 * 128 + 32) == 0x154442BD4ull);
static_assert(FoldConstant(4 * 128 - 32) == 0x1C6E41596ull);
static_assert(FoldConstant(128 + 32) == 0x1751997D0ull);
static_assert(FoldConstant(128 - 32) == 0x0CCAA009Eull);
static_assert(FoldConstant(64) == 0x163CD6124ull);

// Barrett reduction: P reflected (33 bits) and floor(x^64 / P) reflected.
constexpr std::uint64_t kPolyReflected = 0x1DB710641ull;
constexpr std::uint64_t kMuReflected = 0x1F7011641ull;

#define ONDRIX_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))
#define ONDRIX_AVX512_TARGET \
  __attribute__((target("avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1")))

// The pair for folding by D bits, computed at compile time: the low half
// times the constant for D + 32, the high half times the one for D - 32.
template <int D>
struct FoldPair {
  static constexpr long long lo = static_cast<long long>(FoldConstant(D + 32));
  static constexpr long long hi = static_cast<long long>(FoldConstant(D - 32));
};

template <int D>
ONDRIX_CLMUL_TARGET inline __m128i FoldConstants128() {
  return _mm_set_epi64x(FoldPair<D>::hi, FoldPair<D>::lo);
}

template <int D>
ONDRIX_AVX512_TARGET inline __m512i FoldConstants512() {
  return _mm512_set_epi64(FoldPair<D>::hi, FoldPair<D>::lo, FoldPair<D>::hi, FoldPair<D>::lo,
                          FoldPair<D>::hi, FoldPair<D>::lo, FoldPair<D>::hi, FoldPair<D>::lo);
}

constexpr long long kReduce96 = static_cast<long long>(FoldConstant(128 - 32));
constexpr long long kReduce64 = static_cast<long long>(FoldConstant(64));

ONDRIX_CLMUL_TARGET inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  const __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
  const __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(lo, hi), next);
}

ONDRIX_CLMUL_TARGET inline __m128i Load128(const std::uint8_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// 128 bits, already folded onto the end of the data, to the 32-bit register.
ONDRIX_CLMUL_TARGET inline std::uint32_t Reduce128(__m128i x) {
  const __m128i low32 = _mm_set_epi32(0, 0, 0, -1);
  // 128 -> 96 bits: the low half moves 64 bits on (appending 32 zero bits).
  const __m128i k96 = _mm_set_epi64x(kReduce96, 0);
  x = _mm_xor_si128(_mm_srli_si128(x, 8), _mm_clmulepi64_si128(x, k96, 0x10));
  // 96 -> 64 bits.
  const __m128i k64 = _mm_set_epi64x(0, kReduce64);
  x = _mm_xor_si128(_mm_srli_si128(x, 4), _mm_clmulepi64_si128(_mm_and_si128(x, low32), k64, 0x00));
  // Barrett: 64 -> 32 bits.
  const __m128i barrett = _mm_set_epi64x(static_cast<long long>(kMuReflected),
                                         static_cast<long long>(kPolyReflected));
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, low32), barrett, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), barrett, 0x00);
  return std::uint32_t(_mm_extract_epi32(_mm_xor_si128(x, t), 1));
}

// Folds the 16-byte pieces from `p` onto x, then reduces; the bytes past
// the last whole piece go through the table.
ONDRIX_CLMUL_TARGET inline std::uint32_t FinishFrom(__m128i x, const std::uint8_t* p,
                                                    std::size_t size) {
  const __m128i k128 = FoldConstants128<128>();
  for (; size >= 16; p += 16, size -= 16) x = Fold(x, k128, Load128(p));
  return Crc32UpdatePortable(Reduce128(x), p, size);
}

ONDRIX_AVX512_TARGET inline __m512i Fold512(__m512i x, __m512i k, __m512i next) {
  const __m512i lo = _mm512_clmulepi64_epi128(x, k, 0x00);
  const __m512i hi = _mm512_clmulepi64_epi128(x, k, 0x11);
  return _mm512_ternarylogic_epi64(lo, hi, next, 0x96);  // lo ^ hi ^ next
}

ONDRIX_AVX512_TARGET inline __m512i Load512(const std::uint8_t* p) {
  return _mm512_loadu_si512(p);
}

}  // namespace

ONDRIX_CLMUL_TARGET std::uint32_t Crc32UpdatePclmul(std::uint32_t crc, const std::uint8_t* data,
                                                    std::size_t size) {
  if (size < 64) return Crc32UpdatePortable(crc, data, size);
  // Four registers, 64 bytes apart; the register enters with the first.
  __m128i x0 = _mm_xor_si128(Load128(data), _mm_cvtsi32_si128(int(crc)));
  __m128i x1 = Load128(data + 16), x2 = Load128(data + 32), x3 = Load128(data + 48);
  data += 64;
  size -= 64;
  const __m128i k512 = FoldConstants128<512>();
  for (; size >= 64; data += 64, size -= 64) {
    x0 = Fold(x0, k512, Load128(data));
    x1 = Fold(x1, k512, Load128(data + 16));
    x2 = Fold(x2, k512, Load128(data + 32));
    x3 = Fold(x3, k512, Load128(data + 48));
  }
  // Each register onto the last by its own distance, the products at once.
  x0 = Fold(x0, FoldConstants128<384>(),
            Fold(x1, FoldConstants128<256>(), Fold(x2, FoldConstants128<128>(), x3)));
  return FinishFrom(x0, data, size);
}

ONDRIX_AVX512_TARGET std::uint32_t Crc32UpdateAvx512(std::uint32_t crc, const std::uint8_t* data,
                                                     std::size_t size) {
  if (size < 256) return Crc32UpdatePclmul(crc, data, size);
  // Four ZMM registers of four 128-bit lanes each, 256 bytes per turn.
  __m512i z0 = _mm512_xor_si512(Load512(data), _mm512_zextsi128_si512(_mm_cvtsi32_si128(int(crc))));
  __m512i z1 = Load512(data + 64), z2 = Load512(data + 128), z3 = Load512(data + 192);
  data += 256;
  size -= 256;
  const __m512i k2048 = FoldConstants512<2048>();
  for (; size >= 256; data += 256, size -= 256) {
    z0 = Fold512(z0, k2048, Load512(data));
    z1 = Fold512(z1, k2048, Load512(data + 64));
    z2 = Fold512(z2, k2048, Load512(data + 128));
    z3 = Fold512(z3, k2048, Load512(data + 192));
  }
  // The four registers onto the last at once, each by its own distance: a
  // short chain, which matters because this runs once per 8192-byte call.
  const __m512i k512 = FoldConstants512<512>();
  // (The multiplications do not depend on each other; only the XORs chain.)
  z0 = Fold512(z0, FoldConstants512<1536>(),
               Fold512(z1, FoldConstants512<1024>(), Fold512(z2, k512, z3)));
  for (; size >= 64; data += 64, size -= 64) z0 = Fold512(z0, k512, Load512(data));
  // The four lanes, each 128 bits further on than the one before, likewise.
  const __m128i lane0 = _mm512_extracti32x4_epi32(z0, 0);
  const __m128i lane1 = _mm512_extracti32x4_epi32(z0, 1);
  const __m128i lane2 = _mm512_extracti32x4_epi32(z0, 2);
  const __m128i lane3 = _mm512_extracti32x4_epi32(z0, 3);
  const __m128i x =
      Fold(lane0, FoldConstants128<384>(),
           Fold(lane1, FoldConstants128<256>(), Fold(lane2, FoldConstants128<128>(), lane3)));
  return FinishFrom(x, data, size);
}

}  // namespace ondrix
#endif
