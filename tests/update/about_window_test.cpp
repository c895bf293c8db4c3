// The About window as a real modal dialog: name, version from the version
// resource, the contributors' tree, links opened in the browser, and
// Escape and Enter to close it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tests/win/fake_desktop.h"
#include "text/product_text.h"
#include "update/about_window.h"

namespace ondrix {
namespace {

// Runs modal dialogs for real; records everything else.
class DialogDesktop : public win::testing::FakeDesktop {
 public:
  INT_PTR ShowModalDialog(HWND owner, const DLGTEMPLATE* dialog, DLGPROC procedure, LPARAM param) override {
    last_result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog, owner, procedure, param);
    return last_result;
  }
  INT_PTR last_result = 0;
};

struct Seen {
  bool found = false;
  std::wstring name, version;
  int roots = 0;
  int contributors = 0;
  WPARAM key = VK_ESCAPE;
  bool click_link = false;
};
Seen* g_seen = nullptr;

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[256] = {};
  ::GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

void CALLBACK Probe(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HWND dialog = ::FindWindowW(L"#32770", L"About Ondrix");
  if (dialog == nullptr) return;
  Seen& seen = *g_seen;
  seen.found = true;
  seen.name = ItemText(dialog, 101);
  seen.version = ItemText(dialog, 102);
  HWND tree = ::GetDlgItem(dialog, 107);
  for (auto root = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); root;
       root = reinterpret_cast<HTREEITEM>(
           ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)))) {
    ++seen.roots;
  }
  seen.contributors = static_cast<int>(::SendMessageW(tree, TVM_GETCOUNT, 0, 0));
  if (seen.click_link) {
    NMLINK link{};
    link.hdr.hwndFrom = ::GetDlgItem(dialog, 105);
    link.hdr.idFrom = 105;
    link.hdr.code = NM_CLICK;
    lstrcpynW(link.item.szUrl, std::wstring(kSupportPageUrl).c_str(), L_MAX_URL_LENGTH);
    ::SendMessageW(dialog, WM_NOTIFY, 105, reinterpret_cast<LPARAM>(&link));
  }
  // The key as the user presses it, to the control that has the focus.
  HWND focus = ::GetFocus();
  ::PostMessageW(focus != nullptr ? focus : dialog, WM_KEYDOWN, seen.key, 0);
}

Seen RunAbout(DialogDesktop& desktop, WPARAM key, bool click_link) {
  Seen seen;
  seen.key = key;
  seen.click_link = click_link;
  g_seen = &seen;
  // A thread timer: it fires inside the dialog's own message loop.
  ::SetTimer(nullptr, 0, 300, Probe);
  ShowAboutWindow(nullptr, desktop);
  g_seen = nullptr;
  return seen;
}

TEST(AboutWindow, ShowsNameVersionAndContributorsAndClosesWithEscapeOrEnter) {
  DialogDesktop desktop;
  const Seen escape = RunAbout(desktop, VK_ESCAPE, false);
  ASSERT_TRUE(escape.found);
  EXPECT_EQ(desktop.last_result, IDCANCEL);
  EXPECT_EQ(escape.name, L"Ondrix");
  EXPECT_EQ(escape.version, L"Version 1.6.15.0");  // this test program carries the product's resource
  EXPECT_EQ(escape.roots, 2);
  EXPECT_GE(escape.contributors, 8);

  const Seen enter = RunAbout(desktop, VK_RETURN, false);
  ASSERT_TRUE(enter.found);
  EXPECT_EQ(desktop.last_result, IDOK);
  EXPECT_TRUE(desktop.starts.empty());
}

TEST(AboutWindow, ALinkOpensItsPageInTheBrowser) {
  DialogDesktop desktop;
  const Seen seen = RunAbout(desktop, VK_ESCAPE, true);
  ASSERT_TRUE(seen.found);
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts[0].verb, L"open");
  EXPECT_EQ(desktop.starts[0].file, kSupportPageUrl);
}

}  // namespace
}  // namespace ondrix
