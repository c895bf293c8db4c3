#include <gtest/gtest.h>

#include <string>

#include "win/dialogs.h"

namespace ondrix::win {
namespace {

using namespace std::string_literals;

TEST(DialogsTest, FilterTextBecomesNulSeparatedList) {
  struct Case {
    std::wstring input;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"MD5 checksum file|*.md5", L"MD5 checksum file\0*.md5\0\0"s},
      {L"Text files|*.txt|All files|*.*", L"Text files\0*.txt\0All files\0*.*\0\0"s},
      {L"Images|*.png;*.jpg", L"Images\0*.png;*.jpg\0\0"s},
      {L"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildFilterString(c.input), c.expected) << std::string(c.input.begin(), c.input.end());
  }
}

}  // namespace
}  // namespace ondrix::win
