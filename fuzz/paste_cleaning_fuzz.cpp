// The cleaning of a clipboard text offered as an expected checksum, on any
// UTF-16 text (the input's bytes taken in pairs): what it accepts is only
// upper-case hexadecimal digits, never longer than the clipboard text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "verify/clipboard_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text += wchar_t(data[i] | data[i + 1] << 8);

  if (const auto cleaned = ondrix::CleanPastedChecksum(text)) {
    FUZZ_CHECK(text.size() >= ondrix::kPasteMinLength && text.size() <= ondrix::kPasteMaxLength);
    FUZZ_CHECK(cleaned->size() <= text.size());
    for (const wchar_t c : *cleaned) FUZZ_CHECK((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'));
    // Cleaning what was accepted changes nothing more.
    if (cleaned->size() >= ondrix::kPasteMinLength) {
      FUZZ_CHECK(ondrix::CleanPastedChecksum(*cleaned) == *cleaned);
    }
  }
  const std::wstring spaced = ondrix::ReplaceLineBreaksBySpaces(text);
  FUZZ_CHECK(spaced.size() == text.size());
  FUZZ_CHECK(spaced.find_first_of(L"\r\n") == std::wstring::npos);
  return 0;
}
