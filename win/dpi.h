// Screen DPI of a window and sizes that follow it. Layout constants are
// written for 96 DPI and scaled with Scale().
#pragma once

#include <windows.h>

#include "win/handles.h"

namespace ondrix::win {

inline constexpr UINT kDefaultDpi = 96;

// The window's DPI: GetDpiForWindow where the system has it (Windows 10
// 1607+, looked up at run time so Windows 7 still starts), else the screen
// DC's LOGPIXELSX.
UINT DpiOf(HWND hwnd);

// `px` at 96 DPI, expressed at `dpi`, rounded to nearest.
inline int Scale(int px, UINT dpi) { return ::MulDiv(px, static_cast<int>(dpi), kDefaultDpi); }

// The user-interface font, Tahoma 8 pt, at `dpi` (height -11 at 96 DPI).
UniqueFont CreateUiFont(UINT dpi, bool bold = false);

// The same face and size as `font`, with the weight changed.
UniqueFont CreateFontVariant(HFONT font, bool bold);

// Height of one text line of `font`, in pixels.
int FontLineHeight(HFONT font);

}  // namespace ondrix::win
