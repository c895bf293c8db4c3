// The settings file's key table and its key groups. Every reader and writer of
// the INI file takes key names, types and defaults from here, so a key is
// spelled in exactly one place.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace ondrix {

inline constexpr std::string_view kSettingsSection = "Settings";

enum class SettingType : char {
  Boolean = 'b',
  Integer = 'i',
  String = 's',
  Colour = 'c',
  Date = 'd',
};

// Where a key's default comes from when the key is absent.
enum class DefaultKind {
  Text,            // default_text, in the key's own encoding
  NormalMinWidth,  // Width: NormalMinWidthFor(screen ppi)
  CentredLeft,     // Left: CentredOrigin(work-area width, window width)
  CentredTop,      // Top: CentredOrigin(work-area height, window height)
  None,            // UpdateCount: written, never read
};

// One value per key, in the order the window's loader reads them, then the
// keys that other parts of the program read at their own time.
enum class SettingKey {
  Caption_bar_visible,
  Hide_to_tray_on_close,
  DisableFormScaling,
  ShowFilenameOnTitleBar,
  SavePosition,
  SaveWidth,
  SaveStyle,
  Width,
  Left,
  Top,
  Miniform,
  Transparency_value,
  Transparency_Only_For_Miniform,
  AutoPasteChecksumFromClipboard,
  SaveLastChecksumType,
  DefaultChecksum,
  EscapeClosesApplication,
  StayOnTop,
  ShowUppercaseChecksum,
  AutocalculateWhenChecksumTypeChanged,
  AutocalculateWhenFileDropped,
  FlashWindowWhenCompleted,
  ShellIntegration,
  ShellDefaultAction,
  SnapToEdge,
  UseBoldFont,
  LogToFile,
  SaveFullPathInLogFile,
  AddAsterixToLogFile,
  AddAsterixWhenSavedToFile,
  FullPathInSaveToFile,
  MakeIniFileHidden,
  MakeIniFileSystem,
  MakeHistoryFileHidden,
  MakeHistoryFileSystem,
  EnableOldVersionWarning,
  DisplayTimeElapsedOnStatusBar,
  CheckForUpdate,
  LastUpdateCheck,
  Color_for_background,
  Color_for_edit_controls,
  Color_for_fonts_in_edit_controls,
  SetFocusWhenFileDroppedOnForm,
  ApplicationThreadLevel,
  UpdateCount,
  Param1,
  Param2,
  Context_Menu_Last_Used_Checksum_Type,
};

inline constexpr std::size_t kSettingKeyCount = 48;

struct SettingKeyInfo {
  SettingKey key;
  std::string_view name;  // as stored in the file
  SettingType type;
  DefaultKind default_kind;
  std::string_view default_text;  // meaningful for DefaultKind::Text only
  // Component names of the menu items whose ticks mirror the key; empty when
  // the key mirrors window state (geometry, mode, colours) or nothing.
  std::span<const std::string_view> items;
};

// All keys in table order.
const std::array<SettingKeyInfo, kSettingKeyCount>& SettingKeys();
const SettingKeyInfo& KeyInfo(SettingKey key);
// The INI functions match key names without regard to case, and so does this.
const SettingKeyInfo* FindSettingKey(std::string_view name);

// One value per group of keys written together, named after the group's
// first key. Two groups start with CheckForUpdate; the one the update check
// writes (with the date) is RecordUpdateCheck.
enum class SettingsGroup {
  Caption_bar_visible,
  Hide_to_tray_on_close,
  DisableFormScaling,
  ShowFilenameOnTitleBar,
  SavePosition,
  SaveWidth,
  SaveStyle,
  Transparency_value,
  AutoPasteChecksumFromClipboard,
  SaveLastChecksumType,
  EscapeClosesApplication,
  StayOnTop,
  ShowUppercaseChecksum,
  AutocalculateWhenChecksumTypeChanged,
  AutocalculateWhenFileDropped,
  FlashWindowWhenCompleted,
  ShellDefaultAction,
  SnapToEdge,
  UseBoldFont,
  LogToFile,
  AddAsterixWhenSavedToFile,
  FullPathInSaveToFile,
  MakeIniFileHidden,
  MakeHistoryFileHidden,
  EnableOldVersionWarning,
  DisplayTimeElapsedOnStatusBar,
  CheckForUpdate,
  RecordUpdateCheck,
  Color_for_background,
  Color_for_edit_controls,
  Color_for_fonts_in_edit_controls,
  SetFocusWhenFileDroppedOnForm,
  ApplicationThreadLevel,
  Param1,
  Context_Menu_Last_Used_Checksum_Type,
};

inline constexpr std::size_t kSettingsGroupCount = 35;

struct GroupKey {
  SettingKey key;
  // An optional key is written only when the writer supplies it: Left/Top
  // while SavePosition is ticked, Width while SaveWidth is, Miniform while
  // SaveStyle is, DefaultChecksum while SaveLastChecksumType is, UpdateCount
  // when the update check asks for it, and Param1 or Param2 (the donation
  // reminder writes each at its own time).
  bool optional;
};

// What the writer does once the group's keys are stored.
enum class AfterGroupWrite { Nothing, SettingsFileAttributes, HistoryFileAttributes };

struct SettingsGroupInfo {
  SettingsGroup group;
  std::span<const GroupKey> keys;  // in writing order
  // False only for Caption_bar_visible, which is written even when the
  // writability gate would answer false.
  bool gated;
  AfterGroupWrite after;
};

const std::array<SettingsGroupInfo, kSettingsGroupCount>& SettingsGroups();
const SettingsGroupInfo& GroupInfo(SettingsGroup group);

}  // namespace ondrix
