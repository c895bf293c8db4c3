#include "settings/settings_file.h"

#include <windows.h>

#include "win/handles.h"

namespace ondrix {
namespace {

bool EntryExists(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  return bool(win::UniqueFind(FindFirstFileW(path.c_str(), &data)));
}

bool OpenAndClose(const std::wstring& path, DWORD disposition) {
  return bool(win::UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            disposition, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

}  // namespace

bool SettingsWritable(const std::wstring& settings_path) {
  if (EntryExists(settings_path)) return OpenAndClose(settings_path, OPEN_EXISTING);
  // OPEN_ALWAYS rather than a truncating create: another copy of the program
  // may have written the file since the search.
  return OpenAndClose(settings_path, OPEN_ALWAYS);
}

void WriteSettingGroup(const IniFile& ini, SettingsGroup group, const GroupTexts& texts) {
  for (const auto& write : PlanGroupWrite(group, texts))
    ini.WriteText(Utf8ToWide(write.name), Utf8ToWide(write.text));
}

bool SaveSettingGroup(const IniFile& ini, SettingsGroup group, const GroupTexts& texts) {
  const auto& info = GroupInfo(group);
  if (info.gated && !SettingsWritable(ini.Path())) return false;
  WriteSettingGroup(ini, group, texts);
  const auto flag = [&](SettingKey key) { return ReadBool(texts.at(key), false); };
  switch (info.after) {
    case AfterGroupWrite::Nothing:
      break;
    case AfterGroupWrite::SettingsFileAttributes:
      ApplyHiddenSystemAttributes(ini.Path(), flag(SettingKey::MakeIniFileHidden),
                                  flag(SettingKey::MakeIniFileSystem));
      break;
    case AfterGroupWrite::HistoryFileAttributes:
      // Both files are the program's path with another extension.
      ApplyHiddenSystemAttributes(ChangeExtension(ini.Path(), L".txt"),
                                  flag(SettingKey::MakeHistoryFileHidden),
                                  flag(SettingKey::MakeHistoryFileSystem));
      break;
  }
  return true;
}

std::uint32_t ColorRefFor(Color value, int fallback_index) {
  return ResolveColor(value, fallback_index, [](int index) { return std::uint32_t(GetSysColor(index)); });
}

}  // namespace ondrix
