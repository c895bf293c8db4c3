// SHA-384 and SHA-512 (FIPS 180-2): the shared block function, and the two
// engines, which differ only in initial values, output length and identity.
#include "engines/sha512base.h"

#include "engines/checksum_types.h"
#include "engines/engines.h"
#include "engines/sha2_rounds.h"
#include "engines/x86_paths.h"

namespace ondrix {
namespace {

#include "engines/tables/sha2_constants.inc"

constexpr char kTwoBlockText[] =
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqr"
    "lmnopqrsmnopqrstnopqrstu";

constexpr SelfCheckVectors kSelfCheck384 = {
    "abc",
    "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded163"
    "1a8b605a43ff5bed8086072ba1e7cc2358baeca134c825a7",
    kTwoBlockText,
    "09330c33f71147e83d192fc782cd1b4753111b173b3b05d2"
    "2fa08086e3b0f712fcc7c71a557e2db966c3e9fa91746039"};

constexpr SelfCheckVectors kSelfCheck512 = {
    "abc",
    "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
    "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f",
    kTwoBlockText,
    "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018"
    "501d289e4900f7e4331b99dec4b5433ac7d329eeb6dd26545e96e55b874be909"};

struct Sha512Params {
  using Word = std::uint64_t;
  static constexpr const std::uint64_t (&kK)[80] = kSha512K;
  static constexpr int kBig0[3] = {28, 34, 39};
  static constexpr int kBig1[3] = {14, 18, 41};
  static constexpr int kSmall0[3] = {1, 8, 7};
  static constexpr int kSmall1[3] = {19, 61, 6};
};

}  // namespace

void Sha512Block::Compress(Word* h, const std::uint8_t* p) {
  sha2::Rounds<Sha512Params>::Compress(h, p, std::make_integer_sequence<int, 10>());
}

#if ONDRIX_X86_PATHS
namespace {
// The same rounds where BMI2 gives rotations into a fresh register (rorx):
// each sigma rotates one word three ways, which otherwise costs a copy per
// rotation.
__attribute__((target("bmi2"))) void CompressRunBmi2(std::uint64_t* h, const std::uint8_t* p,
                                                    std::size_t blocks) {
  for (; blocks != 0; --blocks, p += 128)
    sha2::Rounds<Sha512Params>::Compress(h, p, std::make_integer_sequence<int, 10>());
}
}  // namespace
#endif

std::span<const EnginePath<CompressBlocksFn<std::uint64_t>>> Sha512Block::Paths() {
  static constexpr EnginePath<CompressBlocksFn<Word>> kPaths[] = {
#if ONDRIX_X86_PATHS
      {"avx512", [](const CpuFeatures& c) { return c.avx512 && c.avx2 && c.bmi2; },
       &Sha512CompressAvx512},
      {"avx2", [](const CpuFeatures& c) { return c.avx2 && c.bmi2; }, &Sha512CompressAvx2},
      {"bmi2", [](const CpuFeatures& c) { return c.bmi2; }, &CompressRunBmi2},
#endif
      {kPortablePath, AlwaysUsable, &CompressEach<Word, kBlockBytes, &Compress>}};
  return kPaths;
}

namespace {

class TDigest_sha384 final : public TDigest_sha512base {
 public:
  TDigest_sha384()
      : TDigest_sha512base(&TypeInfo(ChecksumType::SHA384), &kSelfCheck384, kSha384Initial, 48) {}
};

class TDigest_sha512 final : public TDigest_sha512base {
 public:
  TDigest_sha512()
      : TDigest_sha512base(&TypeInfo(ChecksumType::SHA512), &kSelfCheck512, kSha512Initial, 64) {}
};

}  // namespace

std::unique_ptr<TDigest> Create_sha384() { return std::make_unique<TDigest_sha384>(); }
std::unique_ptr<TDigest> Create_sha512() { return std::make_unique<TDigest_sha512>(); }

}  // namespace ondrix
