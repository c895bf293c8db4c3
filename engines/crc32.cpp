#include "engines/crc32.h"

namespace ondrix {

static_assert(kCrc32Table[1] == 0x77073096u && kCrc32Table[255] == 0x2D02EF8Du);

std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) crc = (crc >> 8) ^ kCrc32Table[(crc ^ data[i]) & 0xFF];
  return crc;
}

std::uint32_t CrcOfStream(IByteStream& stream, std::atomic<std::int64_t>& bytes_read,
                          const std::atomic<bool>* stop) {
  std::uint8_t buffer[8192];
  std::uint32_t crc = 0xFFFFFFFFu;
  while (stream.Size() != stream.Position()) {
    if (stop && stop->load(std::memory_order_acquire)) break;
    const std::size_t n = stream.Read(buffer, sizeof buffer);
    // A file cut short by another writer: nothing more will come.
    if (n == 0) break;
    bytes_read.store(bytes_read.load(std::memory_order_relaxed) + std::int64_t(n),
                     std::memory_order_relaxed);
    crc = Crc32Update(crc, buffer, n);
  }
  return ~crc;
}

}  // namespace ondrix
