// The type table: what the window, the settings and the outputs read.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engines/checksum_types.h"
#include "engines/digest.h"

namespace ondrix {
namespace {

TEST(Catalogue, RowsMatchTheirEnginesAndStayConsistent) {
  struct Row {
    const char* key;
    const char* display;
    int combo, selector, hex, hash_size, type_id;
    const char* algorithm;
  };
  const Row rows[] = {
      {"md4", "MD4", 0, 2, 32, 128, 17, "MD4"},
      {"md5", "MD5", 1, 3, 32, 128, 16, "MD5"},
      {"sha1", "SHA1", 2, 4, 40, 160, 2, "SHA1"},
      {"sha256", "SHA-256", 3, 5, 64, 256, 28, "SHA256"},
      {"sha384", "SHA-384", 4, 6, 96, 384, 29, "SHA384"},
      {"sha512", "SHA-512", 5, 7, 128, 512, 30, "SHA512"},
      {"ripemd128", "RIPEMD-128", 6, 8, 32, 128, 27, "RipeMD-128"},
      {"ripemd160", "RIPEMD-160", 7, 9, 40, 160, 10, "RipeMD-160"},
      {"haval", "HAVAL 256,5", 8, 10, 64, 256, 14, "Haval (256bit, 5 passes)"},
      {"tiger", "TIGER 192", 9, 11, 48, 192, 18, "Tiger"},
      {"crc32", "CRC32", 10, 1, 8, -1, -1, ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.key);
    const ChecksumTypeInfo* info = FindTypeByKey(r.key);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->display_name, r.display);
    EXPECT_EQ(info->combo_index, r.combo);
    EXPECT_EQ(info->selector, r.selector);
    EXPECT_EQ(info->HexLength(), r.hex);
    EXPECT_EQ(FindTypeByDisplayName(r.display), info);
    EXPECT_EQ(FindTypeByComboIndex(r.combo), info);
    EXPECT_EQ(FindTypeBySelector(r.selector), info);
    if (info->IsCrc()) continue;
    // The engine reports the identity its row promises.
    auto engine = info->create_engine();
    EXPECT_EQ(engine->TypeId(), r.type_id);
    EXPECT_EQ(engine->Algorithm(), r.algorithm);
    EXPECT_EQ(engine->HashSize(), r.hash_size);
    EXPECT_EQ(engine->HashSize(), 8 * info->digest_bytes);
  }
}

TEST(Catalogue, LookupsAreExactAndCaseSensitive) {
  EXPECT_EQ(FindTypeByDisplayName("md5"), nullptr);
  EXPECT_EQ(FindTypeByDisplayName("SHA-256 "), nullptr);
  EXPECT_EQ(FindTypeByKey("MD5"), nullptr);
  EXPECT_EQ(FindTypeByComboIndex(-1), nullptr);
  EXPECT_EQ(FindTypeByComboIndex(11), nullptr);
  EXPECT_EQ(FindTypeBySelector(0), nullptr);
}

TEST(Catalogue, WalkOrdersCoverTheTypesOnce) {
  std::string walk;
  for (ChecksumType t : SelectorWalkOrder()) walk += std::string(TypeInfo(t).key) + " ";
  EXPECT_EQ(walk, "crc32 md4 md5 sha1 sha256 sha384 sha512 ripemd128 ripemd160 haval tiger ");
  std::string release;
  for (ChecksumType t : EngineReleaseOrder()) release += std::string(TypeInfo(t).key) + " ";
  EXPECT_EQ(release, "md5 md4 sha1 sha256 sha384 sha512 ripemd128 ripemd160 haval tiger ");
}

TEST(Catalogue, BaseDigestHasNoIdentity) {
  TDigest base;
  EXPECT_EQ(base.TypeId(), -1);
  EXPECT_EQ(base.Algorithm(), "");
  EXPECT_EQ(base.HashSize(), -1);
  EXPECT_FALSE(base.RunSelfCheck());
}

}  // namespace
}  // namespace ondrix
