#include <gtest/gtest.h>

#include "win/last_error.h"

namespace ondrix::win {
namespace {

TEST(LastErrorTest, SystemTextWithoutTrailingLineBreak) {
  const std::wstring text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'\n');
  EXPECT_NE(text.back(), L'\r');
  EXPECT_EQ(text.find(L"\r\n"), std::wstring::npos);

  HANDLE file = ::CreateFileW(L"Z:\\no\\such\\ondrix-file.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_EQ(file, INVALID_HANDLE_VALUE);
  const DWORD code = ::GetLastError();
  EXPECT_EQ(LastErrorText(), SystemErrorText(code));
}

TEST(LastErrorTest, UnknownCodeGivesEmptyText) { EXPECT_EQ(SystemErrorText(0x2FFFFFFF), L""); }

}  // namespace
}  // namespace ondrix::win
