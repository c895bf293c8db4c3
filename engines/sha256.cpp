// SHA-256 (FIPS 180-2).
#include "engines/block_digest.h"
#include "engines/checksum_types.h"
#include "engines/engines.h"
#include "engines/x86_paths.h"
#include "engines/sha2_rounds.h"

namespace ondrix {
namespace {

#include "engines/tables/sha2_constants.inc"

constexpr SelfCheckVectors kSelfCheck = {
    "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
    "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
    "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"};

struct Sha256Params {
  using Word = std::uint32_t;
  static constexpr const std::uint32_t (&kK)[64] = kSha256K;
  static constexpr int kBig0[3] = {2, 13, 22};
  static constexpr int kBig1[3] = {6, 11, 25};
  static constexpr int kSmall0[3] = {7, 18, 3};
  static constexpr int kSmall1[3] = {17, 19, 10};
};

struct Sha256Block {
  using Word = std::uint32_t;
  static constexpr std::size_t kBlockBytes = 64;
  static constexpr std::size_t kChainWords = 8;
  static constexpr std::uint8_t kPadByte = 0x80;
  static constexpr std::size_t kTailOffset = 56;
  static constexpr bool kBigEndianOutput = true;

  static void WriteTail(std::uint8_t* block, std::uint64_t, std::uint64_t bits_lo) {
    WriteBitCountBE64(block + 56, bits_lo);
  }

  static std::span<const EnginePath<CompressBlocksFn<Word>>> Paths() {
    static constexpr EnginePath<CompressBlocksFn<Word>> kPaths[] = {
#if ONDRIX_X86_PATHS
        {"shani", [](const CpuFeatures& c) { return c.sha; }, &Sha256CompressShaNi},
#endif
        {kPortablePath, AlwaysUsable, &CompressEach<Word, kBlockBytes, &Compress>}};
    return kPaths;
  }

  static void Compress(Word* h, const std::uint8_t* p) {
    sha2::Rounds<Sha256Params>::Compress(h, p, std::make_integer_sequence<int, 8>());
  }
};

class TDigest_sha256 final : public TBlockDigest<Sha256Block> {
 public:
  TDigest_sha256()
      : TBlockDigest(&TypeInfo(ChecksumType::SHA256), &kSelfCheck, kSha256Initial, 32) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_sha256() { return std::make_unique<TDigest_sha256>(); }

}  // namespace ondrix
