// How a file becomes the selected file: dropped from Explorer, picked in
// the open dialog, or named on the command line; the title that shows it and
// the pointer handling of the file-name field.
#include "engines/checksum_types.h"
#include "win/file_stream.h"
#include "settings/ini_file.h"
#include "settings/settings_values.h"
#include "startup/chooser_dialog.h"
#include "startup/file_info.h"
#include "win/file_path.h"
#include "ui/form1.h"
#include "win/app_cursor.h"

namespace ondrix::ui {
namespace {

// Paths name the same file when they differ in letter case only.
bool SamePath(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

void TForm1::ReadFileTimes(const std::wstring& path) {
  const FileTimeTexts times = ondrix::ReadFileTimes(path);
  FileCreatedText = times.created;
  FileModifiedText = times.modified;
  FileAccessedText = times.accessed;
}

// The checksum shown belongs to the file it was computed for: once another
// file is selected it is gone, with its type, and every command that needs a
// result finds none, as before the first calculation.
void TForm1::ForgetResult() {
  Edit1.SetText(L"");
  CalcTypeKey.clear();
  CompareChecksums();
  SetBalloonTip(Edit1, 0, L"", L"");
}

void TForm1::SelectFile(const std::wstring& path) {
  if (!SamePath(path, SelectedFilePath)) ForgetResult();
  SelectedFilePath = path;
  SelectedFileSize = GetFileSize64(path);
  Label4.SetCaption(FormatSizeText(SelectedFileSize, L" "));
  label9.SetCaption(FileNameOf(path));
  ReadFileTimes(path);
}

// The taskbar button of a top-level window shows its caption, so the
// caption is also the taskbar title; there is no title of its own to set.
void TForm1::ApplyTitleTexts(const WindowTitleTexts& texts) {
  ::SetWindowTextW(Hwnd(), texts.caption.c_str());
  TrayIcon1.SetTip(texts.tray_hint);
}

void TForm1::UpdateTitleBar() {
  ApplyTitleTexts(BuildTitleTexts(SelectedFilePath, Showfilenameontitlebar1.Checked()));
}

// The access test of the drop and the open dialog; on success the file is
// selected and CalcIdle is 0 until the caller starts or declines a job.
bool TForm1::TakeFileOver(const std::wstring& path) {
  const std::wstring error = TryOpenFile(path);
  if (!error.empty()) {
    ShowMessage(L"Cannot open selected file\r\r\n" + error, L"Error", win::MessageIcon::Error);
    return false;
  }
  CalcIdle = 0;
  SelectFile(path);
  // The title names the new file at once, also when nothing is computed.
  UpdateTitleBar();
  return true;
}

void TForm1::OnDropFiles(HDROP drop) {
  // Drops are switched off while a job runs; one still queued is refused.
  if (CalcRunning == 1 || DroppedItemCount(drop) == 0) {
    ::DragFinish(drop);
    return;
  }
  // Only the first item counts; its path is read whole, whatever its length.
  const std::wstring first = ReadDroppedPath(drop, 0);
  if (Setfocuswhelfiledroppedonthisform1.Checked()) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const RECT rc = FormRect();
    if (cursor.x < rc.left || cursor.x > rc.right || cursor.y < rc.top || cursor.y > rc.bottom) {
      ::DragFinish(drop);
      return;
    }
    ::SetForegroundWindow(Hwnd());
    ::SetFocus(Hwnd());
  }
  ::DragFinish(drop);
  if (!TakeFileOver(first)) return;
  if (Autocalculatewhenfiledropped1.Checked()) {
    StartCalculation();
  } else {
    CalcIdle = 1;
  }
}

void TForm1::btn_openfileClick() {
  SetTopmost(0);
  const std::optional<std::wstring> name = desktop_.OpenFileDialog(Hwnd(), win::FileDialogOptions{});
  SetTopmost(1);
  if (!name || name->empty()) return;
  if (!TakeFileOver(*name)) return;
  StartCalculation();
}

// The first show with a command-line argument: select the file, then do
// what the default action says.
void TForm1::ProcessFirstArgument() {
  const std::wstring argument = FirstArgument;
  if (!FileExists(argument)) {
    // Asked only for the system's words on why the path cannot be opened.
    const std::wstring error = TryOpenFile(argument);
    ShowMessage(L"Cannot open file\r\r\n" + argument + L"\r\r\n" + error, L"Error", win::MessageIcon::Error);
    return;
  }
  SelectFile(argument);
  UpdateTitleBar();
  if (Nocalculate1.Checked()) return;
  if (PendingChosenType.empty() && Askforchecksumtypetocalculate1.Checked()) return;
  for (const DefaultActionItem& action : DefaultActionItems()) {
    if (!action.type) continue;
    const TMenuItem* item = FindMenuItem(action.item);
    if (item == nullptr || !item->Checked()) continue;
    ComboBox1.SelectText(Utf8ToWide(TypeInfo(*action.type).display_name));
    ComboBox1Change(false);
    break;
  }
  // The chooser's pick is used up.
  PendingChosenType.clear();
  if (fm_wybierz_algorytm != nullptr) fm_wybierz_algorytm->ChooserPick.clear();
  if (Autopastechecksumfromclipboard1.Checked()) PasteChecksumFromClipboard();
  const std::wstring error = TryOpenFile(argument);
  if (!error.empty()) {
    ShowMessage(L"Cannot open selected file\r\r\n" + error, L"Error", win::MessageIcon::Error);
    return;
  }
  CalcIdle = 0;
  StartCalculation();
}

// The file-name field: while idle with a file selected, hovering shows the
// whole path and the details tip, and a click shows the file in Explorer.
void TForm1::label9MouseEnter() {
  if (CalcIdle != 1 || label9.Caption() == kNoFileSelected) return;
  label9.SetCaption(SelectedFilePath);
  win::SetAppCursor(IDC_HAND);
  const FileDetailsTip tip = BuildFileDetailsTip(SelectedFilePath, GetFileSize64(SelectedFilePath), FileCreatedText,
                                                 FileModifiedText, FileAccessedText);
  SetBalloonTip(label9, 0, tip.title, tip.text);
}

void TForm1::label9MouseLeave() {
  if (CalcIdle != 1 || label9.Caption() == kNoFileSelected) return;
  label9.SetCaption(FileNameOf(SelectedFilePath));
  win::SetAppCursor(nullptr);
}

void TForm1::label9Click() {
  if (CalcIdle != 1 || label9.Caption() == kNoFileSelected) return;
  if (FileExists(SelectedFilePath)) LocateInExplorer();
}

}  // namespace ondrix::ui
