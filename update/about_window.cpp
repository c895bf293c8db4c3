#include "update/about_window.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "text/product_text.h"
#include "text/utf.h"
#include "update/auto_update.h"
#include "win/dpi.h"
#include "win/error_guard.h"
#include "win/handles.h"
#include "win/dialog_template.h"
#include "win/win32_desktop.h"

namespace ondrix {

namespace {

constexpr WORD kIdIcon = 100;
constexpr WORD kIdName = 101;
constexpr WORD kIdVersion = 102;
constexpr WORD kIdDescription = 103;
constexpr WORD kIdHomeLink = 104;
constexpr WORD kIdSupportLink = 105;
constexpr WORD kIdContributorsCaption = 106;
constexpr WORD kIdContributors = 107;
constexpr UINT kRefreshFonts = WM_APP + 1;

// Who the program owes what: its authors and the designers of the
// algorithms it computes.
struct Contributor {
  int depth;
  const wchar_t* text;
};
constexpr Contributor kContributors[] = {
    {0, L"Program"},
    {1, L"The Ondrix authors"},
    {0, L"Checksum algorithms"},
    {1, L"MD4, MD5: Ronald L. Rivest"},
    {1, L"SHA-1, SHA-256, SHA-384, SHA-512: NIST"},
    {1, L"RIPEMD-128, RIPEMD-160: H. Dobbertin, A. Bosselaers, B. Preneel"},
    {1, L"HAVAL: Y. Zheng, J. Pieprzyk, J. Seberry"},
    {1, L"TIGER: Ross Anderson, Eli Biham"},
    {1, L"CRC-32: the polynomial of IEEE 802.3"},
};

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr; }
  static void Close(Handle h) noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = win::UniqueResource<IconTraits>;

struct AboutState {
  win::IDesktop* desktop = nullptr;
  win::UniqueFont name_font;
  UniqueIcon icon;
};

std::wstring LinkMarkup(std::wstring_view url, std::wstring_view text) {
  return L"<a href=\"" + std::wstring(url) + L"\">" + std::wstring(text) + L"</a>";
}

std::wstring VersionText() {
  const std::optional<std::string> version = FileVersionOf(win::ExecutablePath());
  return L"Version " + Utf8ToWide(version.value_or(std::string(kProductVersionText)));
}

void FillContributors(HWND tree) {
  HTREEITEM parent = TVI_ROOT;
  HTREEITEM last_root = nullptr;
  for (const Contributor& c : kContributors) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = c.depth == 0 ? TVI_ROOT : parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(c.text);
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (c.depth == 0) {
      if (last_root != nullptr) ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(last_root));
      parent = last_root = item;
    }
  }
  if (last_root != nullptr) ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(last_root));
  // The list is read from its top.
  const LPARAM first = ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  ::SendMessageW(tree, TVM_ENSUREVISIBLE, 0, first);
}

// The bold name and the icon at the dialog's present DPI.
void RefreshFonts(HWND dialog, AboutState& state) {
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  if (font != nullptr && ::GetObjectW(font, sizeof lf, &lf) != 0) {
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = lf.lfHeight * 3 / 2;
    state.name_font = win::UniqueFont(::CreateFontIndirectW(&lf));
    ::SendDlgItemMessageW(dialog, kIdName, WM_SETFONT, reinterpret_cast<WPARAM>(state.name_font.Get()), TRUE);
  }
  const int size = win::Scale(32, win::DpiOf(dialog));
  state.icon = UniqueIcon(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  ::SendDlgItemMessageW(dialog, kIdIcon, STM_SETICON, reinterpret_cast<WPARAM>(state.icon.Get()), 0);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<AboutState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      state = reinterpret_cast<AboutState*>(lparam);
      ::SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      ::SetDlgItemTextW(dialog, kIdVersion, VersionText().c_str());
      FillContributors(::GetDlgItem(dialog, kIdContributors));
      RefreshFonts(dialog, *state);
      ::SetFocus(::GetDlgItem(dialog, IDOK));
      return FALSE;  // the focus is set
    case WM_DPICHANGED:
      // The system rescales the dialog and its font first.
      ::PostMessageW(dialog, kRefreshFonts, 0, 0);
      return FALSE;
    case kRefreshFonts:
      if (state != nullptr) RefreshFonts(dialog, *state);
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if ((header->idFrom == kIdHomeLink || header->idFrom == kIdSupportLink) &&
          (header->code == NM_CLICK || header->code == NM_RETURN) && state != nullptr) {
        const auto* link = reinterpret_cast<const NMLINK*>(lparam);
        win::Guard([&] {
          win::StartRequest request;
          request.verb = L"open";
          request.file = link->item.szUrl;
          request.owner = dialog;
          state->desktop->Start(request);
        });
        return TRUE;
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        ::EndDialog(dialog, LOWORD(wparam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutWindow(HWND owner, win::IDesktop& desktop) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LINK_CLASS | ICC_TREEVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);

  const std::wstring name(Utf8ToWide(kProductName));
  win::DialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, L"About " + name, 230, 186);
  t.AddItem(L"STATIC", SS_ICON, 10, 10, 21, 20, kIdIcon, L"");
  t.AddItem(L"STATIC", SS_LEFT | SS_NOPREFIX, 40, 9, 180, 14, kIdName, name);
  t.AddItem(L"STATIC", SS_LEFT | SS_NOPREFIX, 40, 24, 180, 9, kIdVersion, L"");
  t.AddItem(L"STATIC", SS_LEFT | SS_NOPREFIX, 40, 36, 180, 9, kIdDescription,
            L"File checksum calculator and verifier");
  t.AddItem(WC_LINK, WS_TABSTOP, 40, 50, 80, 10, kIdHomeLink, LinkMarkup(kHomePageUrl, L"Home page"));
  t.AddItem(WC_LINK, WS_TABSTOP, 120, 50, 100, 10, kIdSupportLink, LinkMarkup(kSupportPageUrl, L"Support Ondrix"));
  t.AddItem(L"STATIC", SS_LEFT | SS_NOPREFIX, 10, 66, 210, 9, kIdContributorsCaption, L"Contributors:");
  t.AddItem(WC_TREEVIEW, WS_BORDER | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_NOHSCROLL,
            10, 77, 210, 84, kIdContributors, L"");
  t.AddItem(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 170, 166, 50, 14, IDOK, L"OK");

  AboutState state;
  state.desktop = &desktop;
  desktop.ShowModalDialog(owner, t.Get(), AboutProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace ondrix
