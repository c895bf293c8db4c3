#include "engines/cpu_features.h"

#include <cstdint>

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
#define ONDRIX_X86 1
#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <cpuid.h>
#endif
#endif

namespace ondrix {
namespace {

#ifdef ONDRIX_X86
struct Regs {
  std::uint32_t a = 0, b = 0, c = 0, d = 0;
};

Regs Cpuid(std::uint32_t leaf, std::uint32_t subleaf = 0) {
  Regs r;
#if defined(_MSC_VER)
  int out[4];
  __cpuidex(out, int(leaf), int(subleaf));
  r = {std::uint32_t(out[0]), std::uint32_t(out[1]), std::uint32_t(out[2]), std::uint32_t(out[3])};
#else
  __cpuid_count(leaf, subleaf, r.a, r.b, r.c, r.d);
#endif
  return r;
}

// The register states the system saves on a thread switch (XCR0). Without
// OSXSAVE nothing beyond SSE may be used.
std::uint64_t SavedStates() {
#if defined(_MSC_VER)
  return _xgetbv(0);
#else
  std::uint32_t lo = 0, hi = 0;
  __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
  return (std::uint64_t(hi) << 32) | lo;
#endif
}

constexpr bool Bit(std::uint32_t reg, int n) { return (reg >> n) & 1u; }

CpuFeatures Detect() {
  CpuFeatures f;
  if (Cpuid(0).a < 7) return f;
  const Regs l1 = Cpuid(1);
  const Regs l7 = Cpuid(7, 0);
  f.ssse3 = Bit(l1.c, 9);
  f.sse41 = Bit(l1.c, 19);
  f.pclmul = Bit(l1.c, 1);
  f.sha = Bit(l7.b, 29) && f.sse41 && f.ssse3;
  f.bmi1 = Bit(l7.b, 3);
  f.bmi2 = Bit(l7.b, 8);
  const bool osxsave = Bit(l1.c, 27);
  const std::uint64_t xcr0 = osxsave ? SavedStates() : 0;
  const bool ymm_saved = (xcr0 & 0x6) == 0x6;         // SSE and AVX state
  const bool zmm_saved = (xcr0 & 0xE6) == 0xE6;       // plus opmask and ZMM state
  const bool avx = Bit(l1.c, 28) && ymm_saved;
  f.avx2 = avx && Bit(l7.b, 5);
  f.avx512 = avx && zmm_saved && Bit(l7.b, 16) && Bit(l7.b, 30) && Bit(l7.b, 31);
  f.vpclmul = avx && Bit(l7.c, 10) && f.pclmul;
  return f;
}
#else
CpuFeatures Detect() { return {}; }
#endif

}  // namespace

const CpuFeatures& HostCpu() {
  static const CpuFeatures features = Detect();
  return features;
}

}  // namespace ondrix
