#include "text/product_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ondrix {
namespace {

TEST(TitleBar, WithAndWithoutFileName) {
  const WindowTitleTexts on = BuildTitleTexts(L"C:\\dir\\a.exe", true);
  EXPECT_EQ(on.caption, L"a.exe - Ondrix 1.6.15");
  EXPECT_EQ(on.taskbar_title, L"a.exe - Ondrix 1.6.15");
  EXPECT_EQ(on.tray_hint, L"a.exe - Ondrix 1.6.15");

  const WindowTitleTexts off = BuildTitleTexts(L"C:\\dir\\a.exe", false);
  EXPECT_EQ(off.caption, L"Ondrix 1.6.15");
  EXPECT_EQ(off.taskbar_title, L"Ondrix");
  EXPECT_EQ(off.tray_hint, L"Ondrix 1.6.15");

  // No file selected: no caption that starts with " - ".
  const WindowTitleTexts none = BuildTitleTexts(L"", true);
  EXPECT_EQ(none.caption, L"Ondrix 1.6.15");
  EXPECT_EQ(none.tray_hint, L"Ondrix 1.6.15");
}

}  // namespace
}  // namespace ondrix
