#include "sum/check_line.h"

#include <array>
#include <utility>

namespace ondrix {
namespace {

struct TagRow {
  std::string_view tag;
  std::string_view key;
};

// The first tag of each key is the one --tag writes; the others are what
// other tools write for the same type (OpenSSL's "SHA2-256", rhash's
// "RIPEMD-160", …).
constexpr std::array<TagRow, 28> kTags = {{
    {"MD4", "md4"},
    {"MD5", "md5"},
    {"SHA1", "sha1"},
    {"SHA-1", "sha1"},
    {"SHA256", "sha256"},
    {"SHA-256", "sha256"},
    {"SHA2-256", "sha256"},
    {"SHA384", "sha384"},
    {"SHA-384", "sha384"},
    {"SHA2-384", "sha384"},
    {"SHA512", "sha512"},
    {"SHA-512", "sha512"},
    {"SHA2-512", "sha512"},
    {"RIPEMD128", "ripemd128"},
    {"RIPEMD-128", "ripemd128"},
    {"RMD128", "ripemd128"},
    {"RIPEMD160", "ripemd160"},
    {"RIPEMD-160", "ripemd160"},
    {"RMD160", "ripemd160"},
    {"HAVAL-256-5", "haval"},
    {"HAVAL256", "haval"},
    {"HAVAL-256", "haval"},
    {"HAVAL", "haval"},
    {"TIGER", "tiger"},
    {"TIGER192", "tiger"},
    {"TIGER-192", "tiger"},
    {"CRC32", "crc32"},
    {"CRC-32", "crc32"},
}};

// List file name endings and the type they stand for: the extensions the
// window writes and offers, and the names of the usual "SUMS" lists.
struct SuffixRow {
  std::string_view suffix;
  std::string_view key;
};
constexpr std::array<SuffixRow, 25> kListSuffixes = {{
    {".md4", "md4"},          {".md5", "md5"},          {".sha1", "sha1"},
    {".sha160", "sha1"},      {".sha-160", "sha1"},     {".sha256", "sha256"},
    {".sha-256", "sha256"},   {".sha384", "sha384"},    {".sha-384", "sha384"},
    {".sha512", "sha512"},    {".sha-512", "sha512"},   {".ripemd128", "ripemd128"},
    {".ripemd-128", "ripemd128"}, {".ripemd160", "ripemd160"}, {".ripemd-160", "ripemd160"},
    {".haval256", "haval"},   {".haval-256", "haval"},  {".tiger192", "tiger"},
    {".tiger-192", "tiger"},  {".sfv", "crc32"},        {"md5sums", "md5"},
    {"sha1sums", "sha1"},     {"sha256sums", "sha256"}, {"sha384sums", "sha384"},
    {"sha512sums", "sha512"},
}};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool IsWhite(char c) { return c == ' ' || c == '\t'; }

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool AllHex(std::string_view text) {
  for (char c : text)
    if (!IsHexDigit(c)) return false;
  return !text.empty();
}

bool IsTagChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == ',';
}

// "TAG (name) = HEX" from just after the tag's "(": the name runs to the
// last ")" of the line.
bool ParseBsdRest(std::string_view rest, bool escaped, const ChecksumTypeInfo& type,
                  ListLine& out) {
  const std::size_t close = rest.rfind(')');
  if (close == std::string_view::npos) return false;
  const std::string_view name = rest.substr(0, close);
  if (escaped) {
    if (!UnescapeListName(name, out.name)) return false;
  } else {
    if (name.find('\0') != std::string_view::npos) return false;  // no file has such a name
    out.name.assign(name);
  }
  if (out.name.empty()) return false;  // "TAG () = HEX" names no file
  std::size_t i = close + 1;
  while (i < rest.size() && IsWhite(rest[i])) ++i;
  if (i == rest.size() || rest[i] != '=') return false;
  ++i;
  while (i < rest.size() && IsWhite(rest[i])) ++i;
  const std::string_view hex = rest.substr(i);
  if (hex.size() != std::size_t(type.HexLength()) || !AllHex(hex)) return false;
  out.checksum.assign(hex);
  out.type = &type;
  return true;
}

// An SFV data line: the name, white space, then eight hexadecimal digits.
bool ParseSfv(std::string_view line, ListLine& out) {
  const ChecksumTypeInfo& crc = *FindTypeByKey("crc32");
  const std::size_t digits = std::size_t(crc.HexLength());
  if (line.size() < digits + 2) return false;
  const std::string_view hex = line.substr(line.size() - digits);
  if (!AllHex(hex) || !IsWhite(line[line.size() - digits - 1])) return false;
  std::string_view name = line.substr(0, line.size() - digits - 1);
  while (!name.empty() && IsWhite(name.back())) name.remove_suffix(1);
  if (name.empty() || name.find('\0') != std::string_view::npos) return false;
  out.name.assign(name);
  out.checksum.assign(hex);
  out.type = &crc;
  return true;
}

}  // namespace

const ChecksumTypeInfo* TypeFromBsdTag(std::string_view tag) {
  for (const TagRow& row : kTags)
    if (EqualsIgnoringCase(row.tag, tag)) return FindTypeByKey(row.key);
  return nullptr;
}

std::string_view BsdTagOf(const ChecksumTypeInfo& type) {
  for (const TagRow& row : kTags)
    if (row.key == type.key) return row.tag;
  return type.key;
}

