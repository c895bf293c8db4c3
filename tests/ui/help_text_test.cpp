// The text of the "Keyboard shortcuts" box; portable, so it also runs
// natively under the sanitizers. The window test checks that F1 in the help
// menu shows exactly this text.
#include "ui/help_text.h"

#include <gtest/gtest.h>

#include <string>

namespace ondrix::ui {
namespace {

TEST(HelpText, KeyboardShortcutsFromFirstLineToLast) {
  const std::wstring text = KeyboardShortcutsText();
  EXPECT_EQ(text.rfind(L"Global keyboard shortcuts list:\r\n\r\nF1 - About window\r\n", 0), 0u);
  EXPECT_NE(text.find(L"\r\nESC - close application or hide to icon (if configured\r\n\r\nMouse actions:\r\n"),
            std::wstring::npos);
  const std::wstring last = L"\r\n\r\n\r\nFull list of available settings under \"Gear\" icon or by pressing F10";
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
  int lines = 1;
  for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 32);
}

}  // namespace
}  // namespace ondrix::ui
