// Reading a key with its table default, planning the writes of a key group,
// and where the settings and history files live. No file access here: the
// Win32 side hands over what the INI functions found and writes what the
// plan lists.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_keys.h"
#include "settings/settings_values.h"

namespace ondrix {

// A key's stored text as the INI reader found it: nothing when the key is
// absent. A key present with an empty value is an empty text.
using StoredText = std::optional<std::string>;

// Typed reads with the key table's default. Each throws std::logic_error when
// the key is of another type or has no text default (Width, Left, Top and
// UpdateCount take the computed-default overload of IntSetting).
bool BoolSetting(SettingKey key, const StoredText& stored);
std::int32_t IntSetting(SettingKey key, const StoredText& stored);
std::int32_t IntSetting(SettingKey key, const StoredText& stored, std::int32_t computed_default);
// Verbatim when present, even when empty; the default only when absent.
std::string StringSetting(SettingKey key, const StoredText& stored);
Color ColorSetting(SettingKey key, const StoredText& stored);
// A text that is no date reads as the default date.
Date DateSetting(SettingKey key, const StoredText& stored);

// The texts a writer supplies for a group, by key.
using GroupTexts = std::map<SettingKey, std::string>;

struct KeyWrite {
  std::string_view name;
  std::string text;
  friend bool operator==(const KeyWrite&, const KeyWrite&) = default;
};

// The writes of one group in the group's order. Optional keys without a text
// are left out; a missing required key or a key of another group is a
// programming error (std::logic_error), caught before anything is written.
std::vector<KeyWrite> PlanGroupWrite(SettingsGroup group, const GroupTexts& texts);

// The program's own path with its extension replaced: ".ini" for the
// settings file, ".txt" for the history file. A name without extension gets
// one appended; a dot in a folder name is not an extension.
std::wstring SettingsPathFor(std::wstring_view exe_path);
std::wstring HistoryPathFor(std::wstring_view exe_path);
std::wstring ChangeExtension(std::wstring_view path, std::wstring_view extension);

}  // namespace ondrix
