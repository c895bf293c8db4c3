#include "output/ansi_text.h"

#include <cstdint>
#include <utility>

#include "text/utf.h"

namespace ondrix {
namespace {

std::string Utf8WithBom(std::wstring_view text) {
  std::string bytes(kUtf8ByteOrderMark);
  bytes += WideToUtf8(text);
  return bytes;
}

}  // namespace

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
      return {Action::Append, TextFileEncoding::Utf8WithBom, WideToUtf8(text)};
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
