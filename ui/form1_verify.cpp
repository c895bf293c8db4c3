// The comparison of the computed and the expected checksum with its three
// indicators, the clipboard commands, and the file details report on the
// clipboard or in Notepad.
#include <memory>

#include "settings/ini_file.h"
#include "verify/clipboard.h"
#include "verify/clipboard_text.h"
#include "verify/notepad_report.h"
#include "startup/file_info.h"
#include "ui/form1.h"

namespace ondrix::ui {
namespace {

std::wstring LocaleUpper(std::wstring_view text) {
  std::wstring out(text);
  if (!out.empty()) ::CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

std::wstring SelectedText(const win::Edit& edit) {
  const auto [start, end] = edit.Selection();
  const std::wstring text = edit.Text();
  if (start < 0 || end <= start || static_cast<std::size_t>(start) >= text.size()) return {};
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

win::MessageIcon IconOf(BoxKind kind) {
  switch (kind) {
    case BoxKind::Error:
      return win::MessageIcon::Error;
    case BoxKind::Warning:
      return win::MessageIcon::Warning;
    default:
      return win::MessageIcon::Information;
  }
}

}  // namespace

TForm1::TempFilesAtExit::~TempFilesAtExit() { DeleteTempFilesAtExit(); }

void TForm1::WireCalculationCommands() {
  Edit2.OnChange = [this] { CompareChecksums(); };
  speed_ok.OnClick = [this] { IndicatorClick(CompareVerdict::Match); };
  speed_blad.OnClick = [this] { IndicatorClick(CompareVerdict::Mismatch); };
  speed_warn.OnClick = [this] { IndicatorClick(CompareVerdict::LengthMismatch); };
  // The buttons differ from their keys: the paste button empties the field
  // first, the copy button always takes the whole checksum, neither reports.
  SpeedButton9.OnClick = [this] { PasteButtonClick(); };
  btn_kopiujsume.OnClick = [this] { CopyChecksumButtonClick(); };
  // Ctrl+I opens the report whatever Edit1 holds; the button needs a checksum.
  SpeedButton1.OnClick = [this] {
    if (!Edit1.Text().empty()) ShowDetailsInNotepad();
  };
  label9.OnClick = [this] { label9Click(); };
  label9.OnMouseEnter = [this] { label9MouseEnter(); };
  label9.OnMouseLeave = [this] { label9MouseLeave(); };
  // The tip of either field shows the computed checksum when the pointer
  // comes to it.
  Edit1.OnMouseEnter = [this] { SetBalloonTip(Edit1, 0, L"", Edit1.Text()); };
  Edit2.OnMouseEnter = [this] { SetBalloonTip(Edit2, 0, L"", Edit1.Text()); };
}

void TForm1::CompareChecksums() {
  // Putting the trimmed text back runs this handler again; that run has
  // nothing to trim, so this one goes on with the same text.
  if (comparing_) return;
  const std::wstring field = Edit2.Text();
  const CompareOutcome outcome = ondrix::CompareChecksums(Edit1.Text(), field);
  if (outcome.expected != field) {
    comparing_ = true;
    Edit2.SetText(outcome.expected);
    comparing_ = false;
  }
  speed_ok.SetVisible(outcome.verdict == CompareVerdict::Match);
  speed_blad.SetVisible(outcome.verdict == CompareVerdict::Mismatch);
  speed_warn.SetVisible(outcome.verdict == CompareVerdict::LengthMismatch);
  SetBalloonTip(Edit2, 0, L"", Edit2.Text());
}

void TForm1::IndicatorClick(CompareVerdict verdict) {
  const IndicatorBox box = BuildIndicatorBox(verdict, Edit1.Text(), Edit2.Text(), LocaleUpper);
  ShowMessage(box.text, box.title, IconOf(box.kind));
}

void TForm1::PasteChecksumFromClipboard() {
  const std::optional<std::wstring> text = GetClipboardText();
  if (!text) return;
  if (const std::optional<std::wstring> cleaned = CleanPastedChecksum(*text)) Edit2.SetText(*cleaned);
}

void TForm1::PasteButtonClick() {
  if (!GetClipboardText()) return;
  Edit2.SetText(L"");
  PasteChecksumFromClipboard();
}

void TForm1::PasteChecksumKey() {
  // The selection of the compare field gives way to the pasted text.
  if (::GetFocus() == Edit2.Hwnd()) Edit2.ReplaceSelection(L"");
  PasteChecksumFromClipboard();
  SetStatusText(L"Checksum pasted from clipboard");
}

void TForm1::CopyChecksumButtonClick() { SetClipboardText(ReplaceLineBreaksBySpaces(Edit1.Text()), Hwnd()); }

void TForm1::CopyChecksumKey() {
  const HWND focus = ::GetFocus();
  const CopyFocus where = focus == Edit1.Hwnd()   ? CopyFocus::ComputedField
                          : focus == Edit2.Hwnd() ? CopyFocus::ExpectedField
                                                  : CopyFocus::Elsewhere;
  const std::wstring computed_selection = where == CopyFocus::ComputedField ? SelectedText(Edit1) : L"";
  const std::wstring expected_selection = where == CopyFocus::ExpectedField ? SelectedText(Edit2) : L"";
  SetClipboardText(CopyKeyText(where, Edit1.Text(), computed_selection, expected_selection), Hwnd());
  SetStatusText(L"Checksum copied to clipboard");
}

void TForm1::CopyRowKey() {
  const std::wstring checksum = Edit1.Text();
  if (checksum.empty()) return;
  const std::vector<std::wstring> lines{
      BuildChecksumRow(SelectedFilePath, checksum, Savetofileasbinaryformataddasterixtofilename1.Checked())};
  SetClipboardTextWithRtf(JoinLinesCrLf(lines), BuildRichText(lines), Hwnd());
  SetStatusText(L"Row copied to clipboard");
}

FileDetailsInputs TForm1::DetailsInputs() const {
  FileDetailsInputs in;
  in.name_field_text = label9.Caption();
  in.selected_file_path = SelectedFilePath;
  in.size_text = FormatSizeText(SelectedFileSize, L" ");
  in.created_text = FileCreatedText;
  in.modified_text = FileModifiedText;
  in.accessed_text = FileAccessedText;
  in.calc_type_key = CalcTypeKey;
  in.computed = Edit1.Text();
  in.expected = Edit2.Text();
  in.asterisk = Savetofileasbinaryformataddasterixtofilename1.Checked();
  return in;
}

void TForm1::CopyDetailsToClipboard() {
  const std::vector<std::wstring> lines = BuildFileDetails(DetailsInputs());
  SetClipboardTextWithRtf(JoinLinesCrLf(lines), BuildRichText(lines), Hwnd());
  SetStatusText(L"File details copied to clipboard");
}

void TForm1::ShowDetailsInNotepad() {
  const std::vector<std::wstring> lines = BuildFileDetails(DetailsInputs());
  // Notepad is started through the desktop, which keeps its process so the
  // report file can go once Notepad has read it.
  const ProgramLauncher launch = [this](const std::wstring& program, const std::wstring& parameters) {
    win::StartResult started = desktop_.Start(win::StartRequest{
        .verb = L"open", .file = program, .parameters = parameters, .show = SW_SHOWNORMAL, .want_process = true});
    ProgramLaunch result;
    result.started = started.ok;
    if (started.ok && started.process) {
      auto process = std::make_shared<win::UniqueHandle>(std::move(started.process));
      result.wait_until_idle = [process](DWORD timeout_ms) {
        return ::WaitForInputIdle(process->Get(), timeout_ms) == 0;
      };
    }
    return result;
  };
  const NotepadReportResult result = ShowReportInNotepad(lines, launch);
  if (result == NotepadReportResult::NoTempFile || result == NotepadReportResult::NotWritten) return;
  SetStatusText(L"Notepad opened with file details");
}

}  // namespace ondrix::ui
