#include <gtest/gtest.h>

#include "tests/win/test_form.h"
#include "win/edit.h"

namespace ondrix::win {
namespace {

using testing::TestForm;

LONG_PTR CaseStyle(const Edit& edit) {
  return ::GetWindowLongPtrW(edit.Hwnd(), GWL_STYLE) & (ES_UPPERCASE | ES_LOWERCASE);
}

TEST(EditTest, SwitchingForcedCaseConvertsTheTextAlreadyThere) {
  TestForm form;
  Edit edit;
  ASSERT_TRUE(edit.Create(form.Surface(), {0, 0, 200, 21}));
  edit.SetText(L"abcDEF \u00e4\u00d6 12");
  edit.SetSelection(2, 5);

  edit.SetCharCase(CharCase::Upper);
  EXPECT_EQ(edit.Text(), L"ABCDEF \u00c4\u00d6 12");
  EXPECT_EQ(CaseStyle(edit), ES_UPPERCASE);
  EXPECT_EQ(edit.Selection(), std::make_pair(2, 5));

  // Text set while the case is forced arrives converted, and so does typing.
  edit.SetText(L"d41d8cd98f");
  EXPECT_EQ(edit.Text(), L"D41D8CD98F");
  edit.SetSelection(100, 100);
  ::SendMessageW(edit.Hwnd(), WM_CHAR, L'e', 0);
  EXPECT_EQ(edit.Text(), L"D41D8CD98FE");

  edit.SetCharCase(CharCase::Lower);
  EXPECT_EQ(edit.Text(), L"d41d8cd98fe");
  EXPECT_EQ(CaseStyle(edit), ES_LOWERCASE);
  edit.SetSelection(100, 100);
  ::SendMessageW(edit.Hwnd(), WM_CHAR, L'F', 0);
  EXPECT_EQ(edit.Text(), L"d41d8cd98fef");

  edit.SetCharCase(CharCase::Normal);
  EXPECT_EQ(CaseStyle(edit), 0);
  edit.SetText(L"MiXeD");
  EXPECT_EQ(edit.Text(), L"MiXeD");
}

TEST(EditTest, ColoursReachTheParentsColourMessage) {
  TestForm form;
  Edit edit, read_only;
  ASSERT_TRUE(edit.Create(form.Surface(), {0, 0, 200, 21}));
  ASSERT_TRUE(read_only.Create(form.Surface(), {0, 30, 200, 21}, true));
  for (Edit* e : {&edit, &read_only}) {
    e->SetColor(RGB(1, 2, 3));
    e->SetFontColor(RGB(200, 100, 50));
  }
  HDC dc = ::GetDC(edit.Hwnd());
  const LRESULT brush = ::SendMessageW(form.Hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(edit.Hwnd()));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), edit.BackgroundBrush());
  EXPECT_EQ(::GetBkColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(::GetTextColor(dc), RGB(200, 100, 50));
  const LRESULT static_brush = ::SendMessageW(form.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(read_only.Hwnd()));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(static_brush), read_only.BackgroundBrush());
  ::ReleaseDC(edit.Hwnd(), dc);

  LOGBRUSH lb{};
  ASSERT_NE(::GetObjectW(edit.BackgroundBrush(), sizeof lb, &lb), 0);
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
}

TEST(EditTest, BoldSwitchesTheFieldsFontWeight) {
  TestForm form;
  Edit edit;
  ASSERT_TRUE(edit.Create(form.Surface(), {0, 0, 200, 21}));
  auto weight = [&] {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(edit.Hwnd(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfWeight;
  };
  EXPECT_EQ(weight(), FW_NORMAL);
  edit.SetBold(true);
  EXPECT_EQ(weight(), FW_BOLD);
  edit.SetBold(false);
  EXPECT_EQ(weight(), FW_NORMAL);
}

}  // namespace
}  // namespace ondrix::win
