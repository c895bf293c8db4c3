#include "text/utf.h"

#include <cstdint>

namespace ondrix {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

void AppendWide(std::wstring& out, char32_t c) {
  if (kWideIsUtf16 && c >= 0x10000) {
    c -= 0x10000;
    out += wchar_t(0xD800 + (c >> 10));
    out += wchar_t(0xDC00 + (c & 0x3FF));
  } else {
    out += wchar_t(c);
  }
}

// The code point that starts at text[i]; advances i past it. A malformed
// sequence yields U+FFFD and consumes only its first byte.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = std::uint8_t(text[i++]);
  if (lead < 0x80) return lead;
  int length = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 1;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 2;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 3;
    c = lead & 0x07;
  } else {
    return kReplacement;
  }
  if (i + std::size_t(length) > text.size()) return kReplacement;
  for (int k = 0; k < length; ++k) {
    const auto next = std::uint8_t(text[i + std::size_t(k)]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    c = (c << 6) | (next & 0x3F);
  }
  const char32_t smallest = length == 1 ? 0x80 : length == 2 ? 0x800 : 0x10000;
  if (c < smallest || c > 0x10FFFF || IsSurrogate(c)) return kReplacement;
  i += std::size_t(length);
  return c;
}

}  // namespace

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = char32_t(std::uint32_t(text[i]) & (kWideIsUtf16 ? 0xFFFFu : 0xFFFFFFFFu));
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      const char32_t low = char32_t(std::uint32_t(text[i + 1]) & (kWideIsUtf16 ? 0xFFFFu : 0xFFFFFFFFu));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (IsSurrogate(c) || c > 0x10FFFF) c = kReplacement;
    AppendUtf8(out, c);
  }
  return out;
}

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) AppendWide(out, NextCodePoint(text, i));
  return out;
}

}  // namespace ondrix
