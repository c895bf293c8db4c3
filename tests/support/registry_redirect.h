// Redirects HKEY_CLASSES_ROOT and HKEY_CURRENT_USER of this process into
// scratch keys for the life of the object, so tests of the Explorer verb
// never touch the real registry. A redirected root can be made to refuse
// new keys (as an ordinary user's HKEY_CLASSES_ROOT does): its scratch key
// is then volatile, and the system refuses a lasting key below it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ondrix::test {

// Which redirected roots refuse new keys.
struct RegistryRefusals {
  bool machine_refuses = false;
  bool user_refuses = false;
};

class RegistryRedirect {
 public:
  using Options = RegistryRefusals;

  explicit RegistryRedirect(Options options = {}) {
    static int counter = 0;
    scratch_ = L"Software\\OndrixTests\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter);
    classes_ = CreateScratch(L"\\classes", options.machine_refuses);
    user_ = CreateScratch(L"\\user", options.user_refuses);
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_);
    ::RegOverridePredefKey(HKEY_CURRENT_USER, user_);
  }

  ~RegistryRedirect() {
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegCloseKey(classes_);
    ::RegCloseKey(user_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str());
  }

  RegistryRedirect(const RegistryRedirect&) = delete;
  RegistryRedirect& operator=(const RegistryRedirect&) = delete;

  // The default value of a key below HKEY_CLASSES_ROOT or HKEY_CURRENT_USER
  // as redirected; nothing when the key or value is missing.
  static std::optional<std::wstring> Value(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status = ::RegQueryValueExW(opened, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    ::RegCloseKey(opened);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return std::wstring(buffer);
  }

  static bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
    ::RegCloseKey(opened);
    return true;
  }

  // Sets a default value as another program (or an earlier install) would.
  static void SetValue(HKEY root, const std::wstring& key, const std::wstring& value) {
    HKEY opened = nullptr;
    ::RegCreateKeyExW(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened,
                      nullptr);
    ::RegSetValueExW(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(opened);
  }

 private:
  HKEY CreateScratch(const wchar_t* name, bool refuses) {
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, (scratch_ + name).c_str(), 0, nullptr,
                      refuses ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr);
    return key;
  }

  std::wstring scratch_;
  HKEY classes_ = nullptr;
  HKEY user_ = nullptr;
};

}  // namespace ondrix::test
