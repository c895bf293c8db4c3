// A menu item as the window's code names it: the component name of the form
// designer bound to one entry of a table-driven popup menu. The tick is the
// option itself (the settings file only mirrors it); it lives in the menu's
// table, so the menu shows it whenever it opens.
#pragma once

#include <windows.h>

#include <string_view>

#include "win/popup_menu.h"

namespace ondrix::ui {

class TMenuItem {
 public:
  explicit TMenuItem(std::string_view name) noexcept : name_(name) {}
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  std::string_view Name() const noexcept { return name_; }
  UINT Command() const noexcept { return id_; }
  win::PopupMenu* Menu() const noexcept { return menu_; }
  void Bind(win::PopupMenu& menu, UINT id) noexcept {
    menu_ = &menu;
    id_ = id;
  }

  bool Checked() const { return menu_ != nullptr && menu_->IsChecked(id_); }
  void SetChecked(bool on) {
    if (menu_) menu_->SetChecked(id_, on);
  }
  // Flips the tick and answers the new state.
  bool Toggle() {
    SetChecked(!Checked());
    return Checked();
  }
  bool Enabled() const {
    const win::MenuItemDef* def = menu_ ? menu_->Find(id_) : nullptr;
    return def != nullptr && def->enabled;
  }
  void SetEnabled(bool on) {
    if (menu_) menu_->SetEnabled(id_, on);
  }
  bool Visible() const { return menu_ != nullptr && menu_->IsVisible(id_); }

 private:
  std::string_view name_;
  win::PopupMenu* menu_ = nullptr;
  UINT id_ = 0;
};

}  // namespace ondrix::ui

// Declares a menu item member whose component name is its own name.
#define ONDRIX_MENU_ITEM(name) ::ondrix::ui::TMenuItem name { #name }
