// Texts that show the selected file: its name and folder, the size text, the
// file-time texts and the window title. Pure functions; the window feeds them
// what only the system knows (the shell's short size text, the locale's date
// pattern, the local time of a file).
//
// Texts are UTF-16 (see text/path_text.h for the convention). The file name,
// folder and title texts live in text/ and come with this header.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/path_text.h"
#include "text/product_text.h"

namespace ondrix {

// Splits a decimal digit string into groups of three counted from the right,
// joined by `separator`. Three digits or fewer, or an empty separator: the
// text unchanged. A leading minus sign is kept in front of the first group.
std::wstring GroupDigits(std::wstring_view digits, std::wstring_view separator);

// The size text of Label4 and the report: `shell_size_text` (what
// StrFormatByteSizeW gives for `size` on Windows, e.g. "1.17 MB"), then
// " ( ", the byte count grouped by `separator`, then " B )".
std::wstring FormatSizeText(std::wstring_view shell_size_text, std::int64_t size,
                            std::wstring_view separator);

// A local date and time, as the system's time conversion gives it.
struct DateTimeParts {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int day_of_week = 0;  // 0 = Sunday .. 6 = Saturday; only used by "ddd"/"dddd"
};

// Names a short date pattern may ask for. The window fills them from the
// user's locale; the defaults are English so a missing table never yields
// an empty field.
struct DateNames {
  std::array<std::wstring, 12> month_long = {L"January", L"February", L"March",     L"April",
                                             L"May",     L"June",     L"July",      L"August",
                                             L"September", L"October", L"November", L"December"};
  std::array<std::wstring, 12> month_short = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                              L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
  std::array<std::wstring, 7> day_long = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                          L"Thursday", L"Friday", L"Saturday"};
  std::array<std::wstring, 7> day_short = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
};

// Formats the date of `when` with a Windows short date picture (the user's
// LOCALE_SSHORTDATE): d dd ddd dddd, M MM MMM MMMM, y yy yyyy (yyy and
// longer runs give the full year), and 'quoted' literal text ('' is a quote).
// Every other character, the date separator included, is copied as it is.
std::wstring FormatShortDate(const DateTimeParts& when, std::wstring_view pattern,
                             const DateNames& names = DateNames{});

// A file-time text as ReadFileTimes stores it: the short date, one space,
// then hours (24-hour clock), minutes and seconds, two digits each, joined
// by the locale's time separator.
std::wstring FormatFileTimeText(const DateTimeParts& when, std::wstring_view short_date_pattern,
                                std::wstring_view time_separator,
                                const DateNames& names = DateNames{});

// The text a file time shows when the file cannot be found.
inline constexpr std::wstring_view kUnknownFileTimeText = L"?";

}  // namespace ondrix
