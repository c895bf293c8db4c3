#include "job/progress_text.h"

#include <cstdio>
#include <limits>

#include "text/path_text.h"

namespace ondrix {
namespace {

std::wstring TwoDigits(std::uint32_t value) {
  wchar_t buffer[16];
  std::swprintf(buffer, 16, L"%02u", static_cast<unsigned>(value));
  return buffer;
}

}  // namespace

std::optional<int> ProgressPercent(std::int64_t processed, std::int64_t size) {
  if (size <= 0 || processed <= 0) return std::nullopt;
  if (processed >= size) return 100;
  if (size <= std::numeric_limits<std::int64_t>::max() / 100)
    return static_cast<int>(processed * 100 / size);
  // Sizes past 92 PB: add `processed` a hundred times modulo `size`. Both
  // stay below 2^63, so the unsigned sum cannot wrap.
  const auto p = static_cast<std::uint64_t>(processed);
  const auto s = static_cast<std::uint64_t>(size);
  std::uint64_t remainder = 0;
  int percent = 0;
  for (int i = 0; i < 100; ++i) {
    remainder += p;
    if (remainder >= s) {
      remainder -= s;
      ++percent;
    }
  }
  return percent;
}

ProgressTexts BuildProgressTexts(int percent, std::wstring_view selected_file_path,
                                 bool show_file_name) {
  const std::wstring number = std::to_wstring(percent);
  ProgressTexts texts;
  texts.status = L" Processing file: " + number + L" %  (ESC to abort)";
  const std::wstring progress = number + L"% - " + FileNameOf(selected_file_path);
  texts.title.caption = show_file_name ? progress : progress + L" " + ProductCaption();
  texts.title.taskbar_title = texts.title.caption;
  texts.title.tray_hint = texts.title.caption;
  return texts;
}

std::uint32_t ElapsedSeconds(std::uint32_t start_tick, std::uint32_t now_tick) {
  const std::uint32_t seconds = static_cast<std::uint32_t>(now_tick - start_tick) / 1000u;
  return seconds == 0 ? 1 : seconds;
}

std::wstring ElapsedTimeText(std::uint32_t seconds) {
  const std::uint32_t hours = seconds / 3600;
  const std::uint32_t minutes = (seconds - 3600 * hours) / 60;
  const std::uint32_t rest = seconds - 3600 * hours - 60 * minutes;
  return TwoDigits(hours) + L":" + TwoDigits(minutes) + L":" + TwoDigits(rest);
}

std::wstring CompletedStatusText(bool show_elapsed, std::uint32_t start_tick,
                                 std::uint32_t now_tick) {
  if (!show_elapsed) return std::wstring(kStatusIdle);
  return L"Completed. Time elapsed: " + ElapsedTimeText(ElapsedSeconds(start_tick, now_tick));
}

}  // namespace ondrix
