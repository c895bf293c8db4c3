// The text input dialog shown for real: the longest prompt the program
// uses fits its prompt field whole, and OK and Cancel answer as they say.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win/dialogs.h"

namespace ondrix::win {
namespace {

// What the dialog looked like, read while it was shown.
struct Seen {
  bool found = false;
  int prompt_height = 0;  // of the static field
  int text_height = 0;    // the prompt's wrapped text needs
  std::wstring edit_text;
};

Seen g_seen;
UINT g_answer = IDCANCEL;
std::wstring g_typed;

// Runs inside the dialog's modal loop: measures it, types, answers.
void CALLBACK Inspect(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  HWND dialog = ::FindWindowW(L"#32770", L"Input test");
  if (dialog == nullptr) return;
  HWND prompt = ::FindWindowExW(dialog, nullptr, L"Static", nullptr);
  HWND edit = ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
  g_seen.found = prompt != nullptr && edit != nullptr;
  if (g_seen.found) {
    RECT field{};
    ::GetClientRect(prompt, &field);
    g_seen.prompt_height = field.bottom;
    wchar_t text[512] = {};
    ::GetWindowTextW(prompt, text, 512);
    HDC dc = ::GetDC(prompt);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(prompt, WM_GETFONT, 0, 0)));
    RECT need{0, 0, field.right, 0};
    ::DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(prompt, dc);
    g_seen.text_height = need.bottom;
    wchar_t initial[256] = {};
    ::GetWindowTextW(edit, initial, 256);
    g_seen.edit_text = initial;
    ::SetWindowTextW(edit, g_typed.c_str());
  }
  ::PostMessageW(dialog, WM_COMMAND, g_answer, 0);
}

std::optional<std::wstring> ShowAndAnswer(std::wstring_view prompt, UINT answer, std::wstring typed) {
  g_seen = {};
  g_answer = answer;
  g_typed = std::move(typed);
  ::SetTimer(nullptr, 0, 300, &Inspect);
  return ShowTextInputDialog(nullptr, L"Input test", prompt, L"Ondrix - Calculate File Checksum");
}

TEST(TextInputDialog, LongPromptFitsAndAnswersAreKept) {
  const std::optional<std::wstring> entered =
      ShowAndAnswer(L"Enter text that will be displayed to you in Windows Explorer context menu\r\n", IDOK,
                    L"My title \u00FC");
  ASSERT_TRUE(g_seen.found);
  EXPECT_EQ(g_seen.edit_text, L"Ondrix - Calculate File Checksum");
  EXPECT_GT(g_seen.text_height, 0);
  EXPECT_LE(g_seen.text_height, g_seen.prompt_height) << "the prompt is cut off";
  EXPECT_EQ(entered, std::optional<std::wstring>(L"My title \u00FC"));

  EXPECT_EQ(ShowAndAnswer(L"Enter new context menu title\r\n", IDCANCEL, L"ignored"), std::nullopt);
  EXPECT_TRUE(g_seen.found);
}

}  // namespace
}  // namespace ondrix::win
