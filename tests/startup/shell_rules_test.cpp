// The Explorer verb's command line and the chooser's table and marking rule.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "startup/chooser_rules.h"
#include "startup/shell_verb_text.h"

namespace ondrix {
namespace {

TEST(ShellVerbText, CommandLineQuotesProgramAndArgument) {
  EXPECT_EQ(ShellVerbCommandLine(L"C:\\Tools\\X.exe"), L"\"C:\\Tools\\X.exe\" \"%1\"");
  EXPECT_EQ(ShellVerbCommandLine(L"D:\\Mes outils\\\u0416\u4E2D\\ondrix.exe"),
            L"\"D:\\Mes outils\\\u0416\u4E2D\\ondrix.exe\" \"%1\"");
}

// Every pick of a type button is a display name, the two columns and rows
// do not overlap, and the tab order runs down the left column first.
TEST(ChooserRules, TableHasTheDesignPlacesAndPicks) {
  const auto& buttons = ChooserButtons();
  const char* const tab_order[] = {"Button1", "Button2", "Button3", "Button4",  "Button5",  "Button6", "Button11",
                                   "Button7", "Button8", "Button9", "Button10", "Button12", "Button13"};
  std::set<std::pair<int, int>> places;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i].name, tab_order[i]);
    EXPECT_TRUE(places.insert({buttons[i].left, buttons[i].top}).second) << buttons[i].name;
    EXPECT_LE(buttons[i].left + buttons[i].width, kChooserClientWidth) << buttons[i].name;
    EXPECT_LE(buttons[i].top + kChooserButtonHeight, kChooserClientHeight) << buttons[i].name;
  }
  EXPECT_EQ(buttons[9].caption, L"HAVAL 256");
  EXPECT_EQ(buttons[9].pick, "HAVAL 256,5");
  EXPECT_EQ(buttons[11].caption, L"No calculate");
  EXPECT_EQ(buttons[11].pick, "");
  EXPECT_TRUE(buttons[12].repeats_last);
  EXPECT_EQ(buttons[12].width, 180);
  EXPECT_EQ(buttons[12].top, 206);
}

TEST(ChooserRules, StoredValueMarksItsButton) {
  struct Case {
    const char* stored;
    int marked;
    const char* f2_pick;
    const wchar_t* caption;
  } const cases[] = {
      {"MD5", 1, "MD5", L"Last used (F2)   MD5"},
      {"HAVAL 256,5", 9, "HAVAL 256,5", L"Last used (F2)   HAVAL 256,5"},
      {"CRC32", 6, "CRC32", L"Last used (F2)   CRC32"},
      {"", 11, "", L"Last used (F2)   "},
      {"nocalculate", 11, "", L"Last used (F2)   nocalculate"},
      // Exact and case-sensitive: other texts mark nothing.
      {"md5", -1, "md5", L"Last used (F2)   md5"},
      {"HAVAL 256", -1, "HAVAL 256", L"Last used (F2)   HAVAL 256"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarkedChooserButton(c.stored), c.marked) << c.stored;
    EXPECT_EQ(LastUsedPick(c.stored), c.f2_pick) << c.stored;
    EXPECT_EQ(LastUsedCaption(c.stored), c.caption) << c.stored;
  }
}

}  // namespace
}  // namespace ondrix
