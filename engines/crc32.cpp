#include "engines/crc32.h"

#include "engines/byte_order.h"

namespace ondrix {

static_assert(kCrc32Table[1] == 0x77073096u && kCrc32Table[255] == 0x2D02EF8Du);

namespace {
constexpr auto kSlice = MakeCrc32SliceTables();
}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
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
