// UTF-8 <-> wide text. The wide text is UTF-16 where wchar_t has 16 bits
// (Windows) and UTF-32 where it has 32 (Linux); a UTF-16 pair in 32-bit
// units is joined as well. Malformed input (a stray byte, a truncated or
// overlong sequence, an unpaired surrogate, which NTFS allows in a name)
// becomes U+FFFD, as the system's own conversion does, so a conversion never
// fails.
#pragma once

#include <string>
#include <string_view>

namespace ondrix {

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace ondrix
