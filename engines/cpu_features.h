// What the processor and the operating system offer the engines: read with
// CPUID and XGETBV once, at first use.
#pragma once

namespace ondrix {

struct CpuFeatures {
  bool ssse3 = false;
  bool sse41 = false;
  bool pclmul = false;
  bool sha = false;     // SHA-1 and SHA-256 instructions
  bool avx2 = false;    // with the YMM state saved by the system
  bool bmi1 = false;   // bextr, andn
  bool bmi2 = false;
  bool avx512 = false;  // F, BW and VL, with the ZMM state saved by the system
  bool vpclmul = false; // carry-less multiply on YMM/ZMM registers
};

// The host's features; the same object on every call.
const CpuFeatures& HostCpu();

}  // namespace ondrix
