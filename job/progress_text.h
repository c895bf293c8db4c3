// What the progress monitor shows: the percentage done, the progress texts
// of the status bar, caption, taskbar entry and tray hint, and the status
// texts when a calculation completes or is aborted. Pure functions of the
// counters and the tick count the window reads on its timer.
//
// Texts are UTF-16 (see text/path_text.h for the convention).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/product_text.h"

namespace ondrix {

// Percent done, truncated, for `processed` of `size` bytes; nullopt when
// nothing is to be shown (an empty file, nothing read yet, or a negative
// count). The caller passes 1 while the engine does not exist yet, so a
// large file starts at 0 %.
//
// Capped at 100: the CRC-32 routine reads to the end of the file, so a file
// that grew after it was selected would otherwise count past 100 %. Exact for
// every 64-bit size (no overflow of processed x 100).
std::optional<int> ProgressPercent(std::int64_t processed, std::int64_t size);

// The texts of one progress tick.
struct ProgressTexts {
  std::wstring status;  // " Processing file: 50 %  (ESC to abort)"
  WindowTitleTexts title;
};

// With `show_file_name` on the caption and taskbar title read
// "50% - a.exe"; off, the caption reads "50% - a.exe Ondrix 1.6.15" and the
// taskbar title is the caption. The tray hint is always the caption.
ProgressTexts BuildProgressTexts(int percent, std::wstring_view selected_file_path,
                                 bool show_file_name);

inline constexpr std::wstring_view kStatusIdle = L" Status: IDLE";
inline constexpr std::wstring_view kStatusAborted = L" Status: Operation aborted";

// Whole seconds between two GetTickCount values, across one wrap of the
// 32-bit counter; at least 1, so a quick job never reads 00:00:00.
std::uint32_t ElapsedSeconds(std::uint32_t start_tick, std::uint32_t now_tick);

// "hh:mm:ss", each part at least two digits; hours past 99 show all digits.
std::wstring ElapsedTimeText(std::uint32_t seconds);

// The status text of a completed calculation: "Completed. Time elapsed: "
// and the elapsed time when `show_elapsed` is on, otherwise " Status: IDLE".
std::wstring CompletedStatusText(bool show_elapsed, std::uint32_t start_tick,
                                 std::uint32_t now_tick);

}  // namespace ondrix
