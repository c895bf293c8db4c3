// The system's own text for an error code, read once at the boundary where a
// Win32 call failed.
#pragma once

#include <windows.h>

#include <string>

namespace ondrix::win {

// FormatMessageW's text for `code`, without the trailing CR LF (and trailing
// blanks) the system appends. Empty when the system has no text for it.
std::wstring SystemErrorText(DWORD code);

// Reads GetLastError at once; call it directly after the failing call.
inline std::wstring LastErrorText() { return SystemErrorText(::GetLastError()); }

}  // namespace ondrix::win
