#include "job/progress_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace ondrix {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(ProgressPercent, TruncatedShareOfTheRecordedSize) {
  struct Row {
    std::int64_t processed, size;
    int percent;
  };
  const Row rows[] = {
      {500000, 1000000, 50},
      {999999, 1000000, 99},  // truncated, never rounded up to 100 early
      {1000000, 1000000, 100},
      {1, 1000000, 0},  // no engine yet: the monitor counts 1 byte
      {1, 100, 1},
      {1, 1, 100},
      {8192, 10000, 81},
      // CRC-32 reads a file that grew past its recorded size: capped at 100.
      {9000, 8192, 100},
      {kMax, 1, 100},
      // Sizes where processed x 100 would overflow 64 bits.
      {kMax / 2, kMax, 49},
      {kMax - 1, kMax, 99},
      {kMax / 100 * 37, kMax / 100 * 100, 37},
      {kMax / 100 + 1, kMax / 100 + 2, 99},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.processed) + " of " + std::to_string(row.size));
    ASSERT_EQ(ProgressPercent(row.processed, row.size), row.percent);
  }
}

TEST(ProgressPercent, NothingShownForAnEmptyFileOrNoProgress) {
  EXPECT_EQ(ProgressPercent(1, 0), std::nullopt);  // 0-byte file: no division by zero
  EXPECT_EQ(ProgressPercent(0, 0), std::nullopt);
  EXPECT_EQ(ProgressPercent(0, 1000), std::nullopt);
  EXPECT_EQ(ProgressPercent(-5, 1000), std::nullopt);
  EXPECT_EQ(ProgressPercent(5, -1), std::nullopt);
}

TEST(ProgressTexts, StatusCaptionTaskbarAndTray) {
  const ProgressTexts on = BuildProgressTexts(50, L"C:\\data\\a.exe", true);
  EXPECT_EQ(on.status, L" Processing file: 50 %  (ESC to abort)");
  EXPECT_EQ(on.title.caption, L"50% - a.exe");
  EXPECT_EQ(on.title.taskbar_title, L"50% - a.exe");
  EXPECT_EQ(on.title.tray_hint, L"50% - a.exe");

  const ProgressTexts off = BuildProgressTexts(7, L"C:\\data\\a.exe", false);
  EXPECT_EQ(off.status, L" Processing file: 7 %  (ESC to abort)");
  EXPECT_EQ(off.title.caption, L"7% - a.exe Ondrix 1.6.15");
  EXPECT_EQ(off.title.taskbar_title, L"7% - a.exe Ondrix 1.6.15");
  EXPECT_EQ(off.title.tray_hint, L"7% - a.exe Ondrix 1.6.15");
}

TEST(ElapsedTime, SecondsAcrossBoundaries) {
  struct Row {
    std::uint32_t start, now;
    std::wstring_view text;
  };
  const Row rows[] = {
      {1000, 1000, L"00:00:01"},    // same tick: at least one second
      {1000, 1400, L"00:00:01"},    // 0.4 s
      {1000, 2999, L"00:00:01"},    // 1.999 s, truncated
      {0, 59999, L"00:00:59"},      // 59.999 s
      {0, 60000, L"00:01:00"},
      {0, 3599999, L"00:59:59"},
      {0, 3600000, L"01:00:00"},
      {0, 3725000, L"01:02:05"},
      {0, 359999000, L"99:59:59"},
      {0, 360000000, L"100:00:00"},  // hours past 99 show all digits
      // The tick counter wrapped during the job.
      {0xFFFFF000u, 0x00001000u, L"00:00:08"},
      {1, 0, L"1193:02:47"},  // the longest difference one wrap allows
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.start) + " -> " + std::to_string(row.now));
    EXPECT_EQ(CompletedStatusText(true, row.start, row.now),
              L"Completed. Time elapsed: " + std::wstring(row.text));
  }
}

TEST(CompletionTexts, IdleAndAborted) {
  EXPECT_EQ(CompletedStatusText(false, 0, 3725000), L" Status: IDLE");
  EXPECT_EQ(kStatusAborted, L" Status: Operation aborted");
}

}  // namespace
}  // namespace ondrix
