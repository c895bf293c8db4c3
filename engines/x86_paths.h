// The engines' x86 paths, each compiled for its instructions with a target
// attribute so that one binary carries them all; the engines pick one by
// what HostCpu() reports, never call one the processor lacks.
#pragma once

#include <cstddef>
#include <cstdint>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define ONDRIX_X86_PATHS 1
#else
#define ONDRIX_X86_PATHS 0
#endif

namespace ondrix {

// The table loop, which every CRC-32 path uses for its last few bytes.
std::uint32_t Crc32UpdatePortable(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

#if ONDRIX_X86_PATHS
// SHA extensions (with SSSE3 and SSE4.1): runs of 64-byte blocks.
void Sha1CompressShaNi(std::uint32_t* chain, const std::uint8_t* data, std::size_t blocks);
void Sha256CompressShaNi(std::uint32_t* chain, const std::uint8_t* data, std::size_t blocks);

// SHA-512 rounds with BMI2, the message schedule on AVX2 or AVX-512 (VL)
// registers.
void Sha512CompressAvx2(std::uint64_t* chain, const std::uint8_t* data, std::size_t blocks);
void Sha512CompressAvx512(std::uint64_t* chain, const std::uint8_t* data, std::size_t blocks);

// CRC-32 by carry-less multiplication folding, on the running register
// (start 0xFFFFFFFF, invert at the end) like Crc32Update.
std::uint32_t Crc32UpdatePclmul(std::uint32_t crc, const std::uint8_t* data, std::size_t size);
std::uint32_t Crc32UpdateAvx512(std::uint32_t crc, const std::uint8_t* data, std::size_t size);
#endif

}  // namespace ondrix
