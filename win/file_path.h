// Win32 helpers for paths of any length: the long-path form the W functions
// take, whether a file exists, its hidden and system attributes.
#pragma once

#include <string>
#include <string_view>

namespace ondrix {

// `path` in the form the W file functions take past MAX_PATH: an absolute
// path gets the "\\?\" prefix ("\\?\UNC\" for a share) after it has been
// made full and normalised, since the prefix turns off that normalisation.
// Short paths, relative paths that cannot be resolved and paths already
// prefixed are returned unchanged.
std::wstring ExtendedLengthPath(std::wstring_view path);

// Whether a path names an existing file (not a folder), for paths of any
// length: the commands that hand the selected file to the shell or open the
// history file ask this first.
bool FileExists(const std::wstring& path);

// Sets the file's whole attribute word, so read-only and archive are cleared
// in every case: normal, hidden, hidden + system, or system. Failures (a
// missing file, access denied) are ignored.
void ApplyHiddenSystemAttributes(const std::wstring& path, bool hidden, bool system);

}  // namespace ondrix
