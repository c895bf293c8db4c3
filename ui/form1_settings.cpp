// Reading the settings file once at creation, and writing one key group from
// the window's current state whenever an option changes.
#include <climits>
#include <cstdint>
#include <stdexcept>

#include "engines/checksum_types.h"
#include "settings/settings_file.h"
#include "ui/form1.h"

namespace ondrix::ui {
namespace {

bool IsOne(std::int32_t value) { return value == 1; }

}  // namespace

// The ticks of the option rows whose keys are plain on/off values come
// first, straight from their rows. Then every step reads its keys with the
// table's defaults and applies them before the next one, so a later step
// sees the window the earlier ones made.
void TForm1::LoadSettings() {
  using K = SettingKey;
  const IniFile& ini = ini_;
  for (const MenuEntry& entry : OptionsMenuTable()) {
    if (entry.key && KeyInfo(*entry.key).type == SettingType::Boolean) {
      (this->*entry.item).SetChecked(ini.ReadBool(*entry.key));
    }
  }

  // The caption bar: shown only for exactly 1.
  const bool caption = IsOne(ini.ReadInt(K::Caption_bar_visible));
  SetCaptionBar(caption);
  Showcaptionbar1.SetChecked(caption);
  // The widgets' design sizes, at 96 DPI when form scaling is off.
  ApplyDesignSizes();
  // The screen's scale and the normal layout's width.
  const int ppi = static_cast<int>(Dpi());
  DpiScale = DpiScaleFor(ppi);
  NormalMinWidth = NormalMinWidthFor(ppi);
  // Width, Left and Top: applied whenever present; the autosave options only govern writing.
  // A coordinate left to its default is centred again once the layout has
  // given the window its real size: the design height is not the one shown.
  {
    RECT rc = FormRect();
    const int width = ini.ReadInt(K::Width, NormalMinWidth);
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, width, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    constexpr std::int32_t kUnset = INT32_MIN;
    const std::int32_t left = ini.ReadInt(K::Left, kUnset);
    const std::int32_t top = ini.ReadInt(K::Top, kUnset);
    centre_left_pending_ = left == kUnset;
    centre_top_pending_ = top == kUnset;
    rc = FormRect();
    ::SetWindowPos(Hwnd(), nullptr, centre_left_pending_ ? rc.left : left, centre_top_pending_ ? rc.top : top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CentreWhereDefaulted();
  }
  // The layout: normal, mini bar, or none for another stored value.
  Panel1.SetConstraints(win::SizeConstraints{.MaxHeight = Panel1MaxHeightFor(ppi)});
  const std::int32_t miniform = ini.ReadInt(K::Miniform);
  if (miniform == -1 || miniform == 0) {
    MiniMode = 0;
    ApplyNormalMode();
  } else if (miniform == 1) {
    MiniMode = 1;
    ApplyMiniMode();
  }
  // With no layout applied here the first show builds one and centres.
  if (miniform >= -1 && miniform <= 1) {
    CentreWhereDefaulted();
    centre_left_pending_ = centre_top_pending_ = false;
  }
  // The transparency level whose value is stored; none for a hand-edited value.
  for (const TransparencyLevel& level : TransparencyLevels()) FindMenuItem(level.item)->SetChecked(false);
  const std::int32_t transparency = ini.ReadInt(K::Transparency_value);
  StoredTransparencyValue = transparency;
  if (transparency == kOpaqueValue) {
    Disable1.SetChecked(true);
  } else if (const TransparencyLevel* level = LevelItemForValue(transparency)) {
    FindMenuItem(level->item)->SetChecked(true);
  }
  // The opacity, by the rule of every later switch, so a stored value whose alpha is
  // 0 is drawn opaque here too instead of invisible and click-through.
  Applytominiformonly1.SetChecked(IsOne(ini.ReadInt(K::Transparency_Only_For_Miniform)));
  const Opacity opacity = OpacityFor(transparency, Applytominiformonly1.Checked(), miniform == 1);
  SetAlphaBlend(opacity.blend, opacity.alpha);
  // The last used checksum type: a stored type is shown without starting a calculation.
  if (Savedefaultchecksum1.Checked()) {
    const std::string name = ini.ReadString(K::DefaultChecksum);
    if (const ChecksumTypeInfo* type = name.empty() ? nullptr : FindTypeByDisplayName(name)) {
      Selector(type->selector)->SetChecked(true);
      ComboBox1.SetItemIndex(type->combo_index);
    }
  }
  // Stay on top: topmost first, then as stored.
  Enablestayontop1.SetChecked(true);
  ApplyStayOnTop();
  Enablestayontop1.SetChecked(ini.ReadBool(K::StayOnTop));
  ApplyStayOnTop();
  ApplyUppercase();
  // A verb found registered ticks the shell integration whatever is stored.
  if (VerifyShellVerb()) EnableWindowsshellintegration1.SetChecked(true);
  // The default action for starts with a file.
  if (const DefaultActionItem* action = DefaultActionItemFor(ini.ReadString(K::ShellDefaultAction))) {
    FindMenuItem(action->item)->SetChecked(true);
  }
  ApplyBoldFont();
  ApplyHistoryChoice();
  // The scheduled update check: a week or more since the last check, in either direction, arms it.
  if (Checkforupdate1.Checked()) {
    const SYSTEMTIME now = desktop_.LocalTime();
    const Date today{now.wYear, now.wMonth, now.wDay};
    Timer2.SetEnabled(DaysBetween(ini.ReadDate(K::LastUpdateCheck), today) >= 7);
  } else {
    Timer2.SetEnabled(false);
  }
  // The colours, also as the colour dialogs' first choice.
  BackgroundColor = ColorDialog_background = ini.ReadColor(K::Color_for_background);
  EditColor = ColorDialog_editboxes = ini.ReadColor(K::Color_for_edit_controls);
  EditFontColor = ColorDialog_text_in_editbox = ini.ReadColor(K::Color_for_fonts_in_edit_controls);
  ApplyColors();
  // The priority class: with no item matching, the class requested at start stays.
  if (const PriorityItem* priority = PriorityItemForValue(ini.ReadInt(K::ApplicationThreadLevel))) {
    FindMenuItem(priority->item)->SetChecked(true);
  }
  ApplyProcessPriority();
}

// The texts of a group as the window holds them now.
GroupTexts TForm1::GroupValues(SettingsGroup group) const {
  using K = SettingKey;
  auto* self = const_cast<TForm1*>(this);
  const IsTicked ticked = [self](std::string_view name) {
    const TMenuItem* item = self->FindMenuItem(name);
    return item != nullptr && item->Checked();
  };
  const RECT rc = FormRect();
  GroupTexts texts;
  for (const GroupKey& entry : GroupInfo(group).keys) {
    const SettingKeyInfo& info = KeyInfo(entry.key);
    std::string text;
    switch (entry.key) {
      case K::Caption_bar_visible:
        text = WriteInt(HasCaptionBar() ? 1 : 0);
        break;
      case K::Left:
        if (!Savewindowsposition1.Checked()) continue;
        text = WriteInt(rc.left);
        break;
      case K::Top:
        if (!Savewindowsposition1.Checked()) continue;
        text = WriteInt(rc.top);
        break;
      case K::Width:
        if (!Autosavewindowwidth1.Checked()) continue;
        text = WriteInt(rc.right - rc.left);
        break;
      case K::Miniform:
        if (!Autosavewindowsizenormalorminibar1.Checked()) continue;
        text = WriteInt(MiniMode == 1 ? 1 : 0);
        break;
      case K::Transparency_value:
        text = WriteInt(TransparencyValueToStore(ticked, StoredTransparencyValue));
        break;
      case K::Transparency_Only_For_Miniform:
        text = WriteInt(Applytominiformonly1.Checked() ? 1 : 0);
        break;
      case K::DefaultChecksum:
        if (!Savedefaultchecksum1.Checked()) continue;
        text = WideToUtf8(ComboBox1.ItemText(ComboBox1.ItemIndex()));
        break;
      case K::ShellDefaultAction:
        text = std::string(DefaultActionTextToStore(ticked));
        break;
      case K::LastUpdateCheck: {
        const SYSTEMTIME now = desktop_.LocalTime();
        text = FormatDate(Date{now.wYear, now.wMonth, now.wDay});
        break;
      }
      case K::UpdateCount:
        continue;  // only the update check asks for it
      case K::Color_for_background:
        text = ColorToText(BackgroundColor);
        break;
      case K::Color_for_edit_controls:
        text = ColorToText(EditColor);
        break;
      case K::Color_for_fonts_in_edit_controls:
        text = ColorToText(EditFontColor);
        break;
      case K::ApplicationThreadLevel:
        text = WriteInt(PriorityValueToStore(ticked));
        break;
      default: {
        // A plain on/off key: the tick of the option row that names it.
        const TMenuItem* item = ItemMirroring(entry.key);
        if (info.type != SettingType::Boolean || item == nullptr) {
          throw std::logic_error("the window does not hold the value of " + std::string(info.name));
        }
        text = WriteBool(item->Checked());
        break;
      }
    }
    texts.emplace(entry.key, std::move(text));
  }
  return texts;
}

const TMenuItem* TForm1::ItemMirroring(SettingKey key) const {
  for (const MenuEntry& entry : OptionsMenuTable()) {
    if (entry.key == key) return &(this->*entry.item);
  }
  return nullptr;
}

// A write that fails after the gate passed throws ESettingsWrite; it ends
// the command that asked for the write and reaches the critical-error box at
// the event's boundary.
bool TForm1::SaveSettingGroup(SettingsGroup group) {
  return ondrix::SaveSettingGroup(ini_, group, GroupValues(group));
}

bool TForm1::SettingsFileWritable() const { return SettingsWritable(ini_.Path()); }

}  // namespace ondrix::ui
