#include "engines/digest.h"

#include <vector>

#include "engines/checksum_types.h"

namespace ondrix {

int TDigest::TypeId() const { return type_ ? type_->type_id : -1; }
std::string TDigest::Algorithm() const { return type_ ? std::string(type_->algorithm) : std::string(); }
int TDigest::HashSize() const { return type_ ? type_->hash_size : -1; }

bool TDigest::RunSelfCheck() const {
  if (!type_ || !self_check_ || !type_->create_engine) return false;
  auto check = [&](std::string_view text, std::string_view hex) {
    auto engine = type_->create_engine();
    std::vector<std::uint8_t> digest(std::size_t(type_->digest_bytes));
    engine->BeginDigest();
    engine->AddText(text);
    engine->EndDigest(digest.data());
    std::string got = DigestToHex(digest.data(), digest.size());
    if (got.size() != hex.size()) return false;
    for (std::size_t i = 0; i < got.size(); ++i) {
      char want = hex[i];
      if (want >= 'a' && want <= 'f') want = char(want - 'a' + 'A');
      if (got[i] != want) return false;
    }
    return true;
  };
  return check(self_check_->text1, self_check_->hex1) && check(self_check_->text2, self_check_->hex2);
}

void TDigest::HashStream(IByteStream& stream, std::int64_t size) {
  std::uint8_t buffer[kReadBlockSize];
  const std::int64_t blocks = size / std::int64_t(kReadBlockSize);
  const std::int64_t tail = size % std::int64_t(kReadBlockSize);
  bool failed = false;

  // Once a read has failed nothing more is read or fed: the engine never
  // sees a hole in the file, and a failing disk is not asked again for every
  // remaining block (each of which may take the system seconds to refuse).
  auto read_and_feed = [&](std::size_t want) {
    if (failed) return;
    ByteSpan got{};
    try {
      got = stream.ReadSpan(buffer, want);
    } catch (const EStreamError& e) {
      ReadError = e.what();
      ReadFailed.store(1, std::memory_order_release);
      failed = true;
      return;
    }
    AddData(got.data, std::int64_t(got.size));
    BytesHashed.store(BytesHashed.load(std::memory_order_relaxed) + std::int64_t(got.size),
                      std::memory_order_relaxed);
  };

  for (std::int64_t i = 0; i < blocks; ++i) {
    if (AbortRequested.load(std::memory_order_acquire)) {
      WasAborted.store(1, std::memory_order_release);
      break;
    }
    read_and_feed(kReadBlockSize);
  }
  if (AbortRequested.load(std::memory_order_acquire)) return;
  if (tail == 0) return;
  read_and_feed(std::size_t(tail));
}

std::string DigestToHex(const std::uint8_t* digest, std::size_t n) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(2 * n, '0');
  for (std::size_t i = 0; i < n; ++i) {
    text[2 * i] = kDigits[digest[i] >> 4];
    text[2 * i + 1] = kDigits[digest[i] & 15];
  }
  return text;
}

void SecureWipe(void* p, std::size_t n) {
  volatile auto* bytes = static_cast<volatile unsigned char*>(p);
  while (n--) *bytes++ = 0;
}

}  // namespace ondrix
