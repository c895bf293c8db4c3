// Popup menus described by a table: one table drives creation, ticks,
// visibility and the click of every entry.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win/handles.h"

namespace ondrix::win {

struct MenuItemDef {
  UINT id = 0;               // 0 for separators and plain submenu holders
  std::wstring caption;      // L"-" makes a separator
  std::wstring shortcut;     // shown right-aligned after a tab, e.g. L"Ctrl+T"
  bool checked = false;
  int radio_group = 0;       // > 0: at most one ticked among siblings of the group, drawn as a bullet
  bool visible = true;
  bool enabled = true;
  std::vector<MenuItemDef> submenu;
  std::function<void()> on_click;
};

inline MenuItemDef MenuSeparator() { return MenuItemDef{.caption = L"-"}; }

class PopupMenu {
 public:
  PopupMenu() = default;
  explicit PopupMenu(std::vector<MenuItemDef> items) : items_(std::move(items)) {}

  void SetItems(std::vector<MenuItemDef> items) { items_ = std::move(items); }
  const std::vector<MenuItemDef>& Items() const noexcept { return items_; }

  // The entry with this id anywhere in the tree, or null.
  MenuItemDef* Find(UINT id);
  const MenuItemDef* Find(UINT id) const;

  bool IsChecked(UINT id) const;
  // Ticking a radio entry unticks the other entries of its group.
  void SetChecked(UINT id, bool checked);
  bool IsVisible(UINT id) const;
  void SetVisible(UINT id, bool visible);
  void SetEnabled(UINT id, bool enabled);
  void SetCaption(UINT id, std::wstring_view caption);

  // The menu as it would show now: hidden entries left out, separators that
  // would open, close or double up a menu dropped.
  UniqueMenu Build() const;

  // Shows the menu at a screen point, owned by `owner`; runs the chosen
  // entry's click and returns its id (0 when dismissed).
  UINT TrackAt(HWND owner, POINT screen_point);

  // Runs the click of a visible, enabled entry; false when there is none.
  bool Invoke(UINT id);

 private:
  std::vector<MenuItemDef> items_;
};

}  // namespace ondrix::win
