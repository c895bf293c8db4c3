#include "settings/settings_rules.h"

#include <stdexcept>

namespace ondrix {
namespace {

const SettingKeyInfo& Expect(SettingKey key, SettingType type) {
  const auto& info = KeyInfo(key);
  if (info.type != type)
    throw std::logic_error("settings key " + std::string(info.name) + " read as the wrong type");
  return info;
}

const SettingKeyInfo& ExpectTextDefault(SettingKey key, SettingType type) {
  const auto& info = Expect(key, type);
  if (info.default_kind != DefaultKind::Text)
    throw std::logic_error("settings key " + std::string(info.name) + " needs a computed default");
  return info;
}

}  // namespace

bool BoolSetting(SettingKey key, const StoredText& stored) {
  const auto& info = ExpectTextDefault(key, SettingType::Boolean);
  const bool fallback = ReadBool(info.default_text, false);
  return stored ? ReadBool(*stored, fallback) : fallback;
}

std::int32_t IntSetting(SettingKey key, const StoredText& stored) {
  const auto& info = ExpectTextDefault(key, SettingType::Integer);
  const std::int32_t fallback = ReadInt(info.default_text, 0);
  return stored ? ReadInt(*stored, fallback) : fallback;
}

std::int32_t IntSetting(SettingKey key, const StoredText& stored, std::int32_t computed_default) {
  Expect(key, SettingType::Integer);
  return stored ? ReadInt(*stored, computed_default) : computed_default;
}

std::string StringSetting(SettingKey key, const StoredText& stored) {
  const auto& info = ExpectTextDefault(key, SettingType::String);
  return stored ? *stored : std::string(info.default_text);
}

Color ColorSetting(SettingKey key, const StoredText& stored) {
  const auto& info = ExpectTextDefault(key, SettingType::Colour);
  const Color fallback = ReadColor(info.default_text, kClDefault);
  return stored ? ReadColor(*stored, fallback) : fallback;
}

Date DateSetting(SettingKey key, const StoredText& stored) {
  const auto& info = ExpectTextDefault(key, SettingType::Date);
  const Date fallback = ReadDate(info.default_text).value();
  if (!stored) return fallback;
  return ReadDate(*stored).value_or(fallback);
}

std::vector<KeyWrite> PlanGroupWrite(SettingsGroup group, const GroupTexts& texts) {
  const auto& info = GroupInfo(group);
  for (const auto& [key, text] : texts) {
    bool member = false;
    for (const auto& gk : info.keys) member = member || gk.key == key;
    if (!member)
      throw std::logic_error("settings key " + std::string(KeyInfo(key).name) +
                             " is not in the group being written");
  }
  std::vector<KeyWrite> plan;
  for (const auto& gk : info.keys) {
    const auto found = texts.find(gk.key);
    if (found == texts.end()) {
      if (gk.optional) continue;
      throw std::logic_error("settings key " + std::string(KeyInfo(gk.key).name) +
                             " missing from its group's write");
    }
    plan.push_back({KeyInfo(gk.key).name, found->second});
  }
  if (plan.empty()) throw std::logic_error("settings group written with no key");
  return plan;
}

std::wstring ChangeExtension(std::wstring_view path, std::wstring_view extension) {
  const auto last_separator = path.find_last_of(L"\\/:");
  const auto dot = path.find_last_of(L'.');
  const bool has_extension =
      dot != std::wstring_view::npos && (last_separator == std::wstring_view::npos || dot > last_separator);
  std::wstring result(has_extension ? path.substr(0, dot) : path);
  result += extension;
  return result;
}

std::wstring SettingsPathFor(std::wstring_view exe_path) { return ChangeExtension(exe_path, L".ini"); }

std::wstring HistoryPathFor(std::wstring_view exe_path) { return ChangeExtension(exe_path, L".txt"); }

}  // namespace ondrix
