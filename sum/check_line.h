// One line of a checksum list, taken apart: which file, which checksum and,
// where the line says so, which type. The layouts it reads are the ones users
// meet: GNU lines ("HEX *name", "HEX  name", the escaped form that starts
// with a backslash, the reversed "HEX name" some BSD tools write), BSD tagged
// lines ("SHA256 (name) = HEX"), and SFV data lines ("name CRC") with their
// ";" comments. Portable and free of I/O, so it is fuzzed on its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engines/checksum_types.h"

namespace ondrix {

// The longest line a list may hold. Longer lines are improperly formatted:
// no file name comes near it, and a list reader must not grow with its input.
inline constexpr std::size_t kMaxListLineBytes = std::size_t(256) << 10;

struct ListLine {
  enum class Kind {
    kEntry,      // a file and its checksum
    kSkip,       // a comment or an empty line
    kMalformed,  // not a checksum line
    kAmbiguous,  // a checksum whose length fits several types, none chosen
  };
  Kind kind = Kind::kMalformed;
  const ChecksumTypeInfo* type = nullptr;  // the type of the checksum (kEntry)
  std::string checksum;                    // the hexadecimal digits as written
  std::string name;                        // the file name, escapes undone
  // kAmbiguous: the types the checksum's length fits.
  std::vector<const ChecksumTypeInfo*> candidates;
};

// Reads the lines of one list in order. GNU's rule against mixing the
// reversed "HEX name" layout with "HEX  name" in one list needs the lines
// seen before, hence an object per list.
class ListLineParser {
 public:
  // `list_type`: the type the list is known to hold (from -t or its file
  // name), null when unknown. `list_is_stdin`: a line naming "-" would then
  // name the list itself.
  ListLineParser(const ChecksumTypeInfo* list_type, bool list_is_stdin)
      : list_type_(list_type), list_is_stdin_(list_is_stdin) {}

  // `line` without its line ending (a trailing CR is removed here).
  ListLine Parse(std::string_view line);

 private:
  ListLine Finish(ListLine line) const;
  bool ParseGnu(std::string_view line, ListLine& out);
  bool ParseGnuWithLength(std::string_view line, std::size_t hex_length, ListLine& out);

  const ChecksumTypeInfo* list_type_;
  bool list_is_stdin_;
  int reversed_ = -1;  // -1 not known yet, 0 "HEX  name" seen, 1 "HEX name" seen
};

// The type a BSD tag names ("SHA256", "SHA2-256", "RIPEMD-160", "TIGER", …),
// compared without regard to case; null for a tag of no type of ours.
const ChecksumTypeInfo* TypeFromBsdTag(std::string_view tag);
// The tag `--tag` writes for a type: "MD5", "SHA256", "RIPEMD160", "CRC32", …
std::string_view BsdTagOf(const ChecksumTypeInfo& type);

// The type a list's file name suggests: an extension the window writes or
// offers (".md5", ".sha-256", ".sfv", …) or a name such as "SHA256SUMS";
// null when it suggests none.
const ChecksumTypeInfo* TypeFromListName(std::string_view file_name);

// The types whose checksums have `hex_length` digits.
std::vector<const ChecksumTypeInfo*> TypesWithHexLength(std::size_t hex_length);

// Undoes the escapes of an escaped GNU name: "\\\\", "\\n" and "\\r". False
// for any other escape, a lone trailing backslash or a NUL byte.
bool UnescapeListName(std::string_view text, std::string& out);

}  // namespace ondrix
