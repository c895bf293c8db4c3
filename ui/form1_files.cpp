// The files the window writes: the checksum file of the selected file and
// the history file beside the program, with the history's view and delete
// commands.
#include "win/file_stream.h"
#include "output/checksum_file_text.h"
#include "output/history_line.h"
#include "output/text_file.h"
#include "settings/ini_file.h"
#include "win/file_path.h"
#include "ui/form1.h"

namespace ondrix::ui {
namespace {

// The folder a file dialog opens in: for a file at a drive's root that is
// "C:\", since "C:" alone would mean the current folder of drive C.
std::wstring DialogFolderOf(const std::wstring& path) {
  std::wstring folder = FolderOf(path);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

// The record builders work on UTF-8; the file writer takes UTF-16 lines and
// picks the encoding for the whole file.
std::vector<std::wstring> Widened(const std::vector<std::string>& lines) {
  std::vector<std::wstring> out;
  out.reserve(lines.size());
  for (const std::string& line : lines) out.push_back(Utf8ToWide(line));
  return out;
}

}  // namespace

void TForm1::btn_savefileClick() { SaveChecksumFile(); }

std::wstring TForm1::HistoryPath() const { return HistoryFilePath(desktop_.ProgramPath()); }

void TForm1::SaveChecksumFile() {
  const std::wstring checksum = Edit1.Text();
  // Nothing to save before a calculation, after an abort or a failure.
  if (CalcTypeKey.empty() || checksum.empty() || checksum == kAbortedChecksumText) return;
  const ChecksumFileKind* kind = FindChecksumFileKind(CalcTypeKey);
  if (kind == nullptr) return;
  const std::wstring name = FileNameOf(SelectedFilePath);

  win::FileDialogOptions options;
  options.initial_dir = DialogFolderOf(SelectedFilePath);
  options.filter = Utf8ToWide(kind->filter);
  options.default_name = name + Utf8ToWide(kind->extension);
  SetTopmost(0);
  const std::optional<std::wstring> path = desktop_.SaveFileDialog(Hwnd(), options);
  if (path) {
    const std::vector<std::string> lines =
        CalcTypeKey == "crc32"
            ? BuildSfvLines(WideToUtf8(name), WideToUtf8(checksum))
            : std::vector<std::string>{BuildHashRecord(
                  WideToUtf8(checksum),
                  WideToUtf8(Usefullpathwhensavingcreatingchecksumfile1.Checked() ? SelectedFilePath : name),
                  Savetofileasbinaryformataddasterixtofilename1.Checked())};
    if (!WriteTextFile(*path, Widened(lines))) {
      desktop_.ShowMessage(Hwnd(), L"Write error. File not saved", L"Error", win::MessageIcon::Error,
                           win::MessageButtons::Ok);
    }
  }
  SetTopmost(1);
}

void TForm1::AppendHistory(bool enabled) {
  const HistoryOptions options{.log_to_file = enabled,
                               .full_path = Storefullpath1.Checked(),
                               .asterisk = Windowsformataddasterixtofilepath1.Checked(),
                               .make_hidden = MakehistoryfileashiddenH1.Checked(),
                               .make_system = MakehistoryfileassystemS1.Checked()};
  const std::optional<std::wstring> line =
      HistoryLineToAppend(ComboBox1.ItemText(ComboBox1.ItemIndex()), Edit1.Text(), SelectedFilePath, options);
  if (!line) return;
  const std::wstring path = HistoryPath();
  const HistoryAppendResult result = AppendHistoryLine(path, *line, options.make_hidden, options.make_system,
                                                       [this] { return SettingsFileWritable(); });
  // A file that cannot be opened loses the line silently; one that opened
  // but refused the write is worth telling.
  if (result == HistoryAppendResult::WriteFailed) ShowCriticalError(L"Could not write to file " + path);
}

void TForm1::View1Click() {
  const std::wstring path = HistoryPath();
  if (!FileExists(path)) {
    ShowMessage(L"History file does not exist yet. Enable saving calculated checksumt to file first.",
                L"Information", win::MessageIcon::Information);
    return;
  }
  // Quoted, so a folder with spaces reaches Notepad as one name.
  desktop_.Start(win::StartRequest{
      .verb = L"OPEN", .file = L"notepad.exe", .parameters = L"\"" + path + L"\"", .show = SW_SHOWNORMAL});
  SetStatusText(L"History file opened");
}

void TForm1::Deletefile1Click() {
  const std::wstring path = HistoryPath();
  if (!FileExists(path)) {
    ShowMessage(L"File does not exist yet", L"Information", win::MessageIcon::Information);
    return;
  }
  if (ShowMessage(L"Confirm delete", L"Confirm", win::MessageIcon::Question, win::MessageButtons::YesNo) != IDYES) {
    return;
  }
  if (::DeleteFileW(ExtendedLengthPath(path).c_str())) {
    ShowMessage(L"File deleted", L"Information", win::MessageIcon::Information);
  } else {
    ShowMessage(L"Could not delete file " + path, L"Error", win::MessageIcon::Error);
  }
}

}  // namespace ondrix::ui
