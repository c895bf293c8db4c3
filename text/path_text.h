// The parts of a Windows path that texts show. Pure functions.
//
// Text convention of the portable rules: every text that ends up in a window,
// on the clipboard or in a line of a text file is UTF-16 (std::wstring),
// because file names may be in it and the window works in UTF-16 throughout.
// Only byte streams (rich text, encoded file content) and the ASCII type keys
// of the catalogue are narrow strings.
#pragma once

#include <string>
#include <string_view>

namespace ondrix {

// The last component of a Windows path: what follows the last '\', '/' or
// drive colon. "C:\dir\a.exe" -> "a.exe"; a bare name is returned unchanged.
std::wstring FileNameOf(std::wstring_view path);

// The folder of a Windows path without a trailing backslash:
// "C:\dir\a.exe" -> "C:\dir", "C:\a.exe" -> "C:"; empty for a bare name.
std::wstring FolderOf(std::wstring_view path);

}  // namespace ondrix
