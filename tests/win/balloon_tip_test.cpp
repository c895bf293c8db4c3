#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "tests/win/test_form.h"
#include "win/balloon_tip.h"
#include "win/edit.h"

namespace ondrix::win {
namespace {

using testing::TestForm;

bool RunningUnderWine() {
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::wstring TitleOf(HWND tip, int* icon) {
  wchar_t buffer[128] = {};
  TTGETTITLE title{sizeof title, 0, 128, buffer};
  ::SendMessageW(tip, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&title));
  *icon = static_cast<int>(title.uTitleBitmap);
  return buffer;
}

TEST(BalloonTipTest, ControlWithoutWindowGetsNoTool) {
  TestForm form;
  BalloonTip balloon;
  ASSERT_TRUE(balloon.CreateBalloonTipWindow(form.Hwnd()));
  EXPECT_NE(::GetWindowLongPtrW(balloon.Hwnd(), GWL_STYLE) & TTS_BALLOON, 0);
  EXPECT_NE(::GetWindowLongPtrW(balloon.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

  Edit never_created;
  balloon.SetBalloonTip(never_created, 1, L"t", L"text");
  EXPECT_EQ(balloon.ToolCount(), 0);

  Edit destroyed;
  ASSERT_TRUE(destroyed.Create(form.Surface(), {0, 0, 100, 20}));
  HWND gone = destroyed.Hwnd();
  ::DestroyWindow(gone);
  EXPECT_EQ(destroyed.Hwnd(), nullptr);
  balloon.SetBalloonTip(gone, 1, L"t", L"text");
  EXPECT_EQ(balloon.ToolCount(), 0);
}

TEST(BalloonTipTest, SettingAgainReplacesTheControlsToolAndClampsTheIcon) {
  TestForm form;
  BalloonTip balloon;
  ASSERT_TRUE(balloon.CreateBalloonTipWindow(form.Hwnd()));
  Edit edit;
  ASSERT_TRUE(edit.Create(form.Surface(), {0, 0, 150, 21}));

  balloon.SetBalloonTip(edit, 2, L"Compare", L"first");
  balloon.SetBalloonTip(edit, 7, L"Checksum", L"second");
  EXPECT_EQ(balloon.ToolCount(), 1);

  wchar_t text[64] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = edit.Hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(edit.Hwnd());
  tool.lpszText = text;
  ASSERT_TRUE(::SendMessageW(balloon.Hwnd(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_NE(tool.uFlags & TTF_SUBCLASS, 0u);
  EXPECT_EQ(tool.rect.right, 150 - 4);  // the client rectangle, inside the edit's 2-pixel frame
  ::SendMessageW(balloon.Hwnd(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"second");

  // Wine 8 sets titles but answers TTM_GETTITLE with an empty one, so the
  // title is only read back on Windows.
  if (!RunningUnderWine()) {
    int icon = -1;
    EXPECT_EQ(TitleOf(balloon.Hwnd(), &icon), L"Checksum");
    EXPECT_EQ(icon, 0);
  }
  EXPECT_EQ(::SendMessageW(balloon.Hwnd(), TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(::SendMessageW(balloon.Hwnd(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 32767);
  EXPECT_EQ(::SendMessageW(balloon.Hwnd(), TTM_GETDELAYTIME, TTDT_RESHOW, 0), 5000);
}

}  // namespace
}  // namespace ondrix::win
