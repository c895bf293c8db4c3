#include "engines/checksum_types.h"

#include "engines/digest.h"
#include "engines/engines.h"

namespace ondrix {
namespace {

using T = ChecksumType;

const std::array<ChecksumTypeInfo, kChecksumTypeCount> kTypes = {{
    {T::MD4, 0, "MD4", "md4", 2, "TDigest_md4", 16, "MD4", 128, 17, &Create_md4},
    {T::MD5, 1, "MD5", "md5", 3, "TDigest_md5", 16, "MD5", 128, 16, &Create_md5},
    {T::SHA1, 2, "SHA1", "sha1", 4, "TDigest_sha1", 20, "SHA1", 160, 2, &Create_sha1},
    {T::SHA256, 3, "SHA-256", "sha256", 5, "TDigest_sha256", 32, "SHA256", 256, 28, &Create_sha256},
    {T::SHA384, 4, "SHA-384", "sha384", 6, "TDigest_sha384", 48, "SHA384", 384, 29, &Create_sha384},
    {T::SHA512, 5, "SHA-512", "sha512", 7, "TDigest_sha512", 64, "SHA512", 512, 30, &Create_sha512},
    {T::RIPEMD128, 6, "RIPEMD-128", "ripemd128", 8, "TDigest_ripemd128", 16, "RipeMD-128", 128, 27,
     &Create_ripemd128},
    {T::RIPEMD160, 7, "RIPEMD-160", "ripemd160", 9, "TDigest_ripemd160", 20, "RipeMD-160", 160, 10,
     &Create_ripemd160},
    {T::HAVAL, 8, "HAVAL 256,5", "haval", 10, "TDigest_haval", 32, "Haval (256bit, 5 passes)", 256,
     14, &Create_haval},
    {T::TIGER, 9, "TIGER 192", "tiger", 11, "TDigest_tiger", 24, "Tiger", 192, 18, &Create_tiger},
    {T::CRC32, 10, "CRC32", "crc32", 1, "CrcOfStream", 4, "", -1, -1, nullptr},
}};

const std::array<ChecksumType, kChecksumTypeCount> kSelectorWalk = {
    T::CRC32,  T::MD4,       T::MD5,       T::SHA1,  T::SHA256, T::SHA384,
    T::SHA512, T::RIPEMD128, T::RIPEMD160, T::HAVAL, T::TIGER};

const std::array<ChecksumType, kChecksumTypeCount - 1> kReleaseOrder = {
    T::MD5,    T::MD4,       T::SHA1,      T::SHA256, T::SHA384,
    T::SHA512, T::RIPEMD128, T::RIPEMD160, T::HAVAL,  T::TIGER};

template <class Pred>
const ChecksumTypeInfo* FindType(Pred pred) {
  for (const auto& row : kTypes)
    if (pred(row)) return &row;
  return nullptr;
}

}  // namespace

const std::array<ChecksumTypeInfo, kChecksumTypeCount>& ChecksumTypes() { return kTypes; }

const ChecksumTypeInfo& TypeInfo(ChecksumType type) { return kTypes[std::size_t(type)]; }

const ChecksumTypeInfo* FindTypeByKey(std::string_view key) {
  return FindType([&](const ChecksumTypeInfo& r) { return r.key == key; });
}
const ChecksumTypeInfo* FindTypeByDisplayName(std::string_view name) {
  return FindType([&](const ChecksumTypeInfo& r) { return r.display_name == name; });
}
const ChecksumTypeInfo* FindTypeByComboIndex(int index) {
  return FindType([&](const ChecksumTypeInfo& r) { return r.combo_index == index; });
}
const ChecksumTypeInfo* FindTypeBySelector(int selector) {
  return FindType([&](const ChecksumTypeInfo& r) { return r.selector == selector; });
}

const std::array<ChecksumType, kChecksumTypeCount>& SelectorWalkOrder() { return kSelectorWalk; }
const std::array<ChecksumType, kChecksumTypeCount - 1>& EngineReleaseOrder() {
  return kReleaseOrder;
}

}  // namespace ondrix
