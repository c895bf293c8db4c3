// The texts of the Explorer context-menu verb: where its keys live, the
// title it gets by default and the command line Explorer runs.
#pragma once

#include <string>
#include <string_view>

namespace ondrix {

// Relative to the classes root (HKEY_CLASSES_ROOT, or the user's own
// classes): the verb on every file type, and its command.
inline constexpr wchar_t kShellVerbKey[] = L"*\\Shell\\Ondrix";
inline constexpr wchar_t kShellVerbCommandKey[] = L"*\\Shell\\Ondrix\\command";
// The user's own classes under HKEY_CURRENT_USER, which Explorer merges
// into HKEY_CLASSES_ROOT.
inline constexpr wchar_t kUserClassesKey[] = L"Software\\Classes";

inline constexpr wchar_t kDefaultShellVerbTitle[] = L"Ondrix - Calculate File Checksum";

// The program's path in double quotes, a space, and "%1" in double quotes:
// Explorer puts the chosen file's path in place of %1, so paths with spaces
// arrive as one argument.
std::wstring ShellVerbCommandLine(std::wstring_view program_path);

}  // namespace ondrix
