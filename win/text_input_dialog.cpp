// The text input dialog, built from an in-memory template: dialog units
// follow the dialog font, so it has the right size at every DPI, and the
// system scales it when the window moves between screens.
#include <windows.h>

#include <string>
#include <vector>

#include "win/dialog_template.h"
#include "win/dialogs.h"
#include "win/error_guard.h"

namespace ondrix::win {

namespace {

constexpr WORD kIdPrompt = 100;
constexpr WORD kIdEdit = 101;

struct InputState {
  std::wstring prompt;
  std::wstring text;
};

INT_PTR HandleInputDialog(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<InputState*>(lparam);
      ::SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      ::SetDlgItemTextW(dialog, kIdPrompt, state->prompt.c_str());
      ::SetDlgItemTextW(dialog, kIdEdit, state->text.c_str());
      ::SendDlgItemMessageW(dialog, kIdEdit, EM_SETSEL, 0, -1);
      ::SetFocus(::GetDlgItem(dialog, kIdEdit));
      return FALSE;  // focus set here
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        auto* state = reinterpret_cast<InputState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
        HWND edit = ::GetDlgItem(dialog, kIdEdit);
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        state->text = std::move(text);
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  Guard([&] { result = HandleInputDialog(dialog, msg, wparam, lparam); });
  return result;
}

}  // namespace

std::optional<std::wstring> ShowTextInputDialog(HWND owner, std::wstring_view caption, std::wstring_view prompt,
                                                std::wstring_view initial) {
  // The prompt has room for two lines: a long one wraps instead of losing
  // its end.
  DialogTemplate tmpl(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, caption, 230, 74);
  tmpl.AddItem(L"STATIC", SS_LEFT | SS_NOPREFIX, 7, 7, 216, 18, kIdPrompt, L"");
  tmpl.AddItem(L"EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 28, 216, 13, kIdEdit, L"");
  tmpl.AddItem(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 119, 51, 50, 15, IDOK, L"OK");
  tmpl.AddItem(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 173, 51, 50, 15, IDCANCEL, L"Cancel");

  InputState state{std::wstring(prompt), std::wstring(initial)};
  const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), tmpl.Get(), owner, &InputDialogProc,
                                                   reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  return state.text;
}

}  // namespace ondrix::win
