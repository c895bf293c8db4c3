// The settings file, read and written one key at a time through the Win32
// profile-string functions, section "Settings".
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/settings_keys.h"
#include "settings/settings_rules.h"
#include "settings/settings_values.h"
#include "text/utf.h"

namespace ondrix {

// A key write that failed after the writability gate passed (the file turned
// read-only, the disk is full, access was denied). The application-wide
// error box shows Message().
class ESettingsWrite : public std::runtime_error {
 public:
  explicit ESettingsWrite(const std::wstring& settings_path);
  // "Unable to write to " and the settings file's path; what() holds the
  // same text in UTF-8.
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

class IniFile {
 public:
  explicit IniFile(std::wstring path) : path_(std::move(path)) {}

  const std::wstring& Path() const { return path_; }

  // The value as stored, at most 2047 characters; nothing when the key (or
  // the file) is absent. A key present with an empty value reads as "".
  std::optional<std::wstring> ReadText(std::wstring_view key) const;
  // The same in UTF-8, for the value rules.
  StoredText Read(SettingKey key) const;

  // Typed reads with the key table's defaults (see settings_rules.h).
  bool ReadBool(SettingKey key) const { return BoolSetting(key, Read(key)); }
  std::int32_t ReadInt(SettingKey key) const { return IntSetting(key, Read(key)); }
  std::int32_t ReadInt(SettingKey key, std::int32_t computed_default) const {
    return IntSetting(key, Read(key), computed_default);
  }
  std::string ReadString(SettingKey key) const { return StringSetting(key, Read(key)); }
  Color ReadColor(SettingKey key) const { return ColorSetting(key, Read(key)); }
  Date ReadDate(SettingKey key) const { return DateSetting(key, Read(key)); }

  // One key, written to disk at once; throws ESettingsWrite when it fails.
  // The file is ANSI text unless it already starts with a UTF-16 byte-order
  // mark, so characters outside the ANSI code page do not survive.
  void WriteText(std::wstring_view key, std::wstring_view text) const;
  void Write(SettingKey key, std::string_view text) const;

 private:
  std::wstring path_;
};

}  // namespace ondrix
