// The clipboard: plain text in and out, and a copy that carries the same
// lines as rich text too. Another process may hold the clipboard for a
// moment, so opening it is retried a few times.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace ondrix {

// The clipboard's text (CF_UNICODETEXT); nullopt when it holds none or
// cannot be opened.
std::optional<std::wstring> GetClipboardText();

// Replaces the clipboard's content with `text`. False when the clipboard
// could not be opened or the data not handed over. `owner` becomes the
// clipboard owner; with none, a hidden helper window owns it for the call.
bool SetClipboardText(std::wstring_view text, HWND owner = nullptr);

// The same, with `rtf` (a whole rich-text document) under the registered
// "Rich Text Format" beside the plain text.
bool SetClipboardTextWithRtf(std::wstring_view plain, std::string_view rtf, HWND owner = nullptr);

// The id of the registered "Rich Text Format".
UINT RichTextClipboardFormat();

}  // namespace ondrix
