// The one table of the eleven checksum types. Everything that names a type,
// shows one or picks an engine reads this table.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>

namespace ondrix {

class TDigest;

// In combo-box order.
enum class ChecksumType {
  MD4, MD5, SHA1, SHA256, SHA384, SHA512, RIPEMD128, RIPEMD160, HAVAL, TIGER, CRC32
};

struct ChecksumTypeInfo {
  ChecksumType type;
  int combo_index;
  std::string_view display_name;  // item text of the type list; also the stored default
  std::string_view key;           // the system's own name of the type
  int selector;                   // n of RadioButtonN
  std::string_view engine_class;
  int digest_bytes;
  std::string_view algorithm;     // empty for CRC32
  int hash_size;                  // bits; -1 for CRC32
  int type_id;                    // -1 for CRC32
  // Creates the digest engine; null for CRC32, which CrcOfStream computes.
  std::unique_ptr<TDigest> (*create_engine)();

  int HexLength() const { return 2 * digest_bytes; }
  bool IsCrc() const { return create_engine == nullptr; }
};

inline constexpr std::size_t kChecksumTypeCount = 11;

// All rows in combo order.
const std::array<ChecksumTypeInfo, kChecksumTypeCount>& ChecksumTypes();
const ChecksumTypeInfo& TypeInfo(ChecksumType type);

// Look-ups; null when nothing matches. Names compare exactly, case included.
const ChecksumTypeInfo* FindTypeByKey(std::string_view key);
const ChecksumTypeInfo* FindTypeByDisplayName(std::string_view display_name);
const ChecksumTypeInfo* FindTypeByComboIndex(int combo_index);
const ChecksumTypeInfo* FindTypeBySelector(int selector);

// The order in which the window walks its selectors: RadioButton1 (crc32),
// RadioButton2 (md4), … RadioButton11 (tiger).
const std::array<ChecksumType, kChecksumTypeCount>& SelectorWalkOrder();
// The order in which the keys are walked to release an engine.
const std::array<ChecksumType, kChecksumTypeCount - 1>& EngineReleaseOrder();

}  // namespace ondrix
