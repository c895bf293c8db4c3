#include "win/dialogs.h"

#include <commdlg.h>

#include <vector>

namespace ondrix::win {

namespace {

// Large enough for any path the system can open (32767 characters).
constexpr DWORD kPathBufferChars = 32768;

UINT IconFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Question: return MB_ICONQUESTION;
    case MessageIcon::None: return 0;
  }
  return 0;
}

UINT ButtonFlags(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return MB_OK;
    case MessageButtons::OkCancel: return MB_OKCANCEL;
    case MessageButtons::YesNo: return MB_YESNO;
    case MessageButtons::YesNoCancel: return MB_YESNOCANCEL;
    case MessageButtons::RetryCancel: return MB_RETRYCANCEL;
  }
  return MB_OK;
}

std::optional<std::wstring> RunFileDialog(HWND owner, const FileDialogOptions& options, bool save) {
  std::vector<wchar_t> buffer(kPathBufferChars, L'\0');
  options.default_name.copy(buffer.data(), std::min<std::size_t>(options.default_name.size(), kPathBufferChars - 1));
  const std::wstring filter = BuildFilterString(options.filter);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(options.filter_index);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = kPathBufferChars;
  ofn.lpstrInitialDir = options.initial_dir.empty() ? nullptr : options.initial_dir.c_str();
  ofn.lpstrTitle = options.title.empty() ? nullptr : options.title.c_str();
  ofn.lpstrDefExt = options.default_ext.empty() ? nullptr : options.default_ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  ofn.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  const BOOL chosen = save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  return std::wstring(buffer.data());
}

}  // namespace

int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                   MessageButtons buttons, UINT extra_flags) {
  const std::wstring text_copy(text), caption_copy(caption);
  return ::MessageBoxW(owner, text_copy.c_str(), caption_copy.c_str(),
                       IconFlags(icon) | ButtonFlags(buttons) | extra_flags);
}

std::wstring BuildFilterString(std::wstring_view pipe_separated) {
  if (pipe_separated.empty()) return {};
  std::wstring result(pipe_separated);
  for (wchar_t& c : result) {
    if (c == L'|') c = L'\0';
  }
  // Each string ends in NUL and the list in one more; an odd count of
  // fields (a description without pattern) is closed off the same way.
  result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

std::optional<std::wstring> ShowOpenFileDialog(HWND owner, const FileDialogOptions& options) {
  return RunFileDialog(owner, options, false);
}

std::optional<std::wstring> ShowSaveFileDialog(HWND owner, const FileDialogOptions& options) {
  return RunFileDialog(owner, options, true);
}

std::optional<COLORREF> ShowColorDialog(HWND owner, COLORREF initial, bool full_open) {
  static COLORREF custom_colors[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = initial;
  cc.lpCustColors = custom_colors;
  cc.Flags = CC_RGBINIT | CC_ANYCOLOR | (full_open ? CC_FULLOPEN : 0);
  if (!::ChooseColorW(&cc)) return std::nullopt;
  return cc.rgbResult;
}

}  // namespace ondrix::win