const ChecksumTypeInfo* TypeFromListName(std::string_view file_name) {
  const std::size_t slash = file_name.find_last_of("/\\");
  if (slash != std::string_view::npos) file_name.remove_prefix(slash + 1);
  for (const SuffixRow& row : kListSuffixes) {
    if (file_name.size() < row.suffix.size()) continue;
    const std::string_view tail = file_name.substr(file_name.size() - row.suffix.size());
    // A "SUMS" name is the whole name; an extension follows a base name.
    const bool whole = row.suffix[0] != '.';
    if (whole && tail.size() != file_name.size()) continue;
    if (!whole && tail.size() == file_name.size()) continue;
    if (EqualsIgnoringCase(tail, row.suffix)) return FindTypeByKey(row.key);
  }
  return nullptr;
}

std::vector<const ChecksumTypeInfo*> TypesWithHexLength(std::size_t hex_length) {
  std::vector<const ChecksumTypeInfo*> types;
  for (const auto& row : ChecksumTypes())
    if (std::size_t(row.HexLength()) == hex_length) types.push_back(&row);
  return types;
}

bool UnescapeListName(std::string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\0') return false;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == text.size()) return false;
    switch (text[i]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: return false;
    }
  }
  return true;
}

ListLine ListLineParser::Parse(std::string_view line) {
  ListLine out;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  // '#' starts a comment in GNU lists, ';' in SFV files; an SFV comment in a
  // list of another known type is an error there, as GNU tools see it.
  const bool sfv_allowed = !list_type_ || list_type_->IsCrc();
  if (line.empty() || line[0] == '#' || (sfv_allowed && line[0] == ';')) {
    out.kind = ListLine::Kind::kSkip;
    return out;
  }
  if (line.size() > kMaxListLineBytes) return out;

  std::size_t i = 0;
  while (i < line.size() && IsWhite(line[i])) ++i;
  const bool escaped = i < line.size() && line[i] == '\\';
  if (escaped) ++i;

  // A BSD tag: a word naming one of our types, an optional space, "(".
  std::size_t tag_end = i;
  while (tag_end < line.size() && IsTagChar(line[tag_end])) ++tag_end;
  std::size_t paren = tag_end;
  if (paren < line.size() && line[paren] == ' ') ++paren;
  if (tag_end > i && paren < line.size() && line[paren] == '(') {
    // A tag line that does not parse may still be an SFV line whose name
    // starts like one ("CRC32 (copy).bin 01234567").
    const ChecksumTypeInfo* type = TypeFromBsdTag(line.substr(i, tag_end - i));
    if (type && ParseBsdRest(line.substr(paren + 1), escaped, *type, out))
      return Finish(std::move(out));
    out = ListLine{};
  }

  // An SFV list reads its own layout first: "01234567 89abcdef" would be a
  // reversed GNU line as well.
  const bool sfv_first = list_type_ && list_type_->IsCrc();
  if (sfv_first && !escaped && ParseSfv(line, out)) return Finish(std::move(out));
  out = ListLine{};
  if (ParseGnu(line, out)) return Finish(std::move(out));
  out = ListLine{};
  if (!list_type_ && !escaped && ParseSfv(line, out)) return Finish(std::move(out));
  return ListLine{};
}

ListLine ListLineParser::Finish(ListLine line) const {
  // Read from standard input, the list cannot also name it as a file.
  if (list_is_stdin_ && line.name == "-") return ListLine{};
  line.kind = line.type ? ListLine::Kind::kEntry : ListLine::Kind::kAmbiguous;
  return line;
}

bool ListLineParser::ParseGnu(std::string_view line, ListLine& out) {
  if (list_type_) return ParseGnuWithLength(line, std::size_t(list_type_->HexLength()), out);
  // The type is not known: the digits decide by their count.
  std::size_t i = 0;
  while (i < line.size() && IsWhite(line[i])) ++i;
  if (i < line.size() && line[i] == '\\') ++i;
  std::size_t end = i;
  while (end < line.size() && IsHexDigit(line[end])) ++end;
  const auto types = TypesWithHexLength(end - i);
  if (types.empty() || !ParseGnuWithLength(line, end - i, out)) return false;
  if (types.size() == 1) out.type = types.front();
  else out.candidates = types;
  return true;
}

// The GNU layout with a checksum of `hex_length` digits. The rules follow
// what GNU's own check accepts, so that a list it reads is read the same.
bool ListLineParser::ParseGnuWithLength(std::string_view line, std::size_t hex_length,
                                        ListLine& out) {
  std::size_t i = 0;
  while (i < line.size() && IsWhite(line[i])) ++i;
  const bool escaped = i < line.size() && line[i] == '\\';
  if (escaped) ++i;
  // The checksum, a blank and at least one character of name.
  if (line.size() - i < hex_length + 2) return false;
  const std::string_view hex = line.substr(i, hex_length);
  i += hex_length;
  if (!IsWhite(line[i])) return false;
  ++i;
  if (!AllHex(hex)) return false;
  if (line.size() - i == 1 || (line[i] != ' ' && line[i] != '*')) {
    // "HEX name": allowed only in a list that has not used "HEX  name",
    // so that a name with a leading space or "*" cannot be misread.
    if (reversed_ == 0) return false;
    reversed_ = 1;
  } else if (reversed_ != 1) {
    reversed_ = 0;
    ++i;  // the mode character: ' ' text, '*' binary
  }
  const std::string_view name = line.substr(i);
  if (escaped) {
    if (!UnescapeListName(name, out.name)) return false;
  } else {
    if (name.find('\0') != std::string_view::npos) return false;
    out.name.assign(name);
  }
  out.checksum.assign(hex);
  out.type = list_type_;
  return true;
}

}  // namespace ondrix
