// SHA-1 and SHA-256 on the SHA extensions. The state stays in two XMM
// registers for a whole run of blocks; the message schedule runs four words
// at a time in a ring of four registers, interleaved with the rounds.
#include "engines/x86_paths.h"

#if ONDRIX_X86_PATHS
#include <immintrin.h>

#include <utility>

#define ONDRIX_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))

namespace ondrix {
namespace {

#include "engines/tables/sha2_constants.inc"

// Big-endian words from memory.
ONDRIX_SHA_TARGET inline __m128i LoadBe32x4(const std::uint8_t* p) {
  const __m128i swap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
  return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), swap);
}

// Four rounds of SHA-256 (rounds 4i to 4i+3). m[i % 4] holds W[4i..4i+3];
// the schedule completes the words of later groups as soon as their inputs
// exist: sha256msg1 three groups ahead, sha256msg2 one group ahead.
template <int i>
ONDRIX_SHA_TARGET inline __attribute__((always_inline)) void Sha256Quad(
    __m128i& abef, __m128i& cdgh, __m128i (&m)[4], const std::uint8_t* block) {
  if constexpr (i < 4) m[i] = LoadBe32x4(block + 16 * i);
  const __m128i k = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSha256K + 4 * i));
  __m128i msg = _mm_add_epi32(m[i % 4], k);
  cdgh = _mm_sha256rnds2_epu32(cdgh, abef, msg);
  if constexpr (i >= 3 && i <= 14) {
    __m128i& next = m[(i + 1) % 4];
    next = _mm_add_epi32(next, _mm_alignr_epi8(m[i % 4], m[(i + 3) % 4], 4));
    next = _mm_sha256msg2_epu32(next, m[i % 4]);
  }
  msg = _mm_shuffle_epi32(msg, 0x0E);
  abef = _mm_sha256rnds2_epu32(abef, cdgh, msg);
  if constexpr (i >= 1 && i <= 12) m[(i + 3) % 4] = _mm_sha256msg1_epu32(m[(i + 3) % 4], m[i % 4]);
}

template <int... i>
ONDRIX_SHA_TARGET inline __attribute__((always_inline)) void Sha256Block(
    __m128i& abef, __m128i& cdgh, const std::uint8_t* block, std::integer_sequence<int, i...>) {
  __m128i m[4];
  (Sha256Quad<i>(abef, cdgh, m, block), ...);
}

// Four rounds of SHA-1 (rounds 4i to 4i+3), the same ring of four message
// registers: sha1msg1 three groups ahead, the XOR two, sha1msg2 one. The
// fifth working word alternates between e0 and e1.
template <int i>
ONDRIX_SHA_TARGET inline __attribute__((always_inline)) void Sha1Quad(
    __m128i& abcd, __m128i& e0, __m128i& e1, __m128i (&m)[4], const std::uint8_t* block) {
  const __m128i swap = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
  if constexpr (i < 4)
    m[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i)), swap);
  __m128i& e = (i % 2 == 0) ? e0 : e1;
  __m128i& e_next = (i % 2 == 0) ? e1 : e0;
  if constexpr (i == 0)
    e = _mm_add_epi32(e, m[0]);
  else
    e = _mm_sha1nexte_epu32(e, m[i % 4]);
  e_next = abcd;
  if constexpr (i >= 3 && i <= 18) m[(i + 1) % 4] = _mm_sha1msg2_epu32(m[(i + 1) % 4], m[i % 4]);
  abcd = _mm_sha1rnds4_epu32(abcd, e, i / 5);
  if constexpr (i >= 1 && i <= 16) m[(i + 3) % 4] = _mm_sha1msg1_epu32(m[(i + 3) % 4], m[i % 4]);
  if constexpr (i >= 2 && i <= 17) m[(i + 2) % 4] = _mm_xor_si128(m[(i + 2) % 4], m[i % 4]);
}

template <int... i>
ONDRIX_SHA_TARGET inline __attribute__((always_inline)) void Sha1Block(
    __m128i& abcd, __m128i& e0, const std::uint8_t* block, std::integer_sequence<int, i...>) {
  __m128i m[4];
  __m128i e1;
  (Sha1Quad<i>(abcd, e0, e1, m, block), ...);
}

}  // namespace

ONDRIX_SHA_TARGET void Sha256CompressShaNi(std::uint32_t* chain, const std::uint8_t* data,
                                           std::size_t blocks) {
  // The instructions want the words as (A, B, E, F) and (C, D, G, H).
  __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chain));
  __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chain + 4));
  const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
  const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
  __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
  __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);

  for (; blocks != 0; --blocks, data += 64) {
    const __m128i abef_in = abef, cdgh_in = cdgh;
    Sha256Block(abef, cdgh, data, std::make_integer_sequence<int, 16>());
    abef = _mm_add_epi32(abef, abef_in);
    cdgh = _mm_add_epi32(cdgh, cdgh_in);
  }

  const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
  const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
  dcba = _mm_blend_epi16(feba, dchg, 0xF0);
  hgfe = _mm_alignr_epi8(dchg, feba, 8);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(chain), dcba);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(chain + 4), hgfe);
}

ONDRIX_SHA_TARGET void Sha1CompressShaNi(std::uint32_t* chain, const std::uint8_t* data,
                                         std::size_t blocks) {
  // A in the top lane; E alone in the top lane of its register.
  __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(chain)), 0x1B);
  __m128i e0 = _mm_set_epi32(int(chain[4]), 0, 0, 0);

  for (; blocks != 0; --blocks, data += 64) {
    const __m128i abcd_in = abcd, e_in = e0;
    Sha1Block(abcd, e0, data, std::make_integer_sequence<int, 20>());
    // After the last group e0 holds the words before it; nexte turns them
    // into E and adds the saved E.
    e0 = _mm_sha1nexte_epu32(e0, e_in);
    abcd = _mm_add_epi32(abcd, abcd_in);
  }

  _mm_storeu_si128(reinterpret_cast<__m128i*>(chain), _mm_shuffle_epi32(abcd, 0x1B));
  chain[4] = std::uint32_t(_mm_extract_epi32(e0, 3));
}

}  // namespace ondrix
#endif
