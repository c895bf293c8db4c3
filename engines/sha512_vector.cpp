// SHA-512 with the message schedule on vector registers. The scalar rounds
// keep the integer units busy; the schedule, two 64-bit words per
// instruction, runs beside them in the vector units. Sixteen rounds ahead of
// its use each pair of new words is formed in a ring of eight XMM registers
// and stored with its round constants added; the rounds read those sums and
// rotate with BMI2's rorx. Every word lives in a named variable: arrays this
// size would be kept in memory by the compiler.
//
// The same rounds are compiled twice: for AVX2 and for AVX-512 (VL), whose
// vector rotations and extra registers make the schedule cheaper still.
#include "engines/x86_paths.h"

#if ONDRIX_X86_PATHS
#include <immintrin.h>

namespace ondrix {
namespace {
#include "engines/tables/sha2_constants.inc"
}  // namespace

#define ONDRIX_INLINE inline __attribute__((always_inline))

// clang ignores GCC's target pragma; its own pragma gives every function
// between push and pop the same target attribute.
#if defined(__clang__)
#define ONDRIX_TARGET_PUSH_AVX2 \
  _Pragma("clang attribute push(__attribute__((target(\"avx2,bmi2\"))), apply_to = function)")
#define ONDRIX_TARGET_PUSH_AVX512                                                       \
  _Pragma("clang attribute push(__attribute__((target(\"avx512f,avx512vl,avx2,bmi2\"))), \
          apply_to = function)")
#define ONDRIX_TARGET_POP _Pragma("clang attribute pop")
#else
#define ONDRIX_TARGET_PUSH_AVX2 _Pragma("GCC push_options") _Pragma("GCC target(\"avx2,bmi2\")")
#define ONDRIX_TARGET_PUSH_AVX512 \
  _Pragma("GCC push_options") _Pragma("GCC target(\"avx512f,avx512vl,avx2,bmi2\")")
#define ONDRIX_TARGET_POP _Pragma("GCC pop_options")
#endif

ONDRIX_TARGET_PUSH_AVX2
namespace sha512_avx2 {
#include "engines/sha512_vector_rounds.inc"
}  // namespace sha512_avx2
ONDRIX_TARGET_POP

ONDRIX_TARGET_PUSH_AVX512
#define ONDRIX_SHA512_AVX512 1
namespace sha512_avx512 {
#include "engines/sha512_vector_rounds.inc"
}  // namespace sha512_avx512
#undef ONDRIX_SHA512_AVX512
ONDRIX_TARGET_POP

void Sha512CompressAvx2(std::uint64_t* chain, const std::uint8_t* data, std::size_t blocks) {
  sha512_avx2::CompressRun(chain, data, blocks);
}

void Sha512CompressAvx512(std::uint64_t* chain, const std::uint8_t* data, std::size_t blocks) {
  sha512_avx512::CompressRun(chain, data, blocks);
}

}  // namespace ondrix
#endif
