// The checksum-list line parser of ondrix-sum --check on any list: the first
// byte picks the list's type (or none), the rest is split into lines and
// parsed in order, as a list is. An entry always names a file and carries a
// checksum of its type's length in hexadecimal digits; the message helpers
// take every name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "sum/check_line.h"
#include "sum/message_quote.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto& types = ondrix::ChecksumTypes();
  const ondrix::ChecksumTypeInfo* list_type =
      data[0] < types.size() ? &types[data[0]] : nullptr;
  const bool list_is_stdin = data[0] & 0x80;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

  ondrix::ListLineParser parser(list_type, list_is_stdin);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);

    const ondrix::ListLine parsed = parser.Parse(line);
    switch (parsed.kind) {
      case ondrix::ListLine::Kind::kEntry:
        FUZZ_CHECK(parsed.type != nullptr);
        FUZZ_CHECK(parsed.checksum.size() == std::size_t(parsed.type->HexLength()));
        FUZZ_CHECK(!parsed.name.empty());
        FUZZ_CHECK(parsed.name.find('\0') == std::string::npos);
        FUZZ_CHECK(!(list_is_stdin && parsed.name == "-"));
        for (const char c : parsed.checksum)
          FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
        break;
      case ondrix::ListLine::Kind::kAmbiguous:
        FUZZ_CHECK(list_type == nullptr && parsed.candidates.size() > 1);
        break;
      case ondrix::ListLine::Kind::kSkip:
      case ondrix::ListLine::Kind::kMalformed:
        break;
    }
    const std::string quoted = ondrix::QuoteNameForMessage(parsed.name);
    FUZZ_CHECK(!quoted.empty());
    // A result line is always one line.
    FUZZ_CHECK(ondrix::NameForResultLine(parsed.name).find('\n') == std::string::npos);
  }
  // Any name with a line break: its escaped result-line form reads back as
  // the name.
  const std::string_view whole(reinterpret_cast<const char*>(data), size);
  const std::string shown = ondrix::NameForResultLine(whole);
  if (whole.find('\n') != std::string_view::npos && whole.find('\0') == std::string_view::npos) {
    FUZZ_CHECK(shown[0] == '\\');
    std::string back;
    FUZZ_CHECK(ondrix::UnescapeListName(std::string_view(shown).substr(1), back) && back == whole);
  }
  ondrix::TypeFromListName(whole);
  ondrix::TypeFromBsdTag(whole);
  return 0;
}
