// The settings file as a whole: the writability gate asked before writing,
// the hidden/system attributes, and the writers of the key groups.
#pragma once

#include <cstdint>
#include <string>

#include "settings/ini_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_rules.h"
#include "settings/settings_values.h"
#include "win/file_path.h"

namespace ondrix {

// True when the file exists and can be opened for reading while others are
// denied writing (a read-only file passes), or when it did not exist and
// could be created empty. False when another handle holds it open for
// writing, access is denied, or the folder cannot be written to. Uses a
// handle of its own and shows nothing.
bool SettingsWritable(const std::wstring& settings_path);

// Writes the group's keys in order. A missing required text is a
// programming error (std::logic_error) raised before any write; a failed
// write throws ESettingsWrite and leaves the group's remaining keys unwritten.
void WriteSettingGroup(const IniFile& ini, SettingsGroup group, const GroupTexts& texts);

// The option pattern's writer: asks SettingsWritable unless the group is
// ungated, writes the group, then applies the attributes the group governs
// (from the texts just written) to the settings or history file. Answers
// whether the group was written.
bool SaveSettingGroup(const IniFile& ini, SettingsGroup group, const GroupTexts& texts);

// The COLORREF to paint a colour value with: system colours through
// GetSysColor, clNone and clDefault as the system colour `fallback_index`.
std::uint32_t ColorRefFor(Color value, int fallback_index);

}  // namespace ondrix
