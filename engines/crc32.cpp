#include "engines/crc32.h"

#include <span>

#include "engines/byte_order.h"
#include "engines/engine_path.h"
#include "engines/x86_paths.h"

namespace ondrix {

static_assert(kCrc32Table[1] == 0x77073096u && kCrc32Table[255] == 0x2D02EF8Du);

namespace {

constexpr auto kSlice = MakeCrc32SliceTables();

using CrcFn = std::uint32_t (*)(std::uint32_t, const std::uint8_t*, std::size_t);

constexpr EnginePath<CrcFn> kCrcPaths[] = {
#if ONDRIX_X86_PATHS
    {"avx512", [](const CpuFeatures& c) { return c.avx512 && c.vpclmul && c.sse41; },
     &Crc32UpdateAvx512},
    {"pclmul", [](const CpuFeatures& c) { return c.pclmul && c.sse41; }, &Crc32UpdatePclmul},
#endif
    {kPortablePath, AlwaysUsable, &Crc32UpdatePortable},
};

CachedPath<CrcFn> chosen_crc_path;

}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
  return chosen_crc_path.Get(kCrcPaths).fn(crc, data, size);
}

std::string_view Crc32PathName() { return chosen_crc_path.Get(kCrcPaths).name; }

void AppendCrc32Paths(std::vector<EnginePathRow>& rows) {
  AppendPathRows<CrcFn>(rows, "crc32", kCrcPaths);
}

std::uint32_t Crc32UpdatePortable(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
  // Eight bytes per turn: the register is folded into the first four, the
  // other four are looked up independently.
  while (size >= 8) {
    const std::uint32_t lo = crc ^ load32_le(data);
    const std::uint32_t hi = load32_le(data + 4);
    crc = kSlice[7][lo & 0xFF] ^ kSlice[6][(lo >> 8) & 0xFF] ^ kSlice[5][(lo >> 16) & 0xFF] ^
          kSlice[4][lo >> 24] ^ kSlice[3][hi & 0xFF] ^ kSlice[2][(hi >> 8) & 0xFF] ^
          kSlice[1][(hi >> 16) & 0xFF] ^ kSlice[0][hi >> 24];
    data += 8;
    size -= 8;
  }
  for (; size > 0; --size, ++data) crc = (crc >> 8) ^ kCrc32Table[(crc ^ *data) & 0xFF];
  return crc;
}

std::uint32_t CrcOfStream(IByteStream& stream, std::atomic<std::int64_t>& bytes_read,
                          const std::atomic<bool>* stop) {
  std::uint8_t buffer[8192];
  std::uint32_t crc = 0xFFFFFFFFu;
  // The loop runs while the position differs from the size. Both are asked
  // of the stream once; afterwards the position is what has been read, and
  // the size is asked again only when the position reaches the last size
  // seen: below it the answer could only be "differs" (a file grown since)
  // or a shrunk file, whose next read returns nothing and ends the loop just
  // the same. A block then costs one read instead of three system calls.
  std::int64_t position = stream.Position();
  std::int64_t size = stream.Size();
  while (position != size || (size = stream.Size()) != position) {
    if (stop && stop->load(std::memory_order_acquire)) break;
    const ByteSpan got = stream.ReadSpan(buffer, sizeof buffer);
    // A file cut short by another writer: nothing more will come.
    if (got.size == 0) break;
    position += std::int64_t(got.size);
    bytes_read.store(bytes_read.load(std::memory_order_relaxed) + std::int64_t(got.size),
                     std::memory_order_relaxed);
    crc = Crc32Update(crc, got.data, got.size);
  }
  return ~crc;
}

}  // namespace ondrix
