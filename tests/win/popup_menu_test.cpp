#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/popup_menu.h"

namespace ondrix::win {
namespace {

struct Entry {
  std::wstring text;  // L"-" for separators
  bool checked;
  bool radio;
};

std::vector<Entry> Read(HMENU menu) {
  std::vector<Entry> entries;
  for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      entries.push_back({L"-", false, false});
    } else {
      entries.push_back({text, (info.fState & MFS_CHECKED) != 0, (info.fType & MFT_RADIOCHECK) != 0});
    }
  }
  return entries;
}

std::vector<std::wstring> Texts(HMENU menu) {
  std::vector<std::wstring> texts;
  for (const Entry& e : Read(menu)) texts.push_back(e.text);
  return texts;
}

enum : UINT { kPosition = 1, kStayOnTop, kHidden, kLevels, kDisable, k90, k80, k20, kMiniOnly };

PopupMenu MakeMenu(int* clicks) {
  return PopupMenu({
      {.id = kPosition, .caption = L"Autosave window position", .checked = true,
       .on_click = [clicks] { ++*clicks; }},
      {.id = kStayOnTop, .caption = L"Enable \"stay on top\"", .shortcut = L"Ctrl+T"},
      MenuSeparator(),
      {.id = kHidden, .caption = L"Hidden entry", .visible = false, .on_click = [clicks] { *clicks += 100; }},
      MenuSeparator(),
      {.id = kLevels,
       .caption = L"Transparency level (visibility)",
       .submenu = {{.id = kDisable, .caption = L"Disable", .checked = true, .radio_group = 1},
                   MenuSeparator(),
                   {.id = k90, .caption = L"90%", .radio_group = 1},
                   {.id = k80, .caption = L"80%", .radio_group = 1},
                   {.id = k20, .caption = L"20%", .radio_group = 1, .visible = false},
                   MenuSeparator(),
                   {.id = kMiniOnly, .caption = L"Apply to miniform only", .checked = true}}},
  });
}

TEST(PopupMenuTest, BuildsCaptionsShortcutsTicksAndLeavesHiddenEntriesOut) {
  int clicks = 0;
  PopupMenu menu = MakeMenu(&clicks);
  UniqueMenu built = menu.Build();
  ASSERT_TRUE(built);
  // The hidden entry is gone and the two separators around it became one.
  const std::vector<Entry> top = Read(built.Get());
  ASSERT_EQ(top.size(), 4u);
  EXPECT_EQ(top[0].text, L"Autosave window position");
  EXPECT_TRUE(top[0].checked);
  EXPECT_EQ(top[1].text, L"Enable \"stay on top\"\tCtrl+T");
  EXPECT_FALSE(top[1].checked);
  EXPECT_EQ(top[2].text, L"-");
  EXPECT_EQ(top[3].text, L"Transparency level (visibility)");

  HMENU levels = ::GetSubMenu(built.Get(), 3);
  ASSERT_NE(levels, nullptr);
  EXPECT_EQ(Texts(levels),
            (std::vector<std::wstring>{L"Disable", L"-", L"90%", L"80%", L"-", L"Apply to miniform only"}));
  EXPECT_TRUE(Read(levels)[0].radio);
  EXPECT_FALSE(Read(levels)[5].radio);

  menu.SetVisible(k20, true);
  EXPECT_EQ(Texts(::GetSubMenu(menu.Build().Get(), 3)).size(), 7u);
}

TEST(PopupMenuTest, RadioGroupKeepsOneTickAndOtherTicksAreIndependent) {
  int clicks = 0;
  PopupMenu menu = MakeMenu(&clicks);
  menu.SetChecked(k80, true);
  EXPECT_TRUE(menu.IsChecked(k80));
  EXPECT_FALSE(menu.IsChecked(kDisable));
  EXPECT_FALSE(menu.IsChecked(k90));
  EXPECT_TRUE(menu.IsChecked(kMiniOnly));  // not in the group
  menu.SetChecked(k20, true);              // hidden entries take part too
  EXPECT_FALSE(menu.IsChecked(k80));

  UniqueMenu built = menu.Build();
  const std::vector<Entry> levels = Read(::GetSubMenu(built.Get(), 3));
  int ticked = 0;
  for (const Entry& e : levels) ticked += (e.checked && e.radio) ? 1 : 0;
  EXPECT_EQ(ticked, 0);  // the ticked one (20%) is hidden
  EXPECT_TRUE(levels.back().checked);

  menu.SetChecked(kPosition, false);
  EXPECT_FALSE(Read(menu.Build().Get())[0].checked);
}

TEST(PopupMenuTest, InvokeRunsOnlyVisibleEnabledEntries) {
  int clicks = 0;
  PopupMenu menu = MakeMenu(&clicks);
  EXPECT_TRUE(menu.Invoke(kPosition));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(menu.Invoke(kHidden));
  menu.SetEnabled(kPosition, false);
  EXPECT_FALSE(menu.Invoke(kPosition));
  EXPECT_FALSE(menu.Invoke(9999));
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace ondrix::win
