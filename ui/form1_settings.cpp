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

// Every step reads its keys with the table's defaults and applies them
// before the next one, so a later step sees the window the earlier ones made.
void TForm1::LoadSettings() {
  using K = SettingKey;
  const IniFile& ini = ini_;
  auto tick = [&](TMenuItem& item, K key) { item.SetChecked(ini.ReadBool(key)); };

  // 2
  const bool caption = IsOne(ini.ReadInt(K::Caption_bar_visible));
  SetCaptionBar(caption);
  Showcaptionbar1.SetChecked(caption);
  // 3
  tick(Hidetotrayicononclose1, K::Hide_to_tray_on_close);
  // 4
  tick(DisableformscalingDPI1, K::DisableFormScaling);
  ApplyDesignSizes();
  // 5
  tick(Showfilenameontitlebar1, K::ShowFilenameOnTitleBar);
  tick(Savewindowsposition1, K::SavePosition);
  tick(Autosavewindowwidth1, K::SaveWidth);
  tick(Autosavewindowsizenormalorminibar1, K::SaveStyle);
  // 6
  const int ppi = static_cast<int>(Dpi());
  DpiScale = DpiScaleFor(ppi);
  NormalMinWidth = NormalMinWidthFor(ppi);
  // 7: applied whenever present; the autosave options only govern writing.
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
  // 8
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
  // 9
  for (const TransparencyLevel& level : TransparencyLevels()) FindMenuItem(level.item)->SetChecked(false);
  const std::int32_t transparency = ini.ReadInt(K::Transparency_value);
  StoredTransparencyValue = transparency;
  if (transparency == kOpaqueValue) {
    Disable1.SetChecked(true);
  } else if (const TransparencyLevel* level = LevelItemForValue(transparency)) {
    FindMenuItem(level->item)->SetChecked(true);
  }
  // 10
  // The opacity rule of every later switch, so a stored value whose alpha is
  // 0 is drawn opaque here too instead of invisible and click-through.
  Applytominiformonly1.SetChecked(IsOne(ini.ReadInt(K::Transparency_Only_For_Miniform)));
  const Opacity opacity = OpacityFor(transparency, Applytominiformonly1.Checked(), miniform == 1);
  SetAlphaBlend(opacity.blend, opacity.alpha);
  // 11
  tick(Autopastechecksumfromclipboard1, K::AutoPasteChecksumFromClipboard);
  // 12: a stored type is shown without starting a calculation.
  tick(Savedefaultchecksum1, K::SaveLastChecksumType);
  if (Savedefaultchecksum1.Checked()) {
    const std::string name = ini.ReadString(K::DefaultChecksum);
    if (const ChecksumTypeInfo* type = name.empty() ? nullptr : FindTypeByDisplayName(name)) {
      Selector(type->selector)->SetChecked(true);
      ComboBox1.SetItemIndex(type->combo_index);
    }
  }
  // 13
  tick(EnableESCkeytocloseapplication1, K::EscapeClosesApplication);
  // 14: topmost first, then as stored.
  Enablestayontop1.SetChecked(true);
  ApplyStayOnTop();
  tick(Enablestayontop1, K::StayOnTop);
  ApplyStayOnTop();
  // 15
  tick(Showuppercasechecksums1, K::ShowUppercaseChecksum);
  ApplyUppercase();
  // 16
  tick(Autocalculatewhenchecksumtypechanged1, K::AutocalculateWhenChecksumTypeChanged);
  tick(Autocalculatewhenfiledropped1, K::AutocalculateWhenFileDropped);
  tick(Flashtaskbarwhencalculationcompleted1, K::FlashWindowWhenCompleted);
  // 17
  tick(EnableWindowsshellintegration1, K::ShellIntegration);
  if (VerifyShellVerb()) EnableWindowsshellintegration1.SetChecked(true);
  // 18
  if (const DefaultActionItem* action = DefaultActionItemFor(ini.ReadString(K::ShellDefaultAction))) {
    FindMenuItem(action->item)->SetChecked(true);
  }
  // 19
  tick(Snaptoedge1, K::SnapToEdge);
  // 20
  tick(Useboldfont1, K::UseBoldFont);
  ApplyBoldFont();
  // 21
  tick(Enable1, K::LogToFile);
  Storefullpath1.SetEnabled(Enable1.Checked());
  Windowsformataddasterixtofilepath1.SetEnabled(Enable1.Checked());
  tick(Storefullpath1, K::SaveFullPathInLogFile);
  tick(Windowsformataddasterixtofilepath1, K::AddAsterixToLogFile);
  tick(Savetofileasbinaryformataddasterixtofilename1, K::AddAsterixWhenSavedToFile);
  tick(Usefullpathwhensavingcreatingchecksumfile1, K::FullPathInSaveToFile);
  tick(Makeinifilehidden1, K::MakeIniFileHidden);
  tick(Makeinifilesystem1, K::MakeIniFileSystem);
  tick(MakehistoryfileashiddenH1, K::MakeHistoryFileHidden);
  tick(MakehistoryfileassystemS1, K::MakeHistoryFileSystem);
  tick(Enablewarningifprogramisolderthat2monthsrecommended1, K::EnableOldVersionWarning);
  tick(Displaytimeelapsedandcalculatestateinbottombaroftheform1, K::DisplayTimeElapsedOnStatusBar);
  // 22: a week or more since the last check, in either direction, arms it.
  if (ini.ReadBool(K::CheckForUpdate)) {
    Checkforupdate1.SetChecked(true);
    const SYSTEMTIME now = desktop_.LocalTime();
    const Date today{now.wYear, now.wMonth, now.wDay};
    Timer2.SetEnabled(DaysBetween(ini.ReadDate(K::LastUpdateCheck), today) >= 7);
  } else {
    Checkforupdate1.SetChecked(false);
    Timer2.SetEnabled(false);
  }
  // 23
  BackgroundColor = ColorDialog_background = ini.ReadColor(K::Color_for_background);
  EditColor = ColorDialog_editboxes = ini.ReadColor(K::Color_for_edit_controls);
  EditFontColor = ColorDialog_text_in_editbox = ini.ReadColor(K::Color_for_fonts_in_edit_controls);
  ApplyColors();
  // 24
  tick(Setfocuswhelfiledroppedonthisform1, K::SetFocusWhenFileDroppedOnForm);
  // 25: with no item matching, the class requested at start stays.
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
      default:
        if (info.type != SettingType::Boolean || info.items.empty()) {
          throw std::logic_error("the window does not hold the value of " + std::string(info.name));
        }
        text = WriteBool(ticked(info.items.front()));
        break;
    }
    texts.emplace(entry.key, std::move(text));
  }
  return texts;
}

// A write that fails after the gate passed throws ESettingsWrite; it ends
// the command that asked for the write and reaches the critical-error box at
// the event's boundary.
bool TForm1::SaveSettingGroup(SettingsGroup group) {
  return ondrix::SaveSettingGroup(ini_, group, GroupValues(group));
}

bool TForm1::SettingsFileWritable() const { return SettingsWritable(ini_.Path()); }

}  // namespace ondrix::ui
