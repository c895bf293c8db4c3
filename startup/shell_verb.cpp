#include "startup/shell_verb.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "startup/shell_verb_text.h"

namespace ondrix {
namespace {

// An open registry key, closed when it goes.
class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  ~RegKey() {
    if (key_ != nullptr) ::RegCloseKey(key_);
  }
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

// One of the two classes roots the verb may live in.
struct ClassesRoot {
  HKEY root;
  const wchar_t* prefix;  // the path of the classes below `root`, or empty
};

// Where Explorer looks first: the user's classes, then the machine's.
const ClassesRoot kUserClasses{HKEY_CURRENT_USER, kUserClassesKey};
const ClassesRoot kMachineClasses{HKEY_CLASSES_ROOT, L""};

std::wstring PathIn(const ClassesRoot& place, const wchar_t* key) {
  std::wstring path = place.prefix;
  if (!path.empty()) path += L'\\';
  return path + key;
}

RegKey OpenKey(const ClassesRoot& place, const wchar_t* key, REGSAM access) {
  RegKey result;
  if (::RegOpenKeyExW(place.root, PathIn(place, key).c_str(), 0, access, result.Out()) != ERROR_SUCCESS) {
    return RegKey{};
  }
  return result;
}

// The key's default value as a string; nothing when it is missing or not a
// string.
std::optional<std::wstring> ReadDefaultString(HKEY key) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LONG status =
        ::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (status == ERROR_MORE_DATA) continue;  // grew meanwhile
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    std::size_t length = got / sizeof(wchar_t);
    // Stored strings usually end in a NUL; one without it is taken whole.
    while (length > 0 && buffer[length - 1] == L'\0') --length;
    return std::wstring(buffer.data(), length);
  }
  return std::nullopt;
}

bool WriteDefaultString(HKEY key, std::wstring_view text) {
  const std::wstring value(text);
  const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), size) ==
         ERROR_SUCCESS;
}

bool WriteKeyDefault(const ClassesRoot& place, const wchar_t* key, std::wstring_view text) {
  RegKey opened;
  if (::RegCreateKeyExW(place.root, PathIn(place, key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, opened.Out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return WriteDefaultString(opened.Get(), text);
}

// Title first, then the command; the first failure ends it.
bool WriteVerb(const ClassesRoot& place, std::wstring_view title, std::wstring_view command) {
  return WriteKeyDefault(place, kShellVerbKey, title) && WriteKeyDefault(place, kShellVerbCommandKey, command);
}

bool VerbKeyExists(const ClassesRoot& place) {
  return static_cast<bool>(OpenKey(place, kShellVerbKey, KEY_QUERY_VALUE));
}

void DeleteVerb(const ClassesRoot& place) {
  ::RegDeleteTreeW(place.root, PathIn(place, kShellVerbKey).c_str());
  // Normally gone with its parent already; a failure here says nothing.
  ::RegDeleteKeyW(place.root, PathIn(place, kShellVerbCommandKey).c_str());
}

}  // namespace

bool RegisterShellVerb(std::wstring_view title, std::wstring_view program_path) {
  const std::wstring command = ShellVerbCommandLine(program_path);
  if (WriteVerb(kMachineClasses, title, command)) {
    // A copy the user registered earlier takes precedence in Explorer: it
    // must say the same.
    if (VerbKeyExists(kUserClasses)) return WriteVerb(kUserClasses, title, command);
    return true;
  }
  return WriteVerb(kUserClasses, title, command);
}

bool RemoveShellVerb() {
  for (const ClassesRoot& place : {kUserClasses, kMachineClasses}) DeleteVerb(place);
  return !ShellVerbExists();
}

bool ShellVerbExists() { return VerbKeyExists(kUserClasses) || VerbKeyExists(kMachineClasses); }

std::wstring ReadShellVerbTitle() {
  for (const ClassesRoot& place : {kUserClasses, kMachineClasses}) {
    RegKey key = OpenKey(place, kShellVerbKey, KEY_QUERY_VALUE);
    if (!key) continue;
    const std::optional<std::wstring> title = ReadDefaultString(key.Get());
    return title ? *title : std::wstring(kDefaultShellVerbTitle);
  }
  return kDefaultShellVerbTitle;
}

bool VerifyShellVerb(std::wstring_view program_path) {
  for (const ClassesRoot& place : {kUserClasses, kMachineClasses}) {
    RegKey key = OpenKey(place, kShellVerbCommandKey, KEY_QUERY_VALUE);
    if (!key) continue;
    const std::wstring command = ReadDefaultString(key.Get()).value_or(std::wstring());
    if (command.empty()) return false;
    const std::wstring expected = ShellVerbCommandLine(program_path);
    if (command == expected) return true;
    // Only the rewrite asks for write access.
    RegKey writable = OpenKey(place, kShellVerbCommandKey, KEY_SET_VALUE);
    return writable && WriteDefaultString(writable.Get(), expected);
  }
  return false;
}

}  // namespace ondrix
