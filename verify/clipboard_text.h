// Clipboard texts: the cleaning that decides whether a clipboard text is an
// expected checksum, the copy of a checksum, the name-and-checksum row, and
// the plain and rich-text forms in which lines go to the clipboard.
//
// Window texts are UTF-16 (see text/path_text.h); the rich text is a
// 7-bit byte stream, as the clipboard's "Rich Text Format" carries it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondrix {

// Clipboard texts outside these lengths (UTF-16 units, before any cleaning)
// are never taken as a checksum.
inline constexpr std::size_t kPasteMinLength = 8;
inline constexpr std::size_t kPasteMaxLength = 512;

// The cleaning of PasteChecksumFromClipboard: CR and LF become spaces, the
// ends are trimmed of characters with codes 32 or less, letters go to upper
// case, and what remains must be hexadecimal digits. Returns the text for
// Edit2, or nullopt when the clipboard text is to be ignored (wrong length,
// a label, an inner space or break, any other character). A text that is
// empty after trimming is accepted as empty: pasting it clears Edit2.
std::optional<std::wstring> CleanPastedChecksum(std::wstring_view clipboard_text);

// Every CR and LF replaced by a space: what the copy commands put on the
// clipboard from a field.
std::wstring ReplaceLineBreaksBySpaces(std::wstring_view text);

enum class CopyFocus { ComputedField, ExpectedField, Elsewhere };

// What the copy key (Ctrl+C) puts on the clipboard: a selection in Edit1 as
// it is, a selection in Edit2 with line breaks as spaces, and otherwise the
// whole computed checksum (Edit1) with line breaks as spaces.
std::wstring CopyKeyText(CopyFocus focus, std::wstring_view computed,
                         std::wstring_view computed_selection,
                         std::wstring_view expected_selection);

// The name-and-checksum row: file name without folder, a space, "*" (or a
// space when `asterisk` is off), the checksum as displayed.
std::wstring BuildChecksumRow(std::wstring_view selected_file_path, std::wstring_view checksum,
                              bool asterisk);

// Lines as the clipboard's plain text receives them: each line, the last
// one included, followed by CR LF.
std::wstring JoinLinesCrLf(const std::vector<std::wstring>& lines);

// The same lines as a rich-text document (Tahoma 8 pt, one paragraph per
// line). Characters past ASCII are written as \uN escapes, so any file name
// survives whatever the code page.
std::string BuildRichText(const std::vector<std::wstring>& lines);

}  // namespace ondrix
