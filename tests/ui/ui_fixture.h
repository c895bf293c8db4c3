// A main window created in a temp folder of its own, so its settings file
// and history file live there.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "tests/support/registry_redirect.h"
#include "tests/win/fake_desktop.h"
#include "ui/form1.h"

namespace ondrix::ui::testing {

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The window reads and may rewrite the Explorer verb at start: never the
    // real one.
    registry_redirect_.emplace();
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    dir_ = std::wstring(temp) + L"ondrix-ui-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter);
    ::CreateDirectoryW(dir_.c_str(), nullptr);
    desktop.program_path = dir_ + L"\\ondrix.exe";
    desktop.local_time = SYSTEMTIME{2026, 3, 0, 15, 12, 0, 0, 0};  // LastUpdateCheck cases count from here
  }

  void TearDown() override {
    form.reset();
    registry_redirect_.reset();
    for (const wchar_t* ext : {L".ini", L".txt"}) {
      const std::wstring path = dir_ + L"\\ondrix" + ext;
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(path.c_str());
    }
    ::RemoveDirectoryW(dir_.c_str());
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  }

  std::wstring IniPath() const { return dir_ + L"\\ondrix.ini"; }

  // The settings file with these lines (key=value, one per line).
  void WriteIni(std::string_view lines) const {
    const std::string content = "[Settings]\r\n" + std::string(lines);
    ::SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = ::CreateFileW(IniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
  }

  // A key as stored now; nothing when absent.
  std::optional<std::wstring> Stored(const wchar_t* key) const {
    wchar_t buffer[2048];
    ::GetPrivateProfileStringW(L"Settings", key, L"\x01", buffer, 2048, IniPath().c_str());
    if (std::wstring_view(buffer) == L"\x01") return std::nullopt;
    return std::wstring(buffer);
  }

  TForm1& Start() {
    form = std::make_unique<TForm1>(desktop);
    form->QuitOnDestroy = false;
    // A build of the test's own day: no age warning unless a test asks.
    form->BuildDate = Date{desktop.local_time.wYear, desktop.local_time.wMonth, desktop.local_time.wDay};
    EXPECT_TRUE(form->Create());
    return *form;
  }

  bool Ticked(std::string_view item) const {
    const TMenuItem* found = form->FindMenuItem(item);
    EXPECT_NE(found, nullptr) << item;
    return found != nullptr && found->Checked();
  }

  // The read-only, hidden and system bits of a file (Wine reports every
  // file as archived, so that bit says nothing here).
  static DWORD DosAttributes(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) &
           (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  }

  LONG ExStyle() const { return ::GetWindowLongW(form->Hwnd(), GWL_EXSTYLE); }

  // The text of the balloon tip the window set on `control`.
  std::wstring TipText(const win::Control& control) const {
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = control.Hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(control.Hwnd());
    tool.lpszText = text;
    ::SendMessageW(form->BalloonTipWindow(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
  }

  // A key press as the message loop hands it to the window.
  bool PressKey(WORD key) {
    MSG msg{form->Hwnd(), WM_KEYDOWN, key, 0, 0, {}};
    return form->PreviewKeyMessage(msg);
  }

  std::optional<test::RegistryRedirect> registry_redirect_;
  win::testing::FakeDesktop desktop;
  std::unique_ptr<TForm1> form;
  std::wstring dir_;
};

}  // namespace ondrix::ui::testing
