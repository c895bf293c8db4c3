#include "engines/stream_checksum.h"

#include <memory>
#include <vector>

#include "engines/crc32.h"

namespace ondrix {
namespace {

constexpr std::size_t kLargestDigestBytes = 64;  // SHA-512

std::string LowerHex(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'F') c = char(c - 'A' + 'a');
  return text;
}

// Eight digits always: a CRC of 0 is a checksum like any other.
std::string Crc32Text(std::uint32_t crc) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i, crc >>= 4) text[std::size_t(i)] = kDigits[crc & 15];
  return text;
}

// Feeds the engine until the stream ends; false when a read failed.
bool HashToTheEnd(TDigest& engine, IByteStream& stream) {
  std::vector<std::uint8_t> block(TDigest::kReadBlockSize);
  try {
    for (ByteSpan got; (got = stream.ReadSpan(block.data(), block.size())).size != 0;)
      engine.AddData(got.data, std::int64_t(got.size));
  } catch (const EStreamError& e) {
    engine.ReadError = e.what();
    return false;
  }
  return true;
}

bool StopRequested(const ChecksumWatch& watch) { return watch.stop && watch.stop->load(); }

StreamChecksum CrcChecksum(IByteStream& stream, const ChecksumWatch& watch) {
  std::atomic<std::int64_t> own_counter{0};
  std::atomic<std::int64_t>& counter = watch.crc_bytes_read ? *watch.crc_bytes_read : own_counter;
  std::uint32_t value = 0;
  try {
    value = CrcOfStream(stream, counter, watch.stop);
  } catch (const EStreamError& e) {
    // A stop may have cancelled the read: that is no read error.
    if (StopRequested(watch)) return {false, true, {}};
    return {false, false, e.what()};
  }
  if (StopRequested(watch)) return {false, true, {}};
  return {true, false, Crc32Text(value)};
}

StreamChecksum DigestChecksum(const ChecksumTypeInfo& type, IByteStream& stream, std::int64_t size,
                              const ChecksumWatch& watch) {
  std::unique_ptr<TDigest> own_engine;
  TDigest* engine = watch.engine;
  if (!engine) {
    own_engine = type.create_engine();
    engine = own_engine.get();
  }
  std::int64_t total = 0;
  if (size < 0) {
    try {
      total = stream.Size();
    } catch (const EStreamError& e) {
      return {false, false, e.what()};
    }
  }
  engine->BeginDigest();
  if (size < 0 && total < 0) {
    // A pipe: its length is known once it ends.
    if (!HashToTheEnd(*engine, stream)) return {false, false, engine->ReadError};
  } else {
    engine->HashStream(stream, size < 0 ? total - stream.Position() : size);
  }
  if (engine->WasAborted.load() || StopRequested(watch)) return {false, true, {}};
  // A read that failed part-way leaves a digest of part of the file, which
  // must never be taken for the file's checksum.
  if (engine->ReadFailed.load(std::memory_order_acquire)) return {false, false, engine->ReadError};
  std::uint8_t digest[kLargestDigestBytes];
  engine->EndDigest(digest);
  return {true, false, LowerHex(DigestToHex(digest, std::size_t(type.digest_bytes)))};
}

}  // namespace

StreamChecksum ChecksumOfStream(const ChecksumTypeInfo& type, IByteStream& stream,
                                std::int64_t size, const ChecksumWatch& watch) {
  if (type.IsCrc()) return CrcChecksum(stream, watch);
  return DigestChecksum(type, stream, size, watch);
}

}  // namespace ondrix
