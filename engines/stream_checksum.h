// The checksum of a stream, the one routine the window's worker and the
// console tool both run: the type's engine (or CRC-32) over the stream, with
// a progress counter and a stop flag for a caller on another thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engines/byte_stream.h"
#include "engines/checksum_types.h"
#include "engines/digest.h"

namespace ondrix {

// What a caller on another thread watches and steers. Every member may be
// left empty.
struct ChecksumWatch {
  // CRC-32 adds each read's byte count here (a digest engine counts in its
  // own BytesHashed).
  std::atomic<std::int64_t>* crc_bytes_read = nullptr;
  // Once set, no further block is read; the outcome is `stopped`.
  const std::atomic<bool>* stop = nullptr;
  // The engine a digest type runs on, made and kept by the caller so it can
  // watch BytesHashed and set AbortRequested; one is made for the call when
  // null. Ignored for CRC-32.
  TDigest* engine = nullptr;
};

struct StreamChecksum {
  bool ok = false;       // `text` is the checksum, in lower case
  bool stopped = false;  // ended by the stop flag or the engine's abort; no text
  std::string text;      // the checksum, or the reason a read failed
};

// Digest types hash `size` bytes from the stream's position (a negative size:
// up to the end the stream reports at the start, or, for a stream whose size
// is unknown (a pipe, negative Size()), up to the end of its data). CRC-32 reads to the end,
// asking the size anew before each block, so a growing file is read whole.
// A failed read gives the stream's reason, never a checksum of part of the
// file; errors other than stream errors leave the routine.
StreamChecksum ChecksumOfStream(const ChecksumTypeInfo& type, IByteStream& stream,
                                std::int64_t size = -1, const ChecksumWatch& watch = {});

}  // namespace ondrix
