#include "verify/clipboard_text.h"

#include <string>

#include "text/path_text.h"
#include "verify/compare.h"

namespace ondrix {
namespace {

bool IsUpperHexDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'); }

void AppendRichTextChar(std::string& rtf, wchar_t c) {
  switch (c) {
    case L'\\': rtf += "\\\\"; return;
    case L'{': rtf += "\\{"; return;
    case L'}': rtf += "\\}"; return;
    case L'\t': rtf += "\\tab "; return;
    case L'\n': rtf += "\\line "; return;
    case L'\r': return;  // only ever part of a line break
    default: break;
  }
  if (c >= 0x20 && c < 0x7F) {
    rtf += static_cast<char>(c);
    return;
  }
  // \uN takes a signed 16-bit UTF-16 unit; "?" is the fallback for readers
  // that predate Unicode and is skipped by every other reader (\uc1).
  const auto unit = [&rtf](long code) {
    rtf += "\\u" + std::to_string(code >= 0x8000 ? code - 0x10000 : code) + "?";
  };
  const auto code = static_cast<unsigned long>(c);
  if (code > 0xFFFF) {  // a 32-bit wchar_t (not Windows): write the surrogate pair
    unit(static_cast<long>(0xD800 + ((code - 0x10000) >> 10)));
    unit(static_cast<long>(0xDC00 + ((code - 0x10000) & 0x3FF)));
  } else {
    unit(static_cast<long>(code));
  }
}

}  // namespace

std::optional<std::wstring> CleanPastedChecksum(std::wstring_view clipboard_text) {
  if (clipboard_text.size() < kPasteMinLength || clipboard_text.size() > kPasteMaxLength)
    return std::nullopt;
  std::wstring cleaned = UpperAscii(TrimControlAndSpace(ReplaceLineBreaksBySpaces(clipboard_text)));
  for (wchar_t c : cleaned)
    if (!IsUpperHexDigit(c)) return std::nullopt;
  return cleaned;
}

std::wstring ReplaceLineBreaksBySpaces(std::wstring_view text) {
  std::wstring replaced(text);
  for (wchar_t& c : replaced)
    if (c == L'\r' || c == L'\n') c = L' ';
  return replaced;
}

std::wstring CopyKeyText(CopyFocus focus, std::wstring_view computed,
                         std::wstring_view computed_selection,
                         std::wstring_view expected_selection) {
  if (focus == CopyFocus::ComputedField && !computed_selection.empty())
    return std::wstring(computed_selection);
  if (focus == CopyFocus::ExpectedField && !expected_selection.empty())
    return ReplaceLineBreaksBySpaces(expected_selection);
  return ReplaceLineBreaksBySpaces(computed);
}

std::wstring BuildChecksumRow(std::wstring_view selected_file_path, std::wstring_view checksum,
                              bool asterisk) {
  std::wstring row = FileNameOf(selected_file_path);
  row += L' ';
  row += asterisk ? L'*' : L' ';
  row += checksum;
  return row;
}

std::wstring JoinLinesCrLf(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const auto& line : lines) {
    text += line;
    text += L"\r\n";
  }
  return text;
}

std::string BuildRichText(const std::vector<std::wstring>& lines) {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}}\r\n"
      "\\uc1\\pard\\f0\\fs16 ";
  for (const auto& line : lines) {
    for (wchar_t c : line) AppendRichTextChar(rtf, c);
    rtf += "\\par\r\n";
  }
  rtf += "}";
  return rtf;
}

}  // namespace ondrix
