// Common dialogs and message boxes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace ondrix::win {

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };

// MessageBoxW; returns the button id (IDOK, IDYES, ...), 0 on failure.
// `extra_flags` adds MB_ flags such as MB_TOPMOST or MB_SYSTEMMODAL.
int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                   MessageButtons buttons, UINT extra_flags = 0);

struct FileDialogOptions {
  std::wstring title;         // empty: the system's
  std::wstring filter;        // "Text files|*.txt|All files|*.*"
  int filter_index = 1;       // 1-based
  std::wstring initial_dir;
  std::wstring default_name;  // file name proposed in the name field
  std::wstring default_ext;   // without the dot, appended when the user types none
};

// "desc|pattern|desc|pattern" as the NUL-separated, double-NUL-terminated
// list the file dialogs take. Empty input gives an empty result (no filter).
std::wstring BuildFilterString(std::wstring_view pipe_separated);

// Full path of the chosen file (no MAX_PATH limit), or nothing on cancel.
std::optional<std::wstring> ShowOpenFileDialog(HWND owner, const FileDialogOptions& options);
// Asks before overwriting; the folder must exist.
std::optional<std::wstring> ShowSaveFileDialog(HWND owner, const FileDialogOptions& options);

std::optional<COLORREF> ShowColorDialog(HWND owner, COLORREF initial, bool full_open);

// A small modal dialog with a prompt, one edit field, OK and Cancel. The
// text on OK, nothing on Cancel.
std::optional<std::wstring> ShowTextInputDialog(HWND owner, std::wstring_view caption, std::wstring_view prompt,
                                                std::wstring_view initial);

}  // namespace ondrix::win
