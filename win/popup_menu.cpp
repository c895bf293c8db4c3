#include "win/popup_menu.h"

namespace ondrix::win {

namespace {

bool IsSeparator(const MenuItemDef& item) { return item.caption == L"-"; }

template <class Items, class Item = std::conditional_t<std::is_const_v<Items>, const MenuItemDef, MenuItemDef>>
Item* FindIn(Items& items, UINT id, Items** siblings) {
  for (Item& item : items) {
    if (id != 0 && item.id == id) {
      if (siblings != nullptr) *siblings = &items;
      return &item;
    }
    if (Item* found = FindIn<Items, Item>(item.submenu, id, siblings)) return found;
  }
  return nullptr;
}

HMENU BuildLevel(const std::vector<MenuItemDef>& items) {
  HMENU menu = ::CreatePopupMenu();
  if (menu == nullptr) return nullptr;
  bool last_was_separator = true;  // no separator at the top
  for (const MenuItemDef& item : items) {
    if (!item.visible) continue;
    if (IsSeparator(item)) {
      if (!last_was_separator) ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      last_was_separator = true;
      continue;
    }
    std::wstring text = item.caption;
    if (!item.shortcut.empty()) text += L"\t" + item.shortcut;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_STRING | (item.radio_group > 0 ? MFT_RADIOCHECK : 0);
    info.fState = (item.checked ? MFS_CHECKED : MFS_UNCHECKED) | (item.enabled ? MFS_ENABLED : MFS_DISABLED);
    info.wID = item.id;
    info.dwTypeData = text.data();
    if (!item.submenu.empty()) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = BuildLevel(item.submenu);
    }
    ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
    last_was_separator = false;
  }
  const int count = ::GetMenuItemCount(menu);
  if (count > 0 && last_was_separator) ::DeleteMenu(menu, static_cast<UINT>(count - 1), MF_BYPOSITION);
  return menu;
}

}  // namespace

MenuItemDef* PopupMenu::Find(UINT id) { return FindIn<std::vector<MenuItemDef>>(items_, id, nullptr); }

const MenuItemDef* PopupMenu::Find(UINT id) const {
  return FindIn<const std::vector<MenuItemDef>>(items_, id, nullptr);
}

bool PopupMenu::IsChecked(UINT id) const {
  const MenuItemDef* item = Find(id);
  return item != nullptr && item->checked;
}

void PopupMenu::SetChecked(UINT id, bool checked) {
  std::vector<MenuItemDef>* siblings = nullptr;
  MenuItemDef* item = FindIn<std::vector<MenuItemDef>>(items_, id, &siblings);
  if (item == nullptr) return;
  if (checked && item->radio_group > 0) {
    for (MenuItemDef& other : *siblings) {
      if (other.radio_group == item->radio_group) other.checked = false;
    }
  }
  item->checked = checked;
}

bool PopupMenu::IsVisible(UINT id) const {
  const MenuItemDef* item = Find(id);
  return item != nullptr && item->visible;
}

void PopupMenu::SetVisible(UINT id, bool visible) {
  if (MenuItemDef* item = Find(id)) item->visible = visible;
}

void PopupMenu::SetEnabled(UINT id, bool enabled) {
  if (MenuItemDef* item = Find(id)) item->enabled = enabled;
}

void PopupMenu::SetCaption(UINT id, std::wstring_view caption) {
  if (MenuItemDef* item = Find(id)) item->caption = caption;
}

UniqueMenu PopupMenu::Build() const { return UniqueMenu(BuildLevel(items_)); }

UINT PopupMenu::TrackAt(HWND owner, POINT screen_point) {
  UniqueMenu menu = Build();
  if (!menu) return 0;
  // A menu of a window that is not in the foreground would not close when
  // the user clicks elsewhere (notification-area menus).
  ::SetForegroundWindow(owner);
  const UINT id = static_cast<UINT>(::TrackPopupMenuEx(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                       screen_point.x, screen_point.y, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  if (id != 0) Invoke(id);
  return id;
}

bool PopupMenu::Invoke(UINT id) {
  MenuItemDef* item = Find(id);
  if (item == nullptr || !item->visible || !item->enabled) return false;
  if (item->on_click) {
    // The click may change the table; run a copy.
    const auto on_click = item->on_click;
    on_click();
  }
  return true;
}

}  // namespace ondrix::win
