#include "startup/file_info_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ondrix {
namespace {

TEST(GroupDigits, GroupsOfThreeFromTheRight) {
  struct Row {
    std::wstring_view digits, separator, grouped;
  };
  const Row rows[] = {
      {L"", L" ", L""},
      {L"0", L" ", L"0"},
      {L"999", L" ", L"999"},
      {L"1000", L" ", L"1 000"},
      {L"123456", L" ", L"123 456"},
      {L"1234567", L" ", L"1 234 567"},
      {L"9223372036854775807", L" ", L"9 223 372 036 854 775 807"},
      {L"1234567", L"", L"1234567"},
      {L"1234567", L".", L"1.234.567"},
      {L"1234567", L"\u00A0", L"1\u00A0234\u00A0567"},
      {L"-123456", L" ", L"-123 456"},  // the sign is not a digit of the first group
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::wstring(row.digits));
    EXPECT_EQ(GroupDigits(row.digits, row.separator), row.grouped);
  }
}

TEST(FormatSizeText, ShellTextThenGroupedCount) {
  EXPECT_EQ(FormatSizeText(L"1.17 MB", 1234567, L" "), L"1.17 MB ( 1 234 567 B )");
  // The start of a calculation shows the count ungrouped.
  EXPECT_EQ(FormatSizeText(L"1.17 MB", 1234567, L""), L"1.17 MB ( 1234567 B )");
  EXPECT_EQ(FormatSizeText(L"0 bytes", 0, L" "), L"0 bytes ( 0 B )");
  EXPECT_EQ(FormatSizeText(L"999 bytes", 999, L" "), L"999 bytes ( 999 B )");
  EXPECT_EQ(FormatSizeText(L"8.00 EB", INT64_MAX, L" "),
            L"8.00 EB ( 9 223 372 036 854 775 807 B )");
}

TEST(FileTimeText, ShortDatePatternsAndTimeSeparator) {
  DateTimeParts when;
  when.year = 2009;
  when.month = 3;
  when.day = 7;
  when.hour = 4;
  when.minute = 5;
  when.second = 9;
  when.millisecond = 999;  // never shown, never rounds up
  when.day_of_week = 6;
  struct Row {
    std::wstring_view pattern, separator, text;
  };
  const Row rows[] = {
      {L"dd.MM.yyyy", L":", L"07.03.2009 04:05:09"},
      {L"M/d/yyyy", L":", L"3/7/2009 04:05:09"},
      {L"yyyy-MM-dd", L".", L"2009-03-07 04.05.09"},
      {L"d/M/yy", L":", L"7/3/09 04:05:09"},
      {L"y", L":", L"9 04:05:09"},
      {L"ddd dd-MMM-yyyy", L":", L"Sat 07-Mar-2009 04:05:09"},
      {L"dddd, MMMM d, yyyy", L":", L"Saturday, March 7, 2009 04:05:09"},
      {L"d'. 'MMMM ''yy", L":", L"7. March '09 04:05:09"},
      {L"'Date: 'd''M", L":", L"Date: 7'3 04:05:09"},
      {L"gg yyyy/MM/dd", L":", L" 2009/03/07 04:05:09"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::wstring(row.pattern));
    EXPECT_EQ(FormatFileTimeText(when, row.pattern, row.separator), row.text);
  }
}

TEST(FileTimeText, TwentyFourHourClockAndLocaleNames) {
  DateTimeParts when{2024, 12, 31, 23, 59, 59, 0, 2};
  EXPECT_EQ(FormatFileTimeText(when, L"dd.MM.yyyy", L":"), L"31.12.2024 23:59:59");
  DateNames german;
  german.month_short[11] = L"Dez";
  german.day_long[2] = L"Dienstag";
  EXPECT_EQ(FormatFileTimeText(when, L"dddd, dd. MMM yyyy", L":", german),
            L"Dienstag, 31. Dez 2024 23:59:59");
  DateTimeParts midnight{2000, 1, 1, 0, 0, 0, 0, 6};
  EXPECT_EQ(FormatFileTimeText(midnight, L"yyyy-MM-dd", L":"), L"2000-01-01 00:00:00");
}

}  // namespace
}  // namespace ondrix
