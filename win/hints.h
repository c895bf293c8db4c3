// Hints: the ordinary tooltips of buttons and other controls. One tooltip
// window serves the whole program.
#pragma once

#include <windows.h>

#include <string_view>

namespace ondrix::win {

// Shows `text` when the mouse rests on `control`; an empty text removes it.
void SetWindowHint(HWND control, std::wstring_view text);

// Delays of the hint window in milliseconds. The system stores them in 16
// bits, so values above 32767 are taken as 32767.
void SetHintDelays(int initial_ms, int auto_pop_ms, int reshow_ms);

// The shared hint window, created on first use (null before any hint).
HWND HintWindow();

}  // namespace ondrix::win
