#include "startup/file_info_text.h"

#include <cstdio>


namespace ondrix {
namespace {

// Decimal text with at least `width` digits (leading zeros), more when needed.
std::wstring ZeroPadded(long long value, int width) {
  wchar_t buffer[32];
  std::swprintf(buffer, 32, L"%0*lld", width, value);
  return buffer;
}

}  // namespace

std::wstring GroupDigits(std::wstring_view digits, std::wstring_view separator) {
  std::wstring_view sign;
  if (!digits.empty() && digits.front() == L'-') {
    sign = digits.substr(0, 1);
    digits.remove_prefix(1);
  }
  std::wstring text(sign);
  if (digits.size() <= 3 || separator.empty()) return text.append(digits);
  std::size_t first = digits.size() % 3;
  if (first == 0) first = 3;
  text.append(digits.substr(0, first));
  for (std::size_t i = first; i < digits.size(); i += 3) {
    text.append(separator);
    text.append(digits.substr(i, 3));
  }
  return text;
}

std::wstring FormatSizeText(std::wstring_view shell_size_text, std::int64_t size,
                            std::wstring_view separator) {
  std::wstring text(shell_size_text);
  text += L" ( ";
  text += GroupDigits(std::to_wstring(size), separator);
  text += L" B )";
  return text;
}

std::wstring FormatShortDate(const DateTimeParts& when, std::wstring_view pattern,
                             const DateNames& names) {
  std::wstring text;
  const int month_index = (when.month >= 1 && when.month <= 12) ? when.month - 1 : 0;
  const int day_index = (when.day_of_week >= 0 && when.day_of_week <= 6) ? when.day_of_week : 0;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const wchar_t c = pattern[i];
    if (c == L'\'') {  // quoted literal; '' inside or outside quotes is one quote
      if (i + 1 < pattern.size() && pattern[i + 1] == L'\'') {
        text += L'\'';
        i += 2;
        continue;
      }
      ++i;
      while (i < pattern.size()) {
        if (pattern[i] == L'\'') {
          if (i + 1 < pattern.size() && pattern[i + 1] == L'\'') {
            text += L'\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        text += pattern[i++];
      }
      continue;
    }
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    switch (c) {
      case L'd':
        if (run == 1) text += std::to_wstring(when.day);
        else if (run == 2) text += ZeroPadded(when.day, 2);
        else if (run == 3) text += names.day_short[day_index];
        else text += names.day_long[day_index];
        break;
      case L'M':
        if (run == 1) text += std::to_wstring(when.month);
        else if (run == 2) text += ZeroPadded(when.month, 2);
        else if (run == 3) text += names.month_short[month_index];
        else text += names.month_long[month_index];
        break;
      case L'y':
        if (run == 1) text += std::to_wstring(when.year % 10);
        else if (run == 2) text += ZeroPadded(when.year % 100, 2);
        else text += std::to_wstring(when.year);
        break;
      case L'g':  // era: the Gregorian calendar of a file time has none to show
        break;
      default:
        text.append(run, c);
        break;
    }
    i += run;
  }
  return text;
}

std::wstring FormatFileTimeText(const DateTimeParts& when, std::wstring_view short_date_pattern,
                                std::wstring_view time_separator, const DateNames& names) {
  std::wstring text = FormatShortDate(when, short_date_pattern, names);
  text += L' ';
  text += ZeroPadded(when.hour, 2);
  text += time_separator;
  text += ZeroPadded(when.minute, 2);
  text += time_separator;
  text += ZeroPadded(when.second, 2);
  return text;
}

}  // namespace ondrix
