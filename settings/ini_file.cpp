#include "settings/ini_file.h"

#include <windows.h>

#include <vector>

namespace ondrix {
namespace {

constexpr wchar_t kSection[] = L"Settings";
// Room for the longest value the reader hands over, and its terminator.
constexpr DWORD kReadBufferCount = DWORD(kMaxStoredTextLength + 1);

// Two defaults no stored value plausibly equals: a key is absent only when
// the reader answers each of them with itself.
constexpr wchar_t kAbsentMarkA[] = L"\x01<ondrix:absent-a>\x01";
constexpr wchar_t kAbsentMarkB[] = L"\x02<ondrix:absent-b>\x02";

std::wstring ReadWithDefault(const std::wstring& path, const std::wstring& key,
                             const wchar_t* fallback) {
  std::vector<wchar_t> buffer(kReadBufferCount);
  const DWORD count = GetPrivateProfileStringW(kSection, key.c_str(), fallback, buffer.data(),
                                               kReadBufferCount, path.c_str());
  return std::wstring(buffer.data(), count);
}

}  // namespace

ESettingsWrite::ESettingsWrite(const std::wstring& settings_path)
    : std::runtime_error(WideToUtf8(L"Unable to write to " + settings_path)),
      message_(L"Unable to write to " + settings_path) {}

std::optional<std::wstring> IniFile::ReadText(std::wstring_view key) const {
  const std::wstring name(key);
  std::wstring value = ReadWithDefault(path_, name, kAbsentMarkA);
  if (value != kAbsentMarkA) return value;
  value = ReadWithDefault(path_, name, kAbsentMarkB);
  if (value != kAbsentMarkB) return value;
  return std::nullopt;
}

StoredText IniFile::Read(SettingKey key) const {
  const auto text = ReadText(Utf8ToWide(KeyInfo(key).name));
  if (!text) return std::nullopt;
  return WideToUtf8(*text);
}

void IniFile::WriteText(std::wstring_view key, std::wstring_view text) const {
  const std::wstring name(key), value(text);
  if (!WritePrivateProfileStringW(kSection, name.c_str(), value.c_str(), path_.c_str()))
    throw ESettingsWrite(path_);
}

void IniFile::Write(SettingKey key, std::string_view text) const {
  WriteText(Utf8ToWide(KeyInfo(key).name), Utf8ToWide(text));
}

}  // namespace ondrix
