#include "text/utf.h"

#include <gtest/gtest.h>

#include <string>

namespace ondrix {
namespace {

// Wide text of one code point, as the platform spells it (a surrogate pair
// where wchar_t has 16 bits).
std::wstring Wide(char32_t c) {
  if (sizeof(wchar_t) == 2 && c >= 0x10000) {
    c -= 0x10000;
    return {wchar_t(0xD800 + (c >> 10)), wchar_t(0xDC00 + (c & 0x3FF))};
  }
  return std::wstring(1, wchar_t(c));
}

TEST(Utf, EveryEncodedLengthBothWays) {
  struct Row {
    char32_t code_point;
    std::string utf8;
  };
  const Row rows[] = {
      {U'A', "A"},
      {0xE9, "\xC3\xA9"},              // é
      {0x65E5, "\xE6\x97\xA5"},        // 日
      {0x1F600, "\xF0\x9F\x98\x80"},   // outside the basic plane
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},  // the last code point
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(Utf8ToWide(row.utf8), Wide(row.code_point));
    EXPECT_EQ(WideToUtf8(Wide(row.code_point)), row.utf8);
  }
  const std::wstring name = L"a\u00fc" + Wide(0x1F600) + L"\\z.txt";
  EXPECT_EQ(Utf8ToWide(WideToUtf8(name)), name);
  EXPECT_EQ(Utf8ToWide(""), L"");
  EXPECT_EQ(WideToUtf8(L""), "");
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  const std::wstring bad = Wide(0xFFFD);
  struct Row {
    std::string utf8;
    std::wstring wide;
  };
  const Row rows[] = {
      {"a\xFF" "b", L"a" + bad + L"b"},                // a byte that starts nothing
      {"\xC3", bad},                                   // a sequence cut short
      {"\xC0\xAF", bad + bad},                         // an overlong '/'
      {"\xED\xA0\x80", bad + bad + bad},               // an encoded surrogate
      {"\xE6\x97" "x", bad + bad + L"x"},              // a continuation missing
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(Utf8ToWide(row.utf8), row.wide);
  }
  // A UTF-16 pair is joined whatever the width of wchar_t; an unpaired
  // surrogate has no UTF-8 spelling.
  std::wstring paired;
  paired += static_cast<wchar_t>(0xD83D);
  paired += static_cast<wchar_t>(0xDE00);
  EXPECT_EQ(WideToUtf8(paired), "\xF0\x9F\x98\x80");
  std::wstring lone;
  lone += L'x';
  lone += static_cast<wchar_t>(0xD800);
  lone += L'y';
  lone += static_cast<wchar_t>(0xDC00);
  EXPECT_EQ(WideToUtf8(lone), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

}  // namespace
}  // namespace ondrix
