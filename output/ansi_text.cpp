#include "output/ansi_text.h"

#include <cstdint>
#include <utility>

namespace ondrix {
namespace {

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

constexpr std::uint32_t kReplacementCharacter = 0xFFFD;

std::string Utf8WithBom(std::wstring_view text) {
  std::string bytes(kUtf8ByteOrderMark);
  bytes += EncodeUtf8(text);
  return bytes;
}

}  // namespace

std::string EncodeUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t code = static_cast<std::uint32_t>(text[i]);
    if (code >= 0xD800 && code <= 0xDBFF) {
      const std::uint32_t next =
          i + 1 < text.size() ? static_cast<std::uint32_t>(text[i + 1]) : 0;
      if (next >= 0xDC00 && next <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (next - 0xDC00);
        ++i;
      } else {
        code = kReplacementCharacter;
      }
    } else if ((code >= 0xDC00 && code <= 0xDFFF) || code > 0x10FFFF) {
      code = kReplacementCharacter;
    }
    AppendUtf8(out, code);
  }
  return out;
}

EncodedTextFile EncodeTextFile(std::wstring_view content, const AnsiConverter& to_ansi) {
  if (std::optional<std::string> ansi = to_ansi(content))
    return {TextFileEncoding::Ansi, std::move(*ansi)};
  return {TextFileEncoding::Utf8WithBom, Utf8WithBom(content)};
}

ExistingTextFile ClassifyExistingTextFile(std::string_view first_bytes) {
  if (first_bytes.empty()) return ExistingTextFile::Missing;
  if (first_bytes.starts_with(kUtf8ByteOrderMark)) return ExistingTextFile::Utf8WithBom;
  return ExistingTextFile::Ansi;
}

AppendPlan PlanTextAppend(ExistingTextFile existing, std::wstring_view text,
                          const AnsiConverter& to_ansi,
                          const std::function<std::wstring()>& read_old_content) {
  using Action = AppendPlan::Action;
  switch (existing) {
    case ExistingTextFile::Missing: {
      EncodedTextFile file = EncodeTextFile(text, to_ansi);
      return {Action::Append, file.encoding, std::move(file.bytes)};
    }
    case ExistingTextFile::Utf8WithBom:
      return {Action::Append, TextFileEncoding::Utf8WithBom, EncodeUtf8(text)};
    case ExistingTextFile::Ansi:
      break;
  }
  if (std::optional<std::string> ansi = to_ansi(text))
    return {Action::Append, TextFileEncoding::Ansi, std::move(*ansi)};
  std::wstring whole = read_old_content();
  whole += text;
  return {Action::RewriteAsUtf8, TextFileEncoding::Utf8WithBom, Utf8WithBom(whole)};
}

}  // namespace ondrix
